// Prints values of a configuration file as the plug-in would receive them,
// one lookup a line, so that the platform's reader (the Windows build, run
// under Wine) and the portable reader (the native build) can be compared
// byte for byte. A file in a Unicode encoding is read as the plug-in reads
// it, by the shared reader on both sides, and its value given in code page
// 932 without the characters the code page lacks.
//
//   profile-dump RESULT_FILE INI_FILE SECTION KEY [SECTION KEY]...
//
// Each line of RESULT_FILE is "[SECTION] KEY: LENGTH HEX", the value's bytes
// in hexadecimal. The result goes to a file rather than standard output
// because Wine's server keeps a pipe open after the program has ended.

#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>

#include "config/profile_reader.h"
#include "config/text_encoding.h"
#include "config/unicode_profile.h"
#include "hex_text.h"
#include "profile_source.h"

namespace {

std::optional<std::string> UnicodeFileText(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    const std::string bytes(std::istreambuf_iterator<char>(file), {});
    return vorlent::UnicodeProfileText(vorlent::text::DetectTextEncoding(bytes));
}

std::string ReadValue(const std::optional<std::string>& unicodeText, const std::string& iniPath,
                      const char* section, const char* key) {
    if (!unicodeText) {
        // The differential test names its files in ASCII, which UTF-8 and
        // every ANSI code page write alike.
        return vorlent::tool::ReadProfileValue(iniPath, section, key).value_or("");
    }
    const std::optional<std::string> value =
        vorlent::FindProfileValue(*unicodeText, section, key, vorlent::ProfileCharset::kUtf8);
    const std::u16string units =
        *vorlent::text::DecodeUnicode(vorlent::text::TextEncoding::kUtf8, value.value_or(""));
    return vorlent::text::EncodeCp932(units, vorlent::text::JisVariants::kFold).bytes;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5 || (argc - 3) % 2 != 0) {
        std::fprintf(stderr,
                     "usage: profile-dump RESULT_FILE INI_FILE SECTION KEY [SECTION KEY]...\n");
        return 2;
    }
    std::ofstream result(argv[1], std::ios::binary);
    if (!result) {
        std::fprintf(stderr, "profile-dump: %s: cannot write\n", argv[1]);
        return 2;
    }
    const std::string iniPath = argv[2];
    const std::optional<std::string> unicodeText = UnicodeFileText(iniPath);
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::string value = ReadValue(unicodeText, iniPath, argv[i], argv[i + 1]);
        result << '[' << argv[i] << "] " << argv[i + 1] << ": " << value.size() << ' '
               << vorlent::tool::ToHex(value) << '\n';
    }
    return result.good() ? 0 : 2;
}
