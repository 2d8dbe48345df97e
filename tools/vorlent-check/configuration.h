#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "config/profile_reader.h"
#include "config/text_encoding.h"
#include "config/unicode_profile.h"

namespace vorlent::tool {

// One key of the configuration as the plug-in reads it.
struct ConfiguredKey {
    const char* key;
    // The value in the file's own encoding (code page 932, or UTF-8 for a
    // Unicode file), after the reader's processing.
    std::string value;
    ConfiguredList list;
};

// The whole configuration as the plug-in would load it, with the file's
// lines for warnings that name them.
struct CheckerConfiguration {
    text::TextEncoding encoding;
    ProfileCharset charset;
    std::vector<ProfileLine> lines;  // names and values in the file's own encoding
    ConfiguredKey checkStrings;
    ConfiguredKey ignorePrefixes;
    ConfiguredKey stopPrefixes;
};

// Reads a value of a file in the ANSI code page as the platform's reader does.
using AnsiProfileReader = std::function<std::string(const std::string& key)>;

// Decides the encoding as the plug-in does: a Unicode file is read by the
// shared reader, any other through readAnsi.
CheckerConfiguration ReadCheckerConfiguration(std::string_view fileBytes,
                                              const AnsiProfileReader& readAnsi);

// A name or value from the file as code page 932 bytes for display: a
// character the code page lacks is left out.
std::string Cp932ForDisplay(const CheckerConfiguration& configuration, std::string_view text);

}  // namespace vorlent::tool
