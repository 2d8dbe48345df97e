"""The INI file in the encodings editors save: the shipped sample as code page
932, UTF-8 with and without a byte order mark, and UTF-16 with a mark, gives
the same prompts on a code-page-932 body; an item that code page 932 cannot
hold is left out instead of becoming '?'."""

import os
import unittest

from harness import ATTACHMENT, Send, assert_all_go_ahead

SAMPLE_INI = os.environ.get("VORLENT_SAMPLE_INI", "")
BODY = "資料を添付します。\r\n> 前回の添付ファイル\r\n"


def sample_text() -> str:
    with open(SAMPLE_INI, "rb") as file:
        return file.read().decode("cp932")


def saved_as(text: str, encoding: str) -> bytes:
    """text as an editor saves it: "utf-8-sig" writes the mark, "utf-16"
    (little-endian here) too."""
    return text.encode(encoding)


class IniEncodingTest(unittest.TestCase):
    def test_sample_in_every_encoding_prompts_alike(self):
        text = sample_text()
        self.assertIn("Check String=添付", text)
        sends = [Send(label, saved_as(text, encoding), BODY, [ATTACHMENT])
                 for label, encoding in (("cp932", "cp932"), ("utf8", "utf-8"),
                                         ("utf8_bom", "utf-8-sig"), ("utf16le", "utf-16-le"),
                                         ("utf16be", "utf-16-be"))]
        # The UTF-16 files need their mark, as Notepad writes it.
        sends[3].ini = b"\xff\xfe" + sends[3].ini
        sends[4].ini = b"\xfe\xff" + sends[4].ini
        assert_all_go_ahead(self, sends)

    def test_section_on_the_first_line_behind_a_utf8_mark(self):
        ini = "[Config]\r\nCheck String=添付\r\n".encode("utf-8-sig")
        assert_all_go_ahead(self, [Send("bom_first_line", ini, "添付", [ATTACHMENT])])

    def test_item_the_code_page_lacks_is_left_out(self):
        # é and the paper clip are not in code page 932: as '?' they would
        # match the question marks of the body.
        check = 'café,添付,"\U0001F4CE",10〜20'
        body = "caf? ? 添付 10～20"
        wave = "10～20".encode("cp932")
        assert_all_go_ahead(self, [
            Send("utf8", f"[Config]\nCheck String={check}\n".encode("utf-8"), body,
                 [wave, ATTACHMENT]),
            Send("utf16", b"\xff\xfe" + f"[Config]\r\nCheck String={check}\r\n".encode(
                "utf-16-le"), body, [wave, ATTACHMENT]),
        ])

    def test_utf8_rules_match_the_platform_reader(self):
        # Names in any case, blanks trimmed, the enclosing quotes removed,
        # comments skipped, the first key wins; ＞ is a prefix in UTF-8 too.
        ini = ("; コメント\n[config]\n;Check String=x\nCHECK STRING = \"添付,x\" \n"
               "Check String=y\nignore line prefix=＞\n").encode("utf-8")
        body = "＞添付\r\nx y"
        assert_all_go_ahead(self, [Send("rules", ini, body, ["x"])])


if __name__ == "__main__":
    unittest.main()
