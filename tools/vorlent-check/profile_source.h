#pragma once

#include <optional>
#include <string>

namespace vorlent::tool {

// One value of a configuration file in the ANSI code page exactly as the
// plug-in receives it from the platform's profile reader, whole however long
// it is; the empty default when the file, the section or the key is missing.
// On Windows this is the platform's own reader; elsewhere the portable reader.
// A file in a Unicode encoding is not for this reader: the plug-in reads
// such a file itself. The path is UTF-8; nullopt when the plug-in could not
// name the file to the platform's reader, which takes paths in the ANSI code
// page only.
std::optional<std::string> ReadProfileValue(const std::string& iniPath, const std::string& section,
                                            const std::string& key);

}  // namespace vorlent::tool
