#include <windows.h>

#include <vector>

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
    const std::string fullPath = FullPath(iniPath);
    // The reader cuts a value that does not fit to size - 1 bytes without
    // saying so (size - 2 where the cut falls inside a double-byte
    // character), so only a shorter result is known to be whole: a full
    // buffer is read again with more room, as the plug-in does.
    std::vector<char> buffer(10000);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "",
                                                        buffer.data(), size, fullPath.c_str());
        if (length + 2 < size) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace vorlent::tool
