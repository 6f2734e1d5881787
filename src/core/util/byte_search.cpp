#include "core/util/byte_search.h"

#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessaray {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The byte loops work in blocks of 16 with a fixed inner trip count: compilers turn such blocks
// into vector instructions even at -O2, where an open-ended byte loop stays scalar. The searches
// use SSE2 directly where it exists, for its byte mask of hits.
constexpr std::size_t kBlock = 16;

// The case bit of an ASCII letter: a byte equals the lower-case letter c, in either case, when
// (byte | CaseBit(c)) == c. For any other needle byte the bit is 0 and the test is exact.
unsigned char CaseBit(char c) {
    return c >= 'a' && c <= 'z' ? 0x20 : 0;
}

// Each block of 16 start positions is tested at once for the needle's first and last byte; only
// hits are compared in full. Unlike a search that stops at every occurrence of the first byte, it
// stays fast on text where that byte is frequent.
template <bool kIgnoreCase>
std::size_t FindNeedle(std::string_view text, std::string_view needle, std::size_t from) {
    const std::size_t m = needle.size();
    const std::size_t n = text.size();
    if (m == 1 && (!kIgnoreCase || CaseBit(needle[0]) == 0)) {
        return text.find(needle[0], from);
    }
    if (m == 0 || n < m || from > n - m) {
        return m == 0 && from <= n ? from : npos;
    }
    const char* p = text.data();
    const char* q = needle.data();
    const auto byteMatches = [&](std::size_t at, std::size_t j) {
        if constexpr (kIgnoreCase) {
            return static_cast<char>(static_cast<unsigned char>(p[at + j]) | CaseBit(q[j])) == q[j];
        } else {
            return p[at + j] == q[j];
        }
    };
    const auto middleMatches = [&](std::size_t at) {
        for (std::size_t j = 1; j + 1 < m; ++j) {
            if (!byteMatches(at, j)) {
                return false;
            }
        }
        return true;
    };
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i first = _mm_set1_epi8(q[0]);
    const __m128i last = _mm_set1_epi8(q[m - 1]);
    const __m128i firstCase = _mm_set1_epi8(static_cast<char>(kIgnoreCase ? CaseBit(q[0]) : 0));
    const __m128i lastCase = _mm_set1_epi8(static_cast<char>(kIgnoreCase ? CaseBit(q[m - 1]) : 0));
    for (; i + kBlock + m - 1 <= n; i += kBlock) {
        __m128i head = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        __m128i tail = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + m - 1));
        if constexpr (kIgnoreCase) {
            head = _mm_or_si128(head, firstCase);
            tail = _mm_or_si128(tail, lastCase);
        }
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(
            _mm_and_si128(_mm_cmpeq_epi8(head, first), _mm_cmpeq_epi8(tail, last))));
        for (; mask != 0; mask &= mask - 1) {
            const std::size_t at = i + static_cast<std::size_t>(std::countr_zero(mask));
            if (middleMatches(at)) {
                return at;
            }
        }
    }
#endif
    for (; i + m <= n; ++i) {
        if (byteMatches(i, 0) && byteMatches(i, m - 1) && middleMatches(i)) {
            return i;
        }
    }
    return npos;
}

} // namespace

std::size_t FindFast(std::string_view text, std::string_view needle, std::size_t from) {
    return FindNeedle<false>(text, needle, from);
}

std::size_t FindNoCase(std::string_view text, std::string_view lowerNeedle, std::size_t from) {
    return FindNeedle<true>(text, lowerNeedle, from);
}

} // namespace tessaray
