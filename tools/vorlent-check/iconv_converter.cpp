#include "iconv_converter.h"

#include <stdexcept>
#include <string>
#include <vector>

namespace vorlent::tool {

IconvConverter::IconvConverter(const char* to, const char* from)
    : descriptor_(::iconv_open(to, from)) {
    if (descriptor_ == reinterpret_cast<iconv_t>(-1)) {
        throw std::runtime_error(std::string("no conversion from ") + from + " to " + to);
    }
}

IconvConverter::~IconvConverter() {
    ::iconv_close(descriptor_);
}

std::optional<std::string> IconvConverter::Convert(std::string_view text) const {
    ::iconv(descriptor_, nullptr, nullptr, nullptr, nullptr);
    // Four output bytes per input byte cover every conversion used here.
    std::vector<char> output(text.size() * 4 + 8);
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    if (::iconv(descriptor_, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1) ||
        ::iconv(descriptor_, nullptr, nullptr, &out, &outLeft) == static_cast<std::size_t>(-1)) {
        return std::nullopt;
    }
    return std::string(output.data(), out);
}

}  // namespace vorlent::tool
