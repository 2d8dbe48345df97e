#pragma once

#include <cstddef>
#include <iterator>
#include <string_view>
#include <vector>

namespace vorlent {

// The lines of a text separated by CR LF, as views into the text. A lone CR or
// LF is an ordinary byte; k separators give k+1 lines, so an empty text is one
// empty line and a trailing CR LF gives an empty last line.
class LineRange {
  public:
    class Iterator {
      public:
        using iterator_category = std::forward_iterator_tag;
        using value_type = std::string_view;
        using difference_type = std::ptrdiff_t;
        using pointer = const std::string_view*;
        using reference = const std::string_view&;

        Iterator() = default;
        reference operator*() const { return line_; }
        pointer operator->() const { return &line_; }
        Iterator& operator++();
        Iterator operator++(int) {
            Iterator before = *this;
            ++*this;
            return before;
        }
        friend bool operator==(const Iterator& a, const Iterator& b) {
            return a.done_ == b.done_ && (a.done_ || a.line_.data() == b.line_.data());
        }

      private:
        friend class LineRange;
        Iterator(std::string_view text, bool done);

        std::string_view rest_;
        std::string_view line_;
        bool last_ = false;
        bool done_ = true;
    };

    explicit LineRange(std::string_view text) : text_(text) {}
    std::string_view Text() const { return text_; }
    Iterator begin() const { return Iterator(text_, false); }
    Iterator end() const { return Iterator(text_, true); }

  private:
    std::string_view text_;
};

std::vector<std::string_view> SplitLines(std::string_view text);

// Where the first CR LF of `text` whose LF stands at or after `lfFrom` begins,
// or npos. `lfFrom` is at least 1, so that the byte before an LF can be looked
// at.
std::size_t FindLineSeparator(std::string_view text, std::size_t lfFrom);

}  // namespace vorlent
