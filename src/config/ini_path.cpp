#include "config/ini_path.h"

namespace vorlent {

std::optional<std::string> IniPathForModule(std::string_view modulePath) {
    constexpr std::string_view kExtension = ".ini";

    std::string path(modulePath);
    const std::size_t lastDot = path.rfind('.');
    if (lastDot != std::string::npos) {
        path.resize(lastDot);
    }
    path += kExtension;
    if (path.size() + 1 > kMaxPathBytes) {
        return std::nullopt;
    }
    return path;
}

}  // namespace vorlent
