#include "config/text_encoding.h"

#include <gtest/gtest.h>
#include <iconv.h>

#include <string>

namespace vorlent::text {
namespace {

using namespace std::string_literals;

TEST(DetectTextEncodingTest, MarkOrWholeFileDecides) {
    struct Case {
        std::string bytes;
        TextEncoding encoding;
        std::string body;
    };
    const Case cases[] = {
        {"[Config]\r\n", TextEncoding::kAnsi, "[Config]\r\n"},
        {"", TextEncoding::kAnsi, ""},
        // 添付 in code page 932 is no UTF-8.
        {"a=\x93\x59\x95\x74", TextEncoding::kAnsi, "a=\x93\x59\x95\x74"},
        // 添付 in UTF-8, without and with a mark.
        {"a=\xE6\xB7\xBB\xE4\xBB\x98", TextEncoding::kUtf8, "a=\xE6\xB7\xBB\xE4\xBB\x98"},
        {"\xEF\xBB\xBF[C]", TextEncoding::kUtf8WithBom, "[C]"},
        // With a mark, ASCII only is still UTF-8, and bad bytes do not matter.
        {"\xEF\xBB\xBF\x93\x59", TextEncoding::kUtf8WithBom, "\x93\x59"},
        {"\xFF\xFE[\0"s, TextEncoding::kUtf16LittleEndian, "[\0"s},
        {"\xFE\xFF\0["s, TextEncoding::kUtf16BigEndian, "\0["s},
        // Valid UTF-8 except for the last, cut character.
        {"a=\xE6\xB7\xBB\xE4\xBB", TextEncoding::kAnsi, "a=\xE6\xB7\xBB\xE4\xBB"},
        // Overlong and surrogate forms are no UTF-8.
        {"\xC0\xAF", TextEncoding::kAnsi, "\xC0\xAF"},
        {"\xED\xA0\x80", TextEncoding::kAnsi, "\xED\xA0\x80"},
        // Two bytes of code page 932 that happen to be valid UTF-8 (ﾃ｡ as
        // half-width katakana): a file of them is read as UTF-8.
        {"\xC3\xA1", TextEncoding::kUtf8, "\xC3\xA1"},
    };
    for (const Case& c : cases) {
        const DetectedText detected = DetectTextEncoding(c.bytes);
        EXPECT_EQ(detected.encoding, c.encoding) << testing::PrintToString(c.bytes);
        EXPECT_EQ(detected.body, c.body) << testing::PrintToString(c.bytes);
    }
}

TEST(DecodeUnicodeTest, DecodesEachEncodingAndMarksWhatIsBroken) {
    EXPECT_EQ(DecodeUnicode(TextEncoding::kAnsi, "abc"), std::nullopt);
    EXPECT_EQ(DecodeUnicode(TextEncoding::kUtf8, "a\xE6\xB7\xBB\xF0\x9F\x93\x8E"),
              u"a\u6DFB\U0001F4CE");
    EXPECT_EQ(DecodeUnicode(TextEncoding::kUtf8WithBom,
                            "a\xFF"
                            "b\xE6\xB7"),
              u"a\uFFFDb\uFFFD\uFFFD");
    EXPECT_EQ(DecodeUnicode(TextEncoding::kUtf16LittleEndian, "a\0\xFB\x6D\x3D\xD8\x0E\xDCz"s),
              u"a\u6DFB\U0001F40E\uFFFD");
    EXPECT_EQ(DecodeUnicode(TextEncoding::kUtf16BigEndian, "\0a\x6D\xFB"s), u"a\u6DFB");
    // An unpaired surrogate stays, so that the conversion can name it.
    EXPECT_EQ(DecodeUnicode(TextEncoding::kUtf16LittleEndian, "\x00\xD8"s), u"\xD800"s);
}

TEST(EncodeUtf8Test, RoundTripsAndReplacesUnpairedSurrogates) {
    const std::string utf8 = "x\xC2\xA2\xE6\xB7\xBB\xF0\x9F\x93\x8E";
    EXPECT_EQ(EncodeUtf8(*DecodeUnicode(TextEncoding::kUtf8, utf8)), utf8);
    EXPECT_EQ(EncodeUtf8(u"\xD800"
                         "a"s),
              "\xEF\xBF\xBD"
              "a");
}

TEST(FoldJisVariantsTest, FoldsTheSevenAndNothingElse) {
    std::u16string text = u"\u301C\u2016\u2212\u2014\u00A2\u00A3\u00AC\u00A5\u203E~-";
    FoldJisVariants(text);
    EXPECT_EQ(text, u"\uFF5E\u2225\uFF0D\u2015\uFFE0\uFFE1\uFFE2\u00A5\u203E~-");
}

TEST(EncodeCp932Test, ConvertsFoldsAndNamesWhatTheCodePageLacks) {
    struct Case {
        std::u16string text;
        JisVariants variants;
        std::string bytes;
        std::vector<char32_t> missing;
    };
    const Case cases[] = {
        {u"添付,> ", JisVariants::kKeep, "\x93\x59\x95\x74,> ", {}},
        {u"ｱ\\~", JisVariants::kKeep, "\xB1\\~", {}},
        // The wave dash as a Mac writes it: lacking unless folded.
        {u"10\u301C20", JisVariants::kKeep, "1020", {0x301C}},
        {u"10\u301C20",
         JisVariants::kFold,
         "10\x81\x60"
         "20",
         {}},
        {u"\u2016\u2212\u2014\u00A2\u00A3\u00AC",
         JisVariants::kFold,
         "\x81\x61\x81\x7C\x81\x5C\x81\x91\x81\x92\x81\xCA",
         {}},
        // No look-alikes: the yen sign is not the backslash byte, an accented
        // letter is not its plain one, and nothing becomes '?'.
        {u"\u00A5\u00E9\u00E9\U0001F4CE\xD800",
         JisVariants::kFold,
         "",
         {0xA5, 0xE9, 0x1F4CE, 0xD800}},
        // Characters with two or three codes take the one Windows writes.
        {u"\u2170\u2160\uFFE2\u2252\u2116\u2235",
         JisVariants::kKeep,
         "\xFA\x40\x87\x54\x81\xCA\x81\xE0\x87\x82\x81\xE6",
         {}},
    };
    for (const Case& c : cases) {
        const Cp932Text result = EncodeCp932(c.text, c.variants);
        EXPECT_EQ(result.bytes, c.bytes) << EncodeUtf8(c.text);
        EXPECT_EQ(result.missing, c.missing) << EncodeUtf8(c.text);
        EXPECT_EQ(result.IsComplete(), c.missing.empty());
    }
}

// glibc's CP932 converter chooses the codes Windows writes for characters
// with several codes: every character of the Basic Multilingual Plane must
// convert as it does, or be lacking in both, but for the differences listed.
TEST(EncodeCp932Test, AgreesWithGlibcOnEveryCharacterButTheKnownOnes) {
    // glibc also maps the JIS variants (which we fold only where asked) and
    // the yen sign and overline to the ASCII bytes, look-alikes we refuse; it
    // lacks the five private single-byte codes that Windows' table and
    // Python's codec give to 0x80, 0xA0 and 0xFD to 0xFF.
    const std::u16string knownDifferences =
        u"\u00A2\u00A3\u00AC\u2014\u2016\u2212\u301C\u00A5\u203E\u0080\uF8F0\uF8F1\uF8F2\uF8F3";
    const iconv_t converter = iconv_open("CP932", "UTF-32LE");
    ASSERT_NE(converter, reinterpret_cast<iconv_t>(-1));
    int differences = 0;
    for (char32_t unit = 1; unit < 0x10000; ++unit) {
        if ((unit >= 0xD800 && unit <= 0xDFFF) ||
            knownDifferences.find(static_cast<char16_t>(unit)) != std::u16string::npos) {
            continue;
        }
        char in[4] = {static_cast<char>(unit & 0xFF), static_cast<char>((unit >> 8) & 0xFF), 0, 0};
        char out[8];
        char* inPointer = in;
        char* outPointer = out;
        std::size_t inLeft = sizeof in;
        std::size_t outLeft = sizeof out;
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        const bool converted =
            iconv(converter, &inPointer, &inLeft, &outPointer, &outLeft) != static_cast<size_t>(-1);
        const std::string expected = converted ? std::string(out, outPointer) : std::string();
        const Cp932Text ours =
            EncodeCp932(std::u16string(1, static_cast<char16_t>(unit)), JisVariants::kKeep);
        if (ours.bytes != expected && ++differences <= 20) {
            ADD_FAILURE() << CodePointName(unit) << ": ours " << testing::PrintToString(ours.bytes)
                          << ", glibc " << testing::PrintToString(expected);
        }
    }
    iconv_close(converter);
    EXPECT_EQ(differences, 0);
}

TEST(CodePointNameTest, WritesAtLeastFourDigits) {
    EXPECT_EQ(CodePointName(0x41), "U+0041");
    EXPECT_EQ(CodePointName(0x301C), "U+301C");
    EXPECT_EQ(CodePointName(0x1F4CE), "U+1F4CE");
}

}  // namespace
}  // namespace vorlent::text
