#pragma once

#include "core/fetch/partner_fetch.h"
#include "core/partner/partner_result.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessaray {

// The user's own link pages as a run reads them, and the other direction of each exchange: does
// the user link to a partner's site, followed or not, and from which page. Pages may arrive in any
// order; the answers depend only on the order the project names them in.
class CMyLinkPages {
public:
    CMyLinkPages() = default;
    // The pages as the project names them; none has been read yet.
    explicit CMyLinkPages(std::vector<std::string> pages);

    bool IsEmpty() const { return m_pages.empty(); }
    int GetPageCount() const { return static_cast<int>(m_pages.size()); }
    const std::string& GetPage(int nPage) const { return m_pages[static_cast<std::size_t>(nPage)]; }

    // Reads the fetched page nPage: every link of it, by the site it points to. A page that did
    // not arrive whole as a readable 200 answer stays unread, and so says nothing.
    void AddPage(int nPage, SPartnerFetch&& fetched);

    // The answer for a partner: whether a page read links to the partner's site (any page of it;
    // http and https, with and without "www." alike), from the first page with a followed link,
    // else the first with a nofollow link. Unknown while a page is unread, unless a followed link
    // has been found: a page that could not be read never makes the user "not link back".
    SReciprocal AnswerFor(std::string_view partnerUrl) const;

private:
    // The first pages (by their index) that link to a site followed and nofollow; -1 for none.
    struct SSiteLinks {
        int nFollowed = -1;
        int nNofollow = -1;
    };

    std::vector<std::string> m_pages;
    std::vector<bool> m_read;
    int m_nUnread = 0;
    std::unordered_map<std::string, SSiteLinks> m_sites; // by the lower-case site (SiteOfUrl)
};

// The warnings of a partner's answer, on the partner and every row: one-sided when its link does
// not count (or is missing) while the user's link to it is followed; you-do-not-link-back when its
// link counts while the user's pages were read and do not link to it. Neither changes a verdict.
void AddReciprocityReasons(SPartnerResult& result);

} // namespace tessaray
