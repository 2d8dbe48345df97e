#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vorlent::tool {

enum class OutputEncoding {
    kAuto,   // UTF-8 where the terminal shows UTF-8, else the bytes as stored
    kCp932,  // the bytes as stored
    kUtf8,
};

struct Options {
    std::optional<std::string> iniPath;  // else Vorlent.ini beside the program
    std::vector<std::string> messages;   // "-" is standard input
    bool verbose = false;
    bool utf8Input = false;
    OutputEncoding outputEncoding = OutputEncoding::kAuto;
    bool help = false;
};

struct ParsedOptions {
    Options options;
    std::string error;  // empty when the command line is good
};

ParsedOptions ParseOptions(const std::vector<std::string>& arguments);

std::string_view HelpText();

}  // namespace vorlent::tool
