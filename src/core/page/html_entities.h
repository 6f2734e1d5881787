#pragma once

#include <string>
#include <string_view>

namespace tessaray {

// Appends text to out with its character references decoded as a browser reads them: "&#228;",
// "&#xE4;" (the ";" may be missing) and the named references of HTML 4 ending in ";" ("&auml;",
// "&amp;") become UTF-8. Anything else, a lone "&" included, is copied as it is.
void AppendDecodedReferences(std::string_view text, std::string& out);

} // namespace tessaray
