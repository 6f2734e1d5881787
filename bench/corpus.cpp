#include "bench/corpus.h"

#include "core/page/page_signals.h"
#include "core/page/scanned_page.h"

#include <cstdint>
#include <utility>

namespace tessaray::bench {

namespace {

// xorshift64*: small, fast and the same everywhere.
class CRandom {
public:
    explicit CRandom(std::uint64_t seed) : m_state(seed | 1) {}
    std::uint64_t Next() {
        m_state ^= m_state >> 12;
        m_state ^= m_state << 25;
        m_state ^= m_state >> 27;
        return m_state * 2685821657736338717ULL;
    }
    std::size_t Below(std::size_t n) { return static_cast<std::size_t>(Next() % n); }
    template <std::size_t N> const char* Pick(const char* const (&items)[N]) {
        return items[Below(N)];
    }

private:
    std::uint64_t m_state;
};

const char* const kWords[] = {
    "the",    "garden",  "partner", "review",    "Tuesday", "coffee", "shop",    "links",
    "recipe", "weekend", "travel",  "summer",    "and",     "with",   "about",   "new",
    "Müller", "café",    "really",  "friends",   "of",      "our",    "website", "photos",
    "to",     "a",       "list",    "favourite", "in",      "Berlin", "for",     "you",
};

const char* const kHosts[] = {
    "www.garden-friends.example", "coffee-notes.example", "travel.example.org",
    "photos.example.net",         "news.example.com",     "www.recipes.example",
};

void AppendWords(std::string& out, CRandom& rng, std::size_t bytes) {
    const std::size_t stop = out.size() + bytes;
    while (out.size() < stop) {
        out += rng.Pick(kWords);
        out += rng.Below(12) == 0 ? "\n" : " ";
    }
}

void AppendAnchor(std::string& out, CRandom& rng, std::size_t index) {
    switch (rng.Below(12)) {
    case 0:
    case 1:
    case 2:
        out += "<a href=\"/2026/0" + std::to_string(1 + index % 9) + "/post-" +
               std::to_string(index) + ".html\" title=\"Read more\">";
        AppendWords(out, rng, 20);
        out += "</a>";
        break;
    case 3:
        out += "<a href=\"http://blog.partner-one.example/tag/";
        out += rng.Pick(kWords);
        out += "/\">tag</a>";
        break;
    case 4:
    case 5:
        out += "<a href=\"https://";
        out += rng.Pick(kHosts);
        out += "/page-" + std::to_string(index) +
               "\" target=\"_blank\" rel=\"noopener\">A friend's site</a>";
        break;
    case 6:
        out += "<a href=\"http://";
        out += rng.Pick(kHosts);
        out += "/\"\n   class=\"blogroll\">";
        AppendWords(out, rng, 15);
        out += "</a>";
        break;
    case 7:
        out += "<a href=\"http://shop.example/\">Shop Example - coffee beans</a>";
        break;
    case 8:
        out += rng.Below(2) ? "<a href=\"https://shop.example/beans\" rel=\"sponsored\">Beans</a>"
                            : "<a href='http://www.shop.example/' rel='nofollow'>Shop</a>";
        break;
    case 9:
        out += "<a href=\"/\"><img src=\"/img/logo.png\" alt=\"Logo\" width=\"80\"></a>";
        break;
    case 10:
        out += "<A HREF=\"#comments\" CLASS=\"Jump\">Comments (";
        out += std::to_string(index % 40);
        out += ")</A>";
        break;
    default:
        out += "<a href=\"/about.html\"><span class=\"icon\"></span> <b>About</b> us</a>";
        break;
    }
}

// A blog's links page: a head with meta tags, style and script, then paragraphs, lists and
// widgets with the anchors spread evenly, comments here and there.
std::string BlogPage(std::size_t targetBytes, std::size_t anchors, std::uint64_t seed) {
    CRandom rng(seed);
    std::string page;
    page.reserve(targetBytes + 4096);
    page += "<!DOCTYPE html>\n<html lang=\"en\">\n<HEAD>\n<meta charset=\"utf-8\">\n"
            "<title>Links and friends | Partner One</title>\n"
            "<meta name=\"description\" content=\"Our favourite places on the web\">\n"
            "<meta name=\"viewport\" content=\"width=device-width\">\n"
            "<meta name=\"robots\" content=\"index,follow\">\n"
            "<link rel=\"stylesheet\" href=\"/css/site.css\">\n"
            "<!-- analytics start -->\n<style>\n";
    for (int i = 0; i < 40; ++i) {
        page += ".post-" + std::to_string(i) + " > p { margin: 0 0 1em; color: #333; }\n";
    }
    page += "</style>\n<script>\n";
    for (int i = 0; i < 60; ++i) {
        page += "if (window.items && items.length < " + std::to_string(i) +
                ") { document.write('<div class=\"w\">' + items[" + std::to_string(i) +
                "] + '</div>'); }\n";
    }
    page += "</script>\n<!-- analytics end -->\n</HEAD>\n<BODY class=\"links-page\">\n"
            "<div id=\"header\"><h1>Partner One</h1></div>\n<div id=\"content\">\n";

    for (std::size_t i = 0; i < anchors; ++i) {
        // Spread what is left of the size evenly over the anchors still to come.
        const std::size_t left = targetBytes > page.size() ? targetBytes - page.size() : 0;
        const std::size_t perAnchor = left / (anchors - i);
        switch (i % 16) {
        case 0:
            page += "<h2 class=\"section\">";
            AppendWords(page, rng, 20);
            page += "</h2>\n";
            break;
        case 5:
            page += "<!-- widget " + std::to_string(i) + " -->\n";
            break;
        case 9:
            page += "<a name=\"entry-" + std::to_string(i) + "\"></a>";
            break;
        default:
            break;
        }
        page += "<p class=\"entry\">";
        const std::size_t markup = 80; // the anchor, its paragraph and the odd heading
        const std::size_t room = perAnchor > markup + 8 ? perAnchor - markup : 8;
        AppendWords(page, rng, room / 2);
        AppendAnchor(page, rng, i);
        AppendWords(page, rng, room - room / 2);
        page += "</p>\n";
    }
    page += "</div>\n<div id=\"footer\">&copy; Partner One</div>\n"
            "<script src=\"/js/site.js\"></script>\n</BODY>\n</html>\n";
    return page;
}

std::string Repeat(std::string_view unit, std::size_t count) {
    std::string out;
    out.reserve(unit.size() * count);
    for (std::size_t i = 0; i < count; ++i) {
        out += unit;
    }
    return out;
}

} // namespace

std::string TypicalPage() {
    return BlogPage(100 * 1024, 300, 1);
}

std::string LargePage() {
    return BlogPage(5 * 1024 * 1024, 20000, 2);
}

std::string StrayClosesPage() {
    return Repeat("-->", 50000) + "<!--";
}

std::string OpenAnchorsPage() {
    return Repeat("<a ", 1024 * 1024 / 3);
}

std::string TinyCommentsPage() {
    return Repeat("<!--c-->text ", 100000);
}

std::string HugeAnchorPage() {
    return "<body><a href=\"http://shop.example/\">" +
           Repeat("<b>bold</b> and > more <i>x</i>", 1024 * 1024 / 31) + "</a></body>";
}

std::string UnclosedAnchorsPage() {
    // 13 bytes each: 80,000 of them make 1 MB. Each anchor ends where the next one opens.
    return Repeat("<a href=x>abc", 80000);
}

const std::vector<CorpusEntry>& Corpus() {
    static const std::vector<CorpusEntry> corpus = {
        {"typical", TypicalPage},
        {"large", LargePage},
        {"stray-closes", StrayClosesPage},
        {"open-anchors", OpenAnchorsPage},
        {"tiny-comments", TinyCommentsPage},
        {"huge-anchor", HugeAnchorPage},
        {"unclosed-anchors", UnclosedAnchorsPage},
    };
    return corpus;
}

std::size_t ScanPage(std::string bytes) {
    SScannedPage page = ScanPageBytes(std::move(bytes), {}, {}, kBaseUrl);
    const SPageSignals signals = ReadPageSignals(kBaseUrl, kBaseUrl, page.analyzer, {});
    page.analyzer.ResetLinkCursor();
    std::string url;
    std::string anchorText;
    int nofollow = 0;
    std::size_t found = signals.bMetaNofollow ? 1 : 0;
    while (page.analyzer.NextLinkToDomain(kDomain, url, anchorText, nofollow)) {
        ++found;
    }
    return found;
}

} // namespace tessaray::bench
