// Converts every character of the Basic Multilingual Plane to code page 932
// twice, with the plug-in's own table and with Windows' converter, and writes
// each character on which they differ, so that a run under Wine shows the
// table agrees with the platform's code page.
//
//   code-page-check RESULT_FILE
//
// Each line of RESULT_FILE is "U+XXXX OURS THEIRS" with the bytes in
// hexadecimal ("-" where a side has no code); the last line counts the
// characters compared and those the code page holds. The result goes to a
// file because Wine's server keeps a pipe open after the program has ended.

#include <windows.h>

#include <cstdio>
#include <fstream>
#include <string>

#include "config/text_encoding.h"
#include "hex_text.h"

namespace {

// Bytes for the report; "-" for none.
std::string Hex(const std::string& bytes) {
    return bytes.empty() ? std::string("-") : vorlent::tool::ToHex(bytes);
}

// What Windows writes for the character, or nothing where it would have to
// use its default character: no look-alike stands in with this flag.
std::string WindowsCode(wchar_t unit) {
    char buffer[8];
    BOOL usedDefault = FALSE;
    const int length = ::WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &unit, 1, buffer,
                                             sizeof buffer, nullptr, &usedDefault);
    if (length <= 0 || usedDefault) {
        return {};
    }
    return std::string(buffer, static_cast<std::size_t>(length));
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: code-page-check RESULT_FILE\n");
        return 2;
    }
    std::ofstream result(argv[1], std::ios::binary);
    if (!result) {
        return 2;
    }
    int compared = 0;
    int held = 0;
    for (char32_t unit = 1; unit <= 0xFFFF; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF) {
            continue;
        }
        const std::u16string text(1, static_cast<char16_t>(unit));
        const std::string ours =
            vorlent::text::EncodeCp932(text, vorlent::text::JisVariants::kKeep).bytes;
        const std::string theirs = WindowsCode(static_cast<wchar_t>(unit));
        ++compared;
        held += ours.empty() ? 0 : 1;
        if (ours != theirs) {
            result << vorlent::text::CodePointName(unit) << ' ' << Hex(ours) << ' ' << Hex(theirs)
                   << '\n';
        }
    }
    result << "compared " << compared << " held " << held << '\n';
    return result.good() ? 0 : 2;
}
