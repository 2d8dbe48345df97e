#pragma once

namespace vorlent {

// Whether the CPU running this code has SSSE3 (and the build can use it):
// the byte-pair scan's table lookups need it, and the plug-in is built for
// SSE2 only, which every CPU that runs Windows 8 or later has.
bool CpuHasSsse3();

}  // namespace vorlent
