#include "plugin/module_name.h"

namespace vorlent {

std::string ModuleBaseName(std::string_view path, LeadBytePredicate isLeadByte) {
    std::size_t nameStart = 0;
    std::size_t lastDot = std::string_view::npos;
    std::size_t i = 0;
    while (i < path.size()) {
        const char c = path[i];
        if (isLeadByte(static_cast<unsigned char>(c))) {
            // A lead byte at the very end stands alone.
            i += i + 1 < path.size() ? 2 : 1;
            continue;
        }
        if (c == '\\' || c == '/') {
            nameStart = i + 1;
            lastDot = std::string_view::npos;
        } else if (c == '.') {
            lastDot = i;
        }
        ++i;
    }
    const std::size_t nameEnd = lastDot != std::string_view::npos ? lastDot : path.size();
    return std::string(path.substr(nameStart, nameEnd - nameStart));
}

}  // namespace vorlent
