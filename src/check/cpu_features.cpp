#include "check/cpu_features.h"

#include <atomic>

#if defined(__SSE2__) && defined(__GNUC__)
#include <cpuid.h>
#endif

namespace vorlent {
namespace {

bool AskCpuForSsse3() {
#if defined(__SSE2__) && defined(__GNUC__)
    unsigned eax = 0;
    unsigned ebx = 0;
    unsigned ecx = 0;
    unsigned edx = 0;
    return __get_cpuid(1, &eax, &ebx, &ecx, &edx) != 0 && (ecx & bit_SSSE3) != 0;
#else
    return false;
#endif
}

}  // namespace

bool CpuHasSsse3() {
    // Under a hypervisor, asking the CPU leaves the virtual machine and takes
    // microseconds, more than building a small index: it is asked once. The
    // atomic needs no guard, so nothing is locked or created for it.
    static std::atomic<int> known{-1};
    int answer = known.load(std::memory_order_relaxed);
    if (answer < 0) {
        answer = AskCpuForSsse3() ? 1 : 0;
        known.store(answer, std::memory_order_relaxed);
    }
    return answer != 0;
}

}  // namespace vorlent
