#include "options.h"

#include <utility>

namespace vorlent::tool {
namespace {

// The value of an option given as "--name value" or "--name=value"; nullopt
// when argument i is not that option.
std::optional<std::string> OptionValue(const std::vector<std::string>& arguments, std::size_t& i,
                                       std::string_view name, std::optional<OptionError>& error) {
    const std::string& argument = arguments[i];
    if (argument == name) {
        if (i + 1 >= arguments.size()) {
            error = OptionError{OptionProblem::kNeedsValue, std::string(name), {}, {}};
            return std::string();
        }
        return arguments[++i];
    }
    if (argument.starts_with(std::string(name) + "=")) {
        return argument.substr(name.size() + 1);
    }
    return std::nullopt;
}

// The choice named by value, or an error that lists the names.
template <typename Choice>
void Choose(const std::vector<std::pair<std::string_view, Choice>>& choices, std::string_view name,
            const std::string& value, Choice& chosen, std::optional<OptionError>& error) {
    if (error) {
        return;
    }
    std::string names;
    for (const auto& [choiceName, choice] : choices) {
        if (value == choiceName) {
            chosen = choice;
            return;
        }
        names += names.empty() ? "" : "|";
        names += choiceName;
    }
    error = OptionError{OptionProblem::kBadValue, std::string(name), value, names};
}

}  // namespace

ParsedOptions ParseOptions(const std::vector<std::string>& arguments) {
    ParsedOptions parsed;
    Options& options = parsed.options;
    std::optional<OptionError>& error = parsed.error;
    bool onlyMessages = false;
    for (std::size_t i = 0; i < arguments.size() && !error; ++i) {
        const std::string& argument = arguments[i];
        if (onlyMessages || argument == "-" || (!argument.starts_with("-") && argument != "/?")) {
            options.messages.push_back(argument);
        } else if (argument == "--") {
            onlyMessages = true;
        } else if (argument == "--help" || argument == "-h" || argument == "/?") {
            options.help = true;
        } else if (argument == "--version") {
            options.version = true;
        } else if (argument == "--verbose" || argument == "-v") {
            options.verbose = true;
        } else if (argument == "--exact-line-ends") {
            options.exactLineEnds = true;
        } else if (std::optional<std::string> ini = OptionValue(arguments, i, "--ini", error)) {
            if (!error && ini->empty()) {
                error = OptionError{OptionProblem::kNeedsValue, "--ini", {}, {}};
            }
            options.iniPath = *ini;
        } else if (std::optional<std::string> encoding =
                       OptionValue(arguments, i, "--message-encoding", error)) {
            Choose<MessageEncoding>({{"auto", MessageEncoding::kDetect},
                                     {"cp932", MessageEncoding::kCp932},
                                     {"utf8", MessageEncoding::kUtf8},
                                     {"utf16le", MessageEncoding::kUtf16LittleEndian},
                                     {"utf16be", MessageEncoding::kUtf16BigEndian}},
                                    "--message-encoding", *encoding, options.messageEncoding,
                                    error);
        } else if (std::optional<std::string> encoding =
                       OptionValue(arguments, i, "--output-encoding", error)) {
            Choose<OutputEncoding>(
                {{"cp932", OutputEncoding::kCp932}, {"utf8", OutputEncoding::kUtf8}},
                "--output-encoding", *encoding, options.outputEncoding, error);
        } else if (std::optional<std::string> language =
                       OptionValue(arguments, i, "--lang", error)) {
            Language chosen = Language::kEnglish;
            Choose<Language>({{"ja", Language::kJapanese}, {"en", Language::kEnglish}}, "--lang",
                             *language, chosen, error);
            options.language = chosen;
        } else {
            error = OptionError{OptionProblem::kUnknown, argument, {}, {}};
        }
    }
    return parsed;
}

}  // namespace vorlent::tool
