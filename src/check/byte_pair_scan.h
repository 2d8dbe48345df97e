#pragma once

#include <bit>
#include <cstddef>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorlent {

// Calls candidate(i), in increasing order, for every i from `from` to `to`
// with text[i] == first and text[i + distance] == second, until it returns
// false. Bytes up to text[to + distance] must be readable.
//
// Testing the first and the last byte of a string settles almost every
// position without a comparison; with SSE2 (every x86-64, and the 32-bit
// plug-in built for it) sixteen positions are tested at once.
template <typename Candidate>
void ScanBytePair(const char* text, std::size_t from, std::size_t to, char first, char second,
                  std::size_t distance, Candidate&& candidate) {
    std::size_t i = from;
#if defined(__SSE2__)
    constexpr std::size_t kBlock = 16;
    const __m128i firsts = _mm_set1_epi8(first);
    const __m128i seconds = _mm_set1_epi8(second);
    for (; i + kBlock - 1 <= to; i += kBlock) {
        const __m128i here = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const __m128i there =
            _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i + distance));
        auto hits = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(here, firsts), _mm_cmpeq_epi8(there, seconds))));
        while (hits != 0) {
            if (!candidate(i + static_cast<std::size_t>(std::countr_zero(hits)))) {
                return;
            }
            hits &= hits - 1;
        }
    }
#endif
    for (; i <= to; ++i) {
        if (text[i] == first && text[i + distance] == second && !candidate(i)) {
            return;
        }
    }
}

}  // namespace vorlent
