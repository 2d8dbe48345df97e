#include "check/byte_search.h"

#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace vorlent {

#if defined(__SSE2__)

// A block read whole may hold bytes past the end of the text, which the
// address sanitizer would count as read from outside it; a block that lies on
// one page with a byte of the text cannot fault, and C libraries' own strlen
// reads the same way. The attribute is on every function that reads such a
// block.
#define VORLENT_READS_WHOLE_BLOCKS __attribute__((no_sanitize_address))

namespace {

VORLENT_READS_WHOLE_BLOCKS __m128i HitsInBlock(const char* block, __m128i wanted) {
    return _mm_cmpeq_epi8(_mm_load_si128(reinterpret_cast<const __m128i*>(block)), wanted);
}

// Sixteen bytes that lie on one page.
VORLENT_READS_WHOLE_BLOCKS __m128i HitsInUnalignedBlock(const char* block, __m128i wanted) {
    return _mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(block)), wanted);
}

}  // namespace

VORLENT_READS_WHOLE_BLOCKS const char* FindByte(const char* text, std::size_t count, char byte) {
    constexpr std::size_t kBlock = 16;
    constexpr std::size_t kGroup = 64;
    const __m128i wanted = _mm_set1_epi8(byte);
    const auto hits = [&](std::size_t at) { return HitsInBlock(text + at, wanted); };
    const auto alignedTo = [&](std::size_t at, std::size_t alignment) {
        return reinterpret_cast<std::uintptr_t>(text + at) % alignment == 0;
    };
    constexpr std::uintptr_t kPage = 4096;  // the smallest page of x86
    if (count == 0) {
        return nullptr;
    }
    // Most searches end within a line or two, so the first sixteen bytes are
    // read at once wherever they start, unless they reach into the next page.
    std::size_t i = 0;
    if (reinterpret_cast<std::uintptr_t>(text) % kPage <= kPage - kBlock) {
        const auto mask =
            static_cast<unsigned>(_mm_movemask_epi8(HitsInUnalignedBlock(text, wanted)));
        if (mask != 0) {
            const auto at = static_cast<std::size_t>(std::countr_zero(mask));
            return at < count ? text + at : nullptr;
        }
        i = kBlock - reinterpret_cast<std::uintptr_t>(text) % kBlock;
    }
    for (; i < count && !alignedTo(i, kBlock); ++i) {
        if (text[i] == byte) {
            return text + i;
        }
    }
    // Single blocks up to a 64-byte boundary, then groups of four, which lie
    // on one page too; the block of the match is then found alone.
    for (; i < count && !alignedTo(i, kGroup); i += kBlock) {
        if (_mm_movemask_epi8(hits(i)) != 0) {
            break;
        }
    }
    if (i < count && alignedTo(i, kGroup)) {
        for (; i < count; i += kGroup) {
            const __m128i any = _mm_or_si128(_mm_or_si128(hits(i), hits(i + 16)),
                                             _mm_or_si128(hits(i + 32), hits(i + 48)));
            if (_mm_movemask_epi8(any) != 0) {
                break;
            }
        }
    }
    for (; i < count; i += kBlock) {
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(hits(i)));
        if (mask != 0) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(mask));
            return at < count ? text + at : nullptr;
        }
    }
    return nullptr;
}

#else

const char* FindByte(const char* text, std::size_t count, char byte) {
    // memchr may be given more bytes than a NUL-terminated text holds when
    // it looks for the NUL: it reads in order and stops at the first match
    // (C11 7.24.5.1).
    return static_cast<const char*>(std::memchr(text, byte, count));
}

#endif

}  // namespace vorlent
