#include "options.h"

namespace vorlent::tool {
namespace {

// The value of an option given as "--name value" or "--name=value"; nullopt
// when argument i is not that option.
std::optional<std::string> OptionValue(const std::vector<std::string>& arguments, std::size_t& i,
                                       std::string_view name, std::string& error) {
    const std::string& argument = arguments[i];
    if (argument == name) {
        if (i + 1 >= arguments.size()) {
            error = std::string(name) + " needs a value";
            return std::string();
        }
        return arguments[++i];
    }
    if (argument.starts_with(std::string(name) + "=")) {
        return argument.substr(name.size() + 1);
    }
    return std::nullopt;
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    bool onlyMessages = false;
    for (std::size_t i = 0; i < arguments.size() && parsed.error.empty(); ++i) {
        const std::string& argument = arguments[i];
        if (onlyMessages || argument == "-" || !argument.starts_with("-")) {
            options.messages.push_back(argument);
        } else if (argument == "--") {
            onlyMessages = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--verbose" || argument == "-v") {
            options.verbose = true;
        } else if (argument == "--utf8-input") {
            options.utf8Input = true;
        } else if (std::optional<std::string> ini =
                       OptionValue(arguments, i, "--ini", parsed.error)) {
            if (parsed.error.empty() && ini->empty()) {
                parsed.error = "--ini needs a file name";
            }
            options.iniPath = *ini;
        } else if (std::optional<std::string> encoding =
                       OptionValue(arguments, i, "--output-encoding", parsed.error)) {
            if (*encoding == "cp932") {
                options.outputEncoding = OutputEncoding::kCp932;
            } else if (*encoding == "utf8") {
                options.outputEncoding = OutputEncoding::kUtf8;
            } else if (parsed.error.empty()) {
                parsed.error = "--output-encoding takes cp932 or utf8, not '" + *encoding + "'";
            }
        } else {
            parsed.error = "unknown option '" + argument + "' (see --help)";
        }
    }
    return parsed;
}

std::string_view HelpText() {
    return R"(Usage: vorlent-check [OPTION]... [MESSAGE]...

Shows what the Vorlent plug-in would do when each MESSAGE is sent: every
warning it would raise, in order, with the check string, the line number and
the line. The check assumes OK is pressed each time; Cancel on any warning
stops the send there. MESSAGE is a file holding the body text as raw bytes,
or - for standard input. Without MESSAGE only the configuration is checked.

The configuration is read with the plug-in's own rules. Its encoding is
decided as the plug-in decides it and named: a file with a UTF-16 or UTF-8
byte order mark, or one that is UTF-8 throughout, is decoded and each item
turned into code page 932; any other file is read as code page 932. The
checker warns, with the line, about what cannot do what was meant: an empty
check string (it warns on every message), an empty ignore prefix (no line is
ever searched), an empty "Ignore From Line Prefix" item (nothing is
searched), an item holding CR LF, an item given twice, a quotation mark left
open, a key given twice, a second or misspelt section, a misspelt key, blanks
outside quotation marks around an item, a full-width or ideographic comma in
an item, a ; in a value, a value wholly in quotation marks, a check string
inside another, and an item left out because code page 932 lacks one of its
characters. It then lists the three sets in the byte order the plug-in holds
them in.

Options:
  --ini FILE            read the configuration from FILE
                        (default: Vorlent.ini beside this program)
  -v, --verbose         also show the lines that an ignore prefix skips, and
                        which prefix
  --utf8-input          the message files are UTF-8: convert them to code
                        page 932 first, as the mail client would hand the
                        text over (the INI file's encoding is detected)
  --output-encoding ENC show texts as cp932 (the bytes as stored) or utf8;
                        by default UTF-8 when the terminal uses UTF-8
  -h, --help            show this help

Texts are compared as bytes in code page 932 (Shift_JIS), as the plug-in
sees them. A warning marked "straddles" is found only across two characters,
from the second byte of a double-byte character on: the plug-in warns, but no
such text stands in the line.

Exit status: with message files, 0 when no warning would be raised, 1 when
one would; without message files, 0 when the configuration draws no warning,
1 when it does; 2 on a usage or input error (bad option, missing or
unreadable file).
)";
}

}  // namespace vorlent::tool
