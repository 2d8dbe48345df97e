#include "display_text.h"

#include <optional>

#include "config/code_page_932.h"
#include "hex_text.h"

namespace vorlent::tool {
namespace {

std::string ByteName(std::string_view bytes) {
    std::string named;
    for (const char byte : bytes) {
        named += "<0x" + ToHex(std::string_view(&byte, 1)) + ">";
    }
    return named;
}

// The name for a one-byte character that cannot be shown, or nullopt to show
// it as it is.
std::optional<std::string> NameOf(char byte, bool item) {
    switch (byte) {
        case '\r':
            return "<CR>";
        case '\n':
            return "<LF>";
        case '\t':
            return item ? std::optional<std::string>("<TAB>") : std::nullopt;
        default:
            break;
    }
    const auto value = static_cast<unsigned char>(byte);
    if (value < 0x20 || value == 0x7F) {
        return ByteName(std::string_view(&byte, 1));
    }
    return std::nullopt;
}

}  // namespace

std::string DisplayText::Convert(std::string_view cp932, bool item) const {
    std::string shown;
    for (std::size_t at = 0; at < cp932.size();) {
        const std::size_t length = cp932::CharacterLength(cp932, at);
        const std::string_view character = cp932.substr(at, length);
        at += length;
        if (length == 1) {
            if (const std::optional<std::string> name = NameOf(character[0], item)) {
                shown += *name;
                continue;
            }
            // Code page 932 keeps ASCII as it is, the backslash too: no need
            // to ask the platform for each byte of a long line.
            if (static_cast<unsigned char>(character[0]) < 0x80) {
                shown += character;
                continue;
            }
        }
        if (const std::optional<std::string> utf8 = codec_.Cp932CharacterToUtf8(character)) {
            shown += *utf8;
        } else {
            shown += ByteName(character);
        }
    }
    return shown;
}

}  // namespace vorlent::tool
