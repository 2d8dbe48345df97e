#include "hostapi/host_functions.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cstring>
#include <set>
#include <string>
#include <vector>

namespace vorlent::hostapi {
namespace {

void Dummy() {}

// A host that exports every name except the ones listed, recording lookups.
struct FakeHost {
    std::set<std::string> missing;
    std::vector<std::string> lookedUp;

    HostProc operator()(const char* name) {
        lookedUp.emplace_back(name);
        return missing.count(name) != 0 ? nullptr : &Dummy;
    }
};

TEST(HostFunctionNamesTest, TableHasTheHostsLayout) {
    EXPECT_STREQ(kHostFunctionNames[kGetVersionSlot].name, "BKA_GetVersion");
    EXPECT_STREQ(kHostFunctionNames[kSetStatusSlot].name, "BKA_SetStatus");
    EXPECT_STREQ(kHostFunctionNames[kCompGetTextSlot].name, "BKA_CompGetText");
    EXPECT_STREQ(kHostFunctionNames[kFreeSlot].name, "BKA_Free");
    EXPECT_STREQ(kHostFunctionNames[kNextUnreadSlot].name, "BKA_NextUnread");
    std::set<std::string> names;
    for (const HostFunctionName& f : kHostFunctionNames) {
        names.insert(f.name);
        EXPECT_EQ(f.required, f.name != std::string("BKA_SetStatus") &&
                                  f.name != std::string("BKA_NextUnread"));
    }
    EXPECT_EQ(names.size(), kHostFunctionCount);
}

TEST(ResolveHostFunctionsTest, ResolvesRequiredInOrderThenOptional) {
    FakeHost host;
    HostSlots slots{};
    ASSERT_TRUE(ResolveHostFunctions(slots, host));
    ASSERT_EQ(host.lookedUp.size(), kHostFunctionCount);
    EXPECT_EQ(host.lookedUp[20], "BKA_GetStatus");
    EXPECT_EQ(host.lookedUp[21], "BKA_ComposeMail");
    EXPECT_EQ(host.lookedUp[54], "BKA_SetStatus");
    EXPECT_EQ(host.lookedUp[55], "BKA_NextUnread");
    for (HostProc slot : slots) {
        EXPECT_NE(slot, nullptr);
    }
}

TEST(ResolveHostFunctionsTest, OptionalNamesMayBeMissing) {
    FakeHost host{{"BKA_SetStatus", "BKA_NextUnread"}, {}};
    HostSlots slots{};
    EXPECT_TRUE(ResolveHostFunctions(slots, host));
    EXPECT_EQ(slots[kSetStatusSlot], nullptr);
    EXPECT_EQ(slots[kNextUnreadSlot], nullptr);
}

TEST(ResolveHostFunctionsTest, StopsAtTheFirstMissingRequiredName) {
    FakeHost host{{"BKA_Connect", "BKA_GetText"}, {}};
    HostSlots slots{};
    EXPECT_FALSE(ResolveHostFunctions(slots, host));
    EXPECT_EQ(host.lookedUp.back(), "BKA_GetText");
    EXPECT_NE(slots[26], nullptr);
    EXPECT_EQ(slots[27], nullptr);
    EXPECT_EQ(slots[54], nullptr);
}

struct GateCase {
    const char* version;
    bool hasSetStatus;
    bool allowed;
};

class VersionGateTest : public testing::TestWithParam<GateCase> {};

TEST_P(VersionGateTest, ComparesTextsNotNumbers) {
    const GateCase& c = GetParam();
    const bool allowed = VersionGateAllows(
        c.version, c.hasSetStatus, [](const char* a, const char* b) { return std::strcmp(a, b); },
        [](const char* text) { return std::strlen(text); });
    EXPECT_EQ(allowed, c.allowed);
}

const GateCase kGateCases[] = {
    {"2.00.06", true, true},    {"2.00.06", false, false}, {"2.00.05", false, true},
    {"2.00.05a", false, false}, {"2.00.05a", true, true},  {"10.0.0", false, true},
    {"10.00.00", false, false}, {"10.00.00", true, true},  {"3", false, false},
    {"", false, true},          {"2.00.1", false, false},  {"2.10", false, false},
};

// gtest's names allow only letters, digits and '_'.
std::string GateCaseName(const testing::TestParamInfo<GateCase>& info) {
    std::string name = std::string("v") + info.param.version;
    for (char& c : name) {
        if (!std::isalnum(static_cast<unsigned char>(c))) {
            c = '_';
        }
    }
    return name + (info.param.hasSetStatus ? "_WithSetStatus" : "_WithoutSetStatus");
}

INSTANTIATE_TEST_SUITE_P(Cases, VersionGateTest, testing::ValuesIn(kGateCases), GateCaseName);

}  // namespace
}  // namespace vorlent::hostapi
