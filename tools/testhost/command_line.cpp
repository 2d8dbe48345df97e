#include "command_line.h"

#include <cwchar>
#include <string_view>

#include "text_encoding.h"
#include "wide_text_win32.h"

const char kUsage[] =
    "usage: testhost SCENARIO RESULTS [--transcript FILE|-] [--hold MS] [--version TEXT]\n"
    "                [--timeout SECONDS] [--no-window]\n";

namespace {

std::optional<DWORD> ParseNumber(const wchar_t* text) {
    wchar_t* end = nullptr;
    const unsigned long value = std::wcstoul(text, &end, 10);
    if (end == text || *end != L'\0') {
        return std::nullopt;
    }
    return static_cast<DWORD>(value);
}

}  // namespace

std::optional<CommandLine> ParseCommandLine(int argc, wchar_t** argv) {
    CommandLine line;
    int positional = 0;
    for (int i = 1; i < argc; ++i) {
        const std::wstring_view argument = argv[i];
        const bool hasValue = i + 1 < argc;
        if (argument == L"--no-window") {
            line.createWindow = false;
        } else if (argument == L"--transcript" && hasValue) {
            line.transcriptPath = argv[++i];
        } else if (argument == L"--version" && hasValue) {
            const std::wstring_view version = argv[++i];
            line.versionText = vorlent::tool::Utf8FromWide(version);
        } else if (argument == L"--hold" && hasValue) {
            const auto hold = ParseNumber(argv[++i]);
            if (!hold) {
                return std::nullopt;
            }
            line.holdMilliseconds = *hold;
        } else if (argument == L"--timeout" && hasValue) {
            const auto seconds = ParseNumber(argv[++i]);
            if (!seconds) {
                return std::nullopt;
            }
            line.timeoutMilliseconds = *seconds * 1000;
        } else if (argument.starts_with(L"--")) {
            return std::nullopt;
        } else if (positional == 0) {
            line.scenarioPath = argument;
            ++positional;
        } else if (positional == 1) {
            line.resultsPath = argument;
            ++positional;
        } else {
            return std::nullopt;
        }
    }
    if (positional != 2) {
        return std::nullopt;
    }
    return line;
}
