#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

struct StdcallResult {
    int value;
    // Bytes of arguments the callee left on the stack: 0 when it took exactly
    // as many as it was given. A callback declared with the wrong number of
    // arguments would unbalance the real host's stack; here it shows.
    int bytesLeftOnStack;
};

// Calls a WINAPI function with 32-bit arguments, checking the stack after.
StdcallResult InvokeStdcall(FARPROC function, const std::vector<std::uintptr_t>& arguments);
