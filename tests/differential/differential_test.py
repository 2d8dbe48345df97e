#!/usr/bin/env python3
"""Compares the native build's programs with the Windows build's under Wine.

    differential_test.py readers --native DUMP --windows DUMP.EXE COMMON...
    differential_test.py checker --native CHECKER --windows CHECKER.EXE --ini INI COMMON...
    differential_test.py codepage --windows CODE-PAGE-CHECK.EXE COMMON...
    COMMON: --wine WINE --prefix WINEPREFIX --work FOLDER

readers: profile-dump reads a table of INI files, written as bytes, through
the portable reader (native) and through GetPrivateProfileStringA (Windows,
under Wine); every value must agree byte for byte.

checker: vorlent-check, native and Windows, answers the same messages with the
same output and exit status: a few runs of its own and every case of
tools/vorlent-check/tests/checker_cases.py that shows no path of the build.

codepage: the code page 932 table that the plug-in and the checker convert
Unicode files with agrees with WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS)
on every character of the Basic Multilingual Plane, but for the few the
table knows to differ.
"""

import argparse
import os
import shutil
import subprocess
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools",
                                "vorlent-check", "tests"))
import checker_cases  # noqa: E402

LOOKUPS = [
    ("Config", "Check String"),
    ("Config", "Ignore Line Prefix"),
    ("config", "CHECK STRING"),
    (" Config\t", " Ignore Line Prefix "),
]


def cp(text):
    return text.encode("cp932")


TENPU = cp("添付")


def config(check, ignore=b">", end=b"\r\n"):
    return b"[Config]" + end + b"Check String=" + check + end + b"Ignore Line Prefix=" + ignore + end


# Each INI file as bytes; None stands for a file that does not exist.
CASES = {
    "cp932_crlf": config(TENPU + b",attached"),
    "lf_only": config(TENPU, end=b"\n"),
    "cr_only": config(TENPU, end=b"\r"),
    "no_line_end_at_end": b"[Config]\r\nCheck String=" + TENPU,
    "blanks_and_tabs": b" \t[ Config ] \r\n \tCheck String \t= \t" + TENPU + b" , b \t\r\n"
                       b"Ignore Line Prefix\t=\t>\x0b\x0c\x1a\r\n",
    "double_quotes_whole": config(b'"a,b"', b'" > "'),
    "single_quotes_whole": config(b"'a,b'", b"'>'"),
    "two_quoted_items": config(b'"a","b"', b'">","' + cp("＞") + b'"'),
    "quoted_item_inside": config(b'x,"a,b"', b'"x",y'),
    "mixed_quotes": config(b"\"a'", b"'a\""),
    "quote_at_start_only": config(b'"a', b"'a"),
    "quote_at_end_only": config(b'a"', b"a'"),
    "lone_and_empty_quotes": config(b'"', b'""'),
    "doubled_quotes": config(b'"say ""hi"""', b'""""'),
    "case_variants": b"[cOnFiG]\r\ncHeCk StRiNg=a\r\nIGNORE LINE PREFIX=b\r\n",
    "duplicate_keys": b"[Config]\r\nCheck String=first\r\nCheck String=second\r\n"
                      b"Ignore Line Prefix=\r\nIgnore Line Prefix=>\r\n",
    "duplicate_sections": b"[Config]\r\nCheck String=a\r\n[Other]\r\nx=1\r\n"
                          b"[config]\r\nCheck String=b\r\nIgnore Line Prefix=>\r\n",
    "comment_lines": b"; Check String=no\r\n[Config]\r\n;Check String=no\r\n"
                     b"  ; Ignore Line Prefix=no\r\nCheck String=yes\r\n",
    "key_without_equals": b"[Config]\r\nCheck String\r\nCheck String=late\r\nIgnore Line Prefix\r\n",
    "empty_values": b"[Config]\r\nCheck String=\r\nIgnore Line Prefix=   \r\n",
    "empty_items": config(b"a,,b,", b",>"),
    "text_before_section": b"Check String=outside\r\nstray text\r\n[Config]\r\nIgnore Line Prefix=>\r\n",
    "spaces_around_equals": b"[Config]\r\nCheck String   =   a b   \r\nIgnore Line Prefix= > \r\n",
    "section_without_bracket": b"[Config\r\nCheck String=a\r\n",
    "text_after_bracket": b"[Config] trailing\r\nCheck String=a\r\n[Config] ] x\r\n",
    "bracket_as_trail_byte": b"[Config]" + cp("ゾ") + b"\r\nCheck String=" + cp("ソ表") + b"\r\n",
    "ideographic_space": config(cp("\u3000添付\u3000"), cp("\u3000>")),
    "control_bytes_no_blanks": config(b"\x1ca\x1f", b"\x7f>"),
    "half_width_katakana": config(cp("ﾃﾝﾌﾟ,ｱ"), cp("｜")),
    "presets": config(TENPU + b"," + cp("添付ファイル") + b",attached,attachment",
                      b">," + cp("＞") + b",|," + cp("｜")),
    "nec_ibm_duplicates": config(b"\x87\x90\xed\x40\xfa\x54\xee\xef\xfa\x4a\x87\x54\xfa\x58",
                                 b"\xfa\x59\xfa\x5a\xfa\x5b\xee\xf9"),
    "invalid_pairs": config(b"a\x85\x40b\x81\x20c", b"\x80\xa0\xfd\xfe\xff"),
    "lead_byte_at_line_end": b"[Config]\r\nCheck String=a\x81\nIgnore Line Prefix=>\r\n",
    "lead_byte_at_file_end": b"[Config]\r\nCheck String=a\x81",
    "lead_byte_before_equals": b"[Config]\r\nCheck String\x81=a\r\nIgnore Line Prefix=\x81\"\r\n",
    "nul_in_value": config(b"a\x00b", b"\x81\x00c"),
    "utf8_with_bom": b"\xef\xbb\xbf" + "[Config]\r\nCheck String=添付,①\r\n".encode("utf-8"),
    "utf16le_with_bom": "\ufeff[Config]\r\nCheck String=添付\r\nIgnore Line Prefix=＞\r\n"
                        .encode("utf-16-le"),
    "empty_file": b"",
    "missing_file": None,
    "long_value": config(TENPU * 3000 + b",attached", b">" * 12000),
}
# Values around the 10000-byte buffer of the platform reader, which cuts a
# long value silently (one byte short where the cut splits a character).
for length in (9997, 9998, 9999, 10000, 10001, 19999, 20000):
    CASES[f"ascii_value_{length}"] = config(b"x" * length)
    CASES[f"dbcs_value_{length}"] = config(b"x" + TENPU * ((length - 1) // 4) +
                                           b"y" * ((length - 1) % 4))


def wine_environment(prefix, wine=None):
    environment = dict(os.environ)
    if wine is not None and os.path.basename(wine) == "wine64":
        # The 64-bit loader named directly: the programs it starts use it too.
        environment.setdefault("WINELOADER", wine)
    environment.update({
        "WINEPREFIX": prefix,
        "WINEDEBUG": "-all",
        "WINEDLLOVERRIDES": "mscoree,mshtml=",
        # Makes the ANSI code page 932, the plug-in's.
        "LANG": "ja_JP.UTF-8",
        "LC_ALL": "ja_JP.UTF-8",
    })
    return environment


def run_quietly(command, environment=None, cwd=None, stdout=None, stderr=None):
    # Wine's server outlives the program and keeps whatever it inherited open:
    # it gets no pipe of ours, only files and the null device.
    return subprocess.run(command, env=environment, cwd=cwd, stdin=subprocess.DEVNULL,
                          stdout=stdout or subprocess.DEVNULL,
                          stderr=stderr or subprocess.DEVNULL, timeout=300).returncode


def ensure_prefix(wine, prefix):
    if os.path.exists(os.path.join(prefix, "system.reg")):
        return
    os.makedirs(prefix, exist_ok=True)
    run_quietly([wine, "wineboot", "-i"], wine_environment(prefix, wine))


def windows_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


def require(path, what):
    if not os.path.isfile(path):
        sys.exit(f"{what} not found at {path}: build the native preset first "
                 f"(cmake --preset native && cmake --build --preset native), or point "
                 f"VORLENT_NATIVE_TOOLS_DIR at its tools folder")


def compare_readers(arguments):
    require(arguments.native, "the native profile-dump")
    ensure_prefix(arguments.wine, arguments.prefix)
    environment = wine_environment(arguments.prefix, arguments.wine)
    shutil.rmtree(arguments.work, ignore_errors=True)
    os.makedirs(arguments.work)
    lookups = [part for lookup in LOOKUPS for part in lookup]
    failures = []
    for number, (name, data) in enumerate(CASES.items()):
        # Names like nul.ini or con.ini are devices on Windows: number the files.
        ini = os.path.join(arguments.work, f"case{number:02}.ini")
        if data is not None:
            with open(ini, "wb") as f:
                f.write(data)
        native_out = os.path.join(arguments.work, f"case{number:02}.native")
        windows_out = os.path.join(arguments.work, f"case{number:02}.windows")
        native_rc = run_quietly([arguments.native, native_out, ini, *lookups])
        windows_rc = run_quietly([arguments.wine, arguments.windows, windows_path(windows_out),
                                  windows_path(ini), *lookups], environment)
        if native_rc != 0 or windows_rc != 0:
            failures.append(f"{name}: profile-dump failed (native {native_rc}, "
                            f"Windows {windows_rc})")
            continue
        with open(native_out, "rb") as f:
            native = f.read().splitlines()
        with open(windows_out, "rb") as f:
            windows = f.read().splitlines()
        for lookup, (mine, theirs) in enumerate(zip(native, windows)):
            if mine != theirs:
                failures.append(f"{name}: {LOOKUPS[lookup]}\n  native:  {mine[:160]!r}\n"
                                f"  Windows: {theirs[:160]!r}")
        if len(native) != len(windows):
            failures.append(f"{name}: {len(native)} native lines, {len(windows)} from Windows")
    print(f"{len(CASES)} INI files, {len(LOOKUPS)} lookups each")
    return failures


def compare_checkers(arguments):
    require(arguments.native, "the native vorlent-check")
    ensure_prefix(arguments.wine, arguments.prefix)
    environment = wine_environment(arguments.prefix, arguments.wine)
    shutil.rmtree(arguments.work, ignore_errors=True)
    os.makedirs(arguments.work)
    shutil.copy(arguments.ini, os.path.join(arguments.work, "Vorlent.ini"))
    files = {
        "mail.txt": cp("田中様\r\n\r\n資料を添付ファイルでお送りします。\r\n> 添付なし\r\n"
                       "＞ 添付\r\nｃ") + b"A\t\x01\r\n",
        "quiet.txt": b"nothing here",
        "hidden.ini": b"[Config]\r\nCheck String=" + cp("ア") + b",,\"x\r\nIgnore Line Prefix=>,>\r\n",
        "utf8.ini": "[Config]\nCheck String=添付,ファイル\n".encode("utf-8"),
        "utf8.txt": "添付ファイル\n".encode("utf-8"),
    }
    for name, data in files.items():
        with open(os.path.join(arguments.work, name), "wb") as f:
            f.write(data)
    runs = [
        ["--ini", "Vorlent.ini", "-v", "mail.txt", "quiet.txt"],
        ["--ini", "Vorlent.ini", "--output-encoding", "cp932", "mail.txt"],
        ["--ini", "hidden.ini", "mail.txt"],
        ["--ini", "Vorlent.ini", "--message-encoding", "utf8", "utf8.txt"],
        ["--ini", "utf8.ini", "utf8.txt"],
        ["--ini", "Vorlent.ini", "missing.txt"],
        ["--ini", "Vorlent.ini", "--frobnicate"],
    ]
    failures = []
    for number, run in enumerate(runs):
        answers = []
        for side, command in (("native", [arguments.native]),
                              ("Windows", [arguments.wine, arguments.windows])):
            out_path = os.path.join(arguments.work, f"run{number}.{side}.out")
            err_path = os.path.join(arguments.work, f"run{number}.{side}.err")
            with open(out_path, "wb") as out, open(err_path, "wb") as err:
                arguments_for_side = run if "--output-encoding" in run else \
                    ["--output-encoding", "utf8", *run]
                # The same locale on both sides, so both speak Japanese.
                rc = run_quietly([*command, *arguments_for_side],
                                 checker_cases.environment(
                                     "ja", environment if side == "Windows" else None),
                                 arguments.work, out, err)
            with open(out_path, "rb") as f:
                out_text = f.read().replace(b"\r\n", b"\n")
            with open(err_path, "rb") as f:
                err_text = f.read().replace(b"\r\n", b"\n")
            answers.append((rc, out_text, err_text))
        if answers[0] != answers[1]:
            failures.append(f"vorlent-check {' '.join(run)}:\n  native:  {answers[0]!r}\n"
                            f"  Windows: {answers[1]!r}")
        elif answers[0][0] not in (0, 1, 2):
            failures.append(f"vorlent-check {' '.join(run)}: exit status {answers[0][0]}")
    compared = 0
    for case in checker_cases.CASES:
        if not case.compare or case.stdin is not None:
            continue
        compared += 1
        native = checker_cases.run_case(case, arguments.native,
                                        os.path.join(arguments.work, "native", case.name))
        windows = checker_cases.run_case(case, arguments.windows,
                                         os.path.join(arguments.work, "windows", case.name),
                                         wine=arguments.wine, env=environment)
        if native != windows:
            failures.append(f"case {case.name}:\n  native:  {native!r}\n  Windows: {windows!r}")
    print(f"{len(runs)} runs and {compared} shared cases of vorlent-check on both sides")
    return failures


# Characters on which the table may knowingly differ from the platform, named
# "U+XXXX". Wine 8 agrees on every one, the user-defined area and the private
# single bytes included.
KNOWN_CODE_PAGE_DIFFERENCES = set()


def compare_code_page(arguments):
    ensure_prefix(arguments.wine, arguments.prefix)
    environment = wine_environment(arguments.prefix, arguments.wine)
    shutil.rmtree(arguments.work, ignore_errors=True)
    os.makedirs(arguments.work)
    result = os.path.join(arguments.work, "code-page.txt")
    rc = run_quietly([arguments.wine, arguments.windows, windows_path(result)], environment)
    if rc != 0 or not os.path.isfile(result):
        return [f"code-page-check failed ({rc})"]
    with open(result, encoding="ascii") as f:
        lines = f.read().splitlines()
    print(lines[-1] if lines else "no result")
    return [line for line in lines[:-1]
            if line.split(" ")[0] not in KNOWN_CODE_PAGE_DIFFERENCES]


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("mode", choices=["readers", "checker", "codepage"])
    parser.add_argument("--native")
    parser.add_argument("--windows", required=True)
    parser.add_argument("--wine", required=True)
    parser.add_argument("--prefix", required=True)
    parser.add_argument("--work", required=True)
    parser.add_argument("--ini")
    arguments = parser.parse_args()
    for name in ("native", "windows", "prefix", "work", "ini"):
        if getattr(arguments, name):
            setattr(arguments, name, os.path.abspath(getattr(arguments, name)))
    failures = {"readers": compare_readers, "checker": compare_checkers,
                "codepage": compare_code_page}[arguments.mode](arguments)
    for failure in failures:
        print("DIFFERS", failure)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
