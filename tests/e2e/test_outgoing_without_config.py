"""Sends with no INI file beside the plug-in: both sets are empty, so no send
is ever stopped, but the body is still fetched and handed back correctly."""

import unittest

from harness import ATTACHMENT, Scenario, case_folder, plugin_copy, run_host

BODY = b"Hello\r\n" + ATTACHMENT + b" %s %n\r\n> quoted\r\n"

# handle, mode: every mode but 1 fetches the text.
FETCHING_SENDS = [(0x1234, 0), (0x5678, 2), (0x9ABC, -1), (0x7FFFFFFF, 0x7FFFFFFF)]


class OutgoingWithoutConfigTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        scenario = Scenario()
        scenario.load(plugin_copy(case_folder(cls)))
        scenario.body(BODY)
        cls.mode_1 = scenario.outgoing(0x1234, 1)
        cls.fetching = {send: scenario.outgoing(*send) for send in FETCHING_SENDS}
        scenario.body(b"")
        cls.empty_body = scenario.outgoing(0x10, 0)
        scenario.body(None)
        cls.null_body = scenario.outgoing(0x20, 0)
        cls.null_body_again = scenario.outgoing(0x20, 0)
        scenario.unload()
        cls.host = run_host(cls, scenario)

    def test_mode_1_fetches_nothing_and_goes_ahead(self):
        call = self.host.call(self.mode_1)
        self.assertEqual(call.result, 0)
        self.assertEqual(call.stack, 0)
        self.assertEqual(call.events, [])

    def test_other_modes_fetch_once_free_that_block_once_and_go_ahead(self):
        for (handle, mode), key in self.fetching.items():
            with self.subTest(mode=mode):
                call = self.host.call(key)
                self.assertEqual(call.result, 0)
                self.assertEqual(call.stack, 0)
                self.assertEqual(call.boxes, [])
                self.assertEqual(len(call.gettexts), 1)
                fetch = call.gettexts[0]
                self.assertEqual(int(fetch["handle"], 16), handle)
                self.assertEqual(fetch.number("size"), 20)
                self.assertTrue(fetch.flag("buffer"))
                self.assertEqual([free["ptr"] for free in call.frees], [fetch["block"]])
                self.assertTrue(call.frees[0].flag("handed_out"))
                self.assertEqual(call.outstanding, 0)

    def test_empty_body_goes_ahead(self):
        call = self.host.call(self.empty_body)
        self.assertEqual((call.result, len(call.frees), call.outstanding), (0, 1, 0))

    def test_null_text_goes_ahead_without_crashing(self):
        for key in (self.null_body, self.null_body_again):
            call = self.host.call(key)
            self.assertEqual(call.result, 0)
            self.assertEqual(call.boxes, [])
            self.assertEqual(int(call.gettexts[0]["block"], 16), 0)
            # Nothing was handed out, so nothing may come back but a null.
            self.assertTrue(all(int(free["ptr"], 16) == 0 for free in call.frees))


if __name__ == "__main__":
    unittest.main()
