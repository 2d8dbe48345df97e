#include "configuration.h"

#include "config/config_keys.h"
#include "config/quoted_list.h"

namespace vorlent::tool {
namespace {

ConfiguredList AnsiList(const std::string& value) {
    ConfiguredList list;
    const CQuotedList items(value);
    for (std::size_t i = 0; i < items.GetCount(); ++i) {
        list.items.push_back({i + 1, items.GetAt(i)});
    }
    return list;
}

}  // namespace

CheckerConfiguration ReadCheckerConfiguration(std::string_view fileBytes,
                                              const AnsiProfileReader& readAnsi) {
    const text::DetectedText detected = text::DetectTextEncoding(fileBytes);
    CheckerConfiguration configuration{detected.encoding,
                                       ProfileCharset::kCodePage932,
                                       {},
                                       {config::kCheckStringKey, {}, {}},
                                       {config::kIgnoreLinePrefixKey, {}, {}},
                                       {config::kIgnoreFromLinePrefixKey, {}, {}}};
    ConfiguredKey* const keys[] = {&configuration.checkStrings, &configuration.ignorePrefixes,
                                   &configuration.stopPrefixes};
    if (const std::optional<std::string> utf8 = UnicodeProfileText(detected)) {
        configuration.charset = ProfileCharset::kUtf8;
        configuration.lines = ReadProfileLines(*utf8, ProfileCharset::kUtf8);
        for (ConfiguredKey* key : keys) {
            key->value = FindProfileValue(*utf8, config::kSection, key->key, ProfileCharset::kUtf8)
                             .value_or("");
            key->list = ReadUnicodeList(*utf8, config::kSection, key->key);
        }
        return configuration;
    }
    configuration.lines = ReadProfileLines(detected.body, ProfileCharset::kCodePage932);
    for (ConfiguredKey* key : keys) {
        key->value = readAnsi(key->key);
        key->list = AnsiList(key->value);
    }
    return configuration;
}

std::string Cp932ForDisplay(const CheckerConfiguration& configuration, std::string_view text) {
    if (configuration.charset == ProfileCharset::kCodePage932) {
        return std::string(text);
    }
    // A character the code page lacks shows as the geta mark, the printer's
    // sign for a character that has no type.
    const std::u16string units = *text::DecodeUnicode(text::TextEncoding::kUtf8, text);
    std::string shown;
    for (std::size_t at = 0; at < units.size();) {
        const bool pair = at + 1 < units.size() && units[at] >= 0xD800 && units[at] <= 0xDBFF &&
                          units[at + 1] >= 0xDC00 && units[at + 1] <= 0xDFFF;
        const std::size_t length = pair ? 2 : 1;
        const text::Cp932Text character = text::EncodeCp932(
            std::u16string_view(units).substr(at, length), text::JisVariants::kFold);
        shown += character.IsComplete() ? character.bytes : "\x81\xAC";
        at += length;
    }
    return shown;
}

}  // namespace vorlent::tool
