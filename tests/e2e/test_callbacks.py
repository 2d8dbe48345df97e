"""The callbacks as the host sees them: the information record, the setup
notice and its box, and the fixed answers of the callbacks that do nothing."""

import unittest

from harness import (DESCRIPTION, PLUGIN_NAME, SETUP_NOTICE, VENDOR, VERSION_TEXT, Scenario,
                     case_folder, plugin_copy, run_host)

RECORD_SIZE = 400
RECORD_FILL = 0xA5

# Every callback but the two that show or fetch something, with arguments of
# the right count; each must return 0 and take exactly its arguments.
FIXED_CALLBACKS = [
    ("BKC_OnStart",),
    ("BKC_OnExit",),
    ("BKC_OnMenuInit", "main", 0x1234, 2),
    ("BKC_OnOpenFolder", 0x10000),
    ("BKC_OnOpenMail", 0x10000),
    ("BKC_OnEveryMinute",),
    ("BKC_OnOpenCompose", "main", 3),
    ("BKC_OnKeyDispatch", "main", 0x41, 1),
    ("BKC_OnRetrieve", 0x10000, 0x10000),
    ("BKC_OnSend", 0x10000),
    ("BKC_OnFinishRetrieve", 5),
    ("BKC_OnDragDrop", 0x10000, 0x10000, 1, 2),
    ("BKC_OnBeforeFilter", 0x10000, 0x10000, 0x10000),
]

SETUP_ANSWERS = ["ok", "escape", "close"]


class CallbacksTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        scenario = Scenario()
        scenario.load(plugin_copy(case_folder(cls)))
        cls.info = scenario.info(RECORD_SIZE, RECORD_FILL)
        cls.setups = {}
        for answer in SETUP_ANSWERS:
            scenario.answer(answer)
            cls.setups[answer] = scenario.setup()
        scenario.popup()
        scenario.answer("ok")
        cls.setup_over_popup = scenario.setup()
        scenario.popup_close()
        cls.fixed = {row[0]: scenario.call(*row) for row in FIXED_CALLBACKS}
        scenario.unload()
        cls.host = run_host(cls, scenario)

    def test_information_record_gets_four_texts_and_nothing_else(self):
        call = self.host.call(self.info)
        expected = bytearray([RECORD_FILL] * RECORD_SIZE)
        for offset, text in ((0, PLUGIN_NAME), (80, VENDOR), (160, VERSION_TEXT),
                             (240, DESCRIPTION)):
            expected[offset:offset + len(text) + 1] = text + b"\0"
        self.assertEqual(call.result, 0)
        self.assertEqual(call.record, bytes(expected))
        # The copy is not cut at a field's width: each of the first three
        # texts, NUL included, must end inside its own 80-byte field.
        for start in (0, 80, 160):
            self.assertLess(call.record.index(b"\0", start), start + 80, f"field at {start}")
        self.assertEqual(call.boxes, [])

    def test_setup_shows_the_notice_and_returns_1_however_closed(self):
        for answer, key in self.setups.items():
            with self.subTest(answer=answer):
                call = self.host.call(key)
                self.assertEqual(call.result, 1)
                self.assertEqual(len(call.boxes), 1)
                box = call.boxes[0]
                self.assertEqual(box.answer, answer)
                self.assertEqual(box.text, SETUP_NOTICE)
                self.assertEqual(box.caption, b"Vorlent")
                self.assertEqual(box.icon, "exclamation")
                self.assertEqual(box.buttons, ["ok"])
                # Modal to the main window: disabled while up, enabled after.
                self.assertEqual(box.owner, "main")
                self.assertFalse(box.main_enabled)
                self.assertTrue(box.main_enabled_after)
                self.assertTrue(call.main_enabled)
                self.assertEqual(call.stack, 0)

    def test_setup_box_belongs_to_the_active_popup(self):
        call = self.host.call(self.setup_over_popup)
        box = call.boxes[0]
        self.assertEqual(call.result, 1)
        self.assertEqual(box.owner, "popup")
        self.assertFalse(box.main_enabled)
        self.assertFalse(box.popup_enabled)
        self.assertTrue(box.main_enabled_after)
        self.assertTrue(call.main_enabled)
        self.assertTrue(call.popup_enabled)

    def test_other_callbacks_return_0_and_do_nothing(self):
        for name, key in self.fixed.items():
            with self.subTest(callback=name):
                call = self.host.call(key)
                self.assertEqual(call.result, 0)
                self.assertEqual(call.stack, 0)
                self.assertEqual(call.events, [])


if __name__ == "__main__":
    unittest.main()
