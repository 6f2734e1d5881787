#include "core/analysis/page_analyzer.h"

#include "page_analyzer_reference.h"

#include <gtest/gtest.h>

#include <random>

namespace tessaray {
namespace {

std::string Uncommented(std::string text) {
    CPageAnalyzer::RemoveComments(text);
    return text;
}

struct Meta {
    int robots, index, noindex, follow, nofollow;
};

Meta MetaOf(const std::string& page) {
    CPageAnalyzer analyzer;
    analyzer.Load("http://partner.example", page);
    Meta m{};
    analyzer.GetMetaFlags(m.robots, m.index, m.noindex, m.follow, m.nofollow);
    return m;
}

std::vector<std::string> AnchorsOf(const std::string& page) {
    CPageAnalyzer analyzer;
    analyzer.Load("http://partner.example", page);
    return analyzer.GetAnchors().Entries();
}

CLinkInfo Link(const std::string& anchor, const std::string& base = "http://partner.example") {
    return CPageAnalyzer::ParseAnchor(base, anchor);
}

TEST(RemoveCommentsTest, RemovesCommentsAndHandlesStrayAndOpenEnds) {
    EXPECT_EQ(Uncommented("<!-- a --> x <!-- b"), " x ");
    EXPECT_EQ(Uncommented("a<!---->b<!-->c"), "abc");
    EXPECT_EQ(Uncommented("no comment --> here"), "no comment --> here");
    // A "-->" before the first comment drops everything up to and including it.
    EXPECT_EQ(Uncommented("keep --> lost <!-- c --> end"), " lost  end");
    EXPECT_EQ(Uncommented("a --> b --> c<!--x-->d"), " cd");
    // Stray "-->" after the last comment stay.
    EXPECT_EQ(Uncommented("<!--x-->a-->b"), "a-->b");
    EXPECT_EQ(Uncommented("<!-- only -->"), "");
    EXPECT_EQ(Uncommented("<!--"), "");
}

TEST(RemoveCommentsTest, MarkersFormedAcrossARemovedCommentCount) {
    // Removing a comment joins the text around it; a new "<!--" or "-->" may form at the seam.
    EXPECT_EQ(Uncommented("<!<!--x-->-- y -->z"), "z");
    EXPECT_EQ(Uncommented("a<!--x-->-<!--y-->->b<!--z-->c"), "bc");
    EXPECT_EQ(Uncommented("<<!--1-->!<!--2-->-<!--3-->-q-->r"), "r");
    EXPECT_EQ(Uncommented("ab-<!--1-->-<!--2-->>c<!--d-->e"), "ce");
}

TEST(PageAnalyzerTest, HeadAndBodySplit) {
    // Without "</head" and "<body" the head is empty and the whole page is scanned.
    const std::string noHead = "<meta name=robots content=noindex><a href=\"/x\">x</a>";
    EXPECT_EQ(MetaOf(noHead).robots, 0);
    EXPECT_EQ(AnchorsOf(noHead).size(), 1u);

    // "</head" without "<body": the head is found and the whole page is still the body.
    const std::string headOnly =
        "<head><meta name=robots content=nofollow><a href=\"/h\">h</a></head><a href=\"/b\">b</a>";
    EXPECT_EQ(MetaOf(headOnly).nofollow, 1);
    EXPECT_EQ(AnchorsOf(headOnly).size(), 2u);

    // With "<body" the anchors before it are not counted.
    const std::string both = "<HTML><HEAD><a href=\"/h\">h</a></HEAD><BODY><a href=\"/b\">b</a>";
    ASSERT_EQ(AnchorsOf(both).size(), 1u);
    EXPECT_EQ(AnchorsOf(both)[0], "<a href=\"/b\">b</a>");

    // "<body" as the very first text keeps the whole page.
    EXPECT_EQ(AnchorsOf("<body><a href=\"/b\">b</a></head><a href=\"/c\">c</a>").size(), 2u);
}

TEST(PageAnalyzerTest, RobotsMetaTag) {
    const Meta m =
        MetaOf("<head><meta charset=utf-8><META NAME=\"robots\" CONTENT=\"noindex,follow\">"
               "<meta name=robots content=nofollow></head>");
    EXPECT_EQ(m.robots, 1);
    EXPECT_EQ(m.index, 1);
    EXPECT_EQ(m.noindex, 1);
    EXPECT_EQ(m.follow, 1);
    EXPECT_EQ(m.nofollow, 0);

    const Meta none = MetaOf("<head><meta name=description content=x></head><body>"
                             "<meta name=robots content=noindex>");
    EXPECT_EQ(none.robots + none.index + none.noindex + none.follow + none.nofollow, 0);

    // A meta tag without ">" runs to the end of the head.
    EXPECT_EQ(MetaOf("<meta name=x content=\"a robots\"</head><body>").robots, 1);
}

TEST(PageAnalyzerTest, AnchorExtraction) {
    const auto anchors = AnchorsOf("<body><a name=\"top\">top</a><a\nhref=\"/nl\">nl</a>"
                                   "<A HREF=\"/Up\">M\xC3\xBCller\r\n</A> <a href=\"/last\">l");
    // No href, no blank after "<a", and no "</a" after the last one: only one anchor.
    ASSERT_EQ(anchors.size(), 1u);
    EXPECT_EQ(anchors[0], "<A HREF=\"/Up\">Mller</A>");

    // A skipped "<a " without href does not swallow the anchor that follows it.
    EXPECT_EQ(AnchorsOf("<a id=x><a href=\"/y\">y</a>"),
              std::vector<std::string>{"<a href=\"/y\">y</a>"});
    // The closing tag is taken as four characters, whatever follows "</a".
    EXPECT_EQ(AnchorsOf("<a href=/x>x</abbr>"), std::vector<std::string>{"<a href=/x>x</ab"});
    // An anchor whose opening tag has no ">" before its end is skipped.
    EXPECT_TRUE(AnchorsOf("<a href=/x </a").empty());
}

TEST(PageAnalyzerTest, UrlAndText) {
    EXPECT_EQ(Link("<a href=\"/a b.html\">A</a>").m_strUrl, "/a");
    EXPECT_EQ(Link("<a HREF = 'HTTP://Shop.Example/X'>Go <b>now</b>!</a>").m_strUrl,
              "http://shop.example/x");
    EXPECT_EQ(Link("<a HREF = 'HTTP://Shop.Example/X'>Go <b>now</b>!</a>").m_strText, "Go now!");
    EXPECT_EQ(Link("<a href=\"/\"><img src=\"logo.gif\"></a>").m_strText, "<img src=\"logo.gif\">");
    EXPECT_EQ(Link("<a href=/p>a > b</a>").m_strText, "a > b");
    // A ">" before the first "<" drops all text before it, kept text included.
    EXPECT_EQ(Link("<a href=/p>a<i>b > c<i>d</a>").m_strText, " cd");
    EXPECT_EQ(Link("<a href=/p>x <!y> &amp; z</a>").m_strText, "x  &amp; z");
    // The text starts after the first occurrence of the URL, even in another attribute.
    EXPECT_EQ(Link("<a title=\"see /p>here\" href=\"/p\">text</a>").m_strText,
              "here\" href=\"/p\">text");
    // A URL that does not occur as written (a quote inside) is searched from the start.
    const CLinkInfo quoted = Link("<a href=ab\"cd\"ef>text</a>");
    EXPECT_EQ(quoted.m_strUrl, "abcd");
    EXPECT_EQ(quoted.m_strText, "text");
    EXPECT_EQ(Link("<a href>x</a>").m_strUrl, "");
}

TEST(PageAnalyzerTest, LinkKinds) {
    const CLinkInfo rel = Link("<a href='/page' rel='nofollow'>Text</a>");
    EXPECT_EQ(rel.m_nInternal, 1);
    EXPECT_EQ(rel.m_nNofollow, 1);
    EXPECT_EQ(rel.m_strText, "Text");

    const CLinkInfo other = Link("<a href=\"http://other-host/\" rel=\"external\">x</a>");
    EXPECT_EQ(other.m_nExternal, 1);
    EXPECT_EQ(other.m_nNofollow, 0);

    EXPECT_EQ(Link("<a href=\"#top\">t</a>").m_nInPage, 1);
    EXPECT_EQ(Link("<a href=\"mailto:a@b.example\">m</a>").m_nInternal, 1);
    EXPECT_EQ(Link("<a href=\"http://partner.example/x\">x</a>").m_nInternal, 1);
    EXPECT_EQ(Link("<a href=\"http://www.partner.example.evil/x\">x</a>").m_nInternal, 1);
    // The host is taken from the base URL without its path; its case is kept, and the host test
    // is case-sensitive against the lower-case URL.
    EXPECT_EQ(CPageAnalyzer::HostOfBaseUrl("https://Partner.example/blog/"), "Partner.example");
    EXPECT_EQ(CPageAnalyzer::HostOfBaseUrl("/x"), "/x");
    EXPECT_EQ(
        Link("<a href=\"http://partner.example/\">x</a>", "http://Partner.example").m_nExternal, 1);
}

TEST(PageAnalyzerTest, HttpsIsAScheme) {
    EXPECT_EQ(Link("<a href=\"https://other.example/\">x</a>").m_nExternal, 1);
    EXPECT_EQ(Link("<a href=\"https://partner.example/a\">x</a>").m_nInternal, 1);
    EXPECT_EQ(CPageAnalyzer::HostOfBaseUrl("https://partner.example"), "partner.example");
    EXPECT_EQ(
        Link("<a href=\"http://partner.example/\">x</a>", "https://partner.example").m_nInternal,
        1);

    CPageAnalyzer analyzer;
    analyzer.Load("https://partner.example",
                  "<a href=\"https://my.example/page\">a</a><a href=\"http://my.example\">b</a>");
    std::string url, text;
    int nofollow = -1;
    ASSERT_TRUE(analyzer.NextLinkToDomain("http://my.example", url, text, nofollow));
    EXPECT_EQ(url, "https://my.example/page");
    ASSERT_TRUE(analyzer.NextLinkToDomain("HTTPS://My.Example/", url, text, nofollow));
    EXPECT_EQ(url, "http://my.example");
}

TEST(PageAnalyzerTest, NofollowIsAToken) {
    const char* yes[] = {
        "<a href=/x rel=\"nofollow\">x</a>",
        "<a href=/x rel='nofollow'>x</a>",
        "<a href=/x rel=nofollow>x</a>",
        "<a href=/x rel = \"NoFollow\">x</a>",
        "<a href=/x rel=\"external nofollow\">x</a>",
        "<a href=/x rel=\"ugc\">x</a>",
        "<a href=/x rel=\"noopener sponsored\">x</a>",
        "<a title=\"a release\" rel=ugc href=/x>x</a>",
    };
    for (const char* anchor : yes) {
        EXPECT_EQ(Link(anchor).m_nNofollow, 1) << anchor;
    }
    const char* no[] = {
        "<a href=/x rel=\"noopener\">x</a>",        "<a href=/x rel=\"nofollowx\">x</a>",
        "<a href=/x rel=\"external\">nofollow</a>", "<a href=/x>rel=nofollow</a>",
        "<a href=/x data-rel=nofollow>x</a>",
    };
    for (const char* anchor : no) {
        EXPECT_EQ(Link(anchor).m_nNofollow, 0) << anchor;
    }
}

TEST(PageAnalyzerTest, CountsAndDomainWalk) {
    CPageAnalyzer analyzer;
    analyzer.Load("http://partner.example",
                  "<head><title>t</title></head><body>"
                  "<a href=\"/local\">local</a>"
                  "<a href=\"#top\">top</a>"
                  "<a href=\"http://shop.example/\">Shop</a>"
                  "<a href=\"http://other.example/?u=shop.example\">via</a>"
                  "<a href=\"http://myshop.example/\" rel=\"sponsored\">sub</a>"
                  "<a href=\"http://partner.example/p\">own</a>");
    EXPECT_EQ(analyzer.GetInternalCount(), 2);
    EXPECT_EQ(analyzer.GetExternalCount(), 3);

    std::vector<std::string> found;
    std::string url, text;
    int nofollow = 0;
    while (analyzer.NextLinkToDomain("http://shop.example/", url, text, nofollow)) {
        found.push_back(url + "|" + text + "|" + std::to_string(nofollow));
    }
    // A plain substring test: query strings and longer host names match too.
    EXPECT_EQ(found, (std::vector<std::string>{"http://shop.example/|Shop|0",
                                               "http://other.example/?u=shop.example|via|0",
                                               "http://myshop.example/|sub|1"}));
    EXPECT_FALSE(analyzer.NextLinkToDomain("http://shop.example", url, text, nofollow));
    analyzer.ResetLinkCursor();
    EXPECT_TRUE(analyzer.NextLinkToDomain("shop.example", url, text, nofollow));

    // A new Load replaces everything.
    analyzer.Load("http://partner.example", "<p>nothing</p>");
    EXPECT_EQ(analyzer.GetInternalCount() + analyzer.GetExternalCount(), 0);
    EXPECT_FALSE(analyzer.NextLinkToDomain("shop.example", url, text, nofollow));
}

// --- The fast scanner against the plain one ----------------------------------------------------

// Pages built from anchors, comments, head and meta parts and loose noise, each made of pieces
// that exercise the scanner's rules, with random case and stray bytes.
std::string RandomPage(std::mt19937& rng, int pieces) {
    const auto pick = [&rng](const auto& items) {
        return items[std::uniform_int_distribution<std::size_t>(0, std::size(items) - 1)(rng)];
    };
    static const char* opens[] = {"<a ", "<A ", "<a  ", "<a\n", "<a"};
    static const char* attributes[] = {
        "href=\"http://shop.example/\"",
        "HREF='https://Shop.Example/x'",
        "href=/a b.html",
        "href = \"/local\"",
        "href=\"#top\"",
        "href=\"mailto:x@y\"",
        "href=\"http://partner.example/p\"",
        "href=ab\"cd\"e",
        "href",
        "href=\"http://other.example/?u=shop.example\"",
        "rel=\"nofollow\"",
        "rel='ugc'",
        "rel=sponsored",
        "rel = \"external nofollow\"",
        "rel=\"noopener\"",
        "title=\"a release >\"",
        "name=top",
        "data-rel=nofollow",
        "title=\"/local\"",
        "href=\"HTTP://SHOP.EXAMPLE\"",
        "hReF=\"/@[`{AZaz\"", // the bytes next to the letters stay as they are
        "\t",
    };
    static const char* inners[] = {
        "Text",
        "<img src=\"logo.gif\">",
        "<b>bold</b> x",
        "a > b",
        "M\xC3\xBCller",
        "<i>",
        ">",
        "<",
        "",
        "\r\n",
        "x<!-- c -->y",
        "&amp;",
    };
    static const char* closes[] = {"</a>", "</A>", "</abbr>", "</a", "", "</a >"};
    static const char* others[] = {
        "<!-- c -->",
        "<!--",
        "-->",
        "<head>",
        "</head>",
        "<BODY>",
        "<body class=x>",
        "</HEAD >",
        "<bOdY>",
        "<\xC1 href=x>not an anchor</a>", // 0xC1 is no "A": only ASCII letters fold
        "<meta name=\"robots\" content=\"noindex,follow\">",
        "<META content=nofollow name=ROBOTS>",
        "<meta charset=utf-8>",
        "<meta name=robots",
        "<p>text</p>",
        "http://",
        ">",
        "<",
        "-",
        "\x01",
        "\xFF",
    };
    std::string page;
    for (int i = 0; i < pieces; ++i) {
        if (std::uniform_int_distribution<int>(0, 2)(rng) == 0) {
            page += pick(others);
            continue;
        }
        page += pick(opens);
        const int count = std::uniform_int_distribution<int>(0, 3)(rng);
        for (int k = 0; k < count; ++k) {
            page += pick(attributes);
            page += ' ';
        }
        if (std::uniform_int_distribution<int>(0, 9)(rng) != 0) {
            page += '>';
        }
        page += pick(inners);
        page += pick(closes);
    }
    return page;
}

void ExpectSameAsReference(const std::string& original, const std::string& base,
                           const std::string& domain) {
    std::string fast = original;
    std::string plain = original;
    CPageAnalyzer::RemoveComments(fast);
    test::RefRemoveComments(plain);
    ASSERT_EQ(fast, plain) << "page: " << original;

    CPageAnalyzer analyzer;
    analyzer.Load(base, fast);
    const test::RefScan ref = test::RefLoad(base, plain);
    int meta[5];
    analyzer.GetMetaFlags(meta[0], meta[1], meta[2], meta[3], meta[4]);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(meta[i], ref.meta[i]) << "flag " << i << " page: " << original;
    }
    ASSERT_EQ(analyzer.GetAnchors().Entries(), ref.anchors) << "page: " << original;
    const auto& links = analyzer.GetLinks();
    ASSERT_EQ(links.size(), ref.links.size());
    for (std::size_t i = 0; i < links.size(); ++i) {
        SCOPED_TRACE("anchor: " + ref.links[i].anchor);
        EXPECT_EQ(links[i].m_strUrl, ref.links[i].url);
        EXPECT_EQ(links[i].m_strText, ref.links[i].text);
        EXPECT_EQ(links[i].m_nNofollow, ref.links[i].nofollow);
        EXPECT_EQ(links[i].m_nInternal, ref.links[i].internal);
        EXPECT_EQ(links[i].m_nExternal, ref.links[i].external);
        EXPECT_EQ(links[i].m_nInPage, ref.links[i].inPage);
    }
    EXPECT_EQ(analyzer.GetInternalCount(), ref.internalCount);
    EXPECT_EQ(analyzer.GetExternalCount(), ref.externalCount);

    std::vector<std::string> matched;
    std::string url, text;
    int nofollow = 0;
    while (analyzer.NextLinkToDomain(domain, url, text, nofollow)) {
        matched.push_back(url + "|" + text + "|" + std::to_string(nofollow));
    }
    std::vector<std::string> expected;
    for (const std::size_t i : test::RefLinksToDomain(ref, domain)) {
        expected.push_back(ref.links[i].url + "|" + ref.links[i].text + "|" +
                           std::to_string(ref.links[i].nofollow));
    }
    EXPECT_EQ(matched, expected) << "page: " << original;
}

TEST(PageAnalyzerFastVsPlainTest, GeneratedPages) {
    std::mt19937 rng(20261208);
    std::size_t links = 0;
    std::size_t matches = 0;
    for (int round = 0; round < 3000; ++round) {
        const std::string page = RandomPage(rng, 5 + round % 120);
        const std::string base = round % 2 ? "http://partner.example" : "HTTPS://Partner.example/";
        const std::string domain = round % 3 ? "http://shop.example/" : "https://SHOP.example";
        ExpectSameAsReference(page, base, domain);
        if (HasFailure()) {
            return;
        }
        std::string plain = page;
        test::RefRemoveComments(plain);
        const test::RefScan ref = test::RefLoad(base, plain);
        links += ref.links.size();
        matches += test::RefLinksToDomain(ref, domain).size();
    }
    // The generator must reach the interesting paths, not just produce noise.
    EXPECT_GT(links, 3000u);
    EXPECT_GT(matches, 300u);
}

// Small versions of the hostile pages that the benchmark times at full size.
TEST(PageAnalyzerFastVsPlainTest, HostilePages) {
    std::string strayCloses;
    for (int i = 0; i < 500; ++i) {
        strayCloses += "x-->";
    }
    strayCloses += "<!--<a href=/y>y</a>";

    std::string openAnchors;
    for (int i = 0; i < 1000; ++i) {
        openAnchors += "<a ";
    }

    std::string manyComments;
    for (int i = 0; i < 1000; ++i) {
        manyComments += "<!---->a<!-- b -->";
    }

    std::string hugeAnchor = "<a href=\"http://shop.example/\">";
    for (int i = 0; i < 500; ++i) {
        hugeAnchor += "<b>>x<i";
    }
    hugeAnchor += "</a>";

    std::string unopenedAnchors; // many "<a " without ">" and one late close
    for (int i = 0; i < 1000; ++i) {
        unopenedAnchors += "<a href=x ";
    }
    unopenedAnchors += "></a>";

    std::string repeatedUrl = "<a title=";
    repeatedUrl += std::string(400, 'a') + "b href=" + std::string(400, 'a') + ">t</a>";

    for (const std::string& page :
         {strayCloses, openAnchors, manyComments, hugeAnchor, unopenedAnchors, repeatedUrl}) {
        ExpectSameAsReference(page, "http://partner.example", "http://shop.example");
    }
}

TEST(PageAnalyzerFastVsPlainTest, LargeHostilePagesFinish) {
    // Quadratic work on these would take minutes; linear work takes milliseconds.
    std::string comments;
    for (int i = 0; i < 100000; ++i) {
        comments += "<!--c-->";
    }
    CPageAnalyzer::RemoveComments(comments);
    EXPECT_EQ(comments, "");

    std::string stray;
    for (int i = 0; i < 50000; ++i) {
        stray += "-->";
    }
    stray += "<!--";
    CPageAnalyzer::RemoveComments(stray);
    EXPECT_EQ(stray, "");

    std::string anchor = "<a href=\"/x\">";
    for (int i = 0; i < 100000; ++i) {
        anchor += "<b>x</b>>";
    }
    anchor += "</a>";
    CPageAnalyzer analyzer;
    analyzer.Load("http://partner.example", anchor);
    ASSERT_EQ(analyzer.GetLinks().size(), 1u);
    EXPECT_EQ(analyzer.GetLinks()[0].m_strText, "x>");

    std::string open;
    for (int i = 0; i < 300000; ++i) {
        open += "<a ";
    }
    analyzer.Load("http://partner.example", open + "href=x></a>");
    EXPECT_EQ(analyzer.GetInternalCount(), 1);
}

} // namespace
} // namespace tessaray
