"""The README shows what the demo prints: the sample INI, demo/message.txt and
demo/demo.scenario run in the test host. This runs the same and requires the
README's transcript excerpt to stand in the transcript, line for line, so the
README cannot drift from what the plug-in does."""

import os
import re
import shutil
import unittest

from harness import WORK, Scenario, add_scenario_file, case_folder, plugin_copy, run_host

SOURCE = os.environ.get("VORLENT_SOURCE_DIR", "")
SAMPLE_INI = os.environ.get("VORLENT_SAMPLE_INI", "")


def readme_excerpt() -> list:
    """The transcript block of the README: the fenced block that shows a send."""
    blocks, block = [], None
    with open(os.path.join(SOURCE, "README.md"), encoding="utf-8") as file:
        for line in file.read().splitlines():
            if line.startswith("```"):
                if block is None:
                    block = []
                else:
                    blocks.append(block)
                    block = None
            elif block is not None:
                block.append(line)
    sends = [block for block in blocks if block and block[0].startswith("BKC_OnOutgoing(")]
    if len(sends) != 1:
        raise AssertionError(f"README.md should show one send transcript, found {len(sends)}")
    return sends[0]


def pointer_width_free(lines: list) -> list:
    """The lines with handles written without leading zeros: the 64-bit
    stand-in build prints a handle in sixteen digits, the plug-in in eight."""
    return [re.sub(r"\b0x0+(?=[0-9A-Fa-f])", "0x", line) for line in lines]


class ReadmeDemoTest(unittest.TestCase):
    def test_readme_transcript_is_what_the_demo_prints(self):
        folder = case_folder(self)
        dll = plugin_copy(folder)
        shutil.copy(SAMPLE_INI, os.path.join(folder, "Vorlent.ini"))
        # The host hands the body over as the mail client does: cp932, CR LF.
        with open(os.path.join(SOURCE, "demo", "message.txt"), encoding="utf-8") as file:
            body = file.read().replace("\n", "\r\n").encode("cp932")
        body_path = os.path.join(WORK, "readme-demo-message.txt")
        with open(body_path, "wb") as file:
            file.write(body)

        scenario = Scenario()
        scenario.load(dll)
        scenario.body_file(body_path)
        add_scenario_file(scenario, os.path.join(SOURCE, "demo", "demo.scenario"))
        transcript_path = os.path.join(WORK, "readme-demo-transcript.txt")
        run_host(self, scenario, transcript=transcript_path)

        with open(transcript_path, encoding="utf-8") as file:
            transcript = pointer_width_free(file.read().splitlines())
        excerpt = pointer_width_free(readme_excerpt())
        starts = [i for i, line in enumerate(transcript) if line == excerpt[0]]
        self.assertTrue(any(transcript[i:i + len(excerpt)] == excerpt for i in starts),
                        "README.md's transcript is not what the demo prints:\n"
                        + "\n".join(transcript))


if __name__ == "__main__":
    unittest.main()
