#include "scenario.h"

#include <windows.h>

#include "results_log.h"

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsBlank(text[i])) {
            ++i;
        }
        const std::size_t start = i;
        while (i < text.size() && !IsBlank(text[i])) {
            ++i;
        }
        if (i > start) {
            words.push_back(text.substr(start, i - start));
        }
    }
    return words;
}

std::optional<ScenarioCommand> ParseLine(std::string line, int lineNumber) {
    if (!line.empty() && line.back() == '\r') {
        line.pop_back();
    }
    std::size_t start = 0;
    while (start < line.size() && IsBlank(line[start])) {
        ++start;
    }
    if (start == line.size() || line[start] == '#') {
        return std::nullopt;
    }
    std::size_t verbEnd = start;
    while (verbEnd < line.size() && !IsBlank(line[verbEnd])) {
        ++verbEnd;
    }
    std::size_t restStart = verbEnd;
    while (restStart < line.size() && IsBlank(line[restStart])) {
        ++restStart;
    }
    ScenarioCommand command;
    command.lineNumber = lineNumber;
    command.verb = line.substr(start, verbEnd - start);
    command.rest = line.substr(restStart);
    command.words = SplitWords(command.rest);
    return command;
}

}  // namespace

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    const UniqueHandle file(::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.Valid()) {
        return std::nullopt;
    }
    std::string content;
    char chunk[4096];
    DWORD read = 0;
    while (::ReadFile(file.Get(), chunk, sizeof chunk, &read, nullptr) && read > 0) {
        content.append(chunk, read);
    }
    return content;
}

std::optional<std::vector<ScenarioCommand>> ReadScenario(const std::wstring& path) {
    const std::optional<std::string> content = ReadWholeFile(path);
    if (!content) {
        return std::nullopt;
    }
    std::vector<ScenarioCommand> commands;
    std::size_t start = 0;
    int lineNumber = 0;
    while (start <= content->size()) {
        std::size_t end = content->find('\n', start);
        if (end == std::string::npos) {
            end = content->size();
        }
        ++lineNumber;
        if (auto command = ParseLine(content->substr(start, end - start), lineNumber)) {
            commands.push_back(std::move(*command));
        }
        start = end + 1;
    }
    return commands;
}
