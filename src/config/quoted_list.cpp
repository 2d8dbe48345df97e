#include "config/quoted_list.h"

namespace vorlent {

CQuotedList::CQuotedList(std::string_view value) {
    Parse(value);
}

void CQuotedList::Parse(std::string_view value) {
    constexpr char kQuote = '"';
    constexpr char kComma = ',';

    m_items.clear();
    std::string item;
    bool insideQuotes = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char byte = value[i];
        if (byte == kQuote) {
            if (!insideQuotes) {
                insideQuotes = true;
            } else if (i + 1 < value.size() && value[i + 1] == kQuote) {
                item += kQuote;
                ++i;
            } else {
                insideQuotes = false;
            }
        } else if (byte == kComma && !insideQuotes) {
            m_items.push_back(std::move(item));
            item.clear();
        } else {
            item += byte;
        }
    }
    if (!item.empty()) {
        m_items.push_back(std::move(item));
    }
}

}  // namespace vorlent
