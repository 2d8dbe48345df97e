// The portable profile reader on any file: it must not fail, what it finds
// can only come from the file, and names are found whatever their ASCII
// letter case, as the platform's reader finds them.

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "config/profile_reader.h"
#include "config/text_encoding.h"

namespace {

std::string FlipAsciiCase(std::string_view name) {
    std::string flipped(name);
    for (char& c : flipped) {
        const auto byte = static_cast<unsigned char>(c);
        if (std::islower(byte)) {
            c = static_cast<char>(std::toupper(byte));
        } else if (std::isupper(byte)) {
            c = static_cast<char>(std::tolower(byte));
        }
    }
    return flipped;
}

[[noreturn]] void Fail(const char* what) {
    std::fprintf(stderr, "%s\n", what);
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // The first line names the key to look up; the rest is the file.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t newline = input.find('\n');
    const std::string_view key = input.substr(0, newline == std::string_view::npos ? 0 : newline);
    const std::string_view file =
        newline == std::string_view::npos ? input : input.substr(newline + 1);

    // A Unicode file is read as UTF-8 under the same rules.
    const vorlent::text::DetectedText detected = vorlent::text::DetectTextEncoding(file);
    std::string utf8;
    std::string_view body = detected.body;
    vorlent::ProfileCharset charset = vorlent::ProfileCharset::kCodePage932;
    if (const auto decoded = vorlent::text::DecodeUnicode(detected.encoding, detected.body)) {
        utf8 = vorlent::text::EncodeUtf8(*decoded);
        body = utf8;
        charset = vorlent::ProfileCharset::kUtf8;
    }
    // A trail byte of a double-byte character may look like an ASCII letter
    // without being one, so letter case is only played with on ASCII names.
    const bool asciiKey = std::all_of(key.begin(), key.end(),
                                      [](char c) { return static_cast<unsigned char>(c) < 0x80; });
    for (const std::string_view section : {std::string_view("Config"), key}) {
        const std::optional<std::string> value =
            vorlent::FindProfileValue(body, section, key, charset);
        if (value && value->size() > body.size()) {
            Fail("a value longer than the file it was read from");
        }
        if (asciiKey && vorlent::FindProfileValue(body, FlipAsciiCase(section), FlipAsciiCase(key),
                                                  charset) != value) {
            Fail("names in another letter case find another value");
        }
    }
    return 0;
}
