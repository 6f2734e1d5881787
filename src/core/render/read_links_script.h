#pragma once

namespace tessaray {

// A JavaScript function of one argument, a host (lower case): run in a rendered page, it returns
// {url, base, robots: [content...], links: [{href, raw, rel, text, hidden}...]} for the anchors
// whose address mentions the host, hidden naming how people are kept from seeing the link.
extern const char* const kReadLinksScript;

} // namespace tessaray
