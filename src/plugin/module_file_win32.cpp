#include "plugin/module_file_win32.h"

#include <vector>

std::string GetModuleFilePath(HMODULE module) {
    // A cut path is not always NUL-terminated (Wine leaves it open), so only
    // the returned length counts, and a length that fills the buffer means the
    // path was cut: try again with more room.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD length =
            ::GetModuleFileNameA(module, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            return std::string(buffer.data(), length);
        }
        if (buffer.size() >= 32768) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
}
