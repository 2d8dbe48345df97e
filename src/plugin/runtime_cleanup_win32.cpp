// Makes unloading the plug-in leave nothing of the C++ runtime behind.
//
// The GCC runtime is linked into the module (the host loads nothing but system
// DLLs), and that copy of it keeps two kinds of things for the life of the
// process, expecting to be the process's own runtime:
//
// - The C++ library's emergency exception pool, a heap block allocated when
//   the module starts and freed only by __gnu_cxx::__freeres(), which nothing
//   calls on Windows.
// - Semaphores behind the runtime's mutexes: one for the list of frame tables
//   that the module registers with the unwinder when it starts (and takes off
//   the list again when it stops), one for the exception pool, and one for
//   exception state per thread once an exception has been thrown. These
//   toolchains (i686 MinGW-w64 GCC 12, DWARF-2 unwinding, win32 threads)
//   create each with CreateSemaphoreW the first time the mutex is set up and
//   never close it; some are static variables of the runtime that no code
//   outside it can reach. (64-bit builds unwind by the system's tables and
//   register none, but their exception pool and its semaphore are the same.)
//
// A host that loads the plug-in again and again (a settings change, disabling
// and enabling plug-ins) paid about 19 KB of heap and a handle for each load.
//
// The other ways out were weighed: the i686 toolchains here offer no other
// unwinder (no SJLJ build; SEH unwinding is 64-bit only); the posix thread
// model avoids these semaphores with static initialisers but brings a second
// threading library with process-wide state of its own into the module; and
// declaring the runtime single-threaded (_CRT_MT) would drop its locking
// altogether. So the module takes the runtime's semaphores into account
// instead: the runtime's calls of CreateSemaphoreW go through this module's
// own import slot, which is defined here (the linker then has no reason to
// take kernel32's), and every semaphore made through it is closed when the
// runtime is done with it, together with the exception pool.
//
// "Done" means after the runtime's own teardown: after the static destructors
// and after the frame tables are taken off the unwinder's list, which takes
// the unwinder's mutex. Both are atexit handlers of the module, run in reverse
// order of registration when the process detaches it. The first semaphore is
// made at the latest while the frame tables are registered, before the
// runtime registers its handler that takes them off again; registering the
// clean-up at that first semaphore makes it the last handler to run. (In
// 64-bit builds the first is the exception pool's, made during static
// initialisation; destructors registered before it throw nothing.)

#include <windows.h>

#include <cstdlib>

namespace __gnu_cxx {
// Frees the emergency exception pool; provided by libstdc++ for leak checkers.
void __freeres() noexcept;
}  // namespace __gnu_cxx

namespace {

// The runtime makes a handful; more than this would be leaked, not lost track
// of in a way that harms.
constexpr LONG kMaxTrackedSemaphores = 16;
HANDLE g_semaphores[kMaxTrackedSemaphores] = {};
LONG g_semaphoreCount = 0;
LONG g_cleanupRegistered = 0;

void __cdecl ReleaseRuntimeLeftovers() {
    __gnu_cxx::__freeres();
    const LONG count =
        g_semaphoreCount < kMaxTrackedSemaphores ? g_semaphoreCount : kMaxTrackedSemaphores;
    for (LONG i = 0; i < count; ++i) {
        if (g_semaphores[i] != nullptr) {
            ::CloseHandle(g_semaphores[i]);
            g_semaphores[i] = nullptr;
        }
    }
    g_semaphoreCount = 0;
}

HANDLE WINAPI CreateTrackedSemaphoreW(LPSECURITY_ATTRIBUTES attributes, LONG initialCount,
                                      LONG maximumCount, LPCWSTR name) {
    if (::InterlockedExchange(&g_cleanupRegistered, 1) == 0) {
        std::atexit(ReleaseRuntimeLeftovers);
    }
    // The same call by another entry: this module imports no CreateSemaphoreW.
    const HANDLE semaphore =
        ::CreateSemaphoreExW(attributes, initialCount, maximumCount, name, 0, SEMAPHORE_ALL_ACCESS);
    if (semaphore != nullptr) {
        const LONG slot = ::InterlockedIncrement(&g_semaphoreCount) - 1;
        if (slot < kMaxTrackedSemaphores) {
            g_semaphores[slot] = semaphore;
        }
    }
    return semaphore;
}

using CreateSemaphoreWFunction = HANDLE(WINAPI*)(LPSECURITY_ATTRIBUTES, LONG, LONG, LPCWSTR);

}  // namespace

// The import slot the runtime's code calls CreateSemaphoreW through, under its
// linker name: 32-bit x86 adds a leading underscore and the stdcall decoration.
#if defined(__i386__)
#define VORLENT_CREATE_SEMAPHORE_IMPORT "__imp__CreateSemaphoreW@16"
#else
#define VORLENT_CREATE_SEMAPHORE_IMPORT "__imp_CreateSemaphoreW"
#endif
extern "C" {
extern const CreateSemaphoreWFunction g_runtimeCreateSemaphoreW __asm__(
    VORLENT_CREATE_SEMAPHORE_IMPORT);
const CreateSemaphoreWFunction g_runtimeCreateSemaphoreW = &CreateTrackedSemaphoreW;
}
