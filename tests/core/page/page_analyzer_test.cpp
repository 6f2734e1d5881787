#include "core/page/page_analyzer.h"
#include "core/page/page_signals.h"

#include "core/project/url_rules.h"

#include "page_analyzer_reference.h"

#include <gtest/gtest.h>
#include <gumbo.h>

#include <random>
#include <set>

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
    return analyzer.GetAnchors();
}

CLinkInfo Link(const std::string& anchor, const std::string& base = "http://partner.example") {
    return CPageAnalyzer::ParseAnchor(base, anchor);
}

TEST(RemoveCommentsTest, CommentsAsABrowserReadsThem) {
    EXPECT_EQ(Uncommented("<!-- a --> x <!-- b"), " x ");
    EXPECT_EQ(Uncommented("a<!---->b<!-->c<!--->d"), "abcd");
    EXPECT_EQ(Uncommented("<!-- only -->"), "");
    // A "-->" without "<!--" before it is text (the literal rule dropped everything before it,
    // links included: "document.write(x)//-->" in an inline script).
    EXPECT_EQ(Uncommented("keep --> lost <!-- c --> end"), "keep --> lost  end");
    EXPECT_EQ(Uncommented("<a href=/x>x</a><script>//-->\n</script>"),
              "<a href=/x>x</a><script>//-->\n</script>");
    // Inside a script, style, template or textarea "<!--" opens no comment (the literal rule
    // removed up to the next "-->", here with the anchor).
    EXPECT_EQ(Uncommented("<script>s='<!--'</script><a href=/y>y</a><!--c-->"),
              "<script>s='<!--'</script><a href=/y>y</a>");
    EXPECT_EQ(Uncommented("<script title=\"<!--\">t</script>-->"),
              "<script title=\"<!--\">t</script>-->");
}

TEST(PageAnalyzerTest, HeadAndBodySplit) {
    // Without "</head" and "<body" the whole page is scanned (a robots meta tag counts wherever
    // it stands; the literal rule saw none here).
    const std::string noHead = "<meta name=robots content=noindex><a href=\"/x\">x</a>";
    EXPECT_EQ(MetaOf(noHead).noindex, 1);
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
    const struct {
        const char* page;
        Meta meta;
    } cases[] = {
        {"<head><meta charset=utf-8><META NAME=\"robots\" CONTENT=\"noindex,follow\"></head>",
         {1, 1, 1, 1, 0}},
        // Every robots and googlebot meta tag adds its directives (the literal rule read only the
        // first tag holding "robots").
        {"<meta name=robots content=follow><meta name=googlebot content=\"noindex nofollow\">",
         {1, 1, 1, 1, 1}},
        {"<meta name=robots content=none>", {1, 1, 1, 1, 1}},
        {"<meta name=robots content=all>", {1, 1, 0, 1, 0}},
        // Literal: robots and "index" (the description and the value hold the words).
        {"<meta name=description content=\"robots index\"><meta name=x content=\"a robots\"</head>",
         {0, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        const Meta m = MetaOf(c.page);
        EXPECT_EQ(std::vector<int>({m.robots, m.index, m.noindex, m.follow, m.nofollow}),
                  std::vector<int>({c.meta.robots, c.meta.index, c.meta.noindex, c.meta.follow,
                                    c.meta.nofollow}))
            << c.page;
    }
}

// Each rule with the page that shows it; the comment names what the literal substring rules
// answered.
TEST(PageAnalyzerTest, AnyWhiteSpaceAndAnyCase) {
    // Formatter style: the literal rules found no anchor ("<a" needs a blank, " href" too).
    const auto anchors = AnchorsOf("<a\n  href=\"/nl\"\n  class=\"c\">nl</a><a\thref=/t>t</a>"
                                   "<A\fHREF=/f>f</A><a class=x\nhref=/n>n</a>");
    EXPECT_EQ(anchors.size(), 4u);
    EXPECT_EQ(Link("<a href=/x\n\trel=\"nofollow\">x</a>").m_nNofollow, 1); // was 0
    // No href, no anchor.
    EXPECT_TRUE(AnchorsOf("<a name=\"top\">top</a><a>x</a>").empty());
}

TEST(PageAnalyzerTest, NoAnchorsInScriptStyleTemplateTextarea) {
    // The literal rules counted the "<a " in the script string, which also swallowed the real
    // anchor up to its "</a>".
    CPageAnalyzer analyzer;
    analyzer.Load("http://partner.example",
                  "<script>var s = '<a href=\"http://shop.example/js\">';</script>"
                  "<a href=\"http://shop.example/real\">real</a>"
                  "<STYLE>a[x='<a href=/s>']{}</STYLE><template><a href=/t>t</a></template>"
                  "<textarea><a href=/ta>ta</a></textarea><script src=x></script>"
                  "<a href=/last>last</a>");
    const auto links = analyzer.GetLinks();
    ASSERT_EQ(links.size(), 2u);
    EXPECT_EQ(links[0].m_strUrl, "http://shop.example/real");
    EXPECT_EQ(links[0].m_strText, "real");
    EXPECT_EQ(links[1].m_strUrl, "/last");
    // A "</scripts>" does not end the script.
    EXPECT_TRUE(AnchorsOf("<script>x</scripts><a href=/y>y</a></script >").empty());
}

TEST(PageAnalyzerTest, WhereAnAnchorEnds) {
    // "</abbr>" does not end the anchor (literal: the anchor "<a href=/x><abbr>W</ab").
    EXPECT_EQ(Link("<a href=/x><abbr>WHO</abbr> site</a>").m_strText, "WHO site");
    EXPECT_EQ(AnchorsOf("<a href=/x>x</abbr> y</a>"),
              std::vector<std::string>{"<a href=/x>x</abbr> y</a>"});
    // The next "<a" ends an unclosed anchor; the last one ends with the page. The literal rules
    // joined the first two into one anchor and dropped the last.
    CPageAnalyzer analyzer;
    analyzer.Load("http://partner.example",
                  "<a href=/one rel=nofollow>one <a href=/two>two</a> <a href=/three>three");
    const auto links = analyzer.GetLinks();
    ASSERT_EQ(links.size(), 3u);
    EXPECT_EQ(links[0].m_strText, "one ");
    EXPECT_EQ(links[0].m_nNofollow, 1);
    EXPECT_EQ(links[1].m_strText, "two");
    EXPECT_EQ(links[1].m_nNofollow, 0);
    EXPECT_EQ(links[2].m_strText, "three");
    // A tag cut off by the end of the page is no tag.
    EXPECT_TRUE(AnchorsOf("<a href=/x </a").empty());
    EXPECT_TRUE(AnchorsOf("<a href=\"/x>x</a>").empty());
}

TEST(PageAnalyzerTest, ValuesAsABrowserReadsThem) {
    const struct {
        const char* anchor;
        const char* url;
        const char* text;
    } cases[] = {
        // Quoted values run to their own quote (literal: "/a" and "/it").
        {"<a href=\"/a b.html\">A</a>", "/a b.html", "A"},
        {"<a href=\"/it's\">x</a>", "/it's", "x"},
        {"<a HREF = 'HTTP://Shop.Example/X'>Go <b>now</b>!</a>", "http://shop.example/x",
         "Go now!"},
        // References decoded (literal: "&amp;" kept).
        {"<a href=\"/p?a=1&amp;b=2\">Tom &amp; Jerry &#228;&auml;&#xE4;</a>", "/p?a=1&b=2",
         "Tom & Jerry \xC3\xA4\xC3\xA4\xC3\xA4"},
        {"<a href=/p>&copy; &unknown; &#0; & x</a>", "/p", "\xC2\xA9 &unknown; \xEF\xBF\xBD & x"},
        // Letters outside ASCII stay (literal: "Domc", "Grner Tee").
        {"<a href=/d>Dom\xC3\xA1\x63\xC3\xAD</a>", "/d", "Dom\xC3\xA1\x63\xC3\xAD"},
        {"<a href=/g>Gr\xC3\xBCner Tee</a>", "/g", "Gr\xC3\xBCner Tee"},
        // Line breaks, tabs and no-break spaces between words are one blank (literal:
        // "2019The"); at the ends they go as before, and so do control bytes.
        {"<a href=/n>\n  2019\r\nThe\tEnd&nbsp;x\x01y \n</a>", "/n", "  2019 The End xy "},
        {"<a href=/n>Text\r\n</a>", "/n", "Text"},
        // Text is what lies between the tags (literal: the text after the URL's first
        // occurrence, here in the title, and " cd" after its tag stripping).
        {"<a title=\"see /p>here\" href=\"/p\">text</a>", "/p", "text"},
        {"<a href=/p>a<i>b > c<i>d</a>", "/p", "ab > cd"},
        {"<a href=/p>a < b</a>", "/p", "a < b"},
        // No text: the inner markup stands for it (as before).
        {"<a href=\"/\"><img src=\"logo.gif\"></a>", "/", "<img src=\"logo.gif\">"},
        {"<a href=\"/\">\n<img\nsrc=\"l.gif\">\n</a>", "/", "<img src=\"l.gif\">"},
        {"<a href>x</a>", "", "x"},
        {"<a href=\" /x\ty \">x</a>", "/xy", "x"},
        // Other control bytes inside stay, escaped (removing them made "http://shop.example/"
        // of an address no browser can open).
        {"<a href=\"http:/&#1/shop.example/\">x</a>", "http:/%01/shop.example/", "x"},
    };
    for (const auto& c : cases) {
        const CLinkInfo link = Link(c.anchor);
        EXPECT_EQ(link.m_strUrl, c.url) << c.anchor;
        EXPECT_EQ(link.m_strText, c.text) << c.anchor;
    }
}

TEST(PageAnalyzerTest, LinkKinds) {
    const CLinkInfo rel = Link("<a href='/page' rel='nofollow'>Text</a>");
    EXPECT_EQ(rel.m_nInternal, 1);
    EXPECT_EQ(rel.m_nNofollow, 1);
    EXPECT_EQ(rel.m_strText, "Text");

    const CLinkInfo other = Link("<a href=\"http://other-host/\" rel=\"external\">x</a>");
    EXPECT_EQ(other.m_nExternal, 1);
    EXPECT_EQ(other.m_nNofollow, 0);

    const struct {
        const char* url;
        int inPage, internal, external, other;
    } cases[] = {
        {"#top", 1, 0, 0, 0},
        {"/x", 0, 1, 0, 0},
        {"", 0, 1, 0, 0},
        {"http://partner.example/x", 0, 1, 0, 0},
        {"https://WWW.partner.example:443/", 0, 1, 0, 0},
        {"//partner.example/x", 0, 1, 0, 0},
        // Literal: internal, as the URL contained the host somewhere.
        {"http://www.partner.example.evil/x", 0, 0, 1, 0},
        {"http://evil.example/?from=partner.example", 0, 0, 1, 0},
        {"//cdn.example/x", 0, 0, 1, 0}, // literal: internal
        // Literal: internal; no page link at all.
        {"mailto:a@b.example", 0, 0, 0, 1},
        {"tel:+49 30 1", 0, 0, 0, 1},
        {"JavaScript:void(0)", 0, 0, 0, 1},
    };
    for (const auto& c : cases) {
        const CLinkInfo link = Link(std::string("<a href=\"") + c.url + "\">x</a>");
        EXPECT_EQ(link.m_nInPage, c.inPage) << c.url;
        EXPECT_EQ(link.m_nInternal, c.internal) << c.url;
        EXPECT_EQ(link.m_nExternal, c.external) << c.url;
        EXPECT_EQ(link.m_nOther, c.other) << c.url;
    }
    EXPECT_EQ(Link("<a href=\"http://partner.example/\">x</a>", "https://Partner.example/blog")
                  .m_nInternal,
              1);
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
        "<a href=/x\nrel=\"nofollow\">x</a>",
    };
    for (const char* anchor : yes) {
        EXPECT_EQ(Link(anchor).m_nNofollow, 1) << anchor;
    }
    const char* no[] = {
        "<a href=/x rel=\"noopener\">x</a>",        "<a href=/x rel=\"nofollowx\">x</a>",
        "<a href=/x rel=\"external\">nofollow</a>", "<a href=/x>rel=nofollow</a>",
        "<a href=/x data-rel=nofollow>x</a>",       "<a title=\"x rel=nofollow\" href=/x>x</a>",
    };
    for (const char* anchor : no) {
        EXPECT_EQ(Link(anchor).m_nNofollow, 0) << anchor;
    }
    // Every rel token is kept for the verdict, as RelTokens reads them.
    EXPECT_EQ(Link("<a href=/x rel=\"External\tNOFOLLOW \">x</a>").m_rel,
              (std::vector<std::string>{"external", "nofollow"}));
    EXPECT_EQ(Link("<a href=/x rel='ugc,sponsored a&amp;b'>x</a>").m_rel,
              (std::vector<std::string>{"ugc", "sponsored", "a&b"}));
    EXPECT_TRUE(Link("<a href=/x>x</a>").m_rel.empty());
}

TEST(PageAnalyzerTest, CountsAndDomainWalk) {
    CPageAnalyzer analyzer;
    analyzer.Load("http://partner.example",
                  "<head><title>t</title></head><body>"
                  "<a href=\"/local\">local</a>"
                  "<a href=\"#top\">top</a>"
                  "<a href=\"mailto:x@partner.example\">mail</a>"
                  "<a href=\"http://shop.example/\">Shop</a>"
                  "<a href=\"https://share.example/?u=http://shop.example\">share</a>"
                  "<a href=\"http://shop.example.other.net/\">other</a>"
                  "<a href=\"http://myshop.example/\">my</a>"
                  "<a href=\"http://blog.shop.example/\">blog</a>"
                  "<a href=\"//WWW.Shop.Example:80/x\" rel=\"sponsored\">www</a>"
                  "<a href=\"http://partner.example/p\">own</a>");
    EXPECT_EQ(analyzer.GetInternalCount(), 2);
    EXPECT_EQ(analyzer.GetExternalCount(), 6);

    std::vector<std::string> found;
    std::string url, text;
    int nofollow = 0;
    while (analyzer.NextLinkToDomain("http://shop.example/", url, text, nofollow)) {
        found.push_back(url + "|" + text + "|" + std::to_string(nofollow));
    }
    // The host decides: the literal substring test also listed the share button, the longer
    // host names and the subdomain, and missed nothing else here.
    EXPECT_EQ(found, (std::vector<std::string>{"http://shop.example/|Shop|0",
                                               "//www.shop.example:80/x|www|1"}));
    EXPECT_FALSE(analyzer.NextLinkToDomain("http://shop.example", url, text, nofollow));
    analyzer.ResetLinkCursor();
    EXPECT_TRUE(analyzer.NextLinkToDomain("www.shop.example", url, text, nofollow));
    EXPECT_EQ(url, "http://shop.example/");

    // A new Load replaces everything.
    analyzer.Load("http://partner.example", "<p>nothing</p>");
    EXPECT_EQ(analyzer.GetInternalCount() + analyzer.GetExternalCount(), 0);
    EXPECT_FALSE(analyzer.NextLinkToDomain("shop.example", url, text, nofollow));

    // Listing one domain keeps only its links, the first kMaxListedLinks of them; the counts stay
    // exact, and the anchors before <body> count for nothing as before.
    std::string page = "<a href=\"http://shop.example/head\">h</a><a href=/x>x</a><body>";
    const int extra = 5;
    for (int i = 0; i < CPageAnalyzer::kMaxListedLinks + extra; ++i) {
        page += "<a href=\"http://shop.example/" + std::to_string(i) +
                "\" rel=ugc>s&amp;</a><a href=/in>in</a><a href=http://x.test/>x</a>";
    }
    analyzer.ListLinksTo("shop.example");
    analyzer.Load("http://partner.example", page);
    EXPECT_EQ(analyzer.GetInternalCount(), CPageAnalyzer::kMaxListedLinks + extra);
    EXPECT_EQ(analyzer.GetExternalCount(), 2 * (CPageAnalyzer::kMaxListedLinks + extra));
    EXPECT_EQ(analyzer.GetLinks().size(), std::size_t{CPageAnalyzer::kMaxListedLinks});
    EXPECT_EQ(analyzer.GetLinksNotListed(), extra);
    int listed = 0;
    while (analyzer.NextLinkToDomain("shop.example", url, text, nofollow)) {
        EXPECT_EQ(url, "http://shop.example/" + std::to_string(listed));
        EXPECT_EQ(text, "s&");
        ++listed;
    }
    EXPECT_EQ(listed, CPageAnalyzer::kMaxListedLinks);
    EXPECT_EQ(analyzer.GetLink(9).m_rel, std::vector<std::string>{"ugc"});
    analyzer.ListLinksTo("");
    analyzer.Load("http://partner.example", page);
    EXPECT_EQ(analyzer.GetLinks().size(),
              std::size_t{3 * (CPageAnalyzer::kMaxListedLinks + extra)});
    EXPECT_EQ(analyzer.GetLinksNotListed(), 0);
}

// Links go where a browser takes them; each row: page, the links to the domain (URL, and "|ns"
// when inside <noscript>), internal and external count.
TEST(PageAnalyzerTest, LinksResolvedAsABrowserDoes) {
    const struct {
        const char* page;
        const char* domain;
        std::vector<std::string> found;
        int internal, external;
    } cases[] = {
        // <base href> sends relative links to its site (literal: internal, the link "missing").
        {"<head><base href=\"http://shop.example/\"></head><body><a href=\"/page\">x</a>",
         "shop.example",
         {"http://shop.example/page"},
         0,
         1},
        {"<base href=\"/sub/\"><a href=\"p.html\">x</a><a href=\"#top\">t</a>",
         "shop.example",
         {},
         1,
         0},
        // Dot segments go (literal: "/./" kept, and "/blog/../admin" taken as inside /blog).
        {"<a href=\"http://shop.example/./page\">x</a>",
         "shop.example",
         {"http://shop.example/page"},
         0,
         1},
        {"<a href=\"http://shop.example/blog/../admin\">x</a>"
         "<a href=\"http://shop.example/x/../blog/post\">y</a>",
         "http://shop.example/blog",
         {"http://shop.example/blog/post"},
         0,
         2},
        // Other links stay as the page writes them.
        {"<base href=\"http://partner.example/\"><a href=\"HTTP://Shop.Example/A%7E?b=./c\">x</a>"
         "<a href=\"//shop.example/d\">y</a>",
         "shop.example",
         {"http://shop.example/a%7e?b=./c", "//shop.example/d"},
         0,
         2},
        // Inside <noscript> the link counts as before, and says so.
        {"<noscript><a href=\"http://shop.example/\">x</a></noscript>"
         "<a href=\"http://shop.example/y\">y</a><noscript><noscript></noscript>"
         "<a href=\"http://shop.example/z\">z</a>",
         "shop.example",
         {"http://shop.example/|ns", "http://shop.example/y", "http://shop.example/z"},
         0,
         3},
    };
    for (const auto& c : cases) {
        CPageAnalyzer analyzer;
        analyzer.Load("http://partner.example", c.page);
        std::vector<std::string> found;
        for (const CLinkInfo& link : analyzer.GetLinks()) {
            if (IsLinkToDomain(link.m_strUrl, c.domain)) {
                found.push_back(link.m_strUrl + (link.m_nInNoscript ? "|ns" : ""));
            }
        }
        EXPECT_EQ(found, c.found) << c.page;
        EXPECT_EQ(analyzer.GetInternalCount(), c.internal) << c.page;
        EXPECT_EQ(analyzer.GetExternalCount(), c.external) << c.page;
    }
}

// What the HTML itself says about hiding a link: each row is a page and the technique of its
// one link ("" when people can see it, or can open what holds it).
TEST(PageAnalyzerTest, HiddenAsTheHtmlSaysIt) {
    const struct {
        const char* page;
        const char* hidden;
    } cases[] = {
        {"<a href=/x>Partner</a>", ""},
        {"<a href=/x style=\"color:red; DISPLAY : None !important\">Partner</a>", "display-none"},
        {"<a href=/x hidden>Partner</a>", "display-none"},
        {"<div hidden=\"until-found\"><a href=/x>Partner</a></div>", ""},
        {"<div style=\"visibility:hidden\"><span><a href=/x>Partner</a></span></div>",
         "visibility-hidden"},
        {"<span style=\"opacity:0.0\"><a href=/x>Partner</a></span>", "opacity-zero"},
        {"<span style=\"opacity:0.5\"><a href=/x>Partner</a></span>", ""},
        {"<a href=/x style=\"font-size:0px\">Partner</a>", "tiny-font"},
        {"<div style=\"position:absolute;left:-9999px\"><a href=/x>Partner</a></div>",
         "off-screen"},
        {"<p style=\"text-indent:-50em\"></p><div style=\"text-indent:-100em\">"
         "<a href=/x>Partner</a></div>",
         "off-screen"},
        {"<div style=\"left:-20px\"><a href=/x>Partner</a></div>", ""},
        {"<a href=/x> - </a>", "one-character"},
        {"<a href=/x>\xC2\xB7</a>", "one-character"},
        {"<a href=/x>\xE2\x80\xA6</a>", "one-character"},
        {"<a href=/x>1</a>", ""},
        {"<a href=/x>\xC3\xBC</a>", ""},
        {"<a href=/x><img src=logo.png></a>", ""},
        // The hiding element has ended, also when elements of its name were nested in it or
        // left open inside it.
        {"<div hidden><div>a</div></div><a href=/x>Partner</a>", ""},
        {"<div hidden><div><span>a</div></div><a href=/x>Partner</a>", ""},
        {"<div hidden><div>a</div><a href=/x>Partner</a></div>", "display-none"},
        // A hidden element whose end tag may be left out is not read (it may be closed already).
        {"<p hidden>a<p><a href=/x>Partner</a>", ""},
        // Menus, tabs and accordions the user can open are not hidden.
        {"<nav><ul style=\"display:none\"><li><a href=/x>Partner</a></ul></nav>", ""},
        {"<details><summary>More</summary><div hidden><a href=/x>Partner</a></div></details>", ""},
        {"<ul role=\"menu\" hidden><li><a href=/x>Partner</a></ul>", ""},
        {"<div role=tabpanel style=display:none><a href=/x>Partner</a></div>", ""},
        {"<nav></nav><div hidden><a href=/x>Partner</a></div>", "display-none"},
    };
    for (const auto& c : cases) {
        CPageAnalyzer analyzer;
        analyzer.Load("http://partner.example", c.page);
        const std::vector<CLinkInfo> links = analyzer.GetLinks();
        ASSERT_EQ(links.size(), 1u) << c.page;
        EXPECT_EQ(links[0].m_strHidden, c.hidden) << c.page;
    }
    // Deeply nested hiding elements flag nothing past the stack's bound, and cost no more.
    std::string deep;
    for (int i = 0; i < 5000; ++i) {
        deep += "<div style=display:none>";
    }
    deep += "<a href=/x>Partner</a>";
    CPageAnalyzer analyzer;
    analyzer.Load("http://partner.example", deep);
    EXPECT_EQ(analyzer.GetLink(0).m_strHidden, "");
}

TEST(PageAnalyzerTest, DomainIsASite) {
    const struct {
        const char* url;
        const char* domain;
        bool match;
    } cases[] = {
        {"http://shop.example", "http://www.shop.example", true},
        {"https://www.shop.example/a", "http://shop.example/", true},
        {"http://user@shop.example:443/", "shop.example", true},
        {"http://shop.example:8080/", "http://shop.example", false},
        {"http://shop.example/blog/x", "http://shop.example/blog/", true},
        {"http://shop.example/blogger", "http://shop.example/blog", false},
        {"http://shop.example/", "http://shop.example/blog", false},
        {"/shop.example", "shop.example", false},
        {"ftp://shop.example/", "shop.example", false},
        {"http://shop.example/", "http://", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsLinkToDomain(c.url, c.domain), c.match) << c.url << " " << c.domain;
    }
}

// --- The fast scanner against the plain one ----------------------------------------------------

// Pages built from anchors, comments, head and meta parts and loose noise, each made of pieces
// that exercise the scanner's rules, with random case and stray bytes.
std::string RandomPage(std::mt19937& rng, int pieces) {
    const auto pick = [&rng](const auto& items) {
        return items[std::uniform_int_distribution<std::size_t>(0, std::size(items) - 1)(rng)];
    };
    static const char* opens[] = {"<a ", "<A ", "<a  ", "<a\n", "<a", "<a\t", "<abbr "};
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
        "\n  href=\"//www.shop.example/x\"",
        "href=\"https://share.example/?u=http://shop.example\"",
        "href=\"http://shop.example.other.net/\"",
        "href='http://www.Shop.Example:80/it\"s'",
        "href=\"/p?a=1&amp;b=&#228;\"",
        "href=\"tel:123\"",
        "href=\"http://shop.example/./x/../y\"",
        "href=\"../up/./x\"",
        "href=\" javascript:x() \"",
        "title='>'",
        "=x",
        "rel=\"x\"rel=nofollow",
        "/",
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
        "Gr\xC3\xBCner &auml;&#xE4; &nbsp;x\ty",
        "<script>document.write('<a href=\"http://shop.example/js\">')//--></script>",
        "<abbr>W</abbr>",
        "<!x>",
        "<?y>",
        "</ z>",
        "</>",
        "<b\nclass=\"<a href=/q>\">",
    };
    static const char* closes[] = {"</a>", "</A>",  "</abbr>", "</a",
                                   "",     "</a >", "</a\n>",  "</a/>"};
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
        "<script>x = '<a href=/s>s</a>';</script>",
        "<STYLE>p{}</style >",
        "<template><a href=/t>t</a></template>",
        "<textarea>--><a href=/ta></textarea>",
        "<base href=\"http://shop.example/b/\">",
        "<noscript>",
        "</noscript>",
        "<script>//-->\n</script>",
        "</script>",
        "&",
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

    // Load reads the comments itself: the plain scanner removes them first.
    CPageAnalyzer analyzer;
    analyzer.Load(base, original);
    EXPECT_EQ(analyzer.GetCommentBytes(), original.size() - fast.size()) << "page: " << original;
    const test::RefScan ref = test::RefLoad(base, plain);
    int meta[5];
    analyzer.GetMetaFlags(meta[0], meta[1], meta[2], meta[3], meta[4]);
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(meta[i], ref.meta[i]) << "flag " << i << " page: " << original;
    }
    ASSERT_EQ(analyzer.GetAnchors(), ref.anchors) << "page: " << original;
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
        EXPECT_EQ(links[i].m_nOther, ref.links[i].other);
        EXPECT_EQ(links[i].m_nInNoscript, ref.links[i].inNoscript);
        EXPECT_EQ(links[i].m_rel, RelTokens(ref.anchors[i]));
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

    // Found by the fuzzer: NUL bytes, and "&#2" without ";" inside href values, which the plain
    // scanner did not decode.
    static const char kFuzzed[] =
        "x rollow\"><h/ead><body><a href=\"http:/&#2/L\"b, \x00\x00\x00\x00\x0C/a b&#2/mL\"b, "
        ">ef=xb&#2/mL\"b, >e\x00\x00\x00\x00\x00\x00\x00\x0C/a b/&# href=\"http://?he0a -)> "
        "l\">M\xC3\xBCller <b>hb";
    ExpectSameAsReference(std::string(kFuzzed, sizeof(kFuzzed) - 1), "", "http://");
    // Removing "<!-->" from "<!-<!-->->" makes a new "<!--" of the bytes around it, inside a tag.
    ExpectSameAsReference("<body><a href=/x title=a<!-<!-->->!>t</a>", "http://partner.example",
                          "http://shop.example");
    // A vertical tab is no blank of HTML: "nofollow\v" is no robots directive, nor a rel token.
    for (const std::string page : {"<meta name=robots content=\"x nofollow\v\">",
                                   "<a href=http://shop.example/ rel=\"nofollow\v\">t</a>"}) {
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
    const std::string strayText = stray;
    stray += "<!--";
    CPageAnalyzer::RemoveComments(stray);
    EXPECT_EQ(stray, strayText);

    std::string anchor = "<a href=\"/x\">";
    for (int i = 0; i < 100000; ++i) {
        anchor += "<b>x</b>>";
    }
    anchor += "</a>";
    CPageAnalyzer analyzer;
    analyzer.Load("http://partner.example", anchor);
    ASSERT_EQ(analyzer.GetLinks().size(), 1u);
    EXPECT_EQ(analyzer.GetLinks()[0].m_strText.size(), 200000u);

    std::string open;
    for (int i = 0; i < 300000; ++i) {
        open += "<a ";
    }
    analyzer.Load("http://partner.example", open + "href=x></a>");
    EXPECT_EQ(analyzer.GetInternalCount(), 1);

    std::string scripts;
    for (int i = 0; i < 100000; ++i) {
        scripts += "<script></scripts><!";
    }
    CPageAnalyzer::RemoveComments(scripts);
    analyzer.Load("http://partner.example", scripts + "<a href=x></a>");
    EXPECT_EQ(analyzer.GetInternalCount(), 0);
}

// --- Against a conforming HTML parser ------------------------------------------------------------

// Pages as formatters, editors and ad scripts write them: anchors over several lines with any case
// and quoting, inline tags inside, inline scripts holding markup and "-->", comments, references,
// anchors left open and other tags that begin with "a".
std::string RealisticBody(std::mt19937& rng, int pieces) {
    const auto pick = [&rng](const auto& items) {
        return items[std::uniform_int_distribution<std::size_t>(0, std::size(items) - 1)(rng)];
    };
    static const char* spaces[] = {" ", "\n  ", "\t", "\r\n    ", "  "};
    static const char* names[] = {"a", "A"};
    static const char* hrefs[] = {"http://shop.example/",
                                  "https://www.shop.example/a?b=1&amp;c=2",
                                  "//shop.example/x",
                                  "/local.html",
                                  "#top",
                                  "mailto:x@shop.example",
                                  "http://other.example/?u=shop.example",
                                  "HTTP://Shop.Example/Caf&#233;",
                                  " /spaced ",
                                  "/it's"};
    static const char* others[] = {"class=\"btn primary\"",     "title='a > b'", "rel=\"nofollow\"",
                                   "data-x=\"<a href=/fake>\"", "target=_blank", "id=x"};
    static const char* inners[] = {"Shop",
                                   "Gr\xC3\xBCner Tee",
                                   "Tom &amp; Jerry",
                                   "<b>bold</b>",
                                   "<img src=\"logo.gif\" alt=\"\">",
                                   "<abbr>WHO</abbr> text",
                                   "a\n  b",
                                   ""};
    static const char* noise[] = {
        "<p>Text with <em>emphasis</em> &amp; more.</p>\n",
        "<script>document.write('<a href=\"http://shop.example/js\">js</a>');//-->\n</script>",
        "<script type=\"text/javascript\">\n<!--\nvar a = '<a href=/s>';\n//-->\n</script>",
        "<style>a[href^='<a href=/css>'] { color: red }</style>",
        "<!-- <a href=\"http://shop.example/commented\">old</a> -->",
        "<textarea><a href=\"/ta\">ta</a></textarea>",
        "<template><a href=\"/tpl\">t</a></template>",
        "<div class=\"x\"\n     id=\"y\">",
        "</div>",
        "<article><abbr title=\"t\">T</abbr></article>",
        "<br/>",
        "<!DOCTYPE x>",
        " --> stray text ",
        "a < b and c > d",
        "<ul><li>one</li><li>two</li></ul>",
    };
    std::string body;
    for (int i = 0; i < pieces; ++i) {
        if (std::uniform_int_distribution<int>(0, 2)(rng) == 0) {
            body += pick(noise);
            continue;
        }
        std::string tag = std::string("<") + pick(names);
        std::vector<std::string> attributes;
        const char quote = std::uniform_int_distribution<int>(0, 1)(rng) ? '"' : '\'';
        std::string href = pick(hrefs);
        if (quote == '\'' && href.find('\'') != std::string::npos) {
            href = "/plain";
        }
        // Every anchor its own URL, so a missed one cannot hide behind a twin.
        href += (href.find('?') == std::string::npos ? "?n=" : "&amp;n=") + std::to_string(i);
        attributes.push_back(
            std::string(std::uniform_int_distribution<int>(0, 1)(rng) ? "href" : "HREF") + "=" +
            quote + href + quote);
        for (int k = std::uniform_int_distribution<int>(0, 2)(rng); k > 0; --k) {
            attributes.insert(attributes.begin() + std::uniform_int_distribution<int>(0, 1)(rng),
                              pick(others));
        }
        for (const std::string& attribute : attributes) {
            tag += pick(spaces) + attribute;
        }
        body += tag + ">" + pick(inners);
        switch (std::uniform_int_distribution<int>(0, 5)(rng)) {
        case 0:
            break; // left open
        case 1:
            body += "</A>";
            break;
        case 2:
            body += "</a\n>";
            break;
        default:
            body += "</a>";
        }
        body += pick(spaces);
    }
    return "<!DOCTYPE html>\n<html><head><title>t</title></head>\n<body>\n" + body +
           "\n</body></html>";
}

// The href of every <a> the parser puts in the document (not in template content), as the
// scanner writes URLs: trimmed, control bytes removed, ASCII letters in lower case.
void CollectParserHrefs(const GumboNode* node, std::set<std::string>& hrefs) {
    if (node->type != GUMBO_NODE_ELEMENT && node->type != GUMBO_NODE_DOCUMENT) {
        return;
    }
    const GumboVector& children =
        node->type == GUMBO_NODE_DOCUMENT ? node->v.document.children : node->v.element.children;
    if (node->type == GUMBO_NODE_ELEMENT && node->v.element.tag == GUMBO_TAG_A) {
        if (const GumboAttribute* href = gumbo_get_attribute(&node->v.element.attributes, "href")) {
            std::string value = href->value;
            value.erase(0, value.find_first_not_of(" \t\n\r\f"));
            value.erase(value.find_last_not_of(" \t\n\r\f") + 1);
            std::string url;
            for (const char c : value) {
                if (static_cast<unsigned char>(c) >= 0x20) {
                    url += (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
                }
            }
            hrefs.insert(url);
        }
    }
    for (unsigned i = 0; i < children.length; ++i) {
        CollectParserHrefs(static_cast<const GumboNode*>(children.data[i]), hrefs);
    }
}

TEST(PageAnalyzerDifferentialTest, ListsEveryLinkAConformingParserFinds) {
    std::mt19937 rng(1208);
    std::size_t compared = 0;
    for (int round = 0; round < 1500; ++round) {
        std::string page = RealisticBody(rng, 3 + round % 40);
        GumboOutput* output =
            gumbo_parse_with_options(&kGumboDefaultOptions, page.data(), page.size());
        std::set<std::string> expected;
        CollectParserHrefs(output->document, expected);
        gumbo_destroy_output(&kGumboDefaultOptions, output);

        CPageAnalyzer analyzer; // reads the comments itself, as the analysis has it
        analyzer.Load("http://partner.example", page);
        std::set<std::string> listed;
        for (const CLinkInfo& link : analyzer.GetLinks()) {
            listed.insert(link.m_strUrl);
        }
        // Both ways: no link missed, and none found where the parser sees no anchor (inside a
        // script, a comment, an attribute value).
        ASSERT_EQ(listed, expected) << page;
        compared += expected.size();
    }
    EXPECT_GT(compared, 5000u);
}

} // namespace
} // namespace tessaray
