#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace vorlent {

// The platform's path buffers, and the profile reader's, hold this many bytes
// including the terminating NUL.
inline constexpr std::size_t kMaxPathBytes = 260;

// The configuration file beside a module: the text from the last '.' of the
// whole path on is replaced by ".ini", or ".ini" is appended where the path
// has no '.'. Empty when the result, with its NUL, would not fit in
// kMaxPathBytes: such a path cannot be handed to the platform whole.
std::optional<std::string> IniPathForModule(std::string_view modulePath);

}  // namespace vorlent
