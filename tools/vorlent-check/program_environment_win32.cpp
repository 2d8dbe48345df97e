#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>

#include <memory>

#include "program_environment.h"
#include "wide_text_win32.h"

namespace vorlent::tool {
namespace {

struct CloseHandleDeleter {
    void operator()(HANDLE handle) const noexcept { ::CloseHandle(handle); }
};
using OwnedHandle = std::unique_ptr<void, CloseHandleDeleter>;

struct LocalFreeDeleter {
    void operator()(LPWSTR* block) const noexcept { ::LocalFree(block); }
};

HANDLE StreamHandle(Stream stream) {
    return ::GetStdHandle(stream == Stream::kOut ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

void WriteAll(HANDLE handle, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!::WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written,
                         nullptr) ||
            written == 0) {
            return;
        }
        bytes.remove_prefix(written);
    }
}

}  // namespace

std::vector<std::string> CommandLineArguments(int, char**) {
    int count = 0;
    const std::unique_ptr<LPWSTR, LocalFreeDeleter> arguments(
        ::CommandLineToArgvW(::GetCommandLineW(), &count));
    std::vector<std::string> result;
    if (arguments == nullptr) {
        return result;
    }
    for (int i = 1; i < count; ++i) {
        result.push_back(Utf8FromWide(arguments.get()[i]));
    }
    return result;
}

std::string ExecutableFolder() {
    std::wstring path(kLongestPath, L'\0');
    const DWORD length = ::GetModuleFileNameW(nullptr, path.data(), kLongestPath);
    if (length == 0 || length >= kLongestPath) {
        return {};
    }
    path.resize(length);
    const std::size_t separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? std::string()
                                           : Utf8FromWide(path.substr(0, separator));
}

std::string FileInFolder(const std::string& folder, std::string_view name) {
    return folder + "\\" + std::string(name);
}

// The plug-in's texts are Japanese and read in the ANSI code page, so a
// system with code page 932 is taken as a Japanese reader's even when its
// display language is another.
Language UserLanguage() {
    if (PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_JAPANESE || ::GetACP() == 932) {
        return Language::kJapanese;
    }
    return Language::kEnglish;
}

bool WriteToConsole(Stream stream, std::string_view utf8) {
    const HANDLE handle = StreamHandle(stream);
    DWORD mode = 0;
    if (!::GetConsoleMode(handle, &mode)) {
        return false;
    }
    // The console shows every character it has a glyph for, whatever its
    // code page, when it is given UTF-16.
    const std::wstring text = WideFromUtf8(utf8);
    std::wstring_view wide = text;
    while (!wide.empty()) {
        DWORD written = 0;
        if (!::WriteConsoleW(handle, wide.data(), static_cast<DWORD>(wide.size()), &written,
                             nullptr) ||
            written == 0) {
            break;
        }
        wide.remove_prefix(written);
    }
    return true;
}

void WriteBytes(Stream stream, std::string_view bytes) {
    std::string withCrLf;
    withCrLf.reserve(bytes.size() + bytes.size() / 16);
    for (const char byte : bytes) {
        if (byte == '\n') {
            withCrLf += '\r';
        }
        withCrLf += byte;
    }
    WriteAll(StreamHandle(stream), withCrLf);
}

// A console that lists this process alone was made for it: the program was
// started from the desktop, not from a command prompt, whose own process
// shares the console ("GetConsoleProcessList" in the Windows documentation).
bool OwnsItsConsole() {
    DWORD processes[2];
    return ::GetConsoleProcessList(processes, 2) == 1;
}

// Reads the console itself, not standard input, which a launcher may have
// pointed elsewhere.
void WaitForEnter() {
    const HANDLE console =
        ::CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (console == INVALID_HANDLE_VALUE) {
        return;
    }
    const OwnedHandle input(console);
    ::SetConsoleMode(input.get(), ENABLE_LINE_INPUT | ENABLE_ECHO_INPUT | ENABLE_PROCESSED_INPUT);
    wchar_t buffer[64];
    for (;;) {
        DWORD read = 0;
        if (!::ReadConsoleW(input.get(), buffer, 64, &read, nullptr) || read == 0) {
            return;
        }
        if (std::wstring_view(buffer, read).find_first_of(L"\r\n") != std::wstring_view::npos) {
            return;
        }
    }
}

}  // namespace vorlent::tool
