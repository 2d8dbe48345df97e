#include "config/unicode_profile.h"

#include "config/profile_reader.h"
#include "config/quoted_list.h"

namespace vorlent {

std::optional<std::string> UnicodeProfileText(const text::DetectedText& file) {
    const std::optional<std::u16string> decoded = text::DecodeUnicode(file.encoding, file.body);
    if (!decoded) {
        return std::nullopt;
    }
    return text::EncodeUtf8(*decoded);
}

ConfiguredList ReadUnicodeList(std::string_view utf8Text, std::string_view section,
                               std::string_view key) {
    ConfiguredList list;
    const std::optional<std::string> value =
        FindProfileValue(utf8Text, section, key, ProfileCharset::kUtf8);
    if (!value) {
        return list;
    }
    const CQuotedList items(*value);
    for (std::size_t i = 0; i < items.GetCount(); ++i) {
        const std::string& utf8 = items.GetAt(i);
        const std::optional<std::u16string> decoded =
            text::DecodeUnicode(text::TextEncoding::kUtf8, utf8);
        text::Cp932Text converted = text::EncodeCp932(*decoded, text::JisVariants::kFold);
        if (converted.IsComplete()) {
            list.items.push_back({i + 1, std::move(converted.bytes)});
        } else {
            list.leftOut.push_back({i + 1, utf8, std::move(converted.missing)});
        }
    }
    return list;
}

}  // namespace vorlent
