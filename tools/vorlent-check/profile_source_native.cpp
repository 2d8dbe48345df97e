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
    return RoundTripCp932(FindProfileValue(*bytes, section, key).value_or(""));
}

}  // namespace vorlent::tool
