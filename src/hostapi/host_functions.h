#pragma once

#include <array>
#include <cstddef>
#include <string_view>

namespace vorlent::hostapi {

// A generic function pointer: the slot type of the host table. Every host
// function is stored as this and cast to its real type only where it is called.
using HostProc = void (*)();

struct HostFunctionName {
    const char* name;
    bool required;
};

inline constexpr std::size_t kHostFunctionCount = 56;

// The host's functions in table order; the order is also the order of lookup.
extern const std::array<HostFunctionName, kHostFunctionCount> kHostFunctionNames;

inline constexpr std::size_t kGetVersionSlot = 0;
inline constexpr std::size_t kSetStatusSlot = 21;
inline constexpr std::size_t kCompGetTextSlot = 37;
inline constexpr std::size_t kFreeSlot = 42;
inline constexpr std::size_t kNextUnreadSlot = 55;

using HostSlots = std::array<HostProc, kHostFunctionCount>;

// Looks up every required name in table order, storing each result, and stops
// at the first one missing (slots already filled keep their values). Then looks
// up the optional ones, storing whatever comes back. `resolve` maps a name to a
// HostProc or nullptr.
template <typename Resolve>
bool ResolveHostFunctions(HostSlots& slots, Resolve&& resolve) {
    for (std::size_t i = 0; i < kHostFunctionCount; ++i) {
        if (kHostFunctionNames[i].required) {
            slots[i] = resolve(kHostFunctionNames[i].name);
            if (slots[i] == nullptr) {
                return false;
            }
        }
    }
    for (std::size_t i = 0; i < kHostFunctionCount; ++i) {
        if (!kHostFunctionNames[i].required) {
            slots[i] = resolve(kHostFunctionNames[i].name);
        }
    }
    return true;
}

// Hosts from version 2.00.06 on must offer BKA_SetStatus. The gate compares
// version texts, not numbers, with the platform's comparison (`compareText`
// returns <0, 0 or >0 like strcmp) and counts any text of 8 or more characters
// as new; `textLength` measures the host's text.
inline constexpr const char* kSetStatusRequiredFrom = "2.00.06";

template <typename CompareText, typename TextLength>
bool VersionGateAllows(const char* hostVersion, bool hasSetStatus, CompareText&& compareText,
                       TextLength&& textLength) {
    if (textLength(hostVersion) <= 7 && compareText(hostVersion, kSetStatusRequiredFrom) < 0) {
        return true;
    }
    return hasSetStatus;
}

}  // namespace vorlent::hostapi
