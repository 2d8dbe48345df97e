#pragma once

#include <iconv.h>

#include <optional>
#include <string>
#include <string_view>

namespace vorlent::tool {

// One direction of glibc's iconv, owned for the converter's lifetime.
class IconvConverter {
  public:
    IconvConverter(const char* to, const char* from);
    ~IconvConverter();
    IconvConverter(const IconvConverter&) = delete;
    IconvConverter& operator=(const IconvConverter&) = delete;

    // The whole text converted; nullopt when a byte sequence is invalid in the
    // source encoding or a character has no code in the target.
    std::optional<std::string> Convert(std::string_view text) const;

  private:
    iconv_t descriptor_;
};

}  // namespace vorlent::tool
