#include "plugin/format_text.h"

#include <cstdarg>
#include <cstdio>
#include <stdexcept>

namespace vorlent {
namespace {

// Returns the length needed, or -1 where the C runtime reports a cut as an
// error instead (older Windows runtimes do).
int TryFormat(char* buffer, std::size_t size, const char* format, std::va_list args) {
    std::va_list copy;
    va_copy(copy, args);
    const int written = std::vsnprintf(buffer, size, format, copy);
    va_end(copy);
    return written;
}

std::string FormatTextV(const char* format, std::va_list args) {
    std::string result(256, '\0');
    for (;;) {
        const int needed = TryFormat(result.data(), result.size() + 1, format, args);
        if (needed >= 0 && static_cast<std::size_t>(needed) <= result.size()) {
            result.resize(static_cast<std::size_t>(needed));
            return result;
        }
        if (needed < 0 && result.size() >= (std::size_t{1} << 30)) {
            throw std::length_error("text too long to format");
        }
        result.resize(needed >= 0 ? static_cast<std::size_t>(needed) : result.size() * 2);
    }
}

}  // namespace

std::string FormatText(const char* format, ...) {
    std::va_list args;
    va_start(args, format);
    try {
        std::string result = FormatTextV(format, args);
        va_end(args);
        return result;
    } catch (...) {
        va_end(args);
        throw;
    }
}

}  // namespace vorlent
