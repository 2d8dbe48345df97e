#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#include <tmmintrin.h>
// Compiled for SSSE3 whatever the build's CPU floor; called only where the
// CPU has it (CpuHasSsse3).
#define VORLENT_SSSE3 __attribute__((target("ssse3")))
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

#if defined(__SSE2__)

// Where a scan of whole blocks ended: at a candidate refused, or where the
// blocks ran out and single positions take over.
struct BlockScanEnd {
    std::size_t position;
    bool stopped;
};

// Calls candidate for the set bits of masks[0..setCount) at block `i`, in
// order of position; false when a candidate stopped the scan at *stoppedAt.
template <std::size_t kMaxSets, typename Candidate>
bool ReportBlockHits(std::size_t i, const std::array<unsigned, kMaxSets>& masks,
                     std::size_t setCount, unsigned any, Candidate& candidate,
                     std::size_t* stoppedAt) {
    while (any != 0) {
        const auto bit = static_cast<unsigned>(std::countr_zero(any));
        for (std::size_t set = 0; set < setCount; ++set) {
            if (((masks[set] >> bit) & 1) != 0 && !candidate(set, i + bit)) {
                *stoppedAt = i + bit;
                return false;
            }
        }
        any &= any - 1;
    }
    return true;
}

// The blocks tested with SSE2 alone: one comparison per distinct byte.
template <std::size_t kMaxStrings, std::size_t kMaxSets, typename Candidate>
BlockScanEnd ScanBlocksByByte(const char* text, std::size_t i, std::size_t to,
                              std::size_t readableEnd, std::size_t maxDistance,
                              const std::array<BytePairSet, kMaxSets>& sets, std::size_t setCount,
                              Candidate& candidate) {
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
                    return {at, true};
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
        std::size_t stoppedAt = 0;
        if (!ReportBlockHits(i, masks, setCount, any, candidate, &stoppedAt)) {
            return {stoppedAt, true};
        }
    }
    return {i, false};
}

// A set of bytes as two tables of sixteen bytes: bit h of low[l] stands for
// the byte 16h + l (h < 8), bit h - 8 of high[l] for h >= 8. Sixteen bytes
// are tested by three table lookups (SSSE3 pshufb), whatever the set's size.
struct ByteClassTables {
    __m128i low;
    __m128i high;
};

inline ByteClassTables MakeByteClassTables(const char* bytes, std::size_t count) {
    alignas(16) std::array<unsigned char, 16> low{};
    alignas(16) std::array<unsigned char, 16> high{};
    for (std::size_t i = 0; i < count; ++i) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const unsigned nibble = byte >> 4;
        (nibble < 8 ? low : high)[byte & 15] |= static_cast<unsigned char>(1u << (nibble & 7));
    }
    return {_mm_load_si128(reinterpret_cast<const __m128i*>(low.data())),
            _mm_load_si128(reinterpret_cast<const __m128i*>(high.data()))};
}

// 0xFF where a byte of the block is in the set.
VORLENT_SSSE3 inline __m128i ByteClassHits(__m128i block, const ByteClassTables& tables) {
    // pshufb gives 0 where the index has its top bit set: `low` answers the
    // bytes below 0x80, `high` (indexed with that bit flipped) the others.
    const __m128i row = _mm_or_si128(
        _mm_shuffle_epi8(tables.low, block),
        _mm_shuffle_epi8(tables.high,
                         _mm_xor_si128(block, _mm_set1_epi8(static_cast<char>(0x80)))));
    const __m128i nibble = _mm_and_si128(_mm_srli_epi16(block, 4), _mm_set1_epi8(0x0f));
    const __m128i bit =
        _mm_shuffle_epi8(_mm_setr_epi8(1, 2, 4, 8, 16, 32, 64, static_cast<char>(128), 1, 2, 4, 8,
                                       16, 32, 64, static_cast<char>(128)),
                         nibble);
    return _mm_cmpeq_epi8(_mm_and_si128(row, bit), bit);
}

// The blocks tested by byte classes: the same cost for any number of strings.
template <std::size_t kMaxSets, typename Candidate>
VORLENT_SSSE3 BlockScanEnd ScanBlocksByClass(const char* text, std::size_t i, std::size_t to,
                                             std::size_t readableEnd, std::size_t maxDistance,
                                             const std::array<BytePairSet, kMaxSets>& sets,
                                             std::size_t setCount, Candidate& candidate) {
    constexpr std::size_t kBlock = 16;
    std::array<ByteClassTables, kMaxSets> firsts;
    std::array<ByteClassTables, kMaxSets> lasts;
    for (std::size_t set = 0; set < setCount; ++set) {
        firsts[set] = MakeByteClassTables(sets[set].firsts.data(), sets[set].firstCount);
        lasts[set] = MakeByteClassTables(sets[set].lasts.data(), sets[set].lastCount);
    }
    std::array<unsigned, kMaxSets> masks;
    for (; i + kBlock - 1 <= to && i + kBlock + maxDistance <= readableEnd; i += kBlock) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        unsigned any = 0;
        for (std::size_t set = 0; set < setCount; ++set) {
            const __m128i there =
                _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + sets[set].distance));
            masks[set] = static_cast<unsigned>(_mm_movemask_epi8(
                _mm_and_si128(ByteClassHits(here, firsts[set]), ByteClassHits(there, lasts[set]))));
            any |= masks[set];
        }
        std::size_t stoppedAt = 0;
        if (!ReportBlockHits(i, masks, setCount, any, candidate, &stoppedAt)) {
            return {stoppedAt, true};
        }
    }
    return {i, false};
}

#endif

// What the scan costs per sixteen bytes of body, in instructions: about
// three for each length among its strings, and either two (a comparison and
// an or) for each distinct first or last byte, or about nine for each class
// of first or last bytes, whatever their number.
inline constexpr double kPairScanCostPerLength = 3;
inline constexpr double kPairScanCostPerByte = 2;
inline constexpr double kPairScanCostPerClass = 9;

// Whether the sets are tested faster by byte classes than byte by byte.
template <std::size_t kMaxSets>
bool ByteClassesPayOff(const std::array<BytePairSet, kMaxSets>& sets, std::size_t setCount) {
    std::size_t bytes = 0;
    for (std::size_t set = 0; set < setCount; ++set) {
        bytes += sets[set].firstCount + sets[set].lastCount;
    }
    return kPairScanCostPerByte * static_cast<double>(bytes) >
           kPairScanCostPerClass * 2 * static_cast<double>(setCount);
}

// Calls candidate(set, i), in increasing order of i, for every i from `from`
// to `to` at which sets[set] matches, until it returns false; returns the
// position where it stopped, where other sets may still match, or to + 1.
// Bytes before `readableEnd` may be read, whatever the distances. The sets
// together are made of at most kMaxStrings strings.
//
// Testing the first and the last byte of a string settles almost every
// position without a comparison. With SSE2 (every x86-64, and the 32-bit
// plug-in, which is built for it) sixteen positions are tested at once, all
// sets in one pass over the text: by one comparison per distinct byte, or,
// with `byteClasses` (only where the CPU has SSSE3), by table lookups that
// cost the same for any number of bytes.
template <std::size_t kMaxStrings, std::size_t kMaxSets, typename Candidate>
std::size_t ScanBytePairs(const char* text, std::size_t from, std::size_t to,
                          std::size_t readableEnd, const std::array<BytePairSet, kMaxSets>& sets,
                          std::size_t setCount, bool byteClasses, Candidate&& candidate) {
    std::size_t i = from;
    std::size_t maxDistance = 0;
    for (std::size_t set = 0; set < setCount; ++set) {
        maxDistance = std::max(maxDistance, sets[set].distance);
    }
#if defined(__SSE2__)
    const BlockScanEnd blocks =
        byteClasses
            ? ScanBlocksByClass(text, i, to, readableEnd, maxDistance, sets, setCount, candidate)
            : ScanBlocksByByte<kMaxStrings>(text, i, to, readableEnd, maxDistance, sets, setCount,
                                            candidate);
    if (blocks.stopped) {
        return blocks.position;
    }
    i = blocks.position;
#else
    static_cast<void>(byteClasses);
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
