// The test host: plays the mail client for the plug-in. See scenario_runner.h
// for the scenario commands and README.md here for the results file.

#include <windows.h>

#include <cstdio>

#include "box_answerer.h"
#include "command_line.h"
#include "event_line.h"
#include "host_state.h"
#include "host_windows.h"
#include "results_log.h"
#include "scenario.h"
#include "scenario_runner.h"
#include "text_encoding.h"
#include "watchdog.h"

namespace {

constexpr int kScenarioFailedExitCode = 2;

int RunHost(const CommandLine& line) {
    if (!Log().Open(line.resultsPath, line.transcriptPath)) {
        std::fputs("testhost: cannot write the results or the transcript\n", stderr);
        return kScenarioFailedExitCode;
    }
    Watchdog watchdog;
    if (!watchdog.Start(line.timeoutMilliseconds)) {
        return kScenarioFailedExitCode;
    }
    if (line.versionText) {
        Host().versionText = *line.versionText;
    }
    Log().Event(EventLine("start").Add("code_page", static_cast<long long>(::GetACP())));

    const auto commands = ReadScenario(line.scenarioPath);
    if (!commands) {
        Log().Event(EventLine("error").Add("scenario", "unreadable"));
        return kScenarioFailedExitCode;
    }

    HostWindows windows;
    if (line.createWindow && !windows.CreateMain()) {
        Log().Event(EventLine("error").Add("window", "not-created"));
        return kScenarioFailedExitCode;
    }
    Log().Event(EventLine("window")
                    .Add("main", windows.Main() != nullptr)
                    .Add("active", windows.NameOf(::GetActiveWindow()))
                    .Add("focus", windows.NameOf(::GetFocus())));

    BoxAnswerer answerer(windows);
    answerer.SetHoldMilliseconds(line.holdMilliseconds);
    if (!answerer.Start()) {
        return kScenarioFailedExitCode;
    }

    int exitCode = 0;
    {
        ScenarioRunner runner(windows, answerer);
        if (!runner.Run(*commands)) {
            exitCode = kScenarioFailedExitCode;
        }
    }  // the plug-in is unloaded here, while the windows are still up
    Log().Event(EventLine("end")
                    .Add("unused_answers", static_cast<int>(answerer.PendingAnswers()))
                    .Add("outstanding", static_cast<int>(Host().outstandingBlocks.size())));
    return exitCode;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const auto line = ParseCommandLine(argc, argv);
    if (!line) {
        std::fputs(kUsage, stderr);
        return kScenarioFailedExitCode;
    }
    return RunHost(*line);
}
