#include <filesystem>
#include <system_error>

#include "executable_path.h"

namespace vorlent::tool {

std::string ExecutableFolder() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    return program.parent_path().string();
}

}  // namespace vorlent::tool
