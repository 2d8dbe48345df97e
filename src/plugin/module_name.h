#pragma once

#include <string>
#include <string_view>

namespace vorlent {

// Whether a byte starts a two-byte character in the text's code page.
using LeadBytePredicate = bool (*)(unsigned char);

// A module's name as users see it: the file name of its path without the
// extension. The path is read character by character, so that a backslash
// that is the second byte of a double-byte character (as in many Japanese
// file and folder names) is not taken for a separator.
std::string ModuleBaseName(std::string_view path, LeadBytePredicate isLeadByte);

}  // namespace vorlent
