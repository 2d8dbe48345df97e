// The host functions the plug-in resolves by name from this executable (the
// export list is the .def each variant is linked with). Three of them work;
// the others only report that they were called, which the plug-in never does.

#include <windows.h>

#include <cstring>

#include "event_line.h"
#include "host_state.h"
#include "results_log.h"
#include "text_encoding.h"

namespace {

int ReportUnexpectedCall(const char* name) {
    Log().Event(EventLine("unexpected").Add("host_function", name));
    Log().Say(std::string("!! the plug-in called ") + name);
    return 0;
}

}  // namespace

extern "C" {

LPCSTR WINAPI BKA_GetVersion() {
    Log().Event(EventLine("getversion").Hex("text", Host().versionText));
    return Host().versionText.c_str();
}

// Hands out a copy of the body in a block the caller releases with BKA_Free.
// The caller's buffer is filled to the size it claims, as a host may: a
// caller that passes less room than it says gets found out.
LPSTR WINAPI BKA_CompGetText(HANDLE message, LPSTR buffer, int size) {
    if (buffer != nullptr && size > 0) {
        std::memset(buffer, 'x', static_cast<std::size_t>(size - 1));
        buffer[size - 1] = '\0';
    }
    char* block = nullptr;
    HostState& host = Host();
    if (host.body) {
        block = static_cast<char*>(::HeapAlloc(::GetProcessHeap(), 0, host.body->size() + 1));
        std::memcpy(block, host.body->c_str(), host.body->size() + 1);
        host.outstandingBlocks.insert(block);
    }
    Log().Event(EventLine("gettext")
                    .Pointer("handle", message)
                    .Add("buffer", buffer != nullptr)
                    .Add("size", size)
                    .Pointer("block", block));
    Log().Say("   BKA_CompGetText(" + PointerText(message) + ", buffer, " + std::to_string(size) +
              ") -> " + (block != nullptr ? std::to_string(host.body->size()) + " bytes" : "null"));
    return block;
}

// Releases only what it handed out; anything else is reported, not freed.
void WINAPI BKA_Free(LPVOID block) {
    HostState& host = Host();
    const bool handedOut = host.outstandingBlocks.erase(block) == 1;
    if (handedOut) {
        ::HeapFree(::GetProcessHeap(), 0, block);
    }
    Log().Event(EventLine("free")
                    .Pointer("ptr", block)
                    .Add("handed_out", handedOut)
                    .Add("boxes_before", host.boxesInCallback));
    Log().Say(std::string("   BKA_Free(") + (handedOut ? "the text block" : "an unknown block") +
              ")");
}

#define VORLENT_UNCALLED_HOST_FUNCTION(name) \
    int WINAPI name() {                      \
        return ReportUnexpectedCall(#name);  \
    }

VORLENT_UNCALLED_HOST_FUNCTION(BKA_Command)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetWindowHandles)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_RegisterCommand)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_RegisterUICallback)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetDataFolder)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetTempFolder)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetTempFileName)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetCurrentMailBox)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_SetCurrentMailBox)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetCurrentFolder)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_SetCurrentFolder)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetFolderDisplayName)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_SetMessageText)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetCurrentMail)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_SetCurrentMail)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetNextMail)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_SetSel)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_AppendMessage)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_MoveSelectedMessages)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetStatus)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_SetStatus)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_ComposeMail)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetCharSet)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetSource)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_SetSource)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetHeader)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetText)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_SetText)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_GetSpecifiedHeader)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_SetSpecifiedHeader)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_CompGetCharSet)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_CompGetSource)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_CompSetSource)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_CompGetHeader)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_CompGetSpecifiedHeader)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_CompSetSpecifiedHeader)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_CompSetText)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_CompAttachFile)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_Alloc)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_ReAlloc)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_ISO_2022_JP)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_ISO_2022_KR)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_HZ_GB2312)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_ISO_8859_2)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_EUC_JP)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_UTF_7)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_UTF_8)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_B64Convert)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_QPConvert)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_MIMEHeader)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_SerializeRcpts)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_Connect)
VORLENT_UNCALLED_HOST_FUNCTION(BKA_NextUnread)

}  // extern "C"
