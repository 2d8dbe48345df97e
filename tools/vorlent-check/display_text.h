#pragma once

#include <string>
#include <string_view>

#include "text_codec.h"

namespace vorlent::tool {

// Turns code page 932 bytes into UTF-8 for showing, character by character.
// Text is shown as it stands, punctuation and backslashes too; only what
// cannot be seen on one line is named in angle brackets: <CR>, <LF>, other
// control bytes and bytes that are no character as <0xNN>.
class DisplayText {
  public:
    explicit DisplayText(const TextCodec& codec) : codec_(codec) {}

    // A line of a message; a tab is kept.
    std::string Line(std::string_view cp932) const { return Convert(cp932, false); }

    // A configured item, to be quoted: a tab is named too, so that an item's
    // ends can be seen exactly.
    std::string Item(std::string_view cp932) const { return Convert(cp932, true); }

  private:
    std::string Convert(std::string_view cp932, bool item) const;

    const TextCodec& codec_;
};

}  // namespace vorlent::tool
