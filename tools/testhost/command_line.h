#pragma once

#include <windows.h>

#include <optional>
#include <string>

// testhost SCENARIO RESULTS [--transcript FILE|-] [--hold MS] [--version TEXT]
//          [--timeout SECONDS] [--no-window]
struct CommandLine {
    std::wstring scenarioPath;
    std::wstring resultsPath;
    std::wstring transcriptPath;  // empty: none; "-": the console
    DWORD holdMilliseconds = 0;
    std::optional<std::string> versionText;
    DWORD timeoutMilliseconds = 30000;
    bool createWindow = true;
};

std::optional<CommandLine> ParseCommandLine(int argc, wchar_t** argv);

extern const char kUsage[];
