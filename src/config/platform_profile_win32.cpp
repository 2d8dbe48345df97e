#include "config/platform_profile_win32.h"

#include <windows.h>

#include <vector>

std::string ReadPlatformProfileValue(const char* section, const char* key, const char* path) {
    // The reader cuts a value that does not fit to size - 1 bytes without
    // saying so, so a full buffer is read again with more room: a cut item
    // would be a check string nobody wrote.
    std::vector<char> buffer(10000);
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length =
            ::GetPrivateProfileStringA(section, key, "", buffer.data(), size, path);
        // A cut value ends one byte short of the buffer, or two where the cut
        // fell inside a double-byte character; only less than that is whole.
        if (length + 2 < size) {
            return std::string(buffer.data(), length);
        }
        buffer.resize(buffer.size() * 2);
    }
}
