#include <windows.h>

#include <vector>

#include "profile_source.h"

namespace vorlent::tool {

std::string ReadProfileValue(const std::string& iniPath, const std::string& section,
                             const std::string& key) {
    // The reader cuts a value that does not fit to size - 1 bytes without
    // saying so (size - 2 where the cut falls inside a double-byte
    // character), so only a shorter result is known to be whole: a full
    // buffer is read again with more room, as the plug-in does.
    std::vector<char> buffer(10000);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = ::GetPrivateProfileStringA(section.c_str(), key.c_str(), "",
                                                        buffer.data(), size, iniPath.c_str());
        if (length + 2 < size) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}

}  // namespace vorlent::tool
