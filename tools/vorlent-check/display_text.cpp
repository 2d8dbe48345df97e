#include "display_text.h"

#include <optional>

#include "config/code_page_932.h"

namespace vorlent::tool {
namespace {

std::string HexEscape(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string escaped;
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        escaped += "\\x";
        escaped += kDigits[value >> 4];
        escaped += kDigits[value & 0x0F];
    }
    return escaped;
}

// The escape for a one-byte character, or nullopt to show it as it is.
std::optional<std::string> Escape(char byte, bool quoted) {
    switch (byte) {
        case '\r':
            return "\\r";
        case '\n':
            return "\\n";
        case '\t':
            return quoted ? std::optional<std::string>("\\t") : std::nullopt;
        case '"':
            return quoted ? std::optional<std::string>("\\\"") : std::nullopt;
        case '\\':
            return quoted ? std::optional<std::string>("\\\\") : std::nullopt;
        default:
            break;
    }
    const auto value = static_cast<unsigned char>(byte);
    if (value < 0x20 || value == 0x7F) {
        return HexEscape(std::string_view(&byte, 1));
    }
    return std::nullopt;
}

}  // namespace

std::string DisplayText::Convert(std::string_view cp932, bool quoted) const {
    std::string shown;
    for (std::size_t at = 0; at < cp932.size();) {
        const std::size_t length = cp932::CharacterLength(cp932, at);
        const std::string_view character = cp932.substr(at, length);
        at += length;
        if (length == 1) {
            if (const std::optional<std::string> escaped = Escape(character[0], quoted)) {
                shown += *escaped;
                continue;
            }
        }
        if (!utf8_) {
            shown += character;
        } else if (const std::optional<std::string> utf8 = codec_.Cp932CharacterToUtf8(character)) {
            shown += *utf8;
        } else {
            shown += HexEscape(character);
        }
    }
    return shown;
}

}  // namespace vorlent::tool
