// Starts a console program the two ways a user does, so that a test can see
// whether it waits for Enter:
//
//   console_launcher RESULT_FILE OUTPUT_FILE own|shared PROGRAM [ARGUMENT]...
//
// own: in a console of its own, as Explorer starts a double-clicked program
// (CREATE_NEW_CONSOLE). shared: in this launcher's console, as a command
// prompt starts it. Standard output and standard error go to OUTPUT_FILE. If
// the program is still running after a while, Enter is typed into its console.
// RESULT_FILE gets one line: "ended-by-itself STATUS", "ended-after-enter
// STATUS" or "still-running". A file rather than standard output, because
// Wine's server keeps inherited pipes open.

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr DWORD kFirstWaitMs = 3000;
constexpr DWORD kAfterEnterWaitMs = 20000;

std::wstring Quoted(const std::wstring& argument) {
    if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
        return argument;
    }
    return L"\"" + argument + L"\"";
}

void TypeEnter(DWORD processId) {
    // Only a process attached to a console can write into its input.
    ::FreeConsole();
    if (!::AttachConsole(processId)) {
        return;
    }
    const HANDLE input =
        ::CreateFileW(L"CONIN$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                      nullptr, OPEN_EXISTING, 0, nullptr);
    if (input == INVALID_HANDLE_VALUE) {
        return;
    }
    INPUT_RECORD keys[2] = {};
    for (int i = 0; i < 2; ++i) {
        keys[i].EventType = KEY_EVENT;
        keys[i].Event.KeyEvent.bKeyDown = i == 0;
        keys[i].Event.KeyEvent.wRepeatCount = 1;
        keys[i].Event.KeyEvent.wVirtualKeyCode = VK_RETURN;
        keys[i].Event.KeyEvent.uChar.UnicodeChar = L'\r';
    }
    DWORD written = 0;
    ::WriteConsoleInputW(input, keys, 2, &written);
    ::CloseHandle(input);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 5) {
        std::fprintf(stderr,
                     "usage: console_launcher RESULT_FILE OUTPUT_FILE own|shared "
                     "PROGRAM [ARGUMENT]...\n");
        return 2;
    }
    const bool ownConsole = std::wstring(argv[3]) == L"own";
    if (!ownConsole) {
        ::AllocConsole();
    }
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    const HANDLE output = ::CreateFileW(argv[2], GENERIC_WRITE, FILE_SHARE_READ, &inheritable,
                                        CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (output == INVALID_HANDLE_VALUE) {
        return 2;
    }
    std::wstring commandLine;
    for (int i = 4; i < argc; ++i) {
        commandLine += (i > 4 ? L" " : L"") + Quoted(argv[i]);
    }
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = ownConsole ? nullptr : ::GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = output;
    startup.hStdError = output;
    PROCESS_INFORMATION process = {};
    if (!::CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE,
                          ownConsole ? CREATE_NEW_CONSOLE : 0, nullptr, nullptr, &startup,
                          &process)) {
        return 2;
    }
    ::CloseHandle(output);

    std::string result;
    DWORD status = 0;
    if (::WaitForSingleObject(process.hProcess, kFirstWaitMs) == WAIT_OBJECT_0) {
        ::GetExitCodeProcess(process.hProcess, &status);
        result = "ended-by-itself " + std::to_string(status);
    } else {
        TypeEnter(process.dwProcessId);
        if (::WaitForSingleObject(process.hProcess, kAfterEnterWaitMs) == WAIT_OBJECT_0) {
            ::GetExitCodeProcess(process.hProcess, &status);
            result = "ended-after-enter " + std::to_string(status);
        } else {
            ::TerminateProcess(process.hProcess, 3);
            result = "still-running";
        }
    }
    ::CloseHandle(process.hThread);
    ::CloseHandle(process.hProcess);

    if (std::FILE* file = ::_wfopen(argv[1], L"wb")) {
        std::fprintf(file, "%s\n", result.c_str());
        std::fclose(file);
    }
    return 0;
}
