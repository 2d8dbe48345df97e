#include "text_encoding.h"

#include "wide_text_win32.h"

#include <cstdio>

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

}  // namespace

std::optional<std::string> FromHex(std::string_view hex) {
    if (hex.size() % 2 != 0) {
        return std::nullopt;
    }
    std::string bytes;
    bytes.reserve(hex.size() / 2);
    for (std::size_t i = 0; i < hex.size(); i += 2) {
        const int high = HexDigit(hex[i]);
        const int low = HexDigit(hex[i + 1]);
        if (high < 0 || low < 0) {
            return std::nullopt;
        }
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

std::string Utf8FromAnsi(std::string_view bytes) {
    return vorlent::tool::Utf8FromWide(vorlent::tool::WideFromCodePage(bytes, CP_ACP));
}

std::string PointerText(const void* pointer) {
    return NumberText(reinterpret_cast<std::uintptr_t>(pointer));
}

std::string NumberText(std::uintptr_t value) {
    char text[2 + 2 * sizeof(value) + 1];
    std::snprintf(text, sizeof text, "0x%0*llx", static_cast<int>(2 * sizeof(value)),
                  static_cast<unsigned long long>(value));
    return text;
}
