#include "check/line_range.h"

#include <cstring>

namespace vorlent {
namespace {

constexpr std::string_view kSeparator = "\r\n";

// memchr for the LF is far faster than a two-byte search; CR LF is then
// confirmed by looking one byte back.
std::size_t FindSeparator(std::string_view text) {
    std::size_t from = 1;
    while (from < text.size()) {
        const void* lf = std::memchr(text.data() + from, '\n', text.size() - from);
        if (lf == nullptr) {
            return std::string_view::npos;
        }
        const std::size_t at = static_cast<const char*>(lf) - text.data();
        if (text[at - 1] == '\r') {
            return at - 1;
        }
        from = at + 1;
    }
    return std::string_view::npos;
}

}  // namespace

LineRange::Iterator::Iterator(std::string_view text, bool done) : rest_(text), done_(done) {
    if (!done_) {
        ++*this;
    }
}

LineRange::Iterator& LineRange::Iterator::operator++() {
    if (last_) {
        done_ = true;
        line_ = {};
        return *this;
    }
    const std::size_t separator = FindSeparator(rest_);
    if (separator == std::string_view::npos) {
        line_ = rest_;
        rest_ = {};
        last_ = true;
    } else {
        line_ = rest_.substr(0, separator);
        rest_.remove_prefix(separator + kSeparator.size());
    }
    return *this;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
    const LineRange lines(text);
    return {lines.begin(), lines.end()};
}

}  // namespace vorlent
