#include "config/profile_reader.h"

#include <vector>

#include "config/code_page_932.h"

namespace vorlent {
namespace {

// What the platform's reader trims around names and values: the control
// bytes TAB to CR, the old end-of-file mark and the space.
bool IsBlankByte(char byte) {
    return (byte >= 0x09 && byte <= 0x0D) || byte == 0x1A || byte == 0x20;
}

// The text as the platform's decoder splits it: character i spans bytes
// [starts[i], starts[i + 1]).
class Characters {
  public:
    Characters(std::string_view text, ProfileCharset charset) : text_(text) {
        // In UTF-8 no byte of a longer character is ASCII, so every byte can
        // stand for itself where the rules look for ASCII.
        for (std::size_t at = 0; at < text.size();
             at += charset == ProfileCharset::kUtf8 ? 1 : cp932::DecoderUnitLength(text, at)) {
            starts_.push_back(at);
        }
        starts_.push_back(text.size());
    }

    std::size_t size() const { return starts_.size() - 1; }

    // The byte of a one-byte character; 0x100 (no byte) for a double-byte one.
    unsigned Byte(std::size_t i) const {
        if (starts_[i + 1] - starts_[i] != 1) {
            return 0x100;
        }
        return static_cast<unsigned char>(text_[starts_[i]]);
    }

    bool Is(std::size_t i, char byte) const { return Byte(i) == static_cast<unsigned char>(byte); }

    bool IsBlank(std::size_t i) const {
        const unsigned byte = Byte(i);
        return byte < 0x100 && IsBlankByte(static_cast<char>(byte));
    }

    bool IsLineBreak(std::size_t i) const { return Is(i, '\r') || Is(i, '\n'); }

    // Characters [first, last), cut at a NUL: the platform keeps names as
    // NUL-terminated strings.
    std::string_view Text(std::size_t first, std::size_t last) const {
        std::string_view text = text_.substr(starts_[first], starts_[last] - starts_[first]);
        return text.substr(0, text.find('\0'));
    }

    void Trim(std::size_t& first, std::size_t& last) const {
        while (first < last && IsBlank(first)) {
            ++first;
        }
        while (last > first && IsBlank(last - 1)) {
            --last;
        }
    }

  private:
    std::string_view text_;
    std::vector<std::size_t> starts_;
};

// The platform trims the names it is asked for as it trims the file's.
std::string_view TrimmedName(std::string_view name) {
    name = name.substr(0, name.find('\0'));
    while (!name.empty() && IsBlankByte(name.front())) {
        name.remove_prefix(1);
    }
    while (!name.empty() && IsBlankByte(name.back())) {
        name.remove_suffix(1);
    }
    return name;
}

char AsciiLower(char byte) {
    return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// Only ASCII letters fold: the trail byte of a double-byte character can be a
// letter too, so a name is folded character by character.
bool NamesMatch(std::string_view fileName, std::string_view wanted, ProfileCharset charset) {
    if (fileName.size() != wanted.size()) {
        return false;
    }
    for (std::size_t at = 0; at < fileName.size();) {
        const std::size_t length =
            charset == ProfileCharset::kUtf8 ? 1 : cp932::DecoderUnitLength(fileName, at);
        if (length == 1) {
            if (AsciiLower(fileName[at]) != AsciiLower(wanted[at])) {
                return false;
            }
        } else if (fileName.substr(at, length) != wanted.substr(at, length)) {
            return false;
        }
        at += length;
    }
    return true;
}

// The platform keeps a value as a NUL-terminated string and looks at whole
// characters when it strips quotes: a quotation mark taken as the second byte
// of a double-byte pair does not close the value.
void SetValue(const Characters& chars, std::size_t first, std::size_t last, ProfileLine& line) {
    for (std::size_t i = first; i < last; ++i) {
        if (chars.Is(i, '\0')) {
            last = i;
            break;
        }
    }
    std::string_view value = chars.Text(first, last);
    line.rawValue = std::string(value);
    if (last - first >= 2 && (chars.Is(first, '"') || chars.Is(first, '\'')) &&
        chars.Byte(last - 1) == chars.Byte(first)) {
        value = value.substr(1, value.size() - 2);
    }
    line.value = std::string(value);
}

}  // namespace

std::vector<ProfileLine> ReadProfileLines(std::string_view text, ProfileCharset charset) {
    const Characters chars(text, charset);
    std::vector<ProfileLine> lines;
    std::size_t lineNumber = 1;
    std::size_t next = 0;
    while (next < chars.size()) {
        std::size_t first = next;
        while (next < chars.size() && !chars.IsLineBreak(next)) {
            ++next;
        }
        std::size_t last = next;
        const std::size_t thisLineNumber = lineNumber;
        // A run of line breaks ends one line and skips the empty ones; they
        // still count for the numbers an editor shows.
        while (next < chars.size() && chars.IsLineBreak(next)) {
            if (chars.Is(next, '\n') || next + 1 == chars.size() || !chars.Is(next + 1, '\n')) {
                ++lineNumber;
            }
            ++next;
        }
        chars.Trim(first, last);
        if (first == last) {
            continue;
        }

        if (chars.Is(first, '[')) {
            std::size_t close = last;
            while (close > first && !chars.Is(close - 1, ']')) {
                --close;
            }
            if (close > first) {
                std::size_t nameFirst = first + 1;
                std::size_t nameLast = close - 1;
                chars.Trim(nameFirst, nameLast);
                lines.push_back({ProfileLine::Kind::kSection,
                                 thisLineNumber,
                                 std::string(chars.Text(nameFirst, nameLast)),
                                 {},
                                 {}});
                continue;
            }
            // Without a ']' the line is an ordinary key line.
        }

        std::size_t equals = first;
        while (equals < last && !chars.Is(equals, '=')) {
            ++equals;
        }
        std::size_t nameLast = equals;
        chars.Trim(first, nameLast);
        ProfileLine line{ProfileLine::Kind::kKey,
                         thisLineNumber,
                         std::string(chars.Text(first, nameLast)),
                         {},
                         {}};
        if (equals != last) {
            std::size_t valueFirst = equals + 1;
            chars.Trim(valueFirst, last);
            SetValue(chars, valueFirst, last, line);
        }
        lines.push_back(std::move(line));
    }
    return lines;
}

bool ProfileNamesMatch(std::string_view fileName, std::string_view wanted, ProfileCharset charset) {
    return NamesMatch(fileName, TrimmedName(wanted), charset);
}

std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key, ProfileCharset charset) {
    const std::vector<ProfileLine> lines = ReadProfileLines(text, charset);
    const ProfileLine* line = FindProfileLine(lines, section, key, charset);
    if (line == nullptr) {
        return std::nullopt;
    }
    return line->value;
}

const ProfileLine* FindProfileLine(const std::vector<ProfileLine>& lines, std::string_view section,
                                   std::string_view key, ProfileCharset charset) {
    const std::string_view wantedSection = TrimmedName(section);
    const std::string_view wantedKey = TrimmedName(key);
    // Keys before the first section header belong to a section without name.
    bool inWantedSection = wantedSection.empty();
    bool wantedSectionSeen = inWantedSection;
    for (const ProfileLine& line : lines) {
        if (line.kind == ProfileLine::Kind::kSection) {
            // Only the first section of the name is searched.
            if (wantedSectionSeen) {
                return nullptr;
            }
            inWantedSection = NamesMatch(line.name, wantedSection, charset);
            wantedSectionSeen = inWantedSection;
            continue;
        }
        if (inWantedSection && NamesMatch(line.name, wantedKey, charset)) {
            return &line;
        }
    }
    return nullptr;
}

}  // namespace vorlent
