#include "check/string_set.h"

#include <gtest/gtest.h>

#include <vector>

namespace vorlent {
namespace {

TEST(StringSetTest, OrdersByUnsignedBytesWithPrefixesFirst) {
    // 0x93 0x59 is the code-page-932 lead of a kanji: it must sort after ASCII,
    // which a signed char comparison would get wrong.
    const StringSet set = {"\x93\x59", "b", "ab", "a", "", "\x7f", "a"};
    const std::vector<ByteString> expected = {"", "a", "ab", "b", "\x7f", "\x93\x59"};
    EXPECT_EQ(std::vector<ByteString>(set.begin(), set.end()), expected);
}

}  // namespace
}  // namespace vorlent
