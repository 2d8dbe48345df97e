#include "config/unicode_profile.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "config/config_keys.h"
#include "config/profile_reader.h"
#include "config/quoted_list.h"

namespace vorlent {
namespace {

using namespace std::string_literals;

const std::string kTenpu = "\x93\x59\x95\x74";  // 添付 in code page 932

std::vector<std::string> Bytes(const ConfiguredList& list) {
    std::vector<std::string> bytes;
    for (const ConfiguredItem& item : list.items) {
        bytes.push_back(item.bytes);
    }
    return bytes;
}

ConfiguredList ReadFileList(const std::string& fileBytes, const char* key) {
    const std::optional<std::string> text = UnicodeProfileText(text::DetectTextEncoding(fileBytes));
    EXPECT_TRUE(text.has_value());
    return ReadUnicodeList(text.value_or(""), config::kSection, key);
}

// The UTF-16 files an editor writes, from UTF-8 text of the Basic
// Multilingual Plane.
std::string Utf16(const std::string& utf8, bool bigEndian) {
    const std::u16string units = *text::DecodeUnicode(text::TextEncoding::kUtf8, utf8);
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (const char16_t unit : units) {
        const char high = static_cast<char>(unit >> 8);
        const char low = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? std::string{high, low} : std::string{low, high};
    }
    return bytes;
}

// The shipped sample, saved again in each encoding editors write, gives the
// lists the platform's reader gives for the code page 932 original.
TEST(ReadUnicodeListTest, SampleGivesTheSameListsInEveryEncoding) {
    std::ifstream file(VORLENT_SAMPLE_INI, std::ios::binary);
    ASSERT_TRUE(file.is_open()) << VORLENT_SAMPLE_INI;
    const std::string cp932(std::istreambuf_iterator<char>(file), {});
    ASSERT_NE(cp932.find("Check String=" + kTenpu), std::string::npos);
    std::ifstream source(VORLENT_SAMPLE_SOURCE, std::ios::binary);
    ASSERT_TRUE(source.is_open()) << VORLENT_SAMPLE_SOURCE;
    const std::string utf8(std::istreambuf_iterator<char>(source), {});

    for (const char* key : {config::kCheckStringKey, config::kIgnoreLinePrefixKey,
                            config::kIgnoreFromLinePrefixKey}) {
        const CQuotedList expected(FindProfileValue(cp932, config::kSection, key).value_or(""));
        for (const std::string& saved :
             {utf8, "\xEF\xBB\xBF" + utf8, Utf16(utf8, false), Utf16(utf8, true)}) {
            const ConfiguredList list = ReadFileList(saved, key);
            EXPECT_EQ(Bytes(list), expected.Items()) << key;
            EXPECT_TRUE(list.leftOut.empty()) << key;
        }
    }
}

TEST(ReadUnicodeListTest, FoldsVariantsAndLeavesOutWhatTheCodePageLacks) {
    const std::string ini =
        "\xEF\xBB\xBF[Config]\r\nCheck String=caf\xC3\xA9,\xE6\xB7\xBB\xE4\xBB\x98,"
        "10\xE3\x80\x9C"
        "20,\"\xF0\x9F\x93\x8E,x\"\r\n";
    const ConfiguredList list = ReadFileList(ini, config::kCheckStringKey);
    EXPECT_EQ(Bytes(list), (std::vector<std::string>{kTenpu,
                                                     "10\x81\x60"
                                                     "20"}));
    ASSERT_EQ(list.leftOut.size(), 2u);
    EXPECT_EQ(list.leftOut[0].place, 1u);
    EXPECT_EQ(list.leftOut[0].utf8, "caf\xC3\xA9");
    EXPECT_EQ(list.leftOut[0].missing, std::vector<char32_t>{0xE9});
    EXPECT_EQ(list.leftOut[1].place, 4u);
    EXPECT_EQ(list.leftOut[1].missing, std::vector<char32_t>{0x1F4CE});
    EXPECT_EQ(list.items[1].place, 3u);
}

TEST(ReadUnicodeListTest, AnsiFileIsLeftToThePlatform) {
    EXPECT_EQ(UnicodeProfileText(text::DetectTextEncoding("[Config]\r\nCheck String=" + kTenpu)),
              std::nullopt);
}

}  // namespace
}  // namespace vorlent
