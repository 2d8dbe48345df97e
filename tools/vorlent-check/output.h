#pragma once

#include <string_view>

#include "program_environment.h"
#include "text_codec.h"

namespace vorlent::tool {

// Where the checker's texts go. They are made in UTF-8; a console shows them
// as they are, a file or pipe gets them in UTF-8 or code page 932.
class Output {
  public:
    Output(const TextCodec& codec, bool utf8) : codec_(codec), utf8_(utf8) {}

    void Line(std::string_view utf8) const { Print(Stream::kOut, utf8); }
    void ErrorLine(std::string_view utf8) const { Print(Stream::kError, utf8); }

  private:
    void Print(Stream stream, std::string_view utf8) const;

    const TextCodec& codec_;
    bool utf8_;
};

// UTF-8 text in code page 932, a character the code page lacks (or a byte
// that is no UTF-8) written as '?', as a console would show it.
std::string Utf8ToCp932ForDisplay(std::string_view utf8, const TextCodec& codec);

}  // namespace vorlent::tool
