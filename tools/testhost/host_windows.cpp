#include "host_windows.h"

#include <algorithm>

#include "event_line.h"
#include "results_log.h"

namespace {

constexpr wchar_t kMainClass[] = L"VorlentTestHostMain";
constexpr wchar_t kPopupClass[] = L"VorlentTestHostPopup";

// Only the enabled state is of interest; the rest is the default handling.
LRESULT CALLBACK ReportingWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ENABLE) {
        const auto* const role =
            reinterpret_cast<const char*>(::GetWindowLongPtrW(window, GWLP_USERDATA));
        Log().Event(EventLine("enable")
                        .Add("window", role != nullptr ? role : "other")
                        .Add("value", wParam != FALSE));
    }
    return ::DefWindowProcW(window, message, wParam, lParam);
}

bool RegisterClassOnce(const wchar_t* className) {
    WNDCLASSW windowClass = {};
    if (::GetClassInfoW(::GetModuleHandleW(nullptr), className, &windowClass)) {
        return true;
    }
    windowClass.lpfnWndProc = ReportingWindowProc;
    windowClass.hInstance = ::GetModuleHandleW(nullptr);
    windowClass.hCursor = ::LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = className;
    return ::RegisterClassW(&windowClass) != 0;
}

// A window with an edit control filling it, shown, activated and with the
// keyboard focus in the edit control, the way a user leaves a compose window.
HWND CreateFocusedWindow(const wchar_t* className, const wchar_t* title, const char* role,
                         DWORD style, HWND owner, int x, int y) {
    if (!RegisterClassOnce(className)) {
        return nullptr;
    }
    const HWND window = ::CreateWindowExW(0, className, title, style, x, y, 480, 320, owner,
                                          nullptr, ::GetModuleHandleW(nullptr), nullptr);
    if (window == nullptr) {
        return nullptr;
    }
    ::SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(role));
    RECT client = {};
    ::GetClientRect(window, &client);
    const HWND edit = ::CreateWindowExW(
        WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | ES_MULTILINE | ES_AUTOVSCROLL, 0, 0,
        client.right, client.bottom, window, nullptr, ::GetModuleHandleW(nullptr), nullptr);
    ::ShowWindow(window, SW_SHOW);
    ::UpdateWindow(window);
    ::SetForegroundWindow(window);
    ::SetActiveWindow(window);
    ::SetFocus(edit);
    SettleMessages();
    return window;
}

}  // namespace

HostWindows::~HostWindows() {
    ClosePopup();
    if (main_ != nullptr) {
        ::DestroyWindow(main_);
    }
}

bool HostWindows::CreateMain() {
    main_ = CreateFocusedWindow(kMainClass, L"Vorlent test host", "main",
                                WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, nullptr, 40, 40);
    return main_ != nullptr;
}

bool HostWindows::OpenPopup() {
    if (main_ == nullptr || popup_ != nullptr) {
        return false;
    }
    popup_ =
        CreateFocusedWindow(kPopupClass, L"Compose", "popup",
                            WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, main_, 120, 120);
    return popup_ != nullptr;
}

void HostWindows::ClosePopup() {
    if (popup_ != nullptr) {
        ::DestroyWindow(popup_);
        popup_ = nullptr;
        if (main_ != nullptr) {
            ::SetActiveWindow(main_);
        }
        SettleMessages();
    }
}

void HostWindows::ShowBody(const std::wstring& text) {
    if (main_ == nullptr) {
        return;
    }
    // Only the start is shown, as much as the window holds: the edit control
    // lays out all it is given, and under Wine a long line without a break
    // costs it seconds per few thousand characters (a 64 MB body, minutes).
    constexpr std::size_t kShownCharacters = 4096;
    std::size_t shown = std::min(text.size(), kShownCharacters);
    if (shown < text.size() && IS_HIGH_SURROGATE(text[shown - 1])) {
        --shown;
    }
    ::SetWindowTextW(::GetWindow(main_, GW_CHILD), text.substr(0, shown).c_str());
}

std::string HostWindows::NameOf(HWND window) const {
    if (window == nullptr) {
        return "none";
    }
    if (window == main_) {
        return "main";
    }
    if (window == popup_) {
        return "popup";
    }
    if (main_ != nullptr && ::IsChild(main_, window)) {
        return "main-child";
    }
    if (popup_ != nullptr && ::IsChild(popup_, window)) {
        return "popup-child";
    }
    return "other";
}

void SettleMessages() {
    // Under Wine the X server's focus events come back a little later and
    // may move the activation again; let them arrive before going on.
    constexpr DWORD kSettleMilliseconds = 100;
    const DWORD start = ::GetTickCount();
    for (DWORD elapsed = 0; elapsed < kSettleMilliseconds; elapsed = ::GetTickCount() - start) {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, kSettleMilliseconds - elapsed, QS_ALLINPUT);
        PumpMessages();
    }
}

void PumpMessages() {
    MSG message;
    while (::PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&message);
        ::DispatchMessageW(&message);
    }
}
