"""vorlent-check.exe under Wine with code page 932: the cases that every
build answers alike (tools/vorlent-check/tests/checker_cases.py), and the
wait for Enter that only a console of the checker's own gets."""

import os
import shutil
import subprocess
import sys
import unittest

import harness

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                                "vorlent-check", "tests"))
import checker_cases  # noqa: E402

CHECKER = os.environ.get("VORLENT_CHECKER", "")
LAUNCHER = os.environ.get("VORLENT_CONSOLE_LAUNCHER", "")


class SharedCases(unittest.TestCase):
    def test_every_case(self):
        env = harness.wine_environment()
        for case in checker_cases.CASES:
            if case.stdin is not None:
                continue  # Wine's server would hold a pipe to standard input open
            with self.subTest(case.name):
                rc, out, err = checker_cases.run_case(
                    case, CHECKER, harness.case_folder(self, case.name), wine=harness.WINE,
                    env=env)
                self.assertEqual(checker_cases.problems(case, rc, out, err), [])


class WindowsPaths(unittest.TestCase):
    def test_backslashes_after_double_byte_characters(self):
        # 表, ソ and 能 end in the byte 0x5C, the backslash, in code page 932.
        case = checker_cases.Case(
            "backslashes", ["--ini", "どこか\\表ソ能\\Vorlent.ini", "-v", "かな\\本文ソ表.txt"], 1,
            ["設定ファイル: どこか\\表ソ能\\Vorlent.ini",
             *checker_cases.reply_lines("かな\\本文ソ表.txt")],
            files={"どこか/表ソ能/Vorlent.ini": checker_cases.INI,
                   "かな/本文ソ表.txt": checker_cases.reply("\n")})
        rc, out, err = checker_cases.run_case(case, CHECKER, harness.case_folder(self),
                                              wine=harness.WINE, env=harness.wine_environment())
        self.assertEqual(checker_cases.problems(case, rc, out, err), [])


class WaitForEnter(unittest.TestCase):
    """A double-clicked program gets a console of its own, which closes when
    the program ends: the checker then waits for Enter. Started from a
    console, it shares that console and must never wait."""

    def launch(self, mode, *arguments):
        folder = os.path.join(harness.case_folder(self), "ソフト表示能")
        os.makedirs(folder)
        checker = shutil.copy(CHECKER, folder)
        with open(os.path.join(folder, "Vorlent.ini"), "wb") as f:
            f.write(checker_cases.INI)
        with open(os.path.join(folder, "本文.txt"), "wb") as f:
            f.write(checker_cases.reply())
        result = os.path.join(folder, "result.txt")
        output = os.path.join(folder, "output.txt")
        subprocess.run([harness.WINE, LAUNCHER, harness.windows_path(result),
                        harness.windows_path(output), mode, harness.windows_path(checker),
                        "--output-encoding", "utf8", *arguments],
                       cwd=folder, env=harness.wine_environment(), stdin=subprocess.DEVNULL,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
        with open(result, encoding="utf-8") as f:
            ended = f.read().strip()
        with open(output, "rb") as f:
            shown = f.read().decode("utf-8")
        return ended, shown

    def test_double_clicked_checks_the_ini_beside_it_and_waits(self):
        ended, shown = self.launch("own")
        self.assertEqual(ended, "ended-after-enter 0")
        self.assertIn("ソフト表示能\\Vorlent.ini", shown)
        self.assertIn("「添付」", shown)
        self.assertTrue(shown.rstrip().endswith("Enter キーを押すとウィンドウを閉じます。"), shown)

    def test_a_dropped_message_waits_too(self):
        ended, shown = self.launch("own", "本文.txt")
        self.assertEqual(ended, "ended-after-enter 1")
        self.assertIn("本文.txt:3: 「添付」の確認が出ます: 資料を添付します。", shown)

    def test_started_from_a_console_it_never_waits(self):
        ended, shown = self.launch("shared", "本文.txt")
        self.assertEqual(ended, "ended-by-itself 1")
        self.assertNotIn("Enter キー", shown)


if __name__ == "__main__":
    unittest.main()
