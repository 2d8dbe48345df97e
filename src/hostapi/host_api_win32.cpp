#include "hostapi/host_api_win32.h"

using vorlent::hostapi::HostProc;

namespace {

using GetVersionProc = LPCSTR(WINAPI*)();
using CompGetTextProc = LPSTR(WINAPI*)(HostHandle, LPSTR, int);
using FreeProc = void(WINAPI*)(LPVOID);

// HostProc is void (*)(), which GCC lets any function pointer type convert to
// and from without a cast-function-type warning.
template <typename Proc>
Proc As(HostProc slot) {
    return reinterpret_cast<Proc>(slot);
}

}  // namespace

BOOL CHostApi::InitApi() {
    if (m_hHostModule != nullptr) {
        return TRUE;
    }
    m_hHostModule = ::GetModuleHandleA(nullptr);
    if (m_hHostModule == nullptr) {
        return FALSE;
    }
    const HMODULE host = m_hHostModule;
    const bool resolved = vorlent::hostapi::ResolveHostFunctions(m_slots, [host](const char* name) {
        return reinterpret_cast<HostProc>(::GetProcAddress(host, name));
    });
    // A host that reports no version text is taken as an empty, and so old, one.
    const auto versionText = [this] {
        const LPCSTR version = GetVersion();
        return version != nullptr ? version : "";
    };
    const bool allowed =
        resolved && vorlent::hostapi::VersionGateAllows(
                        versionText(), m_slots[vorlent::hostapi::kSetStatusSlot] != nullptr,
                        [](LPCSTR a, LPCSTR b) { return ::lstrcmpA(a, b); },
                        [](LPCSTR text) { return ::lstrlenA(text); });
    if (!allowed) {
        m_hHostModule = nullptr;
        return FALSE;
    }
    return TRUE;
}

LPCSTR CHostApi::GetVersion() const {
    return As<GetVersionProc>(m_slots[vorlent::hostapi::kGetVersionSlot])();
}

LPSTR CHostApi::CompGetText(HostHandle message, LPSTR buffer, int size) const {
    return As<CompGetTextProc>(m_slots[vorlent::hostapi::kCompGetTextSlot])(message, buffer, size);
}

void CHostApi::Free(LPVOID block) const {
    As<FreeProc>(m_slots[vorlent::hostapi::kFreeSlot])(block);
}
