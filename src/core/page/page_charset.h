#pragma once

#include "core/util/utf8_text.h"

#include <string>
#include <string_view>

namespace tessaray {

// The character set a page is written in, as a browser finds it: a byte-order mark (UTF-8,
// UTF-16LE or UTF-16BE), else the charset parameter of the
// Content-Type header in the raw header block, else a <meta charset> or <meta http-equiv> in the
// page's head, else "UTF-8" when the bytes are valid UTF-8, else "WINDOWS-1252". The name is one
// iconv knows; labels that browsers read as windows-1252 ("iso-8859-1", "us-ascii") give
// "WINDOWS-1252".
std::string SniffCharset(std::string_view headerBlock, std::string_view page);

// Why the bytes of a fetched page cannot be read as text, or "" when they can: a Content-Encoding
// other than identity in the raw header block (the request asks for none, so the body is
// compressed bytes; "Content-Encoding: gzip"), or a charset that iconv does not know on a page
// with bytes beyond ASCII ("charset X-UNKNOWN"; a plain ASCII page reads the same in any case).
std::string UndecodableReason(std::string_view headerBlock, std::string_view page,
                              std::string_view charset);

// The text converted from charset to UTF-8 with iconv. A byte sequence the charset does not
// allow becomes U+FFFD; a charset iconv does not know is taken as windows-1252 unless the text
// is valid UTF-8.
std::string ConvertToUtf8(std::string_view text, std::string_view charset);
// The same in place: a page that is valid UTF-8 already is neither copied nor changed.
void ConvertToUtf8InPlace(std::string& text, std::string_view charset);

} // namespace tessaray
