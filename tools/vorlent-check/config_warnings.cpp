#include "config_warnings.h"

#include <algorithm>
#include <map>
#include <string_view>

#include "config/code_page_932.h"
#include "config/config_keys.h"
#include "config/quoted_list.h"

namespace vorlent::tool {
namespace {

constexpr const char* kKeys[] = {config::kCheckStringKey, config::kIgnoreLinePrefixKey,
                                 config::kIgnoreFromLinePrefixKey};

constexpr std::string_view kIdeographicSpace = "\x81\x40";
constexpr std::string_view kIdeographicComma = "\x81\x41";  // 、
constexpr std::string_view kFullWidthComma = "\x81\x43";    // ，

char AsciiLower(char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// Edit distance without regard to ASCII letter case, as the reader compares.
std::size_t Distance(std::string_view a, std::string_view b) {
    std::vector<std::size_t> row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) {
        row[j] = j;
    }
    for (std::size_t i = 1; i <= a.size(); ++i) {
        std::size_t diagonal = row[0];
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t above = row[j];
            const std::size_t change = AsciiLower(a[i - 1]) == AsciiLower(b[j - 1]) ? 0 : 1;
            row[j] = std::min({above + 1, row[j - 1] + 1, diagonal + change});
            diagonal = above;
        }
    }
    return row[b.size()];
}

const char* NearestKey(std::string_view name) {
    const char* nearest = kKeys[0];
    for (const char* key : kKeys) {
        if (Distance(name, key) < Distance(name, nearest)) {
            nearest = key;
        }
    }
    return nearest;
}

bool IsComment(std::string_view name) {
    return name.starts_with(';') || name.starts_with('#');
}

// The characters of a code page 932 text, from its start.
std::vector<std::string_view> Characters(std::string_view text) {
    std::vector<std::string_view> characters;
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t length = cp932::CharacterLength(text, at);
        characters.push_back(text.substr(at, length));
        at += length;
    }
    return characters;
}

constexpr std::string_view kIdeographicSpaceUtf8 = "\xE3\x80\x80";

// The length of a blank (space, tab, ideographic space) that a text begins
// or ends with, else 0.
std::size_t BlankLength(std::string_view text, bool atEnd, ProfileCharset charset) {
    if (text.empty()) {
        return 0;
    }
    if (charset == ProfileCharset::kUtf8) {
        if (atEnd ? text.ends_with(kIdeographicSpaceUtf8)
                  : text.starts_with(kIdeographicSpaceUtf8)) {
            return kIdeographicSpaceUtf8.size();
        }
        const char byte = atEnd ? text.back() : text.front();
        return byte == ' ' || byte == '\t' ? 1 : 0;
    }
    const std::vector<std::string_view> characters = Characters(text);
    const std::string_view character = atEnd ? characters.back() : characters.front();
    return character == " " || character == "\t" || character == kIdeographicSpace
               ? character.size()
               : 0;
}

// Per item of a value, as the list parser splits it, whether a blank stands
// at its start or end outside quotation marks: a blank inside quotes (the
// "-- " of a signature line) is meant.
// enclosed: the reader took a pair of quotation marks from around the whole
// value, which protects its two ends.
std::vector<bool> UnquotedBlankAtEnds(std::string_view value, bool enclosed,
                                      ProfileCharset charset) {
    std::vector<std::string> items(1);
    std::vector<std::vector<bool>> quoted(1);
    bool insideQuotes = false;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] == '"') {
            if (insideQuotes && i + 1 < value.size() && value[i + 1] == '"') {
                items.back().push_back('"');
                quoted.back().push_back(true);
                ++i;
            } else {
                insideQuotes = !insideQuotes;
            }
        } else if (value[i] == ',' && !insideQuotes) {
            items.emplace_back();
            quoted.emplace_back();
        } else {
            items.back().push_back(value[i]);
            quoted.back().push_back(insideQuotes);
        }
    }
    if (enclosed) {
        if (!quoted.front().empty()) {
            quoted.front().front() = true;
        }
        if (!quoted.back().empty()) {
            quoted.back().back() = true;
        }
    }
    std::vector<bool> blanks;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::size_t first = BlankLength(items[i], false, charset);
        const std::size_t last = BlankLength(items[i], true, charset);
        blanks.push_back((first != 0 && !quoted[i].front()) || (last != 0 && !quoted[i].back()));
    }
    return blanks;
}

class WarningFinder {
  public:
    explicit WarningFinder(const CheckerConfiguration& configuration)
        : configuration_(configuration) {}

    std::vector<ConfigWarning> Find() {
        FindStructure();
        for (const ConfiguredKey* key :
             {&configuration_.checkStrings, &configuration_.ignorePrefixes,
              &configuration_.stopPrefixes}) {
            FindInValue(*key);
        }
        FindContainedCheckStrings();
        std::stable_sort(
            warnings_.begin(), warnings_.end(),
            [](const ConfigWarning& a, const ConfigWarning& b) { return a.line < b.line; });
        return std::move(warnings_);
    }

  private:
    bool Matches(std::string_view name, std::string_view wanted) const {
        return ProfileNamesMatch(name, wanted, configuration_.charset);
    }

    const char* KnownKey(std::string_view name) const {
        for (const char* key : kKeys) {
            if (Matches(name, key)) {
                return key;
            }
        }
        return nullptr;
    }

    std::string Display(std::string_view text) const {
        return Cp932ForDisplay(configuration_, text);
    }

    // Sections and keys: what the reader never looks at, or looks past.
    void FindStructure() {
        enum class Place { kNoSection, kConfig, kSecondConfig, kOther };
        Place place = Place::kNoSection;
        std::size_t configLine = 0;
        std::map<std::string_view, std::size_t> keyLines;
        for (const ProfileLine& line : configuration_.lines) {
            if (line.kind == ProfileLine::Kind::kSection) {
                if (!Matches(line.name, config::kSection)) {
                    place = Place::kOther;
                    if (Distance(line.name, config::kSection) <= 2) {
                        Add({ConfigProblem::kMisspeltSection,
                             line.lineNumber,
                             {},
                             0,
                             Display(line.name),
                             config::kSection});
                    }
                } else if (configLine == 0) {
                    place = Place::kConfig;
                    configLine = line.lineNumber;
                } else {
                    place = Place::kSecondConfig;
                    ConfigWarning warning{ConfigProblem::kSecondConfigSection, line.lineNumber};
                    warning.otherLine = configLine;
                    Add(std::move(warning));
                }
                continue;
            }
            if (IsComment(line.name)) {
                continue;
            }
            const char* key = KnownKey(line.name);
            if (place != Place::kConfig) {
                // The keys of a second [Config] are named by its warning.
                if (key != nullptr && place != Place::kSecondConfig) {
                    Add({ConfigProblem::kKeyOutsideSection, line.lineNumber, key});
                }
                continue;
            }
            if (key == nullptr) {
                Add({ConfigProblem::kUnknownKey,
                     line.lineNumber,
                     {},
                     0,
                     Display(line.name),
                     NearestKey(line.name)});
                continue;
            }
            const auto [first, isFirst] = keyLines.emplace(key, line.lineNumber);
            if (!isFirst) {
                ConfigWarning warning{ConfigProblem::kRepeatedKey, line.lineNumber, key};
                warning.otherLine = first->second;
                Add(std::move(warning));
            }
        }
        if (configLine == 0) {
            Add({ConfigProblem::kNoConfigSection, 0});
        }
    }

    void FindInValue(const ConfiguredKey& key) {
        const ProfileLine* line = FindProfileLine(configuration_.lines, config::kSection, key.key,
                                                  configuration_.charset);
        if (line == nullptr || !line->value) {
            return;
        }
        const std::size_t number = line->lineNumber;
        if (line->value->find(';') != std::string::npos) {
            Add({ConfigProblem::kSemicolonInValue, number, key.key});
        }
        if (*line->rawValue != *line->value &&
            CQuotedList(*line->rawValue).Items() != CQuotedList(*line->value).Items()) {
            Add({ConfigProblem::kWholeValueQuoted, number, key.key});
        }
        const std::vector<bool> blanks = UnquotedBlankAtEnds(
            *line->value, *line->rawValue != *line->value, configuration_.charset);
        for (const ConfiguredItem& item : key.list.items) {
            const std::vector<std::string_view> characters = Characters(item.bytes);
            if (item.place <= blanks.size() && blanks[item.place - 1]) {
                Add({ConfigProblem::kBlanksAroundItem, number, key.key, item.place, item.bytes});
            }
            for (const std::string_view comma : {kFullWidthComma, kIdeographicComma}) {
                if (std::find(characters.begin(), characters.end(), comma) != characters.end()) {
                    Add({ConfigProblem::kWideCommaInItem, number, key.key, item.place, item.bytes,
                         std::string(comma)});
                }
            }
        }
        // The reader dropped the blank of an unquoted "-- " at the end.
        if (key.key == std::string_view(config::kIgnoreFromLinePrefixKey)) {
            for (const ConfiguredItem& item : key.list.items) {
                if (item.bytes == "--") {
                    Add({ConfigProblem::kSignatureWithoutBlank, number, key.key, item.place,
                         item.bytes});
                }
            }
        }
        for (const LeftOutItem& item : key.list.leftOut) {
            ConfigWarning warning{ConfigProblem::kLeftOutItem, number, key.key, item.place,
                                  Display(item.utf8)};
            warning.missing = item.missing;
            Add(std::move(warning));
        }
    }

    // Two check strings of which one holds the other ask twice on a line
    // that holds the longer.
    void FindContainedCheckStrings() {
        const ConfiguredKey& key = configuration_.checkStrings;
        const std::size_t number = ValueLine(configuration_, key.key);
        std::map<std::string, std::size_t> firstPlaces;
        for (const ConfiguredItem& item : key.list.items) {
            firstPlaces.emplace(item.bytes, item.place);
        }
        for (const auto& [shorter, place] : firstPlaces) {
            for (const auto& [longer, unused] : firstPlaces) {
                if (!shorter.empty() && shorter != longer &&
                    longer.find(shorter) != std::string::npos) {
                    Add({ConfigProblem::kContainedCheckString, number, key.key, place, shorter,
                         longer});
                }
            }
        }
    }

    void Add(ConfigWarning warning) { warnings_.push_back(std::move(warning)); }

    const CheckerConfiguration& configuration_;
    std::vector<ConfigWarning> warnings_;
};

std::string KeyName(const std::string& key) {
    return '"' + key + '"';
}

std::string ItemName(const ConfigWarning& warning, const DisplayText& display, const Texts& texts) {
    const std::string item = texts.Quote(display.Item(warning.text));
    return texts.IsJapanese()
               ? KeyName(warning.key) + " の " + std::to_string(warning.item) + " 番目の項目" + item
               : KeyName(warning.key) + " item " + std::to_string(warning.item) + " " + item;
}

}  // namespace

std::vector<ConfigWarning> FindConfigWarnings(const CheckerConfiguration& configuration) {
    return WarningFinder(configuration).Find();
}

std::size_t ValueLine(const CheckerConfiguration& configuration, const char* key) {
    const ProfileLine* line =
        FindProfileLine(configuration.lines, config::kSection, key, configuration.charset);
    return line == nullptr ? 0 : line->lineNumber;
}

std::string DescribeConfigWarning(const ConfigWarning& warning, const DisplayText& display,
                                  const Texts& texts) {
    const bool ja = texts.IsJapanese();
    const std::string item = ItemName(warning, display, texts);
    const std::string key = KeyName(warning.key);
    const auto quoted = [&](const std::string& text) { return texts.Quote(display.Item(text)); };
    const std::string otherLine = std::to_string(warning.otherLine);
    switch (warning.problem) {
        case ConfigProblem::kNoConfigSection:
            return ja ? "[Config] セクションがありません。何も確認されず、どのメールも確認なしで"
                        "送信されます"
                      : "no [Config] section: nothing is checked, every mail is sent without a "
                        "prompt";
        case ConfigProblem::kMisspeltSection:
            return ja ? "セクション [" + display.Line(warning.text) +
                            "] は読まれません。プラグインが読むのは [" + warning.other +
                            "] だけです"
                      : "section [" + display.Line(warning.text) +
                            "] is not read: the plug-in reads only [" + warning.other + "]";
        case ConfigProblem::kSecondConfigSection:
            return ja ? "2 つ目の [Config] セクションは読まれません。有効なのは " + otherLine +
                            " 行目のセクションだけです"
                      : "a second [Config] section is not read: only the one on line " + otherLine +
                            " counts";
        case ConfigProblem::kKeyOutsideSection:
            return ja ? key + " が最初の [Config] セクションの外にあるため、読まれません"
                      : key + " stands outside the first [Config] section: it is not read";
        case ConfigProblem::kUnknownKey:
            return ja ? "キー" + quoted(warning.text) + "はプラグインが読みません (\"" +
                            warning.other + "\" の書き間違いではありませんか)"
                      : "key " + quoted(warning.text) +
                            " is not read by the plug-in (did you "
                            "mean \"" +
                            warning.other + "\"?)";
        case ConfigProblem::kRepeatedKey:
            return ja ? key + " が 2 回書かれています。有効なのは " + otherLine +
                            " 行目だけです。使わない行の先頭に ; を付けてください"
                      : key + " is given again: only line " + otherLine +
                            " counts; put a ; before the line you do not want";
        case ConfigProblem::kBlanksAroundItem:
            return ja ? item +
                            "の先頭か末尾に空白があり、空白も項目の一部になります。同じ空白の"
                            "ある文字列にしか一致しません (意図した空白なら引用符で囲んで"
                            "ください)"
                      : item +
                            " has a blank at its start or end, which belongs to it: only "
                            "text with the same blank is matched (put it in quotation marks "
                            "if it is meant)";
        case ConfigProblem::kWideCommaInItem:
            return ja ? item + "に" + quoted(warning.other) +
                            "が含まれています。項目を区切るのは半角のコンマ , だけです"
                      : item + " holds " + quoted(warning.other) +
                            ": only the ASCII comma , separates items";
        case ConfigProblem::kSemicolonInValue:
            return ja ? key +
                            " の値に ; が含まれています。値の後ろにコメントは書けないため、; "
                            "から後ろも項目の一部になります"
                      : key +
                            " holds a ; in its value: there are no comments after a value, "
                            "the ; and what follows belong to the item";
        case ConfigProblem::kWholeValueQuoted:
            return ja ? key +
                            " の値全体が 1 組の引用符で囲まれています。読み込むときにこの引用"
                            "符が外れてから項目に分けるため、中のコンマで項目が分かれます"
                      : key +
                            " is enclosed in one pair of quotation marks as a whole: the "
                            "reader removes them before the list is split, so commas inside "
                            "separate items";
        case ConfigProblem::kContainedCheckString:
            return ja ? item + "は確認する文字列" + quoted(warning.other) +
                            "の一部です。長いほうを含む行では確認が 2 回出ます"
                      : item + " is part of check string " + quoted(warning.other) +
                            ": a line that holds the longer asks twice";
        case ConfigProblem::kSignatureWithoutBlank:
            return ja ? item +
                            "では \"--\" で始まるすべての行で検索を打ち切ります。署名の区切り"
                            "は空白付きの \"-- \" で、空白は引用符で囲んだときだけ残ります。"
                            "\"-- \" と書いてください"
                      : item +
                            " stops at every line that begins with \"--\"; the signature "
                            "separator is \"-- \" with a blank, which only quotation marks "
                            "keep: write \"-- \"";
        case ConfigProblem::kLeftOutItem: {
            std::string names;
            for (const char32_t codePoint : warning.missing) {
                names += (names.empty() ? "" : ", ") + text::CodePointName(codePoint);
            }
            return ja ? item + "は使われません。コードページ 932 に " + names +
                            " がないため、メールソフトの本文に現れることがありません"
                      : item + " is left out: code page 932 has no " + names +
                            ", so the mail client's text can never hold it";
        }
    }
    return {};
}

}  // namespace vorlent::tool
