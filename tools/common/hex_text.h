#pragma once

#include <string>
#include <string_view>

namespace vorlent::tool {

// Bytes as lower-case hex, two digits each: how the tools write bytes that
// must survive any transport or that cannot be shown as text.
inline std::string ToHex(std::string_view bytes) {
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string hex;
    hex.reserve(bytes.size() * 2);
    for (const char byte : bytes) {
        const auto value = static_cast<unsigned char>(byte);
        hex += kDigits[value >> 4];
        hex += kDigits[value & 0x0F];
    }
    return hex;
}

}  // namespace vorlent::tool
