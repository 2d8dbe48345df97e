#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace vorlent {

// How the platform's profile reader decodes a file: a byte order mark names a
// Unicode encoding and is not part of the text; anything else is in the
// system's ANSI code page.
enum class ProfileEncoding { kAnsi, kUtf8, kUtf16LittleEndian, kUtf16BigEndian };

struct ProfileText {
    ProfileEncoding encoding;
    std::string_view text;  // without the byte order mark
};

ProfileText DetectProfileEncoding(std::string_view fileBytes);

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
std::optional<std::string> FindProfileValue(std::string_view text, std::string_view section,
                                            std::string_view key);

}  // namespace vorlent
