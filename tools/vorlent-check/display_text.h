#pragma once

#include <string>
#include <string_view>

#include "text_codec.h"

namespace vorlent::tool {

// Turns code page 932 bytes into text for the terminal: kept as stored, or
// converted to UTF-8 character by character. Control bytes are written as
// escapes so that a CR, a lone LF or a NUL stays visible on one line, and a
// byte that is no character is shown as \xNN in UTF-8.
class DisplayText {
  public:
    DisplayText(const TextCodec& codec, bool utf8) : codec_(codec), utf8_(utf8) {}

    // A line of a message; a tab is kept.
    std::string Line(std::string_view cp932) const { return Convert(cp932, false); }

    // A configured item between quotation marks; a quotation mark and a
    // backslash in it are escaped, so an item's ends can be seen exactly.
    std::string Quoted(std::string_view cp932) const { return '"' + Convert(cp932, true) + '"'; }

  private:
    std::string Convert(std::string_view cp932, bool quoted) const;

    const TextCodec& codec_;
    bool utf8_;
};

}  // namespace vorlent::tool
