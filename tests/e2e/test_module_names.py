"""The plug-in under the names Japanese users give it. In code page 932 the
second byte of many characters (表, ソ, 能, 十 ...) is a backslash, so a path
cut at every backslash byte gives a wrong caption or a wrong INI file. Each
row copies the DLL into its folder under its name, with an INI file (code
page 932) named after it, and checks the caption of both boxes and that the
INI file was read."""

import os
import unittest

from harness import CP, Scenario, case_folder, encode, ini_file, plugin_copy, run_host


class Row:
    def __init__(self, label, folders, dll_name, caption):
        self.label = label
        self.folders = folders
        self.dll_name = dll_name
        self.caption = caption


# Second bytes 0x5C: ソ 83 5C, 表 95 5C, 能 94 5C, 十 8F 5C, 予 97 5C, 申 90 5C.
ROWS = [
    Row("trail_backslash_in_folder_and_name", ["ソフト"], "表示.dll", "表示"),
    Row("name_of_one_trail_backslash_character", [], "ソ.dll", "ソ"),
    Row("folder_ends_in_a_trail_backslash", ["能"], "Vorlent.dll", "Vorlent"),
    Row("folder_and_name_of_one_character", ["表"], "表.dll", "表"),
    Row("plain_kana", ["かな"], "ひらがな.dll", "ひらがな"),
    Row("dotted_folder", ["版1.2"], "ソ.dll", "ソ"),
    Row("dotted_folder_with_trail_backslash", ["十.d", "予"], "申請.dll", "申請"),
]


class ModuleNamesTest(unittest.TestCase):
    def test_caption_and_ini_file_follow_the_japanese_name(self):
        scenario = Scenario()
        keys = {}
        for number, row in enumerate(ROWS):
            check = f"確認{number}"
            folder = os.path.join(case_folder(self, str(number)), *row.folders)
            send, setup = scenario.load_send_setup_unload(
                plugin_copy(folder, row.dll_name, ini_file(check)), f"本文 {check}")
            keys[row.label] = (encode(check), send, setup)
        run = run_host(self, scenario)
        for number, row in enumerate(ROWS):
            with self.subTest(row.label):
                check, send, setup = keys[row.label]
                self.assertTrue(run.load(number).ok)
                self.assertEqual(run.call(send).found, [check])
                self.assertEqual(run.call(send).result, 0)
                self.assertEqual(run.call(setup).result, 1)
                caption = row.caption.encode(CP)
                self.assertEqual([box.caption for box in run.call(send).boxes], [caption])
                self.assertEqual([box.caption for box in run.call(setup).boxes], [caption])


if __name__ == "__main__":
    unittest.main()
