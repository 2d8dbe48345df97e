#include "box_inspection.h"

#include <vector>

namespace {

std::string WindowTextA(HWND window) {
    const int length = ::GetWindowTextLengthA(window);
    std::vector<char> buffer(static_cast<std::size_t>(length) + 1);
    const int copied = ::GetWindowTextA(window, buffer.data(), static_cast<int>(buffer.size()));
    return std::string(buffer.data(), static_cast<std::size_t>(copied > 0 ? copied : 0));
}

bool IsClass(HWND window, const char* className) {
    char name[64] = {};
    ::GetClassNameA(window, name, sizeof name);
    return ::lstrcmpiA(name, className) == 0;
}

bool IsIconStatic(HWND control) {
    return IsClass(control, "Static") &&
           (::GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

// The system's shared icons are loaded once, so a box shows the very handle
// LoadIcon gives for the same id.
std::string IconName(HWND iconControl) {
    const auto shown = reinterpret_cast<HICON>(::SendMessageW(iconControl, STM_GETICON, 0, 0));
    struct KnownIcon {
        LPCWSTR id;
        const char* name;
    };
    static const KnownIcon kKnownIcons[] = {
        {reinterpret_cast<LPCWSTR>(IDI_EXCLAMATION), "exclamation"},
        {reinterpret_cast<LPCWSTR>(IDI_HAND), "hand"},
        {reinterpret_cast<LPCWSTR>(IDI_QUESTION), "question"},
        {reinterpret_cast<LPCWSTR>(IDI_ASTERISK), "asterisk"},
    };
    for (const KnownIcon& icon : kKnownIcons) {
        if (shown != nullptr && shown == ::LoadIconW(nullptr, icon.id)) {
            return icon.name;
        }
    }
    return "other";
}

struct Controls {
    HWND icon = nullptr;
    HWND text = nullptr;
};

// The icon is the static with the icon style (its id is not the same on every
// system) and the text the first other static.
Controls FindControls(HWND box) {
    Controls controls;
    for (HWND child = ::GetWindow(box, GW_CHILD); child != nullptr;
         child = ::GetWindow(child, GW_HWNDNEXT)) {
        if (IsIconStatic(child)) {
            controls.icon = controls.icon != nullptr ? controls.icon : child;
        } else if (IsClass(child, "Static") && controls.text == nullptr) {
            controls.text = child;
        }
    }
    return controls;
}

std::string ButtonsOf(HWND box) {
    struct Button {
        int id;
        const char* name;
    };
    static const Button kButtons[] = {{IDOK, "ok"},       {IDCANCEL, "cancel"}, {IDABORT, "abort"},
                                      {IDRETRY, "retry"}, {IDIGNORE, "ignore"}, {IDYES, "yes"},
                                      {IDNO, "no"}};
    std::string buttons;
    for (const Button& button : kButtons) {
        if (::GetDlgItem(box, button.id) != nullptr) {
            buttons += buttons.empty() ? "" : ",";
            buttons += button.name;
        }
    }
    return buttons;
}

struct BoxSearch {
    HWND ignored;
    HWND found;
};

BOOL CALLBACK KeepVisibleMessageBox(HWND window, LPARAM search) {
    auto& state = *reinterpret_cast<BoxSearch*>(search);
    if (window != state.ignored && ::IsWindowVisible(window) && IsClass(window, "#32770")) {
        state.found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

BoxFacts InspectBox(HWND box, const HostWindows& windows) {
    BoxFacts facts;
    const Controls controls = FindControls(box);
    facts.caption = WindowTextA(box);
    facts.text = controls.text != nullptr ? WindowTextA(controls.text) : std::string();
    facts.owner = windows.NameOf(::GetWindow(box, GW_OWNER));
    facts.mainEnabled = windows.Main() != nullptr && ::IsWindowEnabled(windows.Main());
    facts.popupEnabled = windows.Popup() != nullptr && ::IsWindowEnabled(windows.Popup());
    facts.icon = controls.icon != nullptr ? IconName(controls.icon) : "none";
    facts.buttons = ButtonsOf(box);
    return facts;
}

HWND FindVisibleMessageBox(HWND ignored) {
    BoxSearch search = {ignored, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), KeepVisibleMessageBox,
                        reinterpret_cast<LPARAM>(&search));
    return search.found;
}
