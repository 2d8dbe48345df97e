#include <fstream>
#include <iterator>
#include <optional>

#include "config/code_page_932.h"
#include "config/profile_reader.h"
#include "iconv_converter.h"
#include "profile_source.h"

namespace vorlent::tool {
namespace {

constexpr std::string_view kReplacementCharacter = "\x81\x45";  // "・"

std::optional<std::string> ReadFileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        return std::nullopt;
    }
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// A file marked as Unicode reaches the plug-in in code page 932. A character
// the code page lacks comes out as '?', the platform's default character;
// the platform's look-alike choices (an accented e as a plain e, say) and its
// own view of a few characters (such as the wave dash) are not followed.
std::string UnicodeToCp932(const char* encoding, std::string_view text) {
    const IconvConverter toCp932("CP932", encoding);
    const IconvConverter toUtf32("UTF-32LE", encoding);
    const IconvConverter fromUtf32("CP932", "UTF-32LE");
    if (std::optional<std::string> whole = toCp932.Convert(text)) {
        return *whole;
    }
    std::string result;
    const std::string utf32 = toUtf32.Convert(text).value_or("");
    for (std::size_t at = 0; at + 4 <= utf32.size(); at += 4) {
        result += fromUtf32.Convert(std::string_view(utf32).substr(at, 4)).value_or("?");
    }
    return result;
}

// The platform hands a value from an ANSI file back after a trip through
// Unicode: an invalid double-byte pair or a lead byte on its own becomes "・",
// a character with two codes (the NEC and IBM extensions) comes back under
// the code Windows prefers, which glibc's CP932 tables share, and the single
// bytes the code page leaves undefined come back unchanged.
std::string RoundTripCp932(std::string_view value) {
    static const IconvConverter toUtf32("UTF-32LE", "CP932");
    static const IconvConverter fromUtf32("CP932", "UTF-32LE");
    std::string result;
    for (std::size_t at = 0; at < value.size();) {
        const std::size_t length = cp932::DecoderUnitLength(value, at);
        const std::string_view character = value.substr(at, length);
        std::optional<std::string> back;
        if (const std::optional<std::string> code = toUtf32.Convert(character)) {
            back = fromUtf32.Convert(*code);
        }
        if (back) {
            result += *back;
        } else if (length == 2 || cp932::IsLeadByte(static_cast<unsigned char>(character[0]))) {
            result += kReplacementCharacter;
        } else {
            result += character;
        }
        at += length;
    }
    return result;
}

}  // namespace

std::optional<std::string> ReadProfileValue(const std::string& iniPath, const std::string& section,
                                            const std::string& key) {
    const std::optional<std::string> bytes = ReadFileBytes(iniPath);
    if (!bytes) {
        return std::string();
    }
    const ProfileText file = DetectProfileEncoding(*bytes);
    switch (file.encoding) {
        case ProfileEncoding::kAnsi:
            return RoundTripCp932(FindProfileValue(file.text, section, key).value_or(""));
        case ProfileEncoding::kUtf8:
            return FindProfileValue(UnicodeToCp932("UTF-8", file.text), section, key).value_or("");
        case ProfileEncoding::kUtf16LittleEndian:
            return FindProfileValue(UnicodeToCp932("UTF-16LE", file.text), section, key)
                .value_or("");
        case ProfileEncoding::kUtf16BigEndian:
            return FindProfileValue(UnicodeToCp932("UTF-16BE", file.text), section, key)
                .value_or("");
    }
    return std::string();
}

}  // namespace vorlent::tool
