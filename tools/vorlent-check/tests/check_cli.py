#!/usr/bin/env python3
"""Runs vorlent-check as a user would and checks what it answers.

    check_cli.py CHECKER SAMPLE_INI SAMPLE_INI_SOURCE

CHECKER is the native vorlent-check; SAMPLE_INI the shipped Vorlent.ini as
built (code page 932, CR LF) and SAMPLE_INI_SOURCE its UTF-8 source. The
cases every build shares come from checker_cases.py; the rest are the native
build's own (standard input, the configuration's warnings, the sample).
"""

import os
import shutil
import subprocess
import sys
import tempfile

import checker_cases
from checker_cases import lines_in_order

TENPU = "添付".encode("cp932")


def cp932(text):
    return text.encode("cp932")


class Checker:
    def __init__(self, program, folder):
        self.program = program
        self.folder = folder
        self.failures = []

    def write(self, name, data):
        path = os.path.join(self.folder, name)
        with open(path, "wb") as f:
            f.write(data)
        return path

    def run(self, *arguments, stdin=b"", program=None):
        done = subprocess.run([program or self.program, "--output-encoding", "utf8", *arguments],
                              input=stdin, capture_output=True, cwd=self.folder, timeout=60,
                              env=checker_cases.environment("en"))
        return done.returncode, done.stdout.decode("utf-8"), done.stderr.decode("utf-8")

    def expect(self, case, condition, detail):
        if not condition:
            self.failures.append(f"{case}: {detail}")


def main():
    program, sample_ini, sample_source = sys.argv[1:4]
    with tempfile.TemporaryDirectory() as folder:
        c = Checker(os.path.abspath(program), folder)
        for case in checker_cases.CASES:
            rc, out, err = checker_cases.run_case(case, c.program, os.path.join(folder, case.name))
            for problem in checker_cases.problems(case, rc, out, err):
                c.failures.append(f"{case.name}: {problem}")

        ini = c.write("v.ini", b"[Config]\r\nCheck String=" + TENPU +
                      b",secret,attached\r\nIgnore Line Prefix=>\r\n")

        rc, out, err = c.run("--help")
        c.expect("help", rc == 0 and "Usage: vorlent-check" in out and "Exit status" in out,
                 f"rc={rc} {out[:80]!r}")

        # Input errors: exit 2 and one line that names the file and the problem;
        # before the configuration is read, nothing else.
        errors = [
            ("bad option", ["--bogus"], "--bogus", True),
            ("bad encoding", ["--output-encoding", "latin1"], "latin1", True),
            ("missing ini", ["--ini", "nothere.ini", "m.txt"], "nothere.ini: no such file", True),
            ("missing message", ["--ini", ini, "gone.txt"], "gone.txt: no such file", False),
            ("message is a folder", ["--ini", ini, "."], ".: is a folder", False),
        ]
        for case, arguments, text, silent in errors:
            rc, out, err = c.run(*arguments)
            c.expect(case, rc == 2, f"rc={rc}")
            c.expect(case, err.count("\n") == 1 and text in err and (out == "") == silent,
                     f"stderr={err!r}")

        quiet = c.write("quiet.txt", b"Hello\r\nnothing to see\r\n")
        rc, out, err = c.run("--ini", ini, quiet)
        c.expect("no prompt", rc == 0 and "no prompt" in out, f"rc={rc} {out!r}")

        # Line 3 holds two strings: ASCII sorts before 添付 in the set. Line 4 is
        # quoted and skipped; the later 添付 has prompted already.
        mail = c.write("mail.txt", b"Hi\r\n\r\n" + TENPU + b" file attached\r\n> secret " +
                       TENPU + b"\r\nsecret\r\n" + TENPU)
        rc, out, err = c.run("--ini", ini, "-v", "mail.txt")
        c.expect("prompts", rc == 1, f"rc={rc} {err!r}")
        c.expect("prompts", lines_in_order(out, [
            'check strings (3, in the byte order the plug-in keeps):',
            '  "attached"', '  "secret"', '  "添付"',
            'mail.txt:3: prompt "attached": 添付 file attached',
            'mail.txt:3: prompt "添付": 添付 file attached',
            'mail.txt:4: skipped, begins with ignore prefix ">": > secret 添付',
            'mail.txt:5: prompt "secret": secret',
            'mail.txt: 3 prompts; Cancel on any of them stops the send',
        ]), out)

        rc, out, err = c.run("--ini", ini, "-", stdin=b"top secret\n" + TENPU)
        c.expect("stdin", rc == 1 and lines_in_order(out, [
            '<stdin>:1: prompt "secret": top secret', '<stdin>:2: prompt "添付": 添付']), out)

        # A prompt found only from the second byte of a double-byte character.
        hidden = c.write("hidden.ini", b"[Config]\r\nCheck String=" + cp932("ア") + b"\r\n")
        rc, out, err = c.run("--ini", hidden, c.write("h.txt", cp932("ｃ") + b"A"))
        c.expect("straddle", rc == 1 and "(straddles two characters" in out, out)

        warned = c.write("warn.ini", b"[Config]\r\nCheck String=a,,b,a,\"open\r\n"
                                     b"Ignore Line Prefix=>,,\r\n")
        rc, out, err = c.run("--ini", warned)
        for text in ['"Check String" item 2 is empty', '"Check String" item 4 "a" repeats item 1',
                     '"Check String" leaves a quotation mark open',
                     '"Ignore Line Prefix" item 2 is empty']:
            c.expect("config warnings", f"warning: {text}" in out, f"{text!r} not in {out!r}")

        # Bytes that are no UTF-8 in a file read as UTF-8 are named, not fatal.
        c.write("bad.txt", b"\xff\xfe")
        rc, out, err = c.run("--ini", ini, "--message-encoding", "utf8", "bad.txt")
        c.expect("bad utf8", rc == 0 and
                 'bad.txt:1: warning: "\ufffd" (U+FFFD) is not in code page 932' in out, out + err)

        # A UTF-8 INI is read as the plug-in reads it, and named; a UTF-8
        # message is detected and checked as meant.
        utf8_ini = c.write("utf8.ini", "[Config]\nCheck String=添付\n".encode("utf-8"))
        utf8_mail = c.write("utf8.txt", "資料を添付します".encode("utf-8"))
        rc, out, err = c.run("--ini", utf8_ini, utf8_mail)
        c.expect("utf8", "configuration encoding: UTF-8\n" in out and '  "添付"' in out and
                 'prompt "添付": 資料を添付します' in out and rc == 1, out)
        # Only the configuration: the exit status says whether it drew a warning.
        rc, out, err = c.run("--ini", utf8_ini)
        c.expect("config only, clean", rc == 0 and "warning" not in out, out)
        rc, out, err = c.run("--ini", warned)
        c.expect("config only, warned", rc == 1, f"rc={rc}")

        # Without --ini the checker reads Vorlent.ini beside itself.
        beside = os.path.join(folder, "beside")
        os.mkdir(beside)
        copy = shutil.copy(c.program, beside)
        rc, out, err = c.run("mail.txt", program=copy)
        c.expect("default ini missing", rc == 2 and
                 os.path.join(beside, "Vorlent.ini") + ": no such file" in err, err)
        shutil.copy(sample_ini, os.path.join(beside, "Vorlent.ini"))
        sample_mail = c.write("sample.txt", cp932("田中様\r\n\r\n資料を添付ファイルでお送りします。"
                                                  "\r\n> 添付なし\r\n＞ 添付\r\n"))
        rc, out, err = c.run("-v", "sample.txt", program=copy)
        c.expect("sample ini", rc == 1 and lines_in_order(out, [
            '  "添付"', '  ">"', '  "＞"',
            'sample.txt:3: prompt "添付": 資料を添付ファイルでお送りします。',
            'sample.txt:4: skipped, begins with ignore prefix ">": > 添付なし',
            'sample.txt:5: skipped, begins with ignore prefix "＞": ＞ 添付',
            'sample.txt: 1 prompt; Cancel on any of them stops the send']) and
            "warning" not in out, out + err)

    # The shipped sample is exact code page 932 with CR LF line ends.
    with open(sample_ini, "rb") as f:
        shipped = f.read()
    with open(sample_source, "rb") as f:
        source = f.read().decode("utf-8")
    c.expect("sample encoding", shipped.replace(b"\r\n", b"") .count(b"\n") == 0 and
             shipped.replace(b"\r\n", b"").count(b"\r") == 0 and shipped.endswith(b"\r\n"),
             "line ends are not all CR LF")
    c.expect("sample encoding", shipped == source.replace("\n", "\r\n").encode("cp932"),
             "not the source in code page 932")

    for failure in c.failures:
        print("FAIL", failure)
    return 1 if c.failures else 0


if __name__ == "__main__":
    sys.exit(main())
