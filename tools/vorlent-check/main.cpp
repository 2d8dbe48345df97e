// vorlent-check: a dry run of the plug-in's send-time check. See the help
// text in texts.cpp for what it does and how it is called.

#include <cstdio>
#include <exception>
#include <iostream>
#include <iterator>
#include <optional>
#include <string>
#include <variant>
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
#include "file_access.h"
#include "list_analysis.h"
#include "message_text.h"
#include "options.h"
#include "output.h"
#include "profile_source.h"
#include "program_environment.h"
#include "res/version.h"
#include "text_codec.h"
#include "texts.h"

namespace vorlent::tool {
namespace {

constexpr char kProgram[] = "vorlent-check: ";
constexpr char kIniName[] = "Vorlent.ini";

constexpr int kNoPrompt = 0;
constexpr int kPrompts = 1;
constexpr int kInputError = 2;
// Only the configuration checked: whether it drew a warning.
constexpr int kNoWarning = 0;
constexpr int kWarnings = 1;

// What one run has to say, and how it says it.
struct Report {
    const Texts& texts;
    const Output& output;
    const DisplayText& display;

    void Error(const std::string& text) const { output.ErrorLine(kProgram + text); }
    void Warning(std::string_view file, std::size_t line, const std::string& text) const {
        output.Line(texts.Warning(file, line, text));
    }
    std::string Item(std::string_view cp932) const { return texts.Quote(display.Item(cp932)); }
};

std::variant<std::string, FileProblem> ReadInput(const std::string& path) {
    if (path != "-") {
        return ReadWholeFile(path);
    }
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
#endif
    return std::string(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
}

std::string Utf8Of(char32_t codePoint) {
    std::u16string units;
    if (codePoint > 0xFFFF) {
        units += static_cast<char16_t>(0xD800 + ((codePoint - 0x10000) >> 10));
        units += static_cast<char16_t>(0xDC00 + ((codePoint - 0x10000) & 0x3FF));
    } else {
        units += static_cast<char16_t>(codePoint);
    }
    return text::EncodeUtf8(units);
}

std::string DescribeFinding(ListRole role, const ListFinding& finding, const Report& report) {
    const std::string shown = finding.item == 0 ? std::string() : report.Item(finding.text);
    switch (finding.problem) {
        case ListProblem::kEmptyItem:
            return report.texts.EmptyItem(role, finding.item);
        case ListProblem::kContainsCrLf:
            return report.texts.ItemHoldsCrLf(role, finding.item, shown);
        case ListProblem::kRepeats:
            return report.texts.ItemRepeats(role, finding.item, shown, finding.sameAs);
        case ListProblem::kQuoteLeftOpen:
            return report.texts.QuoteLeftOpen(role);
    }
    return {};
}

// Warns about the list's slips on the line of its value, lists the set and
// returns it.
StringSet ReportList(ListRole role, const ConfiguredKey& key,
                     const CheckerConfiguration& configuration, const std::string& iniName,
                     const Report& report, bool& anyWarning) {
    const ListAnalysis analysis = AnalyzeList(key.list, LeavesQuoteOpen(key.value));
    const std::size_t line = ValueLine(configuration, key.key);
    for (const ListFinding& finding : analysis.findings) {
        report.Warning(iniName, line, DescribeFinding(role, finding, report));
        anyWarning = true;
    }
    const StringSet set(analysis.items.begin(), analysis.items.end());
    report.output.Line(report.texts.ListHeading(role, set.size()));
    for (const ByteString& element : set) {
        report.output.Line("  " + report.Item(element));
    }
    return set;
}

// Returns whether the message prompts.
bool ReportMessage(const std::string& name, const MessageText& message,
                   const StringSet& checkStrings, const StringSet& ignorePrefixes,
                   const StringSet& stopPrefixes, const Options& options, const Report& report) {
    if (text::IsUnicode(message.encoding)) {
        report.output.Line(
            report.texts.MessageEncodingNote(name, report.texts.EncodingName(message.encoding)));
    }
    for (const MissingCharacter& missing : message.missing) {
        report.Warning(name, missing.lineNumber,
                       report.texts.MissingCharacter(Utf8Of(missing.codePoint),
                                                     text::CodePointName(missing.codePoint)));
    }

    const DryRun run = RunDryCheck(message.body, checkStrings, ignorePrefixes, stopPrefixes);
    // Prompts and skipped lines in the order of the text; a prompt comes
    // before a skipped line only when it stands in an earlier line.
    std::size_t skipped = options.verbose ? 0 : run.skipped.size();
    const auto reportSkippedBefore = [&](std::size_t lineNumber) {
        for (; skipped < run.skipped.size() && run.skipped[skipped].lineNumber < lineNumber;
             ++skipped) {
            const SkippedLine& line = run.skipped[skipped];
            report.output.Line(report.texts.Skipped(name, line.lineNumber,
                                                    report.display.Item(line.prefix),
                                                    report.display.Line(line.line)));
        }
    };
    for (const DryRunPrompt& prompt : run.prompts) {
        reportSkippedBefore(prompt.lineNumber);
        report.output.Line(report.texts.Prompt(name, prompt.lineNumber,
                                               report.display.Item(prompt.checkString),
                                               prompt.placement, report.display.Line(prompt.line)));
    }
    reportSkippedBefore(static_cast<std::size_t>(-1));
    if (run.stop) {
        report.output.Line(report.texts.SearchEnds(name, run.stop->lineNumber,
                                                   report.display.Item(run.stop->prefix),
                                                   report.display.Line(run.stop->line)));
        for (std::size_t i = 0; options.verbose && i < run.afterStop.size(); ++i) {
            report.output.Line(report.texts.NotSearched(name, run.stop->lineNumber + 1 + i,
                                                        report.display.Line(run.afterStop[i])));
        }
    }
    report.output.Line(report.texts.Verdict(name, run.prompts.size()));
    return !run.prompts.empty();
}

int Run(const Options& options, const Report& report) {
    std::string iniPath;
    if (options.iniPath) {
        iniPath = *options.iniPath;
    } else {
        const std::string folder = ExecutableFolder();
        if (folder.empty()) {
            report.Error(report.texts.NoProgramFolder());
            return kInputError;
        }
        iniPath = FileInFolder(folder, kIniName);
    }

    const std::variant<std::string, FileProblem> ini = ReadInput(iniPath);
    if (const FileProblem* problem = std::get_if<FileProblem>(&ini)) {
        report.Error(report.texts.File(*problem, iniPath));
        return kInputError;
    }
    // The INI file's encoding is decided as the plug-in decides it, whatever
    // the message files are in; a file in the ANSI code page goes through the
    // platform's reader, which must be able to name it.
    bool pathNamed = true;
    const CheckerConfiguration configuration = ReadCheckerConfiguration(
        std::get<std::string>(ini), [&iniPath, &pathNamed](const std::string& key) {
            std::optional<std::string> value = ReadProfileValue(iniPath, config::kSection, key);
            pathNamed = pathNamed && value.has_value();
            return value.value_or("");
        });
    if (!pathNamed) {
        report.Error(report.texts.File(FileProblem::kPathNotAnsi, iniPath));
        return kInputError;
    }

    report.output.Line(report.texts.Configuration(iniPath));
    report.output.Line(
        report.texts.ConfigurationEncoding(report.texts.EncodingName(configuration.encoding)));
    bool anyWarning = false;
    for (const ConfigWarning& warning : FindConfigWarnings(configuration)) {
        report.Warning(iniPath, warning.line,
                       DescribeConfigWarning(warning, report.display, report.texts));
        anyWarning = true;
    }
    const StringSet checkStrings = ReportList(ListRole::kCheckStrings, configuration.checkStrings,
                                              configuration, iniPath, report, anyWarning);
    const StringSet ignorePrefixes =
        ReportList(ListRole::kIgnorePrefixes, configuration.ignorePrefixes, configuration, iniPath,
                   report, anyWarning);
    const StringSet stopPrefixes = ReportList(ListRole::kStopPrefixes, configuration.stopPrefixes,
                                              configuration, iniPath, report, anyWarning);
    if (options.messages.empty()) {
        // Only the configuration: the status says whether it drew a warning.
        return anyWarning ? kWarnings : kNoWarning;
    }
    report.output.Line(report.texts.LineEndsNote(options.exactLineEnds));

    // A file that cannot be read is named, and the others are still checked.
    bool anyPrompt = false;
    bool anyError = false;
    for (const std::string& path : options.messages) {
        const std::string name = path == "-" ? report.texts.StandardInputName() : path;
        const std::variant<std::string, FileProblem> bytes = ReadInput(path);
        if (const FileProblem* problem = std::get_if<FileProblem>(&bytes)) {
            report.Error(report.texts.File(*problem, name));
            anyError = true;
            continue;
        }
        const MessageText message = PrepareMessage(std::get<std::string>(bytes),
                                                   options.messageEncoding, options.exactLineEnds);
        anyPrompt = ReportMessage(name, message, checkStrings, ignorePrefixes, stopPrefixes,
                                  options, report) ||
                    anyPrompt;
    }
    return anyError ? kInputError : anyPrompt ? kPrompts : kNoPrompt;
}

int Main(const std::vector<std::string>& arguments) {
    const ParsedOptions parsed = ParseOptions(arguments);
    const Options& options = parsed.options;
    const Texts texts(options.language.value_or(UserLanguage()));
    const TextCodec& codec = PlatformTextCodec();
    const bool utf8Output =
        options.outputEncoding == OutputEncoding::kUtf8 ||
        (options.outputEncoding == OutputEncoding::kAuto && codec.OutputIsUtf8());
    const Output output(utf8Output);
    const DisplayText display(codec);
    const Report report{texts, output, display};

    if (parsed.error) {
        report.Error(texts.Option(*parsed.error));
        return kInputError;
    }
    if (options.help) {
        output.Line(texts.Help().substr(0, texts.Help().size() - 1));
        return kNoPrompt;
    }
    if (options.version) {
        output.Line(texts.Version(VORLENT_VERSION_TEXT));
        return kNoPrompt;
    }
    // Started from the desktop, the window would close before anything could
    // be read.
    const bool ownConsole = OwnsItsConsole();
    const int status = Run(options, report);
    if (ownConsole) {
        output.Line("");
        output.Line(texts.PressEnter());
        WaitForEnter();
    }
    return status;
}

}  // namespace
}  // namespace vorlent::tool

int main(int argc, char** argv) {
    try {
        return vorlent::tool::Main(vorlent::tool::CommandLineArguments(argc, argv));
    } catch (const std::exception& error) {
        std::fflush(stdout);
        std::fprintf(stderr, "vorlent-check: %s\n", error.what());
        return vorlent::tool::kInputError;
    }
}
