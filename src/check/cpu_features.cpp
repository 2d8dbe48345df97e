#include "check/cpu_features.h"

#if defined(__SSE2__) && defined(__GNUC__)
#include <cpuid.h>
#endif

namespace vorlent {

bool CpuHasSsse3() {
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

}  // namespace vorlent
