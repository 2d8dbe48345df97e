#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlent {

// How the characters of a profile's text are told apart: code page 932 as
// the platform's reader decodes it, or UTF-8.
enum class ProfileCharset { kCodePage932, kUtf8 };

// One line of a profile that is neither empty nor blank, as the reader sees
// it: a section header or a key line (a comment line is a key line whose name
// begins with ';').
struct ProfileLine {
    enum class Kind { kSection, kKey };
    Kind kind;
    std::size_t lineNumber;  // 1-based, counting CR LF, LF and CR as line ends
    std::string name;        // trimmed
    // Key lines with '=': the value with one pair of enclosing quotes
    // removed, and as it stands; nullopt without '='.
    std::optional<std::string> value;
    std::optional<std::string> rawValue;
};

std::vector<ProfileLine> ReadProfileLines(std::string_view text, ProfileCharset charset);

// The line whose value the reader takes for key in section: the first such
// key of the first section of that name; null where it gives the default.
const ProfileLine* FindProfileLine(const std::vector<ProfileLine>& lines, std::string_view section,
                                   std::string_view key, ProfileCharset charset);

// Whether a name from the file is the name asked for, as the reader compares.
bool ProfileNamesMatch(std::string_view fileName, std::string_view wanted, ProfileCharset charset);

// The value that the platform's GetPrivateProfileStringA finds for key in
// section of a file in code page 932; nullopt where it gives the default.
//
// It reads the file as the platform does, character by character:
// - a line ends at CR or LF; blanks (tab, LF, VT, FF, CR, ^Z and space, not
//   the ideographic space) around a line, a name and a value are dropped;
// - a line that begins with '[' and has a ']' names a section: the text up to
//   the last ']', trimmed; keys before the first section belong to none;
// - a key line is its name, '=' and its value; a line without '=' is a key
//   without value, which gives the default;
// - names are compared without regard to ASCII letter case, and only the
//   first section of a name is searched, for the first key of a name;
// - a value ends at a NUL byte; one pair of matching quotation marks (single
//   or double) around the whole value, two characters or more, is removed.
//
// The bytes come back as they stand in the file. The platform passes them
// through Unicode and back, which turns an invalid double-byte pair into "・"
// and a character with two codes into its preferred one; that round trip
// needs the code page's tables and is left to the caller.
//
// In UTF-8 the same rules apply to the ASCII characters they name; no other
// character is a blank, and nothing is converted.
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key,
                                            ProfileCharset charset = ProfileCharset::kCodePage932);

}  // namespace vorlent
