#include "temporary_file.h"

#include <chrono>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

namespace vorlent::tool {

TemporaryFile::TemporaryFile(std::string_view contents) {
    std::random_device random;
    const auto stamp = std::chrono::steady_clock::now().time_since_epoch().count();
    for (int attempt = 0; attempt < 16; ++attempt) {
        const std::filesystem::path candidate =
            std::filesystem::temp_directory_path() /
            ("vorlent-check-" + std::to_string(stamp) + "-" + std::to_string(random()) + ".ini");
        if (std::filesystem::exists(candidate)) {
            continue;
        }
        std::ofstream file(candidate, std::ios::binary);
        if (!file) {
            break;
        }
        path_ = candidate;
        file.write(contents.data(), static_cast<std::streamsize>(contents.size()));
        if (file.flush()) {
            return;
        }
        break;
    }
    if (!path_.empty()) {
        std::error_code ignored;
        std::filesystem::remove(path_, ignored);
    }
    throw std::runtime_error("cannot write a temporary file");
}

TemporaryFile::~TemporaryFile() {
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}

}  // namespace vorlent::tool
