#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace vorlent {

// A comma-separated list of byte strings in which quotation marks protect
// commas, and "" inside quotes stands for one quotation mark. Quotes may open
// and close anywhere in an item and never belong to it. An item ended by a
// comma is kept even when empty; an empty last item is dropped. Items are raw
// bytes: nothing is trimmed or decoded.
class CQuotedList {
  public:
    explicit CQuotedList(std::string_view value);
    virtual ~CQuotedList() = default;

    std::size_t GetCount() const { return m_items.size(); }
    const std::string& GetAt(std::size_t index) const { return m_items.at(index); }
    const std::vector<std::string>& Items() const { return m_items; }

  private:
    void Parse(std::string_view value);

    std::vector<std::string> m_items;
};

}  // namespace vorlent
