// The page scanner on arbitrary bytes: Load (which reads the comments itself), every link,
// NextLinkToDomain. Small inputs are also checked against the plain reference scanner of the
// tests, which removes the comments first, so the fast one must not only survive but give the same
// answers.
#include "core/page/page_analyzer.h"

#include "../tests/core/page/page_analyzer_reference.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tessaray;
    // The first byte picks the base URL and the domain; the rest is the page.
    static const char* const bases[] = {"http://partner.example", "HTTPS://Partner.Example/blog",
                                        "partner.example", ""};
    static const char* const domains[] = {"http://shop.example/", "https://SHOP.example", "shop",
                                          "http://"};
    const std::uint8_t pick = size > 0 ? data[0] : 0;
    const std::string base = bases[pick & 3];
    const std::string domain = domains[(pick >> 2) & 3];
    const std::string original(reinterpret_cast<const char*>(data) + (size > 0 ? 1 : 0),
                               size > 0 ? size - 1 : 0);

    CPageAnalyzer analyzer;
    analyzer.Load(base, original);
    int meta[5];
    analyzer.GetMetaFlags(meta[0], meta[1], meta[2], meta[3], meta[4]);
    std::string url, text;
    int nofollow = 0;
    std::vector<std::string> matched;
    while (analyzer.NextLinkToDomain(domain, url, text, nofollow)) {
        matched.push_back(url + '\n' + text + '\n' + std::to_string(nofollow));
    }
    // A scan that keeps only the domain's links finds the same ones and the same counts.
    CPageAnalyzer listing;
    listing.ListLinksTo(domain);
    listing.Load(base, original);
    std::vector<std::string> listed;
    while (listing.NextLinkToDomain(domain, url, text, nofollow)) {
        listed.push_back(url + '\n' + text + '\n' + std::to_string(nofollow));
    }
    const std::size_t cap = CPageAnalyzer::kMaxListedLinks;
    Check(listed.size() == std::min(matched.size(), cap));
    Check(std::equal(listed.begin(), listed.end(), matched.begin()));
    Check(static_cast<std::size_t>(listing.GetLinksNotListed()) == matched.size() - listed.size());
    Check(listing.GetInternalCount() == analyzer.GetInternalCount());
    Check(listing.GetExternalCount() == analyzer.GetExternalCount());

    if (original.size() > 4096) {
        return 0;
    }
    std::string plain = original;
    test::RefRemoveComments(plain);
    std::string page = original;
    CPageAnalyzer::RemoveComments(page);
    Check(plain == page);
    Check(analyzer.GetCommentBytes() == original.size() - page.size());
    const test::RefScan ref = test::RefLoad(base, plain);
    for (int i = 0; i < 5; ++i) {
        Check(meta[i] == ref.meta[i]);
    }
    Check(analyzer.GetAnchors() == ref.anchors);
    Check(analyzer.GetInternalCount() == ref.internalCount);
    Check(analyzer.GetExternalCount() == ref.externalCount);
    // The plain scanner knows only a few character references; with others the texts may differ.
    const bool plainReferences = original.find('&') == std::string::npos;
    const auto& links = analyzer.GetLinks();
    Check(links.size() == ref.links.size());
    for (std::size_t i = 0; i < links.size(); ++i) {
        Check(!plainReferences || links[i].m_strUrl == ref.links[i].url);
        Check(!plainReferences || links[i].m_strText == ref.links[i].text);
        Check(links[i].m_nNofollow == ref.links[i].nofollow);
        Check(links[i].m_nInternal == ref.links[i].internal);
        Check(links[i].m_nExternal == ref.links[i].external);
        Check(links[i].m_nInPage == ref.links[i].inPage);
        Check(links[i].m_nOther == ref.links[i].other);
        Check(links[i].m_nInNoscript == ref.links[i].inNoscript);
    }
    std::vector<std::string> expected;
    for (const std::size_t i : test::RefLinksToDomain(ref, domain)) {
        expected.push_back(ref.links[i].url + '\n' + ref.links[i].text + '\n' +
                           std::to_string(ref.links[i].nofollow));
    }
    Check(!plainReferences || matched == expected);
    return 0;
}
