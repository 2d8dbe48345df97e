#include <windows.h>

#include <vector>

#include "config/platform_profile_win32.h"
#include "profile_source.h"

namespace vorlent::tool {

namespace {

// The platform looks for a file name without a folder in the Windows folder,
// not the current one, so a name given on the command line is made full first.
std::string FullPath(const std::string& path) {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length = ::GetFullPathNameA(path.c_str(), static_cast<DWORD>(buffer.size()),
                                                buffer.data(), nullptr);
        if (length == 0) {
            return path;
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(length + 1);
    }
}

}  // namespace

std::string ReadProfileValue(const std::string& iniPath, const std::string& section,
                             const std::string& key) {
    return ReadPlatformProfileValue(section.c_str(), key.c_str(), FullPath(iniPath).c_str());
}

}  // namespace vorlent::tool
