#pragma once

#include "core/project/line_list.h"

#include <memory>
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
    CPageAnalyzer();
    ~CPageAnalyzer();
    CPageAnalyzer(CPageAnalyzer&&) noexcept;
    CPageAnalyzer& operator=(CPageAnalyzer&&) noexcept;

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
    int GetInternalCount() const;
    int GetExternalCount() const;

    // The next NextLinkToDomain starts again at the first link.
    void ResetLinkCursor();
    // From the cursor on, finds the next link whose URL (scheme and one trailing "/" dropped)
    // contains the domain (likewise reduced) and returns its lower-case URL, anchor text and
    // nofollow mark; false when no further link matches. The cursor moves past every link
    // examined.
    bool NextLinkToDomain(std::string_view domain, std::string& url, std::string& text,
                          int& nofollow);

    // The raw anchors (bytes below 0x20 and above 0x7F removed) and their links, in page order.
    const CLineList& GetAnchors() const;
    std::vector<CLinkInfo> GetLinks() const; // built from the compact store on each call
    // The host of the base URL: no scheme, nothing from the first "/" (when not the first byte).
    const std::string& GetHost() const;

    // Classifies one anchor string of a page of the site baseUrl.
    static CLinkInfo ParseAnchor(std::string_view baseUrl, std::string_view anchor);
    // What GetHost gives for a base URL (case kept).
    static std::string HostOfBaseUrl(std::string_view baseUrl);

private:
    struct SScan; // the results of Load, in a compact store
    std::unique_ptr<SScan> m_pScan;
};

} // namespace tessaray
