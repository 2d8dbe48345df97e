#pragma once

#include <windows.h>

#include <string>

// The little the plug-in needs of an application framework: one application
// object started and stopped with the module, texts from the string table, and
// message boxes owned the way a modal prompt must be.
class CWinApp {
  public:
    CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;
    virtual ~CWinApp();

    // Runs when the process attaches the module; FALSE refuses the load.
    virtual BOOL InitInstance() { return TRUE; }
    // Runs when the module detaches, and after a refused start-up.
    virtual int ExitInstance() { return 0; }

    HINSTANCE m_hInstance = nullptr;
    // The module's file name without its extension: the caption of every box.
    std::string m_appName;
};

// A string from the module's string table, however long; empty if missing.
std::string LoadResourceString(UINT id);

// A message box captioned with the application's name. OK and OK/Cancel boxes
// that name no icon get the exclamation mark. The owner is the thread's active
// window, raised to its top-level parent's last active pop-up; the top-level
// window stays disabled until the box is closed. Returns the button pressed.
int AppMessageBox(const char* text, UINT type);
