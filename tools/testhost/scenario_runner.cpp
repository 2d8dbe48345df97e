#include "scenario_runner.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>

#include "event_line.h"
#include "host_state.h"
#include "process_usage.h"
#include "results_log.h"
#include "stdcall_invoke.h"
#include "text_encoding.h"
#include "wide_text_win32.h"

namespace {

constexpr std::size_t kDefaultRecordSize = 512;
constexpr unsigned char kDefaultRecordFill = 0xA5;

// The host's information record: fixed-width fields at these offsets.
constexpr std::size_t kInfoFieldOffsets[] = {0, 80, 160, 240};
constexpr const char* kInfoFieldNames[] = {"name", "vendor", "version", "description"};

std::string FileNameOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

void TranscribeRecord(const std::vector<char>& record) {
    for (std::size_t i = 0; i < std::size(kInfoFieldOffsets); ++i) {
        const std::size_t offset = kInfoFieldOffsets[i];
        if (offset >= record.size()) {
            break;
        }
        const char* const field = record.data() + offset;
        const std::size_t length = strnlen(field, record.size() - offset);
        Log().Say(std::string("   ") + kInfoFieldNames[i] + ": " +
                  Utf8FromAnsi(std::string_view(field, length)));
    }
}

std::string ResultMeaning(const std::string& name, int value) {
    if (name == "BKC_OnOutgoing") {
        return value == 0 ? " (the send goes ahead)" : value == -1 ? " (the send is stopped)" : "";
    }
    return "";
}

}  // namespace

const ScenarioRunner::Verb ScenarioRunner::kVerbs[] = {
    {"version", &ScenarioRunner::Version},
    {"body-hex", &ScenarioRunner::BodyHex},
    {"body-file", &ScenarioRunner::BodyFile},
    {"body-null", &ScenarioRunner::BodyNull},
    {"answer", &ScenarioRunner::Answer},
    {"answers-clear", &ScenarioRunner::AnswersClear},
    {"hold", &ScenarioRunner::Hold},
    {"popup", &ScenarioRunner::Popup},
    {"popup-close", &ScenarioRunner::PopupClose},
    {"load", &ScenarioRunner::Load},
    {"unload", &ScenarioRunner::Unload},
    {"info", &ScenarioRunner::Info},
    {"setup", &ScenarioRunner::Setup},
    {"outgoing", &ScenarioRunner::Outgoing},
    {"call", &ScenarioRunner::Call},
    {"say", &ScenarioRunner::Say},
    {"usage", &ScenarioRunner::Usage},
    {"on-box", &ScenarioRunner::OnBox},
};

namespace {

constexpr char kRepeatVerb[] = "repeat";
constexpr char kEndRepeatVerb[] = "end-repeat";

// The end-repeat that closes the block opened at `open`, or `end` if none does.
std::size_t BlockEnd(const std::vector<ScenarioCommand>& commands, std::size_t open,
                     std::size_t end) {
    int depth = 0;
    for (std::size_t i = open; i < end; ++i) {
        if (commands[i].verb == kRepeatVerb) {
            ++depth;
        } else if (commands[i].verb == kEndRepeatVerb && --depth == 0) {
            return i;
        }
    }
    return end;
}

void ReportUncarried(const ScenarioCommand& command) {
    Log().Event(EventLine("error").Add("line", command.lineNumber).Add("verb", command.verb));
    Log().Say("!! scenario line " + std::to_string(command.lineNumber) +
              " cannot be carried out: " + command.verb + " " + command.rest);
}

}  // namespace

ScenarioRunner::ScenarioRunner(HostWindows& windows, BoxAnswerer& answerer)
    : windows_(windows), answerer_(answerer) {}

bool ScenarioRunner::Run(const std::vector<ScenarioCommand>& commands) {
    return RunRange(commands, 0, commands.size());
}

bool ScenarioRunner::RunRange(const std::vector<ScenarioCommand>& commands, std::size_t begin,
                              std::size_t end) {
    for (std::size_t i = begin; i < end; ++i) {
        const ScenarioCommand& command = commands[i];
        if (command.verb != kRepeatVerb) {
            if (!Carry(command)) {
                return false;
            }
            continue;
        }
        const std::size_t blockEnd = BlockEnd(commands, i, end);
        char* numberEnd = nullptr;
        const unsigned long times =
            command.words.size() == 1 ? std::strtoul(command.words[0].c_str(), &numberEnd, 10) : 0;
        if (blockEnd == end || numberEnd == nullptr || *numberEnd != '\0') {
            ReportUncarried(command);
            return false;
        }
        for (unsigned long round = 0; round < times; ++round) {
            if (!RunRange(commands, i + 1, blockEnd)) {
                return false;
            }
        }
        i = blockEnd;
    }
    return true;
}

bool ScenarioRunner::Carry(const ScenarioCommand& command) {
    const Verb* verb = nullptr;
    for (const Verb& candidate : kVerbs) {
        if (command.verb == candidate.name) {
            verb = &candidate;
        }
    }
    if (verb == nullptr || !(this->*(verb->handler))(command)) {
        ReportUncarried(command);
        return false;
    }
    PumpMessages();
    return true;
}

bool ScenarioRunner::Version(const ScenarioCommand& command) {
    Host().versionText = command.rest;
    Log().Say("Host version: \"" + command.rest + "\"");
    return true;
}

bool ScenarioRunner::BodyHex(const ScenarioCommand& command) {
    const auto bytes = FromHex(command.rest);
    if (!bytes) {
        return false;
    }
    Host().body = *bytes;
    windows_.ShowBody(vorlent::tool::WideFromCodePage(*bytes, CP_ACP));
    return true;
}

bool ScenarioRunner::BodyFile(const ScenarioCommand& command) {
    const auto bytes = ReadWholeFile(vorlent::tool::WideFromUtf8(command.rest));
    if (!bytes) {
        return false;
    }
    Host().body = *bytes;
    windows_.ShowBody(vorlent::tool::WideFromCodePage(*bytes, CP_ACP));
    Log().Say("Message body (" + FileNameOf(command.rest) + "):");
    // Numbered by CR LF, the way the plug-in splits it.
    const std::string text = Utf8FromAnsi(*bytes);
    std::size_t start = 0;
    for (int number = 1; start <= text.size(); ++number) {
        std::size_t end = text.find("\r\n", start);
        end = end == std::string::npos ? text.size() : end;
        Log().Say("   " + std::to_string(number) + ": " + text.substr(start, end - start));
        start = end + 2;
    }
    return true;
}

bool ScenarioRunner::BodyNull(const ScenarioCommand&) {
    Host().body.reset();
    windows_.ShowBody(L"");
    return true;
}

bool ScenarioRunner::Answer(const ScenarioCommand& command) {
    for (const std::string& word : command.words) {
        const auto answer = ParseBoxAnswer(word);
        if (!answer) {
            return false;
        }
        answerer_.Queue(*answer);
    }
    return true;
}

bool ScenarioRunner::AnswersClear(const ScenarioCommand&) {
    answerer_.ClearAnswers();
    return true;
}

bool ScenarioRunner::Hold(const ScenarioCommand& command) {
    if (command.words.size() != 1) {
        return false;
    }
    answerer_.SetHoldMilliseconds(std::strtoul(command.words[0].c_str(), nullptr, 10));
    return true;
}

bool ScenarioRunner::Popup(const ScenarioCommand&) {
    const bool opened = windows_.OpenPopup();
    Log().Event(
        EventLine("popup").Add("ok", opened).Add("active", windows_.NameOf(::GetActiveWindow())));
    return opened;
}

bool ScenarioRunner::PopupClose(const ScenarioCommand&) {
    windows_.ClosePopup();
    Log().Event(EventLine("popup-close").Add("active", windows_.NameOf(::GetActiveWindow())));
    return true;
}

bool ScenarioRunner::Load(const ScenarioCommand& command) {
    const DWORD error = plugin_.Load(vorlent::tool::WideFromUtf8(command.rest));
    Log().Event(
        EventLine("load").Add("ok", error == 0).Add("error", static_cast<long long>(error)));
    Log().Say(
        "Load " + FileNameOf(command.rest) + ": " +
        (error == 0 ? std::string("loaded") : "refused (error " + std::to_string(error) + ")"));
    return true;
}

bool ScenarioRunner::Unload(const ScenarioCommand&) {
    const BOOL freed = plugin_.Unload();
    Log().Event(EventLine("unload").Add("ok", freed != FALSE));
    Log().Say("Unload");
    return true;
}

bool ScenarioRunner::Info(const ScenarioCommand& command) {
    std::size_t size = kDefaultRecordSize;
    unsigned char fill = kDefaultRecordFill;
    if (!command.words.empty()) {
        size = std::strtoul(command.words[0].c_str(), nullptr, 10);
    }
    if (command.words.size() > 1) {
        fill = static_cast<unsigned char>(std::strtoul(command.words[1].c_str(), nullptr, 16));
    }
    std::vector<char> record(size, static_cast<char>(fill));
    return CallPlugin("BKC_OnPlugInInfo", {reinterpret_cast<std::uintptr_t>(record.data())},
                      &record);
}

bool ScenarioRunner::Setup(const ScenarioCommand&) {
    return CallPlugin("BKC_OnPlugInSetup", {reinterpret_cast<std::uintptr_t>(windows_.Main())});
}

bool ScenarioRunner::Outgoing(const ScenarioCommand& command) {
    std::uintptr_t handle = 0;
    std::uintptr_t mode = 0;
    if (command.words.size() != 2 || !ParseArgument(command.words[0], handle) ||
        !ParseArgument(command.words[1], mode)) {
        return false;
    }
    return CallPlugin("BKC_OnOutgoing", {handle, mode});
}

bool ScenarioRunner::Call(const ScenarioCommand& command) {
    if (command.words.empty()) {
        return false;
    }
    std::vector<std::uintptr_t> arguments;
    for (std::size_t i = 1; i < command.words.size(); ++i) {
        std::uintptr_t value = 0;
        if (!ParseArgument(command.words[i], value)) {
            return false;
        }
        arguments.push_back(value);
    }
    return CallPlugin(command.words[0], arguments);
}

bool ScenarioRunner::Say(const ScenarioCommand& command) {
    Log().Say(command.rest);
    return true;
}

bool ScenarioRunner::Usage(const ScenarioCommand&) {
    const ProcessUsage usage = MeasureProcessUsage();
    Log().Event(EventLine("usage")
                    .Add("pagefile", static_cast<long long>(usage.pagefileBytes))
                    .Add("heap", static_cast<long long>(usage.heapBytes))
                    .Add("heap_blocks", static_cast<long long>(usage.heapBlocks))
                    .Add("handles", static_cast<long long>(usage.openHandles)));
    Log().Say("Usage: " + std::to_string(usage.pagefileBytes) + " bytes committed, " +
              std::to_string(usage.heapBytes) + " bytes in " + std::to_string(usage.heapBlocks) +
              " heap blocks, " + std::to_string(usage.openHandles) + " handles");
    return true;
}

bool ScenarioRunner::OnBox(const ScenarioCommand& command) {
    if (command.words.empty() || command.words[0] == "on-box" || command.words[0] == kRepeatVerb ||
        command.words[0] == kEndRepeatVerb) {
        return false;
    }
    ScenarioCommand inner;
    inner.lineNumber = command.lineNumber;
    inner.verb = command.words[0];
    inner.words.assign(command.words.begin() + 1, command.words.end());
    const std::size_t restStart = command.rest.find_first_not_of(" \t", inner.verb.size());
    inner.rest = restStart == std::string::npos ? std::string() : command.rest.substr(restStart);
    answerer_.OnNextBox([this, inner] { Carry(inner); });
    return true;
}

bool ScenarioRunner::CallPlugin(const std::string& name,
                                const std::vector<std::uintptr_t>& arguments,
                                const std::vector<char>* record) {
    const FARPROC callback = plugin_.Find(name.c_str());
    if (callback == nullptr) {
        return false;
    }
    std::string argumentText;
    std::string shownArguments;
    for (const std::uintptr_t argument : arguments) {
        const std::string number = std::to_string(static_cast<std::int32_t>(argument));
        argumentText += (argumentText.empty() ? "" : ",") + number;
        shownArguments += (shownArguments.empty() ? "" : ", ") + number;
    }
    Log().Event(EventLine("begin").Add("name", name));
    Log().Say(name + "(" + shownArguments + ")");
    // A callback made from inside another's box counts toward both.
    const int boxesOutside = Host().boxesInCallback;
    Host().boxesInCallback = 0;
    const StdcallResult result = InvokeStdcall(callback, arguments);
    PumpMessages();
    const int boxes = Host().boxesInCallback;
    Host().boxesInCallback = boxesOutside + boxes;

    EventLine line("call");
    line.Add("name", name)
        .Add("args", argumentText)
        .Add("result", result.value)
        .Add("stack", result.bytesLeftOnStack)
        .Add("boxes", boxes)
        .Add("outstanding", static_cast<int>(Host().outstandingBlocks.size()))
        .Add("unused_answers", static_cast<int>(answerer_.PendingAnswers()))
        .Add("main_enabled", windows_.Main() != nullptr && ::IsWindowEnabled(windows_.Main()))
        .Add("popup_enabled", windows_.Popup() == nullptr           ? "-"
                              : ::IsWindowEnabled(windows_.Popup()) ? "1"
                                                                    : "0")
        .Add("active", windows_.NameOf(::GetActiveWindow()));
    if (record != nullptr) {
        line.Hex("record", std::string_view(record->data(), record->size()));
    }
    Log().Event(line);

    Log().Say("   returns " + std::to_string(result.value) + ResultMeaning(name, result.value));
    if (record != nullptr) {
        TranscribeRecord(*record);
    }
    return true;
}

bool ScenarioRunner::ParseArgument(const std::string& word, std::uintptr_t& value) const {
    if (word == "main") {
        value = reinterpret_cast<std::uintptr_t>(windows_.Main());
        return true;
    }
    if (word == "popup") {
        value = reinterpret_cast<std::uintptr_t>(windows_.Popup());
        return true;
    }
    if (word == "null") {
        value = 0;
        return true;
    }
    char* end = nullptr;
    errno = 0;
    const long long number = std::strtoll(word.c_str(), &end, 0);
    if (end == word.c_str() || *end != '\0' || errno != 0) {
        return false;
    }
    value = static_cast<std::uintptr_t>(number);
    return true;
}
