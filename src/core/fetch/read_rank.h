#pragma once

#include <string_view>

namespace tessaray {

// Reads a page rank from the response text of a rank query: -1 when the text is shorter than 10
// characters or does not contain "RANK_" (in any case); otherwise the last decimal digit of the
// text, not counting its first character (-1 when there is none).
int ReadRank(std::string_view response);

} // namespace tessaray
