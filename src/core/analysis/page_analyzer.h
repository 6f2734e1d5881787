#pragma once

#include "core/project/line_list.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessaray {

// One anchor of a page, classified. Exactly one of m_nInPage, m_nInternal and m_nExternal is 1.
// The anchor string itself is the entry of the same index in the analyzer's anchors, and the
// host it was classified against is the analyzer's GetHost(); neither is copied per link.
struct CLinkInfo {
    std::string m_strUrl;  // the href value, lower case
    std::string m_strText; // the anchor text, tags stripped (the inner text when nothing is left)
    int m_nNofollow = 0;   // rel holds the token nofollow, ugc or sponsored
    int m_nExternal = 0;   // absolute link to another host
    int m_nInternal = 0;   // relative link, or absolute link to the page's own host
    int m_nInPage = 0;     // the URL begins with "#"
};

// A tolerant text scanner for one fetched page: the robots meta tag, the anchors, their internal
// and external counts, and the links to the user's domain. It is not an HTML parser: every test is
// a substring search that ignores the case of ASCII letters; no character set or entity is
// decoded. Every
// step is linear in the page size, also on hostile pages.
class CPageAnalyzer {
public:
    // Removes HTML comments in place: repeatedly, the first "<!--" up to the end of the first
    // "-->"; a "-->" before the first "<!--" drops everything up to and including it; an
    // unterminated comment is cut off with everything after it.
    static void RemoveComments(std::string& text);

    // Scans a page (comments already removed) of the site baseUrl ("http://" or "https://" and
    // the host): splits head and body, evaluates the robots meta tag in the head and collects and
    // classifies the anchors of the body. Replaces the results of an earlier Load and resets the
    // link cursor.
    void Load(std::string_view baseUrl, std::string_view page);

    // The robots meta tag: found, and whether it contains "index", "noindex", "follow",
    // "nofollow" (plain substring tests, so "noindex" also counts as "index").
    void GetMetaFlags(int& robots, int& index, int& noindex, int& follow, int& nofollow) const;
    int GetInternalCount() const { return m_nInternalCount; }
    int GetExternalCount() const { return m_nExternalCount; }

    // The next NextLinkToDomain starts again at the first link.
    void ResetLinkCursor() { m_nLinkCursor = 0; }
    // From the cursor on, finds the next link whose URL (scheme and one trailing "/" dropped)
    // contains the domain (likewise reduced) and returns its lower-case URL, anchor text and
    // nofollow mark; false when no further link matches. The cursor moves past every link
    // examined.
    bool NextLinkToDomain(std::string_view domain, std::string& url, std::string& text,
                          int& nofollow);

    // The raw anchors (bytes below 0x20 and above 0x7F removed) and their links, in page order.
    const CLineList& GetAnchors() const { return m_anchors; }
    std::vector<CLinkInfo> GetLinks() const; // built from the compact store on each call
    // The host of the base URL: no scheme, nothing from the first "/" (when not the first byte).
    const std::string& GetHost() const { return m_strHost; }

    // Classifies one anchor string of a page of the site baseUrl.
    static CLinkInfo ParseAnchor(std::string_view baseUrl, std::string_view anchor);
    // What GetHost gives for a base URL (case kept).
    static std::string HostOfBaseUrl(std::string_view baseUrl);

    // One link in the compact store: its URL and, right after it, its text are stretches of one
    // shared buffer, so a page with thousands of links does not cost two allocations per link.
    // Kept small: a large page holds tens of thousands of them.
    struct SLinkRecord {
        std::size_t nUrlAt = 0;
        std::size_t nUrlLength = 0;
        std::size_t nTextLength = 0;
        std::size_t nHostAt = 0; // where the URL goes on after its scheme (0 without one)
        std::uint8_t nNofollow = 0;
        std::uint8_t nExternal = 0;
        std::uint8_t nInternal = 0;
        std::uint8_t nInPage = 0;
        std::size_t TextAt() const { return nUrlAt + nUrlLength; }
    };

private:
    void FindRobotsMeta(std::string_view head);
    void CollectAnchors(std::string_view body);
    std::string_view UrlOf(const SLinkRecord& link) const;
    std::string_view TextOf(const SLinkRecord& link) const;

    std::string m_strHost;
    int m_nMetaRobots = 0;
    int m_nMetaIndex = 0;
    int m_nMetaNoindex = 0;
    int m_nMetaFollow = 0;
    int m_nMetaNofollow = 0;
    CLineList m_anchors;
    std::vector<SLinkRecord> m_links;
    std::string m_strLinkBytes; // the URLs and texts of m_links
    std::string m_strDomain;    // the last domain asked for, and its reduced lower-case form
    std::string m_strDomainReduced;
    int m_nExternalCount = 0;
    int m_nInternalCount = 0;
    std::size_t m_nLinkCursor = 0;
};

} // namespace tessaray
