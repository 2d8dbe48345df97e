// The callbacks the host calls, under the names and ordinals of Vorlent.def.
// Nothing thrown inside may reach the host: each callback that does work has
// one barrier that answers with the callback's fixed fallback instead.

#include <windows.h>

#include <cstring>
#include <string>
#include <utility>

#include "check/outgoing_check.h"
#include "plugin/app_framework.h"
#include "plugin/message_box_prompter.h"
#include "plugin/plugin_app.h"
#include "res/resource.h"

namespace {

constexpr int kOutgoingModeNoCheck = 1;
constexpr int kCompGetTextScratchSize = 20;

void GiveHostTextBack(char* text) {
    g_hostApi.Free(text);
}

struct PlugInInfoField {
    UINT stringId;
    std::size_t offset;
};

// The host's information record: fixed-width text fields at these offsets.
constexpr PlugInInfoField kPlugInInfoFields[] = {
    {IDS_PLUGIN_NAME, 0},
    {IDS_PLUGIN_VENDOR, 80},
    {IDS_PLUGIN_VERSION, 160},
    {IDS_PLUGIN_DESCRIPTION, 240},
};

void FillPlugInInfo(char* record) {
    constexpr int kTextBufferSize = 256;
    for (const PlugInInfoField& field : kPlugInInfoFields) {
        char text[kTextBufferSize] = {};
        ::LoadStringA(g_hInstance, field.stringId, text, kTextBufferSize - 1);
        std::memcpy(record + field.offset, text, std::strlen(text) + 1);
    }
}

}  // namespace

extern "C" {

int WINAPI BKC_OnStart() noexcept {
    return 0;
}
int WINAPI BKC_OnExit() noexcept {
    return 0;
}
int WINAPI BKC_OnMenuInit(HWND, HMENU, int) noexcept {
    return 0;
}
int WINAPI BKC_OnOpenFolder(LPCSTR) noexcept {
    return 0;
}
int WINAPI BKC_OnOpenMail(LPCSTR) noexcept {
    return 0;
}
int WINAPI BKC_OnEveryMinute() noexcept {
    return 0;
}
int WINAPI BKC_OnOpenCompose(HWND, int) noexcept {
    return 0;
}

int WINAPI BKC_OnOutgoing(HostHandle message, int mode) noexcept {
    if (mode == kOutgoingModeNoCheck) {
        return vorlent::kSendGoesAhead;
    }
    char scratch[kCompGetTextScratchSize] = {};
    vorlent::LentText text(g_hostApi.CompGetText(message, scratch, kCompGetTextScratchSize),
                           {GiveHostTextBack});
    CMessageBoxPrompter prompter;
    return vorlent::CheckOutgoingText(std::move(text), g_checkStrings, g_checkIndex.get(),
                                      g_ignorePrefixes, g_stopPrefixes, prompter);
}

int WINAPI BKC_OnKeyDispatch(HWND, int, int) noexcept {
    return 0;
}
int WINAPI BKC_OnRetrieve(LPCSTR, LPCSTR) noexcept {
    return 0;
}
int WINAPI BKC_OnSend(LPCSTR) noexcept {
    return 0;
}
int WINAPI BKC_OnFinishRetrieve(int) noexcept {
    return 0;
}

int WINAPI BKC_OnPlugInSetup(HWND) noexcept {
    constexpr int kSetupHandled = 1;
    try {
        AppMessageBox(LoadResourceString(IDS_SETUP_NOTICE).c_str(), MB_OK);
    } catch (...) {
        // The notice could not be shown; the host still has nothing to do.
    }
    return kSetupHandled;
}

int WINAPI BKC_OnPlugInInfo(LPVOID record) noexcept {
    if (record != nullptr) {
        FillPlugInInfo(static_cast<char*>(record));
    }
    return 0;
}

int WINAPI BKC_OnDragDrop(LPCSTR, LPCSTR, int, int) noexcept {
    return 0;
}
int WINAPI BKC_OnBeforeFilter(LPCSTR, LPCSTR, LPCSTR) noexcept {
    return 0;
}

}  // extern "C"
