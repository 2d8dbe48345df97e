#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorlent {

// Strings of one length, told by their first and last bytes: a position is a
// candidate when its byte is one of `firsts` and the byte `distance` further
// on one of `lasts`.
struct BytePairSet {
    static constexpr std::size_t kMaxBytes = 32;

    std::size_t distance = 0;
    std::size_t firstCount = 0;
    std::size_t lastCount = 0;
    std::array<char, kMaxBytes> firsts{};
    std::array<char, kMaxBytes> lasts{};

    // Adds a string's first and last byte unless they are there already.
    void Add(char first, char last) {
        AddByte(firsts, firstCount, first);
        AddByte(lasts, lastCount, last);
    }

    bool Matches(const char* at) const {
        return Contains(firsts, firstCount, at[0]) && Contains(lasts, lastCount, at[distance]);
    }

  private:
    static bool Contains(const std::array<char, kMaxBytes>& bytes, std::size_t count, char byte) {
        for (std::size_t i = 0; i < count; ++i) {
            if (bytes[i] == byte) {
                return true;
            }
        }
        return false;
    }
    static void AddByte(std::array<char, kMaxBytes>& bytes, std::size_t& count, char byte) {
        if (!Contains(bytes, count, byte)) {
            bytes[count++] = byte;
        }
    }
};

// Calls candidate(set, i), in increasing order of i, for every i from `from`
// to `to` at which sets[set] matches, until it returns false; returns the
// position where it stopped, where other sets may still match, or to + 1. Bytes before
// `readableEnd` may be read, whatever the distances. The sets together are
// made of at most kMaxStrings strings.
//
// Testing the first and the last byte of a string settles almost every
// position without a comparison. With SSE2 (every x86-64, and the 32-bit
// plug-in, which is built for it) sixteen positions are tested at once, one
// comparison per distinct byte, all sets in one pass over the text.
template <std::size_t kMaxStrings, std::size_t kMaxSets, typename Candidate>
std::size_t ScanBytePairs(const char* text, std::size_t from, std::size_t to,
                          std::size_t readableEnd, const std::array<BytePairSet, kMaxSets>& sets,
                          std::size_t setCount, Candidate&& candidate) {
    std::size_t i = from;
    std::size_t maxDistance = 0;
    for (std::size_t set = 0; set < setCount; ++set) {
        maxDistance = std::max(maxDistance, sets[set].distance);
    }
#if defined(__SSE2__)
    constexpr std::size_t kBlock = 16;
    // Each string adds at most one first and one last byte.
    __m128i bytes[2 * kMaxStrings];
    std::size_t vectors = 0;
    for (std::size_t set = 0; set < setCount; ++set) {
        for (std::size_t b = 0; b < sets[set].firstCount; ++b) {
            bytes[vectors++] = _mm_set1_epi8(sets[set].firsts[b]);
        }
        for (std::size_t b = 0; b < sets[set].lastCount; ++b) {
            bytes[vectors++] = _mm_set1_epi8(sets[set].lasts[b]);
        }
    }
    const auto anyOf = [](__m128i block, const __m128i* values, std::size_t count) {
        __m128i hits = _mm_cmpeq_epi8(block, values[0]);
        for (std::size_t v = 1; v < count; ++v) {
            hits = _mm_or_si128(hits, _mm_cmpeq_epi8(block, values[v]));
        }
        return hits;
    };
    if (setCount == 1 && sets[0].firstCount == 1 && sets[0].lastCount == 1) {
        // One string, or strings that share both bytes: two comparisons.
        const std::size_t distance = sets[0].distance;
        for (; i + kBlock - 1 <= to && i + kBlock + distance <= readableEnd; i += kBlock) {
            const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
            const __m128i there =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + distance));
            auto hits = static_cast<unsigned>(_mm_movemask_epi8(
                _mm_and_si128(_mm_cmpeq_epi8(here, bytes[0]), _mm_cmpeq_epi8(there, bytes[1]))));
            while (hits != 0) {
                const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(hits));
                if (!candidate(0, at)) {
                    return at;
                }
                hits &= hits - 1;
            }
        }
    }
    std::array<unsigned, kMaxSets> masks;
    for (; i + kBlock - 1 <= to && i + kBlock + maxDistance <= readableEnd; i += kBlock) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i* values = bytes;
        unsigned any = 0;
        for (std::size_t set = 0; set < setCount; ++set) {
            const BytePairSet& pairs = sets[set];
            const __m128i there =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + pairs.distance));
            const __m128i firstHits = anyOf(here, values, pairs.firstCount);
            values += pairs.firstCount;
            const __m128i lastHits = anyOf(there, values, pairs.lastCount);
            values += pairs.lastCount;
            masks[set] =
                static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(firstHits, lastHits)));
            any |= masks[set];
        }
        while (any != 0) {
            const auto bit = static_cast<unsigned>(std::countr_zero(any));
            for (std::size_t set = 0; set < setCount; ++set) {
                if (((masks[set] >> bit) & 1) != 0 && !candidate(set, i + bit)) {
                    return i + bit;
                }
            }
            any &= any - 1;
        }
    }
#endif
    for (; i <= to; ++i) {
        for (std::size_t set = 0; set < setCount; ++set) {
            if (i + sets[set].distance < readableEnd && sets[set].Matches(text + i) &&
                !candidate(set, i)) {
                return i;
            }
        }
    }
    return to + 1;
}

}  // namespace vorlent
