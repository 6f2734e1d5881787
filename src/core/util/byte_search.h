#pragma once

#include <cstddef>
#include <string_view>

namespace tessaray {

// Searches over bytes that stay fast on HTML, where the usual first byte of a needle ("<") is
// frequent. They work in blocks of 16 (SSE2 where the machine has it, every x86-64) and every one
// is linear in the text: at most |text| * |needle| steps for the short needles of the scanners,
// and FindLinear guarantees |text| + |needle| for any needle. npos when nothing is found.

// First position >= from of needle in text.
std::size_t FindFast(std::string_view text, std::string_view needle, std::size_t from = 0);

// As FindFast, with ASCII letters of either case in text matching the lower-case needle: what a
// search on a lower-case copy of the text finds, without making the copy.
std::size_t FindNoCase(std::string_view text, std::string_view lowerNeedle, std::size_t from = 0);

// First position >= from of any of the (one to four) bytes in set.
std::size_t FindAnyOf(std::string_view text, std::string_view set, std::size_t from = 0);

// First position of needle in text, in time linear in both (Knuth-Morris-Pratt where a plain
// search could take |text| * |needle| steps).
std::size_t FindLinear(std::string_view text, std::string_view needle);

// The first occurrence of a fixed needle at or after a position that only ever grows. A scan
// that asks for the same needle again and again from increasing positions stays linear in all,
// instead of rescanning the same stretch for every item.
class CForwardFinder {
public:
    enum class ECase { kExact, kIgnore }; // kIgnore: as FindNoCase, the needle in lower case

    CForwardFinder(std::string_view text, std::string_view needle, ECase mode = ECase::kExact)
        : m_text(text), m_needle(needle), m_eCase(mode) {}

    std::size_t From(std::size_t from);

private:
    std::string_view m_text;
    std::string_view m_needle;
    ECase m_eCase;
    std::size_t m_nFound = std::string_view::npos;
    bool m_bValid = false;
};

} // namespace tessaray
