#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace tessaray {

class CPageAnalyzer;

// What a page and its response say to search engines beyond the links themselves: every robots
// meta tag (names "robots" and "googlebot"), the X-Robots-Tag headers, the
// canonical URL and the redirect the fetch followed. Read for the crawler Googlebot.
struct SPageSignals {
    std::vector<std::string> metaContents;   // the content of every robots/googlebot meta tag
    std::vector<std::string> headerContents; // every X-Robots-Tag value meant for Googlebot
    bool bMetaNoindex = false;               // "noindex" or "none" in a meta tag
    bool bMetaNofollow = false;              // "nofollow" or "none" in a meta tag
    bool bHeaderNoindex = false;             // likewise in an X-Robots-Tag header
    bool bHeaderNofollow = false;
    std::string strCanonical;    // the first <link rel="canonical">, resolved ("" without one
                                 // or when it cannot be resolved)
    std::string strRedirectFrom; // the page URL and where it redirected to; "" without redirect
    std::string strRedirectTo;
};

// The signals of a page fetched from pageUrl, as the scanner read it (page, after Load). finalUrl
// is where it came from (the redirect target, or pageUrl); header is the final response's raw
// header block.
SPageSignals ReadPageSignals(std::string_view pageUrl, std::string_view finalUrl,
                             const CPageAnalyzer& page, std::string_view header);

// The values of every header line named name (lower case; matched without case) of a raw header
// block, trimmed.
std::vector<std::string_view> HeaderValues(std::string_view block, std::string_view name);

// The lower-case tokens of the rel attribute of an anchor's opening tag ("<a href=.. rel=..>").
std::vector<std::string> RelTokens(std::string_view anchor);

// Whether two absolute URLs name the same page: scheme and host without case, dot segments, the
// fragment and one trailing "/" ignored.
bool IsSamePage(std::string_view a, std::string_view b);

} // namespace tessaray
