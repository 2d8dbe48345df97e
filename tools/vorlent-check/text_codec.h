#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorlent::tool {

// The character conversions the checker needs, kept apart from the portable
// core: iconv on Linux, the Windows code page functions on Windows.
class TextCodec {
  public:
    virtual ~TextCodec() = default;

    // Code page 932 bytes for UTF-8 text; nullopt when the text is not valid
    // UTF-8 or holds a character that code page 932 lacks.
    virtual std::optional<std::string> Utf8ToCp932(std::string_view utf8) const = 0;

    // UTF-8 for one code page 932 character (one or two bytes); nullopt when
    // the bytes are no character of the code page.
    virtual std::optional<std::string> Cp932CharacterToUtf8(std::string_view character) const = 0;

    // Whether the terminal or console that standard output goes to shows UTF-8.
    virtual bool OutputIsUtf8() const = 0;
};

// The platform's codec.
const TextCodec& PlatformTextCodec();

}  // namespace vorlent::tool
