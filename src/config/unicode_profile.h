#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "config/text_encoding.h"

// An INI file saved in UTF-8 or UTF-16 is read by the plug-in itself: the
// platform's ANSI reader would hand back UTF-8 bytes that never occur in a
// code page 932 body, or miss a section behind a UTF-8 mark, and turn a
// character the code page lacks into '?'.
namespace vorlent {

// An item whose characters the code page does not all hold: it could never
// be found in a body, so it is left out of the list.
struct LeftOutItem {
    std::size_t place;  // 1-based place in the list
    std::string utf8;
    std::vector<char32_t> missing;
};

struct ConfiguredItem {
    std::size_t place;  // 1-based place in the list as written
    std::string bytes;  // code page 932
};

struct ConfiguredList {
    std::vector<ConfiguredItem> items;  // in list order
    std::vector<LeftOutItem> leftOut;
};

// The whole text of a file in a Unicode encoding as UTF-8; nullopt for a file
// in the ANSI code page, which the platform's reader reads as it is.
std::optional<std::string> UnicodeProfileText(const text::DetectedText& file);

// The list under key in section of such a text: found under the same rules as
// the platform's reader, split by the quoted list syntax, and each item turned
// into code page 932 with the JIS variants folded. Splitting before the
// conversion gives the same items, since no byte of a double-byte character
// is a comma or a quotation mark.
ConfiguredList ReadUnicodeList(std::string_view utf8Text, std::string_view section,
                               std::string_view key);

}  // namespace vorlent
