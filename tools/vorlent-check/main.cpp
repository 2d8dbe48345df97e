// vorlent-check: a dry run of the plug-in's send-time check. See HelpText()
// in options.cpp for what it does and how it is called.

#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

#include "check/string_set.h"
#include "config/config_keys.h"
#include "config/text_encoding.h"
#include "config_warnings.h"
#include "configuration.h"
#include "display_text.h"
#include "dry_run.h"
#include "executable_path.h"
#include "list_analysis.h"
#include "options.h"
#include "profile_source.h"
#include "text_codec.h"

namespace vorlent::tool {
namespace {

constexpr char kProgram[] = "vorlent-check";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

constexpr int kNoPrompt = 0;
constexpr int kPrompts = 1;
constexpr int kInputError = 2;
// Only the configuration checked: whether it drew a warning.
constexpr int kNoWarning = 0;
constexpr int kWarnings = 1;

// A usage or input error: one line naming the file and the problem.
class InputError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

struct NamedText {
    std::string name;  // as the user gave it, for messages
    std::string bytes;
};

NamedText ReadInput(const std::string& path) {
    if (path == "-") {
#ifdef _WIN32
        _setmode(_fileno(stdin), _O_BINARY);
#endif
        return {"<stdin>", std::string(std::istreambuf_iterator<char>(std::cin),
                                       std::istreambuf_iterator<char>())};
    }
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        throw InputError(path + ": no such file");
    }
    if (std::filesystem::is_directory(status)) {
        throw InputError(path + ": is a folder, not a file");
    }
    std::ifstream file(path, std::ios::binary);
    if (!file.is_open()) {
        throw InputError(path + ": cannot be opened");
    }
    std::string bytes(std::istreambuf_iterator<char>(file), {});
    if (file.bad()) {
        throw InputError(path + ": cannot be read");
    }
    return {path, std::move(bytes)};
}

std::string ToCp932(const NamedText& input, const TextCodec& codec) {
    std::string_view text = input.bytes;
    if (text.starts_with(kUtf8ByteOrderMark)) {
        text.remove_prefix(kUtf8ByteOrderMark.size());
    }
    std::optional<std::string> converted = codec.Utf8ToCp932(text);
    if (!converted) {
        throw InputError(input.name +
                         ": not UTF-8 text, or holds a character that code page 932 lacks");
    }
    return std::move(*converted);
}

// Text in UTF-8 rather than code page 932 is the commonest slip with an
// editor of today; it is cheap to spot, since Japanese text in code page 932
// is almost never valid UTF-8.
std::optional<std::string> EncodingWarning(const NamedText& input, const TextCodec& codec) {
    if (std::string_view(input.bytes).starts_with(kUtf8ByteOrderMark)) {
        return input.name +
               " begins with a UTF-8 byte order mark: save it in code page 932 (Shift_JIS) "
               "without one";
    }
    bool hasNonAscii = false;
    for (const char byte : input.bytes) {
        hasNonAscii = hasNonAscii || static_cast<unsigned char>(byte) >= 0x80;
    }
    if (hasNonAscii && codec.Utf8ToCp932(input.bytes)) {
        return input.name +
               " looks like UTF-8 text, but the plug-in reads code page 932 (Shift_JIS): save it "
               "in that encoding, or check it as meant with --utf8-input";
    }
    return std::nullopt;
}

enum class ListKind { kCheckStrings, kIgnorePrefixes, kStopPrefixes };

std::string DescribeFinding(ListKind kind, const char* keyName, const ListFinding& finding,
                            const DisplayText& display) {
    const bool checks = kind == ListKind::kCheckStrings;
    const std::string key = std::string("\"") + keyName + '"';
    const std::string item = key + " item " + std::to_string(finding.item);
    const std::string shown =
        finding.item == 0 ? std::string() : item + " " + display.Quoted(finding.text);
    switch (finding.problem) {
        case ListProblem::kEmptyItem:
            switch (kind) {
                case ListKind::kCheckStrings:
                    return item +
                           " is empty: it is found in the first searched line of every "
                           "message, so every send prompts";
                case ListKind::kIgnorePrefixes:
                    return item +
                           " is empty: every line begins with it, so no line is ever searched";
                case ListKind::kStopPrefixes:
                    return item +
                           " is empty: the first line begins with it and ends the search, so "
                           "nothing is ever searched";
            }
            return {};
        case ListProblem::kContainsCrLf:
            return shown +
                   " holds CR LF: " + (checks ? "it is never found" : "no line begins with it") +
                   ", since the body is split into lines at CR LF";
        case ListProblem::kRepeats:
            return shown + " repeats item " + std::to_string(finding.sameAs) +
                   ": the set keeps it once";
        case ListProblem::kQuoteLeftOpen:
            return key +
                   " leaves a quotation mark open: the rest of the value, commas included, "
                   "belongs to its last item";
    }
    return {};
}

struct ListReport {
    ListKind kind;
    const ConfiguredKey& key;
    const char* name;  // of the set, for the listing
};

// A warning on the line it concerns, as compilers write it.
void PrintWarning(const std::string& iniName, std::size_t line, const std::string& text) {
    std::cout << iniName;
    if (line != 0) {
        std::cout << ':' << line;
    }
    std::cout << ": warning: " << text << '\n';
}

StringSet ReportList(const ListReport& report, const CheckerConfiguration& configuration,
                     const std::string& iniName, const DisplayText& display, bool& anyWarning) {
    const ListAnalysis analysis = AnalyzeList(report.key.list, LeavesQuoteOpen(report.key.value));
    const std::size_t line = ValueLine(configuration, report.key.key);
    for (const ListFinding& finding : analysis.findings) {
        PrintWarning(iniName, line, DescribeFinding(report.kind, report.key.key, finding, display));
        anyWarning = true;
    }
    const StringSet set(analysis.items.begin(), analysis.items.end());
    if (set.empty()) {
        std::cout << report.name << ": none\n";
    } else {
        std::cout << report.name << " (" << set.size()
                  << ", in the byte order the plug-in keeps):\n";
        for (const ByteString& element : set) {
            std::cout << "  " << display.Quoted(element) << '\n';
        }
    }
    return set;
}

bool ReportMessage(const NamedText& message, const StringSet& checkStrings,
                   const StringSet& ignorePrefixes, const Options& options,
                   const DisplayText& display) {
    const DryRun run = RunDryCheck(message.bytes, checkStrings, ignorePrefixes);
    std::size_t skipped = 0;
    for (const DryRunPrompt& prompt : run.prompts) {
        // Skipped lines before this prompt's line come first, so that the
        // report reads in the order of the text.
        while (options.verbose && skipped < run.skipped.size() &&
               run.skipped[skipped].lineNumber < prompt.lineNumber) {
            const SkippedLine& line = run.skipped[skipped++];
            std::cout << message.name << ':' << line.lineNumber
                      << ": skipped, begins with ignore prefix " << display.Quoted(line.prefix)
                      << ": " << display.Line(line.line) << '\n';
        }
        std::cout << message.name << ':' << prompt.lineNumber << ": prompt "
                  << display.Quoted(prompt.checkString)
                  << (prompt.straddles ? " (straddles two characters: no such text stands in "
                                         "the line)"
                                       : "")
                  << ": " << display.Line(prompt.line) << '\n';
    }
    while (options.verbose && skipped < run.skipped.size()) {
        const SkippedLine& line = run.skipped[skipped++];
        std::cout << message.name << ':' << line.lineNumber
                  << ": skipped, begins with ignore prefix " << display.Quoted(line.prefix) << ": "
                  << display.Line(line.line) << '\n';
    }
    if (run.prompts.empty()) {
        std::cout << message.name << ": no prompt, the message would be sent\n";
    } else {
        std::cout << message.name << ": " << run.prompts.size()
                  << (run.prompts.size() == 1 ? " prompt" : " prompts")
                  << "; Cancel on any of them stops the send\n";
    }
    return !run.prompts.empty();
}

int Run(const std::vector<std::string>& arguments) {
    const ParsedOptions parsed = ParseOptions(arguments);
    if (!parsed.error.empty()) {
        throw InputError(parsed.error);
    }
    const Options& options = parsed.options;
    if (options.help) {
        std::cout << HelpText();
        return kNoPrompt;
    }

    std::string iniPath;
    if (options.iniPath) {
        iniPath = *options.iniPath;
    } else {
        const std::string folder = ExecutableFolder();
        if (folder.empty()) {
            throw InputError("cannot tell this program's folder: name the INI file with --ini");
        }
        iniPath = (std::filesystem::path(folder) / "Vorlent.ini").string();
    }

    // Every input is read before anything is reported, so that a bad one
    // gives only its one-line error.
    const TextCodec& codec = PlatformTextCodec();
    const NamedText ini = ReadInput(iniPath);
    std::vector<NamedText> messages;
    for (const std::string& path : options.messages) {
        NamedText message = ReadInput(path);
        if (options.utf8Input) {
            message.bytes = ToCp932(message, codec);
        }
        messages.push_back(std::move(message));
    }
    // The INI file's encoding is decided as the plug-in decides it, whatever
    // the message files are in.
    const CheckerConfiguration configuration =
        ReadCheckerConfiguration(ini.bytes, [&iniPath](const std::string& key) {
            return ReadProfileValue(iniPath, config::kSection, key);
        });

    const bool utf8Output =
        options.outputEncoding == OutputEncoding::kUtf8 ||
        (options.outputEncoding == OutputEncoding::kAuto && codec.OutputIsUtf8());
    const DisplayText display(codec, utf8Output);

    std::cout << "configuration: " << iniPath << '\n';
    std::cout << "configuration encoding: " << text::TextEncodingName(configuration.encoding)
              << '\n';
    bool anyWarning = false;
    for (const ConfigWarning& warning : FindConfigWarnings(configuration)) {
        PrintWarning(ini.name, warning.line, DescribeConfigWarning(warning, display));
        anyWarning = true;
    }
    const StringSet checkStrings =
        ReportList({ListKind::kCheckStrings, configuration.checkStrings, "check strings"},
                   configuration, ini.name, display, anyWarning);
    const StringSet ignorePrefixes =
        ReportList({ListKind::kIgnorePrefixes, configuration.ignorePrefixes, "ignore prefixes"},
                   configuration, ini.name, display, anyWarning);
    ReportList({ListKind::kStopPrefixes, configuration.stopPrefixes, "stop prefixes"},
               configuration, ini.name, display, anyWarning);
    if (messages.empty()) {
        std::cout.flush();
        return anyWarning ? kWarnings : kNoWarning;
    }

    bool anyPrompt = false;
    for (const NamedText& message : messages) {
        if (!options.utf8Input) {
            if (const std::optional<std::string> warning = EncodingWarning(message, codec)) {
                std::cout << "warning: " << *warning << '\n';
            }
        }
        anyPrompt =
            ReportMessage(message, checkStrings, ignorePrefixes, options, display) || anyPrompt;
    }
    std::cout.flush();
    return anyPrompt ? kPrompts : kNoPrompt;
}

}  // namespace
}  // namespace vorlent::tool

int main(int argc, char** argv) {
    try {
        return vorlent::tool::Run(std::vector<std::string>(argv + 1, argv + argc));
    } catch (const std::exception& error) {
        std::cout.flush();
        std::cerr << vorlent::tool::kProgram << ": " << error.what() << '\n';
        return vorlent::tool::kInputError;
    }
}
