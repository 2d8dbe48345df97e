#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace vorlent {

// A body read from front to back whose end may not be known yet. The host
// lends a NUL-terminated block: measuring it first would read it from memory
// once for its length and again for the search, so its end is looked for only
// a little ahead of what the search needs, in bytes the search reads next,
// while they are still in the cache. A view of known size is taken as it is,
// NUL bytes included.
class BodyText {
  public:
    // Deliberately implicit: wherever a view of the body is at hand, it is
    // the whole body.
    BodyText(std::string_view text) : data_(text.data()), known_(text.size()), complete_(true) {}
    BodyText(const std::string& text) : BodyText(std::string_view(text)) {}

    // Bytes up to the first NUL; nothing after it is read.
    static BodyText NulTerminated(const char* text) { return BodyText(text); }

    // The bytes known to come before the end, made at least `size` long
    // unless the text is shorter.
    std::string_view Through(std::size_t size);

    std::string_view Known() const { return {data_, known_}; }
    // Whether Known() is all of the text.
    bool Complete() const { return complete_; }

  private:
    explicit BodyText(const char* nulTerminated)
        : data_(nulTerminated), known_(0), complete_(false) {}

    const char* data_;
    std::size_t known_;
    bool complete_;
};

}  // namespace vorlent
