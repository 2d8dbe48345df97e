#include <windows.h>

#include <vector>

#include "executable_path.h"

namespace vorlent::tool {

std::string ExecutableFolder() {
    // A cut path is not always NUL-terminated (Wine leaves it open), so only
    // the returned length counts, and a full buffer is read again with more room.
    std::vector<char> buffer(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) {
            return {};
        }
        if (length < buffer.size()) {
            break;
        }
        if (buffer.size() >= 32768) {
            return {};
        }
        buffer.resize(buffer.size() * 2);
    }
    std::string path(buffer.data(), length);
    const std::size_t separator = path.find_last_of("\\/");
    return separator == std::string::npos ? std::string() : path.substr(0, separator);
}

}  // namespace vorlent::tool
