#pragma once

#include <windows.h>

#include <string>

#include "host_windows.h"

// What a user sees of a message box, read from its window while it is up.
struct BoxFacts {
    std::string caption;  // as GetWindowTextA gives it: ANSI code page bytes
    std::string text;
    std::string owner;  // HostWindows::NameOf the box's owner
    bool mainEnabled = false;
    bool popupEnabled = false;
    // "exclamation", "hand", "question", "asterisk", "other" or "none".
    std::string icon;
    // The buttons present, by id, in the order ok,cancel,abort,retry,ignore,yes,no.
    std::string buttons;
};

BoxFacts InspectBox(HWND box, const HostWindows& windows);

// A message box of this thread that is up on the screen, other than the one
// ignored, or nullptr.
HWND FindVisibleMessageBox(HWND ignored = nullptr);
