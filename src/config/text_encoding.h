#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Which encoding a text file is in, and the conversions between the Unicode
// encodings editors save and code page 932, the ANSI code page of the
// Japanese systems the plug-in runs on. The plug-in and the checker take every
// encoding decision here, so both read a file the same way on any platform.
namespace vorlent::text {

enum class TextEncoding {
    kAnsi,               // no mark and not UTF-8: the ANSI code page, byte for byte
    kUtf8,               // UTF-8 without a byte order mark
    kUtf8WithBom,        // EF BB BF
    kUtf16LittleEndian,  // FF FE
    kUtf16BigEndian,     // FE FF
};

struct DetectedText {
    TextEncoding encoding;
    std::string_view body;  // the bytes after the byte order mark, if any
};

// Looks at a whole file's bytes: a UTF-16 or UTF-8 byte order mark names its
// encoding; without a mark, a file that is valid UTF-8 throughout and holds at
// least one byte above 0x7F is UTF-8. Everything else, plain ASCII included,
// is kAnsi. Code page 932 text is valid UTF-8 only by accident, and hardly
// ever beyond a few bytes, so the rule does not misjudge real files.
DetectedText DetectTextEncoding(std::string_view fileBytes);

// True for every encoding but kAnsi.
bool IsUnicode(TextEncoding encoding);

// A short English name for messages: "code page 932 (Shift_JIS)", "UTF-8",
// "UTF-8 with BOM", "UTF-16LE", "UTF-16BE".
std::string_view TextEncodingName(TextEncoding encoding);

// Well-formed UTF-8: no overlong forms, no surrogates, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

// The UTF-16 code units of a Unicode body (as DetectTextEncoding returns it,
// mark already dropped); nullopt for kAnsi. A malformed UTF-8 sequence and an
// odd last byte of UTF-16 become U+FFFD; an unpaired surrogate is kept as it
// stands (it converts to no code page).
std::optional<std::u16string> DecodeUnicode(TextEncoding encoding, std::string_view body);

// UTF-8 for UTF-16 code units; an unpaired surrogate becomes U+FFFD.
std::string EncodeUtf8(std::u16string_view text);

// Text typed on a Mac or copied from a web page writes a few Japanese
// characters in the forms of the JIS standard, which code page 932 holds under
// other code points: the wave dash U+301C (as U+FF5E), the double vertical line
// U+2016 (as U+2225), the minus sign U+2212 (as U+FF0D), the em dash U+2014
// (as U+2015) and the cent, pound and not signs U+00A2, U+00A3, U+00AC (as
// U+FFE0, U+FFE1, U+FFE2). Replaces those seven, nothing else.
void FoldJisVariants(std::u16string& text);

enum class JisVariants { kKeep, kFold };

struct Cp932Text {
    // The code page 932 bytes of every character the code page holds; a
    // character it lacks is left out, never replaced by '?' or a look-alike.
    std::string bytes;
    // The characters the code page lacks, each once, in order of first
    // appearance; an unpaired surrogate is listed as its own value.
    std::vector<char32_t> missing;

    bool IsComplete() const { return missing.empty(); }
};

// Converts to code page 932 with the same table on every platform, optionally
// folding the JIS variants first. Where the code page has two codes for one
// character (the NEC and IBM extensions), the code Windows writes is chosen:
// the JIS X 0208 code, else the NEC row 13 code, else the IBM extension code.
Cp932Text EncodeCp932(std::u16string_view text, JisVariants variants);

// "U+301C" for messages.
std::string CodePointName(char32_t codePoint);

}  // namespace vorlent::text
