#pragma once

#include <string>
#include <vector>

#include "box_answerer.h"
#include "host_windows.h"
#include "plugin_module.h"
#include "scenario.h"

// Runs a scenario, one command a line, in order:
//
//   version TEXT         what BKA_GetVersion reports from now on (may be empty)
//   body-hex HEX         the body BKA_CompGetText hands out, as hex bytes
//   body-file PATH       ... read from a file, bytes as they are
//   body-null            BKA_CompGetText returns a null pointer
//   answer A [A...]      queue answers for the next boxes: ok cancel escape close
//   answers-clear        drop the answers not used yet
//   hold MS              keep each box up MS milliseconds before answering
//   popup                open an owned pop-up over the main window and activate it
//   popup-close          close it again (the main window is active again)
//   load PATH            LoadLibraryW the plug-in (a loaded one is unloaded first)
//   unload               FreeLibrary it
//   info [SIZE [FILL]]   BKC_OnPlugInInfo on a record of SIZE bytes (default 512),
//                        each byte FILL (hex, default a5) before the call
//   setup                BKC_OnPlugInSetup(main window)
//   outgoing HANDLE MODE BKC_OnOutgoing(HANDLE, MODE)
//   call NAME [ARG...]   any export, with 32-bit arguments: numbers (0x.. hex,
//                        negative too), main, popup or null
//   say TEXT             a line for the transcript only
//
// Each command reports its events to the results file (see README.md here).
class ScenarioRunner {
  public:
    ScenarioRunner(HostWindows& windows, BoxAnswerer& answerer);

    // False at the first command that cannot be carried out as written.
    bool Run(const std::vector<ScenarioCommand>& commands);

  private:
    using Handler = bool (ScenarioRunner::*)(const ScenarioCommand&);
    struct Verb {
        const char* name;
        Handler handler;
    };
    static const Verb kVerbs[];

    bool Version(const ScenarioCommand& command);
    bool BodyHex(const ScenarioCommand& command);
    bool BodyFile(const ScenarioCommand& command);
    bool BodyNull(const ScenarioCommand& command);
    bool Answer(const ScenarioCommand& command);
    bool AnswersClear(const ScenarioCommand& command);
    bool Hold(const ScenarioCommand& command);
    bool Popup(const ScenarioCommand& command);
    bool PopupClose(const ScenarioCommand& command);
    bool Load(const ScenarioCommand& command);
    bool Unload(const ScenarioCommand& command);
    bool Info(const ScenarioCommand& command);
    bool Setup(const ScenarioCommand& command);
    bool Outgoing(const ScenarioCommand& command);
    bool Call(const ScenarioCommand& command);
    bool Say(const ScenarioCommand& command);

    // Calls a callback and reports its result with the state around it;
    // false if the plug-in has no such export.
    bool CallPlugin(const std::string& name, const std::vector<std::uintptr_t>& arguments,
                    const std::vector<char>* record = nullptr);
    bool ParseArgument(const std::string& word, std::uintptr_t& value) const;

    HostWindows& windows_;
    BoxAnswerer& answerer_;
    PluginModule plugin_;
};
