#include <windows.h>

#include <vector>

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
    // The reader cuts a value that does not fit to size - 1 bytes without
    // saying so (size - 2 where the cut falls inside a double-byte
    // character), so only a shorter result is known to be whole: a full
    // buffer is read again with more room, as the plug-in does.
    std::vector<char> buffer(10000);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD read = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "",
                                                      buffer.data(), size, ansiPath->c_str());
        if (read + 2 < size) {
            return std::string(buffer.data(), read);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace vorlent::tool
