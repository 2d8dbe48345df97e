#include <windows.h>

#include <memory>

#include "file_access.h"
#include "wide_text_win32.h"

namespace vorlent::tool {
namespace {

struct CloseHandleDeleter {
    void operator()(HANDLE handle) const noexcept { ::CloseHandle(handle); }
};

}  // namespace

std::variant<std::string, FileProblem> ReadWholeFile(const std::string& path) {
    const std::wstring widePath = WideFromUtf8(path);
    const DWORD attributes = ::GetFileAttributesW(widePath.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                       error == ERROR_INVALID_NAME
                   ? FileProblem::kMissing
                   : FileProblem::kCannotOpen;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        return FileProblem::kFolder;
    }
    const HANDLE opened = ::CreateFileW(widePath.c_str(), GENERIC_READ,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                        nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (opened == INVALID_HANDLE_VALUE) {
        return FileProblem::kCannotOpen;
    }
    const std::unique_ptr<void, CloseHandleDeleter> file(opened);
    std::string bytes;
    char buffer[65536];
    for (;;) {
        DWORD read = 0;
        if (!::ReadFile(opened, buffer, sizeof buffer, &read, nullptr)) {
            return FileProblem::kCannotRead;
        }
        if (read == 0) {
            return bytes;
        }
        bytes.append(buffer, read);
    }
}

}  // namespace vorlent::tool
