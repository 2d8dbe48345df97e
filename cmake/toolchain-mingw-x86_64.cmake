# Cross-compiles for 64-bit Windows with Debian's MinGW-w64 toolchain; binaries
# run under 64-bit Wine. The plug-in ships as a 32-bit DLL: this build stands in
# for it on machines whose kernel cannot start Wine's 32-bit loader (i386
# Linux programs), so that the Win32 layer is still tested end to end.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR AMD64)

set(VORLENT_MINGW_PREFIX x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${VORLENT_MINGW_PREFIX}-gcc)
set(CMAKE_CXX_COMPILER ${VORLENT_MINGW_PREFIX}-g++)
set(CMAKE_RC_COMPILER ${VORLENT_MINGW_PREFIX}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${VORLENT_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Debian keeps the 64-bit loader out of PATH; `wine` would start the 32-bit one.
find_program(VORLENT_WINE NAMES wine64 PATHS /usr/lib/wine NO_DEFAULT_PATH)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VORLENT_WINE})
