#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessaray {

// One anchor of a page, classified. Exactly one of m_nInPage, m_nInternal, m_nExternal and
// m_nOther is 1.
struct CLinkInfo {
    // The href value, references decoded, lower case (ASCII letters); resolved against <base
    // href> when relative, and without dot segments.
    std::string m_strUrl;
    std::string m_strText; // the anchor text, UTF-8 (the inner markup when there is no text)
    int m_nNofollow = 0;   // rel holds the token nofollow, ugc or sponsored
    int m_nExternal = 0;   // absolute link to another site
    int m_nInternal = 0;   // relative link, or absolute link to the page's own site
    int m_nInPage = 0;     // the URL begins with "#"
    int m_nOther = 0;      // no page link: "mailto:", "tel:", "javascript:" or another scheme
    int m_nInNoscript = 0; // inside a <noscript> element: not shown where scripts run
    // How the HTML itself hides it from people: "display-none" (also the hidden attribute),
    // "visibility-hidden", "opacity-zero", "tiny-font", "off-screen" from an inline style of the
    // anchor or an element around it, or "one-character" for a text of one small mark; "" when
    // nothing certain hides it. Menus, tabs and <details> the user can open are not hidden.
    std::string m_strHidden;
    // The tokens of its rel attribute, in lower case, "&amp;" read as "&", split at commas and
    // HTML white space (RelTokens of its anchor).
    std::vector<std::string> m_rel;
};

// A scanner for one fetched page: the robots meta tags, the canonical link, the base URL, the
// anchors, their internal and external counts, and the links to the user's domain. It reads tags
// the way a browser's tokenizer does (any white space between attributes, quoted values,
// comments, no markup inside script, style, template, textarea and title) in one pass without
// building a document tree, and it is linear in the page size, also on hostile pages. The page is
// UTF-8 (see page_charset.h).
class CPageAnalyzer {
public:
    // How many links to the domain a scan that lists them (ListLinksTo) keeps at most.
    static constexpr int kMaxListedLinks = 1'000;

    CPageAnalyzer();
    ~CPageAnalyzer();
    CPageAnalyzer(CPageAnalyzer&&) noexcept;
    CPageAnalyzer& operator=(CPageAnalyzer&&) noexcept;

    // Removes HTML comments in place: each runs from "<!--" to the first "-->" after it, an
    // unterminated one to the end of the text. A "-->" outside a comment is text, and so is
    // everything inside script, style, template and textarea elements. (Load reads comments
    // itself: a page should not go through here first, since removing one comment can join the
    // bytes around it into another.)
    static void RemoveComments(std::string& text);

    // Scans a page of the site baseUrl ("http://" or "https://" and the host): reads the robots
    // meta tags, the canonical link and the base URL, and collects and classifies the anchors of
    // the body (from the first <body> tag on, or the whole page without one), all as on the page
    // without its comments (RemoveComments). Replaces the results of an earlier Load and resets
    // the link cursor.
    void Load(std::string_view baseUrl, std::string_view page);
    // The same on a page handed over: the scanner keeps it instead of a copy.
    void LoadText(std::string_view baseUrl, std::string page);
    // From the next Load on, keeps only the links to the domain's site (those NextLinkToDomain
    // finds), the first kMaxListedLinks of them, so what a page costs stays bounded whatever it
    // holds; the others are only counted. An empty domain keeps every link again.
    void ListLinksTo(std::string_view domain);
    // The links to the listed domain that the last Load found past kMaxListedLinks.
    int GetLinksNotListed() const;
    // How many bytes of the page Load read as comments (what RemoveComments would remove).
    std::size_t GetCommentBytes() const;

    // The meta tags named "robots" or "googlebot" anywhere in the page: any found, and whether
    // their contents hold the directive "index", "noindex", "follow" or "nofollow" as a token
    // (separated by commas or white space, without case). "noindex" also counts as "index" and
    // "nofollow" as "follow"; "none" counts as both noindex and nofollow, "all" as index and
    // follow.
    void GetMetaFlags(int& robots, int& index, int& noindex, int& follow, int& nofollow) const;
    // Their contents, references decoded, in page order.
    const std::vector<std::string>& GetRobotsMetaContents() const;
    // The href of the first <link rel="canonical"> and of the first <base href>, references
    // decoded; "" without one.
    const std::string& GetCanonicalHref() const;
    const std::string& GetBaseHref() const;
    int GetInternalCount() const;
    int GetExternalCount() const;

    // The next NextLinkToDomain starts again at the first link.
    void ResetLinkCursor();
    // From the cursor on, finds the next link to the domain's site (IsLinkToDomain) and returns
    // its lower-case URL, anchor text and nofollow mark; false when no further link matches. The
    // cursor moves past every link examined.
    bool NextLinkToDomain(std::string_view domain, std::string& url, std::string& text,
                          int& nofollow);

    // The index among GetLinks() of the link NextLinkToDomain returned last, and that link.
    std::size_t GetLastLinkIndex() const;
    CLinkInfo GetLink(std::size_t index) const;
    // The index of that link among all links of the page, also those not kept.
    std::size_t GetLastLinkPosition() const;

    // The anchors (from "<a" to their end, as in the page) and their links, in page order (those
    // kept: see ListLinksTo).
    std::vector<std::string> GetAnchors() const; // built from the compact store on each call
    std::vector<CLinkInfo> GetLinks() const;     // built from the compact store on each call

    // The first anchor of a text, classified as Load would on a page of the site baseUrl; an
    // empty CLinkInfo when the text holds none.
    static CLinkInfo ParseAnchor(std::string_view baseUrl, std::string_view anchor);

private:
    struct SScan; // the results of Load, in a compact store
    std::unique_ptr<SScan> m_pScan;
};

} // namespace tessaray
