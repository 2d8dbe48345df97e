"""Bodies and configurations far beyond what a user types, under Wine: a
64 MB message, a message of nothing but line breaks, thousands of check
strings, a check string of 100 KB and one full of printf marks. Each send must
give the right prompts and result, and hand the host's text block back
exactly once.

The big inputs are written once per class into its work folder, apart from
the plug-in's own folders (every run compares those before and after)."""

import os
import random
import unittest

from harness import CP, Send, case_folder, ini_file, prompt_text, send_each

MEGABYTE = 1 << 20


def write_file(folder: str, name: str, content: bytes) -> str:
    path = os.path.join(folder, name)
    with open(path, "wb") as file:
        file.write(content)
    return path


class Row(Send):
    """One send of a table: a copy of the plug-in with its INI file, the body
    file to send, the check strings expected in the prompts, in order, the
    answers given and the result expected."""

    def __init__(self, label, ini, body_path, found, answers=None, result=0):
        super().__init__(label, ini, b"", found, answers)
        self.body_path = body_path
        self.result = result


class HostileInputsTest(unittest.TestCase):
    def send_rows(self, rows, timeout=30):
        """All rows in one run of the host, each with its own plug-in copy;
        checks each row's prompts, result and the host's block, and returns
        the calls by label."""
        calls = send_each(self, rows, timeout=timeout)
        # A prompt's check string is what stands between the two halves of
        # string 5, so comparing them compares each box's whole text.
        for row in rows:
            with self.subTest(row.label):
                call = calls[row.label]
                self.assertEqual(call.found, row.found)
                self.assertEqual(call.result, row.result)
                self.assertEqual(call.unused_answers, 0)
                self.assert_block_freed_once(call)
        return calls

    def assert_block_freed_once(self, call):
        """One text fetched, and that very block handed back once, before
        the first prompt."""
        self.assertEqual(len(call.gettexts), 1)
        self.assertEqual([free["ptr"] for free in call.frees], [call.gettexts[0]["block"]])
        self.assertTrue(call.frees[0].flag("handed_out"))
        self.assertEqual(call.frees[0].number("boxes_before"), 0)
        self.assertEqual(call.outstanding, 0)


class HugeBodyTest(HostileInputsTest):
    """64 MB of code-page-932 text with CR LF every 40 to 100 bytes. 添付
    stands in quoted lines all through it, and unquoted only in the last
    line, a few bytes before the end, after 最後, which stands nowhere else."""

    @classmethod
    def setUpClass(cls):
        folder = case_folder(cls, "inputs")
        pieces = ["本文の続きです。", "abc 0123", "添付", "予定を確認", "ご連絡ください", "x"]
        chooser = random.Random(64)
        lines = []
        while sum(len(line) + 2 for line in lines) < MEGABYTE:
            line = b""
            target = chooser.randint(40, 100)
            while len(line) < target:
                line += chooser.choice(pieces).encode(CP)
            # Every line that holds 添付 is a quoted one.
            if "添付".encode(CP) in line:
                line = b"> " + line
            lines.append(line)
        block = b"\r\n".join(lines) + b"\r\n"
        tail = "最後の行に添付。".encode(CP)
        cls.body = write_file(folder, "64mb.txt", block * 64 + tail)
        cls.body_size = os.path.getsize(cls.body)

    @classmethod
    def tearDownClass(cls):
        os.remove(cls.body)

    def test_a_string_found_only_at_the_end_and_strings_found_nowhere(self):
        self.assertGreaterEqual(self.body_size, 64 * MEGABYTE)
        # Both found in the last line, so in byte order (最 0x8D < 添 0x93);
        # 添付 found in any earlier line would come first.
        at_the_end = ini_file("添付,最後", ">")
        # Many strings, none in the body: the whole text is searched for all.
        absent = ini_file(",".join(f"機密{i:03d}" for i in range(256)), ">")
        self.send_rows([
            Row("found_at_the_end", at_the_end, self.body, ["最後", "添付"]),
            Row("found_at_the_end_cancelled", at_the_end, self.body, ["最後"],
                answers=["cancel"], result=-1),
            Row("found_nowhere", absent, self.body, []),
        ], timeout=120)


class LineBreaksOnlyTest(HostileInputsTest):
    """1 MB of CR LF: 524,289 empty lines."""

    @classmethod
    def setUpClass(cls):
        cls.body = write_file(case_folder(cls, "inputs"), "crlf.txt", b"\r\n" * (MEGABYTE // 2))

    def test_only_an_empty_check_string_is_found_in_empty_lines(self):
        self.send_rows([
            # ⟨,添付⟩ holds the empty string: found once, in the first line.
            Row("empty_string", ini_file(",添付", ">"), self.body, [b""]),
            Row("normal_string", ini_file("添付", ">"), self.body, []),
            # An empty prefix skips every line, so not even that is found.
            Row("every_line_ignored", ini_file(",添付", ",>"), self.body, []),
        ])


class ThousandsOfCheckStringsTest(HostileInputsTest):
    """5,000 check strings in one value of over 40 KB (the plug-in reads a
    value of any length), configured in shuffled order."""

    def test_found_strings_are_asked_line_by_line_in_byte_order_once_each(self):
        strings = [f"PRJ-{i:04d}" if i % 2 else f"顧客-{i:04d}" for i in range(4994)]
        strings += ["Orion", "Orion-7", "orion", "添付", "PRJ-4000x", "zz"]
        self.assertEqual(len(set(strings)), 5000)
        # 添 (0x93) sorts after 顧 (0x8C): the set's very last string.
        self.assertEqual(max(item.encode(CP) for item in strings), "添付".encode(CP))
        random.Random(5000).shuffle(strings)
        ini = ini_file(",".join(strings), ">")
        self.assertGreater(len(ini), 40000)

        body = "\r\n".join([
            # 'O' < 'P' < 顧, and Orion-7 holds Orion, which sorts first.
            "顧客-0006 の件と PRJ-0011 と Orion-7 について",
            "> PRJ-4001 と PRJ-4000x は引用なので探さない",
            "本文だけの行",
            # PRJ-0011 was confirmed already; 'o' (0x6F) < 顧 (0x8C).
            "顧客-0100 と PRJ-0011 と orion",
            "最後に添付",
        ]).encode(CP)
        expected = ["Orion", "Orion-7", "PRJ-0011", "顧客-0006", "orion", "顧客-0100", "添付"]
        body_path = write_file(case_folder(self, "inputs"), "body.txt", body)
        self.send_rows([
            Row("all_confirmed", ini, body_path, expected),
            Row("third_cancelled", ini, body_path, expected[:3],
                answers=["ok", "ok", "cancel"], result=-1),
        ])


class LongAndPrintfCheckStringsTest(HostileInputsTest):
    def test_the_prompt_shows_the_check_string_exactly_as_configured(self):
        printf_marks = ["%s%n", "%%", "%d", "%n%n%n%n", "%999999999s", "%"]
        # 60 KB: as long as a prompt can be while the system's ANSI message
        # box still carries it whole (see the 100 KB test below).
        long_string = numbered_run(60 * 1024)
        self.assertLess(len(prompt_text(long_string)), 0xFFFF)
        folder = case_folder(self, "inputs")
        marks_body = write_file(folder, "marks.txt", " ".join(["本文"] + printf_marks).encode(CP))
        long_body = write_file(folder, "long.txt", line_holding(long_string))
        self.send_rows([
            # Byte order: '%' 0x25 < '9' < 'd' < 'n' < 's'; "%" alone first.
            Row("printf_marks", ini_file(",".join(printf_marks)), marks_body,
                ["%", "%%", "%999999999s", "%d", "%n%n%n%n", "%s%n"]),
            Row("60_kb", ini_file(long_string), long_body, [long_string]),
        ])

    # Past 64 KB the ANSI message box cuts or garbles its text (its counted
    # strings have 16-bit lengths), so this is the case that proves the
    # prompt is shown whole.
    def test_a_100_kb_check_string_is_shown_whole(self):
        folder = case_folder(self, "inputs")
        for label, long_string in [("two_byte", numbered_run(100 * 1024)),
                                   ("ascii", b"A" + b"0123456789" * 10240 + b"Z")]:
            with self.subTest(label):
                self.assertGreaterEqual(len(long_string), 100 * 1024)
                body = write_file(folder, label + ".txt", line_holding(long_string))
                # One run each: a crash ends the run it happens in.
                call = self.send_rows([Row(label, ini_file(long_string), body,
                                           [long_string])])[label]
                # The whole box text, byte for byte: string 5 around it all.
                self.assertEqual(call.boxes[0].text, prompt_text(long_string))


FULL_WIDTH_DIGITS = str.maketrans("0123456789", "０１２３４５６７８９")


def numbered_run(size: int) -> bytes:
    """About size bytes of two-byte characters in which every part differs
    from every other: numbers in full-width digits between distinct ends."""
    count = (size - 4) // 12 + 1
    numbers = "".join(f"{i:05d}長" for i in range(count)).translate(FULL_WIDTH_DIGITS)
    return ("始" + numbers + "終").encode(CP)


def line_holding(check_string: bytes) -> bytes:
    return b"\r\n".join([b"before", b"x" + check_string + b"y", b"after"])


if __name__ == "__main__":
    unittest.main()
