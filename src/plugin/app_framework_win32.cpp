#include "plugin/app_framework_win32.h"

#include <vector>

#include "plugin/module_file_win32.h"
#include "plugin/module_name.h"

namespace {

CWinApp* g_app = nullptr;
bool g_started = false;

bool IsAnsiLeadByte(unsigned char byte) {
    return ::IsDBCSLeadByte(byte) != FALSE;
}

// The top-level window of the one given: through parents and owners alike.
HWND TopLevelOf(HWND window) {
    HWND top = window;
    while (HWND parent = ::GetParent(top)) {
        top = parent;
    }
    return top;
}

// A pop-up cannot be owned by a child window, so a child is raised to its
// nearest non-child ancestor, and then to that window's last active pop-up.
HWND PromptOwner() {
    HWND window = ::GetActiveWindow();
    while (window != nullptr && (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD) != 0) {
        window = ::GetParent(window);
    }
    return window != nullptr ? ::GetLastActivePopup(window) : nullptr;
}

// Keeps a window disabled for as long as it lives.
class DisabledWindow {
  public:
    explicit DisabledWindow(HWND window)
        : window_(window != nullptr && ::IsWindowEnabled(window) ? window : nullptr) {
        if (window_ != nullptr) {
            ::EnableWindow(window_, FALSE);
        }
    }
    DisabledWindow(const DisabledWindow&) = delete;
    DisabledWindow& operator=(const DisabledWindow&) = delete;
    ~DisabledWindow() {
        if (window_ != nullptr) {
            ::EnableWindow(window_, TRUE);
        }
    }

  private:
    HWND window_;
};

// Texts in the process's ANSI code page, widened for the UTF-16 message box.
std::wstring WidenAnsi(const char* text) {
    const int length = ::MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
    if (length <= 0) {
        return {};
    }
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
    wide.resize(static_cast<std::size_t>(length - 1));
    return wide;
}

UINT WithDefaultIcon(UINT type) {
    const UINT buttons = type & MB_TYPEMASK;
    if ((type & MB_ICONMASK) == 0 && (buttons == MB_OK || buttons == MB_OKCANCEL)) {
        type |= MB_ICONEXCLAMATION;
    }
    return type;
}

}  // namespace

CWinApp::CWinApp() {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) {
        g_app = nullptr;
    }
}

std::string LoadResourceString(UINT id) {
    const HINSTANCE module = g_app != nullptr ? g_app->m_hInstance : nullptr;
    std::vector<char> buffer(256);
    for (;;) {
        const int size = static_cast<int>(buffer.size());
        const int length = ::LoadStringA(module, id, buffer.data(), size);
        if (length <= 0) {
            return {};
        }
        // LoadStringA fills at most size - 1 bytes and says nothing of a cut.
        if (length < size - 1) {
            return std::string(buffer.data(), static_cast<std::size_t>(length));
        }
        buffer.resize(buffer.size() * 2);
    }
}

int AppMessageBox(const char* text, UINT type) {
    const HWND owner = PromptOwner();
    const HWND topLevel = owner != nullptr ? TopLevelOf(owner) : nullptr;
    // MessageBox disables its owner itself; a top-level window above the owner
    // must be kept from taking input as well.
    const DisabledWindow disabled(topLevel != owner ? topLevel : nullptr);
    // MessageBoxA widens the text through a counted string of at most 64 KB
    // and shows a longer one cut, or garbled (Wine): a long check string must
    // still be shown whole, so the text is widened here.
    const std::wstring wideText = WidenAnsi(text);
    const std::wstring wideCaption = WidenAnsi(g_app != nullptr ? g_app->m_appName.c_str() : "");
    return ::MessageBoxW(owner, wideText.c_str(), g_app != nullptr ? wideCaption.c_str() : nullptr,
                         WithDefaultIcon(type));
}

// The module's entry point: runs the application object's start-up when the
// process attaches the module and its shutdown when it detaches. Nothing
// thrown may reach the loader, so a failure in start-up refuses the load.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
    if (g_app == nullptr) {
        return reason != DLL_PROCESS_ATTACH;
    }
    switch (reason) {
        case DLL_PROCESS_ATTACH:
            try {
                g_app->m_hInstance = instance;
                g_app->m_appName =
                    vorlent::ModuleBaseName(GetModuleFilePath(instance), IsAnsiLeadByte);
                g_started = g_app->InitInstance() != FALSE;
            } catch (...) {
                g_started = false;
            }
            if (!g_started) {
                try {
                    g_app->ExitInstance();
                } catch (...) {
                }
            }
            return g_started ? TRUE : FALSE;
        case DLL_PROCESS_DETACH:
            if (g_started) {
                g_started = false;
                try {
                    g_app->ExitInstance();
                } catch (...) {
                }
            }
            return TRUE;
        default:
            return TRUE;
    }
}
