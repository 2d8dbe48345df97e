"""The INI file beside the plug-in, read through the platform's own profile
reader: where it is, what its values give, and that nothing in it is lost.

Which check strings the plug-in holds shows in the prompts: each row's body
holds the candidates on one line, every prompt is answered OK, and the
strings asked about (in the set's byte order) are the set's elements that
the line contains."""

import os
import unittest

from harness import (ATTACHMENT, PROMPT_AFTER, PROMPT_BEFORE, Scenario, Send,
                     assert_all_go_ahead, case_folder, ini_file, plugin_copy, run_host,
                     windows_path)

FIVE_THOUSAND_A = "あ" * 5000


class ConfigurationTest(unittest.TestCase):
    def check_sends(self, sends):
        return assert_all_go_ahead(self, sends)

    def test_value_syntax_through_the_profile_reader(self):
        self.check_sends([
            # The reader drops one pair of quotes around the whole value ...
            Send("whole_value_quoted", ini_file('"a,b"'), "a,b", ["a", "b"]),
            Send("whole_value_single_quoted", ini_file("'a,b'"), "a,b", ["a", "b"]),
            # ... so the first and last marks of "a","b" go, and the middle
            # pair reads as one quoted comma.
            Send("items_quoted", ini_file('"a","b"'), "a,b", ["a,b"]),
            Send("last_item_quoted", ini_file('x,"a,b"'), "x a,b", ["a,b", "x"]),
            # Blanks around the value go; blanks inside items stay.
            Send("blanks_around", ini_file(" a , b "), "a , b", [" b", "a "]),
            Send("duplicates", ini_file("abc,abc,添付,abc,添付"), "abc 添付 abc",
                 ["abc", ATTACHMENT]),
            # An empty item is found in the first searched line, even an
            # empty one, and prompts with nothing in place of %s.
            Send("empty_check_item", ini_file("a,,b"), "\r\nxyz a", ["", "a"]),
            # An empty ignore prefix skips every line.
            Send("empty_ignore_item", ini_file("添付", ",>"), "添付\r\n添付", []),
        ])

    def test_empty_item_prompt_text(self):
        call = self.check_sends([Send("empty", ini_file(",x"), "", [""])])["empty"]
        self.assertEqual(call.boxes[0].text, PROMPT_BEFORE + PROMPT_AFTER)

    def test_missing_file_section_or_key_leaves_the_sets_empty(self):
        body = "abc 添付\r\n> abc"
        self.check_sends([
            Send("no_file", None, body, []),
            Send("other_section", ini_file("abc", section="Other"), body, []),
            Send("no_check_key", ini_file(None, ">"), body, []),
            # Without the ignore key every line is searched.
            Send("no_ignore_key", ini_file("abc"), body, ["abc"]),
            Send("empty_file", b"", body, []),
        ])

    def test_section_and_key_names_in_any_letter_case(self):
        self.check_sends([
            Send("section", ini_file("abc", section="CONFIG"), "abc", ["abc"]),
            Send("check_key", ini_file("abc", check_key="cHECK sTRING"), "abc", ["abc"]),
            Send("ignore_key", ini_file("abc", ">", ignore_key="IGNORE line PREFIX"),
                 "> abc", []),
        ])

    def test_long_values_are_read_whole(self):
        items = [f"w{i:04}" for i in range(3000)]
        ignores = [f"#{i:04}" for i in range(3000)]
        self.assertGreater(len(",".join(items)), 10000)
        self.check_sends([
            Send("many_items", ini_file(",".join(items), ",".join(ignores)),
                 "#2999 w0000\r\nw2999 w2998x", ["w2998", "w2999"]),
            # 10000 bytes of double-byte characters: a value cut to 9999 bytes
            # would end inside one and lose the item after it.
            Send("double_byte_cut", ini_file(FIVE_THOUSAND_A + ",末尾"),
                 FIVE_THOUSAND_A + "末尾", [FIVE_THOUSAND_A, "末尾"]),
        ])

    def test_file_is_named_after_the_module(self):
        vorlent_ini = ("Vorlent.ini", ini_file("vorlent"))
        calls = self.check_sends([
            Send("renamed", ini_file("other"), "vorlent other", ["other"],
                 dll_name="Other.dll", extra_files=[vorlent_ini]),
            Send("dotted_name", ini_file("dotted"), "vorlent dotted", ["dotted"],
                 dll_name="My.Plug.dll", extra_files=[vorlent_ini]),
            Send("upper_case_extension", ini_file("upper"), "upper", ["upper"],
                 dll_name="Vorlent.DLL"),
        ])
        self.assertEqual(calls["renamed"].boxes[0].caption, b"Other")
        self.assertEqual(calls["dotted_name"].boxes[0].caption, b"My.Plug")

    def test_module_path_too_long_for_the_ini_name(self):
        """Up to 259 bytes the INI path fits the 260-byte buffer; beyond, the
        plug-in still loads and works, with empty sets."""
        scenario = Scenario()
        rows = {}
        for length, reads in ((259, True), (260, False), (300, False)):
            folder = deep_folder(case_folder(self, str(length)), length - len("\\Vorlent.dll"))
            dll = plugin_copy(folder, ini=ini_file("添付"))
            self.assertEqual(len(windows_path(dll)), length)
            send, setup = scenario.load_send_setup_unload(dll, ATTACHMENT)
            rows[length] = (reads, send, setup)
        run = run_host(self, scenario)
        for length, (reads, send, setup) in rows.items():
            with self.subTest(length=length):
                self.assertTrue(run.load(0).ok)
                self.assertEqual(run.call(send).found, [ATTACHMENT] if reads else [])
                self.assertEqual(run.call(send).result, 0)
                self.assertEqual(run.call(setup).result, 1)
                self.assertEqual(run.call(setup).boxes[0].caption, b"Vorlent")


def deep_folder(base: str, length: int) -> str:
    """A folder under base whose Windows path is exactly length characters,
    made of names short enough for the file system."""
    remaining = length - len(windows_path(base))
    count = -(-remaining // 201)
    letters = remaining - count
    folder = base
    for i in range(count):
        name_length = letters // count + (1 if i < letters % count else 0)
        folder = os.path.join(folder, chr(ord("a") + i) * name_length)
    os.makedirs(folder)
    return folder


if __name__ == "__main__":
    unittest.main()
