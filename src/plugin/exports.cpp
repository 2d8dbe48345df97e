// The callbacks the host calls, under the names and ordinals of Vorlent.def.
// Nothing thrown inside may reach the host: each callback that does work
// answers with its fixed fallback instead.

#include <windows.h>

#include <cstring>
#include <string>

#include "check/outgoing_check.h"
#include "check/outgoing_send.h"
#include "plugin/app_framework.h"
#include "plugin/message_box_prompter.h"
#include "plugin/plugin_app.h"
#include "res/resource.h"

namespace {

template <typename Body>
int Guarded(int fallback, Body&& body) noexcept {
    try {
        return body();
    } catch (...) {
        return fallback;
    }
}

constexpr int kOutgoingModeNoCheck = 1;
constexpr int kCompGetTextScratchSize = 20;

int CheckOutgoing(HostHandle message) {
    // Everything that may fail before the host lends its text comes first.
    CMessageBoxPrompter prompter;

    char scratch[kCompGetTextScratchSize] = {};
    char* const text = g_hostApi.CompGetText(message, scratch, kCompGetTextScratchSize);
    const auto giveTextBack = [text]() noexcept {
        if (text != nullptr) {
            g_hostApi.Free(text);
        }
    };
    // A host that hands over no text is taken to be sending an empty body.
    const std::string_view body = text != nullptr ? std::string_view(text) : std::string_view();
    // The host gets its block back before the user is asked anything.
    if (const vorlent::CheckIndex* index = g_checkIndex.get()) {
        return vorlent::CheckOutgoingSend(body, giveTextBack, *index, g_ignorePrefixes, prompter);
    }
    return vorlent::CheckOutgoingSend(body, giveTextBack, g_checkStrings, g_ignorePrefixes,
                                      prompter);
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

int WINAPI BKC_OnStart() {
    return 0;
}
int WINAPI BKC_OnExit() {
    return 0;
}
int WINAPI BKC_OnMenuInit(HWND, HMENU, int) {
    return 0;
}
int WINAPI BKC_OnOpenFolder(LPCSTR) {
    return 0;
}
int WINAPI BKC_OnOpenMail(LPCSTR) {
    return 0;
}
int WINAPI BKC_OnEveryMinute() {
    return 0;
}
int WINAPI BKC_OnOpenCompose(HWND, int) {
    return 0;
}

int WINAPI BKC_OnOutgoing(HostHandle message, int mode) {
    if (mode == kOutgoingModeNoCheck) {
        return vorlent::kSendGoesAhead;
    }
    // If the check itself fails the user is not asked, and an unasked
    // question must not hold the mail back.
    return Guarded(vorlent::kSendGoesAhead, [message] { return CheckOutgoing(message); });
}

int WINAPI BKC_OnKeyDispatch(HWND, int, int) {
    return 0;
}
int WINAPI BKC_OnRetrieve(LPCSTR, LPCSTR) {
    return 0;
}
int WINAPI BKC_OnSend(LPCSTR) {
    return 0;
}
int WINAPI BKC_OnFinishRetrieve(int) {
    return 0;
}

int WINAPI BKC_OnPlugInSetup(HWND) {
    constexpr int kSetupHandled = 1;
    return Guarded(kSetupHandled, [] {
        AppMessageBox(LoadResourceString(IDS_SETUP_NOTICE).c_str(), MB_OK);
        return kSetupHandled;
    });
}

int WINAPI BKC_OnPlugInInfo(LPVOID record) {
    if (record != nullptr) {
        FillPlugInInfo(static_cast<char*>(record));
    }
    return 0;
}

int WINAPI BKC_OnDragDrop(LPCSTR, LPCSTR, int, int) {
    return 0;
}
int WINAPI BKC_OnBeforeFilter(LPCSTR, LPCSTR, LPCSTR) {
    return 0;
}

}  // extern "C"
