#pragma once

#include <string>
#include <string_view>

namespace tessaray {

// Replaces the first occurrence of strWhat; false when there is none (or strWhat is empty).
bool ReplaceFirst(std::string& str, std::string_view strWhat, std::string_view strWith);

// Replaces every occurrence from left to right without searching the inserted text again, in one
// pass linear in the text; true when at least one was replaced (never for an empty strWhat).
bool ReplaceAll(std::string& str, std::string_view strWhat, std::string_view strWith);

} // namespace tessaray
