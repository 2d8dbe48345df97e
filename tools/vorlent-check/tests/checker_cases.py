"""The cases of vorlent-check that every build must answer alike.

check_cli.py runs them with the native build, tests/e2e/test_checker.py with
the Windows build under Wine (code page 932), and the differential test
compares the two builds' answers case by case.

A case writes its files (paths with '/', which both systems take; Japanese
names whose code page 932 bytes hold 0x5C as a second byte: 表, ソ, 能), runs
the checker in that folder and looks at the exit status and at lines of
standard output and standard error, which must appear in the given order.
"""

import os
import re
import shutil
import subprocess


def cp(text):
    return text.encode("cp932")


TENPU = cp("添付")
INI = b"[Config]\r\nCheck String=" + TENPU + b",secret\r\nIgnore Line Prefix=>\r\n"
ASCII_INI = b"[Config]\r\nCheck String=secret\r\nIgnore Line Prefix=>\r\n"

# A reply: the quoted line 2 holds 添付 and is skipped, line 3 prompts.
REPLY = "田中様\n> 添付なし\n資料を添付します。\n"
REPLY_LINES = [
    "{name}:2: 検索しない行 (無視する行頭「>」で始まる): > 添付なし",
    "{name}:3: 「添付」の確認が出ます: 資料を添付します。",
    "{name}: 確認が 1 回出ます。どれかでキャンセルすると送信は中止されます",
]


def reply(end="\r\n", encoding="cp932", mark=b""):
    return mark + REPLY.replace("\n", end).encode(encoding)


def reply_lines(name):
    return [line.format(name=name) for line in REPLY_LINES]


class Case:
    def __init__(self, name, args, rc, out=(), err=(), files=None, locale="ja",
                 program_in=None, out_pattern=None, compare=True, stdin=None):
        self.name = name
        self.args = list(args)
        self.rc = rc
        self.out = list(out)
        self.err = list(err)
        self.files = files or {}
        self.locale = locale            # "ja": code page 932; "en": an English system
        self.program_in = program_in    # run a copy of the checker from this folder
        self.out_pattern = out_pattern  # a regular expression for the first output line
        self.compare = compare          # False where the builds' paths show
        self.stdin = stdin


CASES = [
    Case("help_slash_question", ["/?", "--lang", "en"], 0, ["Usage: vorlent-check [OPTION]... [MESSAGE]..."]),
    Case("help_japanese", ["-h"], 0, ["使い方: vorlent-check [オプション]... [本文ファイル]..."]),
    Case("version", ["--version"], 0, out_pattern=r"^vorlent-check \d+\.\d+\.\d+\.\d+$"),
    Case("japanese_names",
         ["--ini", "表ソ能/設定.ini", "-v", "かな/本文ソ表.txt"], 1,
         ["設定ファイル: 表ソ能/設定.ini", *reply_lines("かな/本文ソ表.txt")],
         files={"表ソ能/設定.ini": INI, "かな/本文ソ表.txt": reply()}),
    Case("default_ini_beside_program", ["-v", "本文.txt"], 1, reply_lines("本文.txt"),
         files={"ソフト表示能/Vorlent.ini": INI, "本文.txt": reply()},
         program_in="ソフト表示能", compare=False),
    Case("default_ini_missing", ["本文.txt"], 2, err=["能なし", "Vorlent.ini: ファイルが見つかりません"],
         files={"能なし/.keep": b"", "本文.txt": reply()}, program_in="能なし", compare=False),
    Case("line_ends_crlf", ["--ini", "v.ini", "-v", "crlf.txt"], 1,
         ["改行: 本文ファイルの CR LF、LF、CR をどれも行の区切りにします "
          "(メールソフトは本文を CR LF で渡します。CR LF だけで区切るには --exact-line-ends を指定します)",
          *reply_lines("crlf.txt")],
         files={"v.ini": INI, "crlf.txt": reply("\r\n")}),
    Case("line_ends_lf", ["--ini", "v.ini", "-v", "lf.txt"], 1, reply_lines("lf.txt"),
         files={"v.ini": INI, "lf.txt": reply("\n")}),
    Case("line_ends_cr", ["--ini", "v.ini", "-v", "cr.txt"], 1, reply_lines("cr.txt"),
         files={"v.ini": INI, "cr.txt": reply("\r")}),
    # The exact bytes: an LF-only file is one line, which the quoted line's
    # prefix does not begin.
    Case("line_ends_exact", ["--ini", "v.ini", "--exact-line-ends", "lf.txt"], 1,
         ["lf.txt:1: 「添付」の確認が出ます: 田中様<LF>> 添付なし<LF>資料を添付します。<LF>"],
         files={"v.ini": INI, "lf.txt": reply("\n")}),
    Case("encoding_utf8", ["--ini", "v.ini", "-v", "u8.txt"], 1,
         ["u8.txt: UTF-8 として読み、コードページ 932 に変換して確認します",
          *reply_lines("u8.txt")],
         files={"v.ini": INI, "u8.txt": reply(encoding="utf-8")}),
    Case("encoding_utf8_bom", ["--ini", "v.ini", "-v", "u8bom.txt"], 1,
         reply_lines("u8bom.txt"),
         files={"v.ini": INI, "u8bom.txt": reply(encoding="utf-8", mark=b"\xef\xbb\xbf")}),
    Case("encoding_utf16le", ["--ini", "v.ini", "-v", "u16.txt"], 1,
         ["u16.txt: UTF-16LE として読み、コードページ 932 に変換して確認します",
          *reply_lines("u16.txt")],
         files={"v.ini": INI, "u16.txt": reply(encoding="utf-16-le", mark=b"\xff\xfe")}),
    Case("encoding_cp932_forced", ["--ini", "v.ini", "--message-encoding", "cp932", "u8.txt"], 0,
         ["u8.txt: 確認は出ません。このまま送信されます"],
         files={"v.ini": INI, "u8.txt": reply(encoding="utf-8")}),
    # 〜 − — as a Mac or a web page writes them reach the plug-in in the
    # forms code page 932 holds (shown as ～ － ―); é has no code there and
    # is named.
    Case("jis_variants", ["--ini", "jis.ini", "--lang", "en", "jis.txt"], 1,
         ["jis.txt: read as UTF-8 and checked in code page 932",
          'jis.txt:2: warning: "é" (U+00E9) is not in code page 932: it is checked as "?"',
          'jis.txt:1: prompt "―": 10～20 － 5 ― ok',
          'jis.txt:1: prompt "～": 10～20 － 5 ― ok',
          'jis.txt:1: prompt "－": 10～20 － 5 ― ok',
          "jis.txt: 3 prompts; Cancel on any of them stops the send"],
         files={"jis.ini": b"[Config]\r\nCheck String=\x81\x60,\x81\x7c,\x81\x5c\r\n",
                "jis.txt": "10\u301c20 \u2212 5 \u2014 ok\ncaf\u00e9\n".encode("utf-8")}),
    Case("english_system", ["--ini", "a.ini", "mail.txt"], 1,
         ["configuration: a.ini", 'mail.txt:2: prompt "secret": a "secret" in C:\\temp\\',
          "mail.txt: 1 prompt; Cancel on any of them stops the send"],
         files={"a.ini": ASCII_INI, "mail.txt": b"Hi\r\na \"secret\" in C:\\temp\\\r\n"},
         locale="en"),
    Case("japanese_system", ["--ini", "a.ini", "mail.txt"], 1,
         ["設定ファイル: a.ini", "mail.txt:2: 「secret」の確認が出ます: a \"secret\" in C:\\temp\\",
          "mail.txt: 確認が 1 回出ます。どれかでキャンセルすると送信は中止されます"],
         files={"a.ini": ASCII_INI, "mail.txt": b"Hi\r\na \"secret\" in C:\\temp\\\r\n"}),
    Case("english_by_choice", ["--lang", "en", "--ini", "a.ini", "mail.txt"], 1,
         ["configuration: a.ini"],
         files={"a.ini": ASCII_INI, "mail.txt": b"secret\r\n"}),
    Case("missing_among_three", ["--ini", "v.ini", "一.txt", "ない.txt", "三.txt"], 2,
         ["一.txt: 確認が 1 回出ます。どれかでキャンセルすると送信は中止されます",
          "三.txt: 確認は出ません。このまま送信されます"],
         ["vorlent-check: ない.txt: ファイルが見つかりません"],
         files={"v.ini": INI, "一.txt": reply(), "三.txt": cp("こんにちは")}),
    # '@' is the second byte of the ideographic space: inside one character.
    Case("inside_one_character", ["--ini", "at.ini", "--lang", "en", "space.txt"], 1,
         ['space.txt:1: prompt "@" (inside one character: no such text stands in the line): '
          "a\u3000b"],
         files={"at.ini": b"[Config]\r\nCheck String=@\r\n", "space.txt": cp("a\u3000b")}),
    Case("straddles_two_characters", ["--ini", "a.ini", "--lang", "en", "c.txt"], 1,
         ['c.txt:1: prompt "ア" (straddles two characters: no such text stands in the line): ｃA'],
         files={"a.ini": b"[Config]\r\nCheck String=" + cp("ア") + b"\r\n", "c.txt": cp("ｃA")}),
    # The signature separator ends the search: the disclaimer below it holds
    # 添付 and does not prompt.
    Case("stop_prefix", ["--ini", "stop.ini", "-v", "sig.txt"], 0,
         ["検索を打ち切る行頭 (1 個、プラグインが保持するバイト順):", "  「-- 」",
          "sig.txt:2: ここで検索を打ち切ります (検索を打ち切る行頭「-- 」で始まる): -- ",
          "sig.txt:3: 検索しない行 (打ち切った後): 添付ファイルの取り扱いにご注意ください",
          "sig.txt: 確認は出ません。このまま送信されます"],
         files={"stop.ini": INI + b'Ignore From Line Prefix="-- "\r\n',
                "sig.txt": cp("よろしくお願いします。\n-- \n添付ファイルの取り扱いにご注意ください\n")}),
    Case("stop_prefix_english", ["--lang", "en", "--ini", "stop.ini", "sig.txt"], 1,
         ["sig.txt:1: prompt \"secret\": secret plan",
          'sig.txt:2: the search ends here, begins with stop prefix "-----": -----Original -----'],
         files={"stop.ini": INI + b"Ignore From Line Prefix=-----\r\n",
                "sig.txt": b"secret plan\r\n-----Original -----\r\nsecret\r\n"}),
    # Only the configuration: its slips in Japanese, with their lines, and a
    # status that says there were some.
    Case("config_warnings_japanese", ["--ini", "w.ini"], 1,
         ["設定ファイルの文字コード: Shift_JIS (コードページ 932)",
          'w.ini:3: 警告: "Check String" が 2 回書かれています。有効なのは 2 行目だけです。'
          "使わない行の先頭に ; を付けてください",
          "無視する行頭 (2 個、プラグインが保持するバイト順):", "  「 ＞」", "  「>」"],
         files={"w.ini": b"[Config]\r\nCheck String=" + TENPU + b"\r\nCheck String=x\r\n"
                         b"Ignore Line Prefix=>, " + cp("＞") + b"\r\n"}),
    Case("bad_option", ["--bogus"], 2, err=["vorlent-check: 不明なオプションです: --bogus (--help を参照)"]),
    Case("ini_missing", ["--ini", "どこにもない.ini", "m.txt"], 2,
         err=["vorlent-check: どこにもない.ini: ファイルが見つかりません"]),
]


def environment(locale, base=None):
    env = dict(base if base is not None else os.environ)
    for name in ("LC_ALL", "LC_MESSAGES", "LANGUAGE"):
        env.pop(name, None)
    env["LANG"] = "ja_JP.UTF-8" if locale == "ja" else "C.UTF-8"
    if locale == "ja":
        env["LC_ALL"] = "ja_JP.UTF-8"
    return env


def run_case(case, program, folder, wine=None, env=None):
    """Runs one case in a fresh folder; returns (status, output, errors) as
    text with LF line ends. program is the checker (native or .exe); wine
    runs the latter."""
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for path, data in case.files.items():
        full = os.path.join(folder, path)
        os.makedirs(os.path.dirname(full), exist_ok=True)
        with open(full, "wb") as f:
            f.write(data)
    if case.program_in:
        program = shutil.copy(program, os.path.join(folder, case.program_in))
    command = ([wine] if wine else []) + [program, "--output-encoding", "utf8", *case.args]
    out_path = os.path.join(folder, ".out")
    err_path = os.path.join(folder, ".err")
    # Files, not pipes: Wine's server keeps what it inherits open.
    with open(out_path, "wb") as out, open(err_path, "wb") as err:
        feed = {"input": case.stdin} if case.stdin is not None else {"stdin": subprocess.DEVNULL}
        done = subprocess.run(command, cwd=folder, env=environment(case.locale, env),
                              stdout=out, stderr=err, timeout=120, **feed)
    with open(out_path, "rb") as f:
        out_text = f.read().replace(b"\r\n", b"\n").decode("utf-8", "replace")
    with open(err_path, "rb") as f:
        err_text = f.read().replace(b"\r\n", b"\n").decode("utf-8", "replace")
    return done.returncode, out_text, err_text


def lines_in_order(text, expected):
    at = 0
    for line in text.splitlines():
        if at < len(expected) and line == expected[at]:
            at += 1
    return at == len(expected)


def problems(case, rc, out, err):
    """What the answer gets wrong, as text; empty when it is right."""
    found = []
    if rc != case.rc:
        found.append(f"exit status {rc}, expected {case.rc}")
    if not lines_in_order(out, case.out):
        found.append(f"output lacks, in order: {case.out}")
    if not all(any(e in line for line in err.splitlines()) for e in case.err):
        found.append(f"errors lack: {case.err}")
    if case.out_pattern and not re.match(case.out_pattern, out.splitlines()[0] if out else ""):
        found.append(f"first line does not match {case.out_pattern}")
    if found:
        found.append(f"output:\n{out}\nerrors:\n{err}")
    return found
