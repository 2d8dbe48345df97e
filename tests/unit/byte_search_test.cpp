// The byte searches read blocks at a time; every alignment of the text and
// every place of the byte within and around a block must give memchr's answer.

#include "check/byte_search.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "guarded_pages.h"

namespace vorlent {
namespace {

TEST(ByteSearchTest, FindsWhatMemchrFinds) {
    // 64 offsets cover every alignment up to a group of four blocks.
    std::vector<char> storage(512, 'a');
    for (std::size_t offset = 0; offset < 64; ++offset) {
        for (std::size_t length = 0; length < 200; ++length) {
            for (const std::size_t place : {std::size_t{0}, length / 2, length, length + 1}) {
                std::fill(storage.begin(), storage.end(), 'a');
                char* const text = storage.data() + offset;
                text[place] = '\n';
                text[place + 70] = '\0';
                const char* expected = static_cast<const char*>(std::memchr(text, '\n', length));
                ASSERT_EQ(FindByte(text, length, '\n'), expected)
                    << "offset " << offset << ", length " << length << ", LF at " << place;
                text[place] = '\0';
                expected = place < length ? text + place : nullptr;
                ASSERT_EQ(FindNul(text, length), expected)
                    << "offset " << offset << ", length " << length << ", NUL at " << place;
            }
        }
    }
}

#if defined(__unix__)
TEST(ByteSearchTest, FindNulReadsNothingPastThePageOfTheNul) {
    // Texts that end right before memory that cannot be read, asked to look
    // far beyond their NUL: every distance of the NUL from a block boundary.
    const testing_support::GuardedPages memory(2, 1);
    for (std::size_t length = 0; length < 300; ++length) {
        char* const text = memory.ReadableEnd() - (length + 1);
        std::memset(text, 'a', length);
        text[length] = '\0';
        EXPECT_EQ(FindNul(text, length + 5000), text + length) << length;
        EXPECT_EQ(FindNul(text, length), nullptr) << length;
    }
}
#endif

}  // namespace
}  // namespace vorlent
