#pragma once

#include <optional>
#include <string>
#include <vector>

// One line of a scenario: a verb and what follows it. Blank lines and lines
// starting with '#' are not commands.
struct ScenarioCommand {
    int lineNumber = 0;
    std::string verb;
    std::string rest;                // the rest of the line as written, CR dropped
    std::vector<std::string> words;  // the rest split at blanks
};

// Reads a scenario file (UTF-8 for paths and notes, anything else as hex).
std::optional<std::vector<ScenarioCommand>> ReadScenario(const std::wstring& path);

// The whole content of a file; nullopt if it cannot be read.
std::optional<std::string> ReadWholeFile(const std::wstring& path);
