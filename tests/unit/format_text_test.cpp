#include "plugin/format_text.h"

#include <gtest/gtest.h>

#include <string>

namespace vorlent {
namespace {

// The warning's template, as the string table holds it in code page 932.
const char kFoundPrompt[] =
    "\x95\xb6\x8e\x9a\x97\xf1\"%s\"\x82\xaa\x8c\xa9\x82\xc2\x82\xa9\x82\xe8\x82\xdc\x82\xb5"
    "\x82\xbd\x81\x42\n\x91\xb1\x8d\x73\x82\xb5\x82\xdc\x82\xb7\x82\xa9\x81\x48";

TEST(FormatTextTest, ArgumentIsShownAsItIs) {
    for (const std::string arg : {"", "%s%n%d", "100%", "\x93\x59\x95\x74"}) {
        const std::string text = FormatText(kFoundPrompt, arg.c_str());
        const std::string expected =
            std::string(kFoundPrompt).replace(std::string(kFoundPrompt).find("%s"), 2, arg);
        EXPECT_EQ(text, expected) << arg;
    }
}

TEST(FormatTextTest, LongArgumentIsNotCut) {
    const std::string arg(100 * 1024, 'x');
    EXPECT_EQ(FormatText("[%s]", arg.c_str()), "[" + arg + "]");
}

}  // namespace
}  // namespace vorlent
