#include "output.h"

#include <algorithm>
#include <optional>
#include <string>

namespace vorlent::tool {
namespace {

// The length of the UTF-8 sequence that a byte starts; 1 for a stray byte.
std::size_t SequenceLength(unsigned char byte) {
    if (byte >= 0xF0 && byte <= 0xF4) {
        return 4;
    }
    if (byte >= 0xE0) {
        return byte <= 0xEF ? 3 : 1;
    }
    return byte >= 0xC2 ? 2 : 1;
}

}  // namespace

std::string Utf8ToCp932ForDisplay(std::string_view utf8, const TextCodec& codec) {
    if (std::optional<std::string> whole = codec.Utf8ToCp932(utf8)) {
        return std::move(*whole);
    }
    std::string shown;
    for (std::size_t at = 0; at < utf8.size();) {
        const std::size_t length =
            std::min(SequenceLength(static_cast<unsigned char>(utf8[at])), utf8.size() - at);
        shown += codec.Utf8ToCp932(utf8.substr(at, length)).value_or("?");
        at += length;
    }
    return shown;
}

void Output::Print(Stream stream, std::string_view utf8) const {
    std::string line(utf8);
    line += '\n';
    if (!WriteToConsole(stream, line)) {
        WriteBytes(stream, utf8_ ? line : Utf8ToCp932ForDisplay(line, codec_));
    }
}

}  // namespace vorlent::tool
