#pragma once

#include <windows.h>

#include <string>

// The host's own windows: a top-level main window with a focused edit control
// in it, shown and active, and on request an owned pop-up made active over it,
// as a compose window would be. Every change of their enabled state is
// reported as it happens, so a test can see a window disabled for a box and
// enabled again after it.
class HostWindows {
  public:
    HostWindows() = default;
    HostWindows(const HostWindows&) = delete;
    HostWindows& operator=(const HostWindows&) = delete;
    ~HostWindows();

    bool CreateMain();
    bool OpenPopup();
    void ClosePopup();
    // Shows the message being sent in the main window's edit control.
    void ShowBody(const std::wstring& text);

    HWND Main() const { return main_; }
    HWND Popup() const { return popup_; }

    // "main", "popup", "main-child", "popup-child", "none" or "other".
    std::string NameOf(HWND window) const;

  private:
    HWND main_ = nullptr;
    HWND popup_ = nullptr;
};

// Handles the messages that are waiting, without blocking.
void PumpMessages();
// Handles messages for a short while, until window activation has settled.
void SettleMessages();
