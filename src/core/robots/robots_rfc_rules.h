#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaray {

// A site's robots.txt read as search engines read it today (the Robots Exclusion Protocol of
// RFC 9309), beside the literal CRobotsRules of the Robots-Allow cell: groups by crawler name,
// Allow and Disallow, the longest matching rule wins, Allow wins a tie, "*" and a final "$" in
// patterns. Where the protocol leaves room, lines are read as Googlebot reads them (misspelt and
// lengthened keys, a cut-off byte-order mark, a missing colon).
class CRobotsRfcRules {
public:
    // Only this much of a robots.txt is read; the rest is ignored.
    static constexpr std::size_t kMaxBytes = std::size_t{512} * 1024;

    // The fetch rules: a 2xx answer is parsed; a 3xx (a redirect that was not resolved) or 4xx
    // answer allows everything; a 5xx or 429 answer or none at all (status 0) disallows
    // everything.
    void Load(int nStatus, std::string_view text);
    // Parses text as the rules of a successful fetch.
    void Parse(std::string_view text);

    // Whether the crawler named by its product token ("Googlebot", any case) may fetch url. The
    // URL's blanks and control characters count percent-encoded, as the crawler requests them.
    bool IsAllowed(std::string_view crawler, std::string_view url) const;

private:
    enum class EAccess { Rules, AllowAll, DisallowAll };
    struct SRule {
        std::string strPattern;  // percent-encoding normalised, runs of "*" as one
        std::size_t nLength = 0; // of the normalised pattern as written: the longest match wins
        bool bAllow = false;
    };
    struct SGroup {
        std::vector<std::string> agents; // lower-case product tokens, "*" for every crawler
        std::vector<SRule> rules;
    };

    EAccess m_eAccess = EAccess::AllowAll;
    std::vector<SGroup> m_groups;
};

} // namespace tessaray
