#pragma once

#include <string_view>

#include "program_environment.h"

namespace vorlent::tool {

// Where the checker's texts go. They are made in UTF-8; a console shows them
// as they are, a file or pipe gets them in UTF-8 or code page 932, where a
// character the code page lacks is written as '?', as a console shows it.
class Output {
  public:
    explicit Output(bool utf8) : utf8_(utf8) {}

    void Line(std::string_view utf8) const { Print(Stream::kOut, utf8); }
    void ErrorLine(std::string_view utf8) const { Print(Stream::kError, utf8); }

  private:
    void Print(Stream stream, std::string_view utf8) const;

    bool utf8_;
};

}  // namespace vorlent::tool
