#include "stdcall_invoke.h"

#if defined(_M_IX86) || defined(__i386__)

// int vorlent_invoke_stdcall(void* function, const uint32_t* args, int count,
//                            int* bytesLeft), cdecl. Pushes the arguments right
// to left, calls, and measures the stack against where it stood before the
// pushes (esi is preserved by every WINAPI callee), then restores it.
extern "C" int vorlent_invoke_stdcall(void* function, const std::uint32_t* arguments, int count,
                                      int* bytesLeft);

asm(R"(
    .text
    .globl _vorlent_invoke_stdcall
_vorlent_invoke_stdcall:
    pushl %ebp
    movl  %esp, %ebp
    pushl %esi
    pushl %edi
    pushl %ebx
    movl  %esp, %esi
    movl  12(%ebp), %edi
    movl  16(%ebp), %ecx
1:
    testl %ecx, %ecx
    jz    2f
    decl  %ecx
    pushl (%edi,%ecx,4)
    jmp   1b
2:
    movl  8(%ebp), %eax
    call  *%eax
    movl  %esi, %ecx
    subl  %esp, %ecx
    movl  20(%ebp), %edx
    movl  %ecx, (%edx)
    movl  %esi, %esp
    popl  %ebx
    popl  %edi
    popl  %esi
    popl  %ebp
    ret
)");

StdcallResult InvokeStdcall(FARPROC function, const std::vector<std::uintptr_t>& arguments) {
    StdcallResult result = {};
    result.value =
        vorlent_invoke_stdcall(reinterpret_cast<void*>(function), arguments.data(),
                               static_cast<int>(arguments.size()), &result.bytesLeftOnStack);
    return result;
}

#else

// x64 Windows has one calling convention, in which the caller owns the stack:
// a wrong argument count cannot unbalance it, so there is nothing to measure.
StdcallResult InvokeStdcall(FARPROC function, const std::vector<std::uintptr_t>& arguments) {
    using Arg = std::uintptr_t;
    const auto a = [&arguments](std::size_t i) -> Arg {
        return i < arguments.size() ? arguments[i] : 0;
    };
    const auto f = reinterpret_cast<void (*)()>(function);
    int value = 0;
    switch (arguments.size()) {
        case 0:
            value = reinterpret_cast<int (*)()>(f)();
            break;
        case 1:
            value = reinterpret_cast<int (*)(Arg)>(f)(a(0));
            break;
        case 2:
            value = reinterpret_cast<int (*)(Arg, Arg)>(f)(a(0), a(1));
            break;
        case 3:
            value = reinterpret_cast<int (*)(Arg, Arg, Arg)>(f)(a(0), a(1), a(2));
            break;
        default:
            value = reinterpret_cast<int (*)(Arg, Arg, Arg, Arg)>(f)(a(0), a(1), a(2), a(3));
            break;
    }
    return {value, 0};
}

#endif
