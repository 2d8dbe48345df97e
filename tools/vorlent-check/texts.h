#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "config/text_encoding.h"

namespace vorlent::tool {

enum class Language { kEnglish, kJapanese };

enum class OptionProblem {
    kUnknown,     // option is the argument
    kNeedsValue,  // option takes a value and has none (or an empty file name)
    kBadValue,    // value is none of allowed
};

struct OptionError {
    OptionProblem problem;
    std::string option;
    std::string value;
    std::string allowed;  // the accepted values, separated by '|'
};

enum class FileProblem { kMissing, kFolder, kCannotOpen, kCannotRead, kPathNotAnsi };

// The three lists of the configuration.
enum class ListRole { kCheckStrings, kIgnorePrefixes, kStopPrefixes };

// Whether the only match of a prompt's check string in its line cuts through
// characters, so that no such text stands in the line as a reader sees it.
enum class MatchPlacement {
    kWhole,            // starts and ends on character boundaries
    kInsideCharacter,  // lies within one double-byte character
    kStraddles,        // reaches across the edge of a double-byte character
};

// Every text the checker shows, in the user's language. Arguments are UTF-8;
// items and lines are shown already (see DisplayText).
class Texts {
  public:
    explicit Texts(Language language) : japanese_(language == Language::kJapanese) {}

    std::string_view Help() const;
    std::string Version(std::string_view version) const;
    std::string Option(const OptionError& error) const;
    std::string File(FileProblem problem, std::string_view path) const;
    std::string NoProgramFolder() const;
    std::string StandardInputName() const;
    // A warning about a file, on the line it concerns (0: the whole file),
    // as compilers write it.
    std::string Warning(std::string_view file, std::size_t line, std::string_view text) const;

    std::string Configuration(std::string_view path) const;
    std::string ConfigurationEncoding(std::string_view encoding) const;
    std::string ListHeading(ListRole role, std::size_t count) const;

    std::string EmptyItem(ListRole role, std::size_t item) const;
    std::string ItemHoldsCrLf(ListRole role, std::size_t item, std::string_view shown) const;
    std::string ItemRepeats(ListRole role, std::size_t item, std::string_view shown,
                            std::size_t sameAs) const;
    std::string QuoteLeftOpen(ListRole role) const;

    std::string LineEndsNote(bool exact) const;
    std::string EncodingName(text::TextEncoding encoding) const;
    std::string MessageEncodingNote(std::string_view name, std::string_view encoding) const;
    std::string MissingCharacter(std::string_view character, std::string_view codePoint) const;
    std::string Prompt(std::string_view name, std::size_t line, std::string_view item,
                       MatchPlacement placement, std::string_view shownLine) const;
    std::string Skipped(std::string_view name, std::size_t line, std::string_view prefix,
                        std::string_view shownLine) const;
    std::string SearchEnds(std::string_view name, std::size_t line, std::string_view prefix,
                           std::string_view shownLine) const;
    std::string NotSearched(std::string_view name, std::size_t line,
                            std::string_view shownLine) const;
    std::string Verdict(std::string_view name, std::size_t prompts) const;
    std::string PressEnter() const;

    // An item between the quotation marks of the language.
    std::string Quote(std::string_view shown) const;

    bool IsJapanese() const { return japanese_; }

  private:
    bool japanese_;
};

}  // namespace vorlent::tool
