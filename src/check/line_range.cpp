#include "check/line_range.h"

#include "check/byte_search.h"

namespace vorlent {
namespace {

constexpr std::string_view kSeparator = "\r\n";

}  // namespace

std::size_t FindLineSeparator(std::string_view text, std::size_t lfFrom) {
    // A search for the LF alone is far faster than one for two bytes; CR LF
    // is then confirmed by looking one byte back.
    while (lfFrom < text.size()) {
        const char* lf = FindByte(text.data() + lfFrom, text.size() - lfFrom, '\n');
        if (lf == nullptr) {
            return std::string_view::npos;
        }
        const auto at = static_cast<std::size_t>(lf - text.data());
        if (text[at - 1] == '\r') {
            return at - 1;
        }
        lfFrom = at + 1;
    }
    return std::string_view::npos;
}

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
    const std::size_t separator = FindLineSeparator(rest_, 1);
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
