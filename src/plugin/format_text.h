#pragma once

#include <string>

namespace vorlent {

// printf-style formatting into a string of any length. Callers pass texts as
// arguments, never as the format, so a '%' in user data is shown as it is.
std::string FormatText(const char* format, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;

}  // namespace vorlent
