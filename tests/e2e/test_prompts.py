"""The send-time check end to end: real INI files, real message boxes, and
the user's answers deciding whether the mail goes."""

import unittest

from harness import (ATTACHMENT, Scenario, Send, assert_all_go_ahead, case_folder, encode,
                     ini_file, plugin_copy, prompt_text, run_host, send_each)

THREE_LINES = "添付します\r\n本文\r\n添付ファイル\r\nまた添付"


class PromptsTest(unittest.TestCase):
    def test_which_strings_are_asked_about_and_in_what_order(self):
        sends = [
            # Once per message, at the first line that holds it.
            Send("same_string_on_three_lines", ini_file("添付"), THREE_LINES, ["添付"]),
            # Within a line, in byte order of the strings, not of the text;
            # bytes from 0x80 up sort after ASCII.
            Send("byte_order", ini_file("zeta,添付,alpha"), "添付 zeta alpha",
                 ["alpha", "zeta", "添付"]),
            # Line by line first.
            Send("line_order", ini_file("alpha,zeta"), "zeta\r\nalpha", ["zeta", "alpha"]),
            Send("ignored_lines", ini_file("添付", ">,|"), "> 添付\r\n| 添付\r\n本文", []),
            Send("ignored_then_found", ini_file("添付", ">"), "> 添付\r\nx 添付", ["添付"]),
            # Lone LF and CR are no line breaks: the body is one line, and
            # only its start is tested against the prefixes.
            Send("lone_lf_ignored", ini_file("添付", ">"), "> a\n添付\n", []),
            Send("lone_lf_searched", ini_file("添付", ">"), "a\n> 添付\r", ["添付"]),
            Send("printf_marks_shown_literally", ini_file("%s%n,%d"), "x %s%n %d",
                 ["%d", "%s%n"]),
            Send("long_check_string", ini_file("長" * 3000), "前" + "長" * 3000, ["長" * 3000]),
            Send("no_match", ini_file("添付"), "添 付", []),
        ]
        assert_all_go_ahead(self, sends)

    def test_the_first_answer_but_ok_stops_the_send(self):
        ini = ini_file("alpha,zeta")
        sends = [Send(answer, ini, "zeta alpha", ["alpha"], answers=[answer, "ok"])
                 for answer in ("cancel", "escape", "close")]
        sends.append(Send("ok", ini, "zeta alpha", ["alpha", "zeta"], answers=["ok", "ok"]))
        calls = send_each(self, sends)
        for send in sends:
            with self.subTest(answer=send.label):
                call = calls[send.label]
                self.assertEqual(call.found, send.found)
                self.assertEqual(call.result, 0 if send.label == "ok" else -1)
                self.assertEqual(call.outstanding, 0)
                self.assertTrue(call.main_enabled)

    def test_prompt_as_the_user_sees_it(self):
        call = send_each(self, [Send("one", ini_file("添付"), "本文\r\n添付", ["添付"])])["one"]
        box = call.boxes[0]
        self.assertEqual(box.text, prompt_text(ATTACHMENT))
        self.assertEqual(box.text, encode('文字列"添付"が見つかりました。\n続行しますか？'))
        self.assertEqual(box.caption, b"Vorlent")
        self.assertEqual(box.icon, "exclamation")
        self.assertEqual(box.buttons, ["ok", "cancel"])
        self.assertEqual(box.owner, "main")
        self.assertFalse(box.main_enabled)
        self.assertTrue(box.main_enabled_after)
        # The host's block went back before the user was asked.
        self.assertEqual(len(call.frees), 1)
        self.assertEqual(call.frees[0].number("boxes_before"), 0)
        self.assertLess(call.events.index(call.frees[0]),
                        next(i for i, e in enumerate(call.events) if e.kind == "box"))
        self.assertEqual(call.gettexts[0].number("size"), 20)

    def test_each_send_starts_afresh_and_mode_1_checks_nothing(self):
        scenario = Scenario()
        scenario.load(plugin_copy(case_folder(self), ini=ini_file("添付")))
        scenario.body(THREE_LINES)
        scenario.answer("ok", "ok", "cancel")
        sends = [scenario.outgoing(1, 0), scenario.outgoing(2, 0), scenario.outgoing(3, 1),
                 scenario.outgoing(4, 0)]
        scenario.unload()
        run = run_host(self, scenario)
        found = [run.call(key).found for key in sends]
        results = [run.call(key).result for key in sends]
        self.assertEqual(found, [[ATTACHMENT], [ATTACHMENT], [], [ATTACHMENT]])
        self.assertEqual(results, [0, 0, 0, -1])
        self.assertEqual(run.call(sends[2]).events, [])

    def test_prompt_belongs_to_the_active_popup(self):
        scenario = Scenario()
        scenario.load(plugin_copy(case_folder(self), ini=ini_file("alpha,zeta")))
        scenario.body("alpha zeta")
        scenario.popup()
        scenario.answer("ok", "cancel")
        send = scenario.outgoing(1, 0)
        scenario.unload()
        call = run_host(self, scenario).call(send)
        self.assertEqual(call.result, -1)
        self.assertEqual(len(call.boxes), 2)
        for box in call.boxes:
            self.assertEqual(box.owner, "popup")
            self.assertFalse(box.main_enabled)
            self.assertFalse(box.popup_enabled)
        self.assertTrue(call.main_enabled)
        self.assertTrue(call.popup_enabled)

    def test_prompt_without_any_window_of_the_host(self):
        scenario = Scenario()
        scenario.load(plugin_copy(case_folder(self), ini=ini_file("添付")))
        scenario.body(ATTACHMENT)
        scenario.answer("cancel")
        send = scenario.outgoing(1, 0)
        scenario.unload()
        call = run_host(self, scenario, window=False).call(send)
        self.assertEqual(call.result, -1)
        self.assertEqual([box.owner for box in call.boxes], ["none"])

    def test_a_send_started_while_a_prompt_is_up(self):
        """The host may start a second send while the first one's box is up
        (its own timer, another compose window): each runs its own check and
        gives its own body back once."""
        scenario = Scenario()
        scenario.load(plugin_copy(case_folder(self), ini=ini_file("添付")))
        scenario.body(ATTACHMENT)
        # The inner send's box comes up second and is answered first.
        scenario.answer("cancel", "ok")
        inner = scenario.on_box_outgoing(2, 0)
        outer = scenario.outgoing(1, 0)
        scenario.unload()
        run = run_host(self, scenario)
        inner_call, outer_call = run.call(inner), run.call(outer)
        self.assertEqual((inner_call.result, outer_call.result), (-1, 0))
        for call, handle in ((inner_call, 2), (outer_call, 1)):
            with self.subTest(handle=handle):
                self.assertEqual(call.found, [ATTACHMENT])
                self.assertEqual([int(text["handle"], 16) for text in call.gettexts], [handle])
                self.assertEqual([free["ptr"] for free in call.frees],
                                 [call.gettexts[0]["block"]])
                self.assertTrue(call.frees[0].flag("handed_out"))
        self.assertEqual(run.events[-1].number("outstanding"), 0)


if __name__ == "__main__":
    unittest.main()
