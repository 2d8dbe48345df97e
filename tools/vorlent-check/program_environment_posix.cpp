#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "program_environment.h"

namespace vorlent::tool {

std::vector<std::string> CommandLineArguments(int argc, char** argv) {
    return std::vector<std::string>(argv + 1, argv + argc);
}

std::string ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return program.parent_path().string();
}

std::string FileInFolder(const std::string& folder, std::string_view name) {
    return (std::filesystem::path(folder) / name).string();
}

// The locale variables in the order the C library consults them for the
// language of messages.
Language UserLanguage() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            return std::string_view(value).starts_with("ja") ? Language::kJapanese
                                                             : Language::kEnglish;
        }
    }
    return Language::kEnglish;
}

bool WriteToConsole(Stream, std::string_view) {
    return false;  // a terminal takes bytes like any file
}

void WriteBytes(Stream stream, std::string_view bytes) {
    std::FILE* file = stream == Stream::kOut ? stdout : stderr;
    if (stream == Stream::kError) {
        std::fflush(stdout);
    }
    std::fwrite(bytes.data(), 1, bytes.size(), file);
    if (stream == Stream::kError) {
        std::fflush(stderr);
    }
}

bool OwnsItsConsole() {
    return false;
}

void WaitForEnter() {}

}  // namespace vorlent::tool
