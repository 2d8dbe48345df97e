#include "config/code_page_932.h"

namespace vorlent::cp932 {

std::size_t CharacterLength(std::string_view text, std::size_t offset) {
    if (offset + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[offset])) &&
        IsTrailByte(static_cast<unsigned char>(text[offset + 1]))) {
        return 2;
    }
    return 1;
}

std::size_t DecoderUnitLength(std::string_view text, std::size_t offset) {
    if (offset + 1 < text.size() && IsLeadByte(static_cast<unsigned char>(text[offset])) &&
        text[offset + 1] != '\0') {
        return 2;
    }
    return 1;
}

bool IsInsideCharacter(std::string_view text, std::size_t offset) {
    std::size_t at = 0;
    while (at < offset) {
        at += CharacterLength(text, at);
    }
    return at != offset;
}

}  // namespace vorlent::cp932
