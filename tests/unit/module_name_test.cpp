#include "plugin/module_name.h"

#include <gtest/gtest.h>

#include <string>

#include "config/code_page_932.h"

namespace vorlent {
namespace {

bool IsCp932LeadByte(unsigned char byte) {
    return cp932::IsLeadByte(byte);
}

bool NoLeadBytes(unsigned char) {
    return false;
}

struct NameCase {
    const char* label;
    std::string path;  // code page 932
    std::string name;
};

// ソ 83 5C, 表 95 5C, 能 94 5C, 十 8F 5C, 示 8E A6, フト 83 74 83 67, あ 82 A0.
const NameCase kNameCases[] = {
    {"plain", "C:\\Plugins\\Vorlent.dll", "Vorlent"},
    {"trail_backslash_in_file_name", "C:\\\x83\x5c\x83\x74\x83\x67\\\x95\x5c\x8e\xa6.dll",
     "\x95\x5c\x8e\xa6"},
    {"file_name_ends_in_trail_backslash", "C:\\Plugins\\\x83\x5c.dll", "\x83\x5c"},
    {"folder_ends_in_trail_backslash", "C:\\\x94\x5c\\Vorlent.dll", "Vorlent"},
    {"only_trail_backslashes", "\x8f\x5c\x95\x5c.dll", "\x8f\x5c\x95\x5c"},
    {"kana", "C:\\\x82\xa0\\\x82\xa0\x82\xa0.dll", "\x82\xa0\x82\xa0"},
    {"forward_slash", "C:/Plugins/Vorlent.dll", "Vorlent"},
    {"dot_in_folder_only", "C:\\My.Plugins\\Vorlent", "Vorlent"},
    {"dot_in_folder_and_name", "C:\\My.Plugins\\My.Plug.dll", "My.Plug"},
    {"no_folder", "Vorlent.DLL", "Vorlent"},
    {"empty", "", ""},
    // A lead byte with nothing after it is a character of its own.
    {"lone_lead_byte_at_end", "C:\\a\x83", "a\x83"},
};

TEST(ModuleBaseNameTest, CutsAtSeparatorsThatAreCharacters) {
    for (const NameCase& row : kNameCases) {
        EXPECT_EQ(ModuleBaseName(row.path, IsCp932LeadByte), row.name) << row.label;
    }
}

// In a single-byte code page every backslash is a separator.
TEST(ModuleBaseNameTest, SingleByteCodePageCutsAtEveryBackslash) {
    EXPECT_EQ(ModuleBaseName("C:\\\x83\\\x95\\\x8e\xa6.dll", NoLeadBytes), "\x8e\xa6");
}

}  // namespace
}  // namespace vorlent
