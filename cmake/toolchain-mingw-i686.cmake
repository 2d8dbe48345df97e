# Cross-compiles for 32-bit Windows with Debian's MinGW-w64 toolchain; binaries run under Wine.
set(CMAKE_SYSTEM_PROCESSOR x86)
set(VORLENT_MINGW_PREFIX i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-toolchain-common.cmake)

find_program(VORLENT_WINE NAMES wine)
set(CMAKE_CROSSCOMPILING_EMULATOR ${VORLENT_WINE})
