#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "file_access.h"

namespace vorlent::tool {

std::variant<std::string, FileProblem> ReadWholeFile(const std::string& path) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        return FileProblem::kMissing;
    }
    if (std::filesystem::is_directory(status)) {
        return FileProblem::kFolder;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        return FileProblem::kCannotOpen;
    }
    std::string bytes(std::istreambuf_iterator<char>(file), {});
    if (file.bad()) {
        return FileProblem::kCannotRead;
    }
    return bytes;
}

}  // namespace vorlent::tool
