#include <windows.h>

#include <optional>
#include <string>

#include "config/platform_profile_win32.h"
#include "profile_source.h"
#include "wide_text_win32.h"

namespace vorlent::tool {

std::optional<std::string> ReadProfileValue(const std::string& iniPath, const std::string& section,
                                            const std::string& key) {
    // The platform looks for a file name without a folder in the Windows
    // folder, not the current one, so the name is made full first; the
    // plug-in names its file in the ANSI code page, and so does the checker.
    std::wstring fullPath(kLongestPath, L'\0');
    const DWORD length =
        ::GetFullPathNameW(WideFromUtf8(iniPath).c_str(), kLongestPath, fullPath.data(), nullptr);
    if (length == 0 || length >= kLongestPath) {
        return std::nullopt;
    }
    fullPath.resize(length);
    const std::optional<std::string> ansiPath = AnsiFromWide(fullPath);
    if (!ansiPath) {
        return std::nullopt;
    }
    return ReadPlatformProfileValue(section.c_str(), key.c_str(), ansiPath->c_str());
}

}  // namespace vorlent::tool
