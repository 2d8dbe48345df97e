#pragma once

#include <windows.h>

#include "hostapi/host_functions.h"

// The host's handle of a message being composed; passed back to it unchanged.
using HostHandle = HANDLE;

// The host's functions, resolved by name from the host's executable. The table
// only borrows them: nothing is released at unload.
class CHostApi {
  public:
    constexpr CHostApi() = default;

    // Non-zero when every required function is there and the host passes the
    // version gate. A bound table answers at once; a refused one is left
    // unbound, so a later call starts again.
    BOOL InitApi();

    LPCSTR GetVersion() const;
    // The body text of the message being sent, or nullptr. The caller owns it
    // and hands it back through Free.
    LPSTR CompGetText(HostHandle message, LPSTR buffer, int size) const;
    void Free(LPVOID block) const;

  private:
    vorlent::hostapi::HostSlots m_slots{};
    HMODULE m_hHostModule = nullptr;
};
