"""Ignore From Line Prefix end to end: the search ends at the first line that
begins with one of its items, so what the user did not write (a quoted
original below a separator, a signature) raises no prompt; without the key
every line is searched as before."""

import unittest

from harness import Send, assert_all_go_ahead, ini_file

REPLY = "\r\n".join([
    "お世話になっております。",
    "承知しました。",
    "",
    "-----Original Message-----",
    "From: 田中",
    "見積書を添付します。",
])

SIGNED = "\r\n".join([
    "本文です。",
    "-- ",
    "株式会社サンプル",
    "添付ファイルの取り扱いにご注意ください",
])


class StopPrefixTest(unittest.TestCase):
    def test_the_search_ends_at_the_stop_line(self):
        separator = "-----Original Message-----"
        sends = [
            Send("reply_with_separator_configured", ini_file("添付", ">", stop=separator),
                 REPLY, []),
            Send("reply_without_the_key", ini_file("添付", ">"), REPLY, ["添付"]),
            Send("reply_with_an_empty_value", ini_file("添付", ">", stop=""), REPLY, ["添付"]),
            # The INI reader drops the blank of a bare "-- "; quoted, it stays.
            Send("signature_not_searched", ini_file("添付", stop='"-- "'), SIGNED, []),
            # Before the stop line the search goes on as usual.
            Send("found_above_the_stop_line", ini_file("添付,本文", stop='"-- "'),
                 "本文に添付\r\n-- \r\n添付", ["添付", "本文"]),
            # The stop test comes first: a quoted separator still stops.
            Send("stop_line_that_is_also_ignored", ini_file("添付", ">", stop="> ----"),
                 "> ----\r\n添付", []),
            Send("empty_item_searches_nothing", ini_file("添付", stop="x,,y"), "添付\r\n添付",
                 []),
        ]
        assert_all_go_ahead(self, sends)


if __name__ == "__main__":
    unittest.main()
