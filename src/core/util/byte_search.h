#pragma once

#include <cstddef>
#include <string_view>

namespace tessaray {

// Searches over bytes that stay fast on HTML, where the usual first byte of a needle ("<") is
// frequent. They work in blocks of 16 (SSE2 where the machine has it, every x86-64) and take at
// most |text| * |needle| steps, which is linear for the short needles of the scanners. npos when
// nothing is found.

// First position >= from of needle in text.
std::size_t FindFast(std::string_view text, std::string_view needle, std::size_t from = 0);

// As FindFast, with ASCII letters of either case in text matching the lower-case needle: what a
// search on a lower-case copy of the text finds, without making the copy.
std::size_t FindNoCase(std::string_view text, std::string_view lowerNeedle, std::size_t from = 0);

} // namespace tessaray
