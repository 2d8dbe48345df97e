#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorlent::tool {

// What the checker asks of the platform about characters: iconv on Linux, the
// Windows code page functions on Windows. (The way into code page 932 is the
// core's own table, the same on every platform.)
class TextCodec {
  public:
    virtual ~TextCodec() = default;

    // UTF-8 for one code page 932 character (one or two bytes); nullopt when
    // the bytes are no character of the code page.
    virtual std::optional<std::string> Cp932CharacterToUtf8(std::string_view character) const = 0;

    // Whether the terminal or console that standard output goes to shows UTF-8.
    virtual bool OutputIsUtf8() const = 0;
};

// The platform's codec.
const TextCodec& PlatformTextCodec();

}  // namespace vorlent::tool
