#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "texts.h"

namespace vorlent::tool {

enum class OutputEncoding {
    kAuto,  // UTF-8 where the terminal shows UTF-8, else code page 932
    kCp932,
    kUtf8,
};

// How the bytes of a message file are read; the INI file is decided apart.
enum class MessageEncoding {
    kDetect,  // a byte order mark, else valid UTF-8 with non-ASCII, else code page 932
    kCp932,
    kUtf8,
    kUtf16LittleEndian,
    kUtf16BigEndian,
};

struct Options {
    std::optional<std::string> iniPath;  // else Vorlent.ini beside the program
    std::vector<std::string> messages;   // "-" is standard input
    bool verbose = false;
    // Message files split into lines at CR LF only, as the mail client hands
    // the body over, instead of at every CR LF, LF and CR.
    bool exactLineEnds = false;
    MessageEncoding messageEncoding = MessageEncoding::kDetect;
    OutputEncoding outputEncoding = OutputEncoding::kAuto;
    std::optional<Language> language;  // else the user's
    bool help = false;
    bool version = false;
};

struct ParsedOptions {
    Options options;
    std::optional<OptionError> error;  // empty when the command line is good
};

ParsedOptions ParseOptions(const std::vector<std::string>& arguments);

}  // namespace vorlent::tool
