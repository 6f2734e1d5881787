#include "core/page/page_signals.h"

#include "core/page/bot_challenge.h"
#include "core/page/page_analyzer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaray {
namespace {

const std::string kUrl = "http://partner.test/dir/page.html";

// The page read as the run reads it: comments removed, then scanned.
SPageSignals Read(std::string page, const std::string& header = "HTTP/1.1 200 OK\r\n\r\n",
                  const std::string& finalUrl = kUrl) {
    CPageAnalyzer::RemoveComments(page);
    CPageAnalyzer analyzer;
    analyzer.Load("http://partner.test", page);
    return ReadPageSignals(kUrl, finalUrl, analyzer, header);
}

// The Follow(Meta) flags of the same page.
bool MetaNofollowFlag(std::string page) {
    CPageAnalyzer::RemoveComments(page);
    CPageAnalyzer analyzer;
    analyzer.Load("http://partner.test", page);
    int flags[5];
    analyzer.GetMetaFlags(flags[0], flags[1], flags[2], flags[3], flags[4]);
    return flags[4] != 0;
}

TEST(PageSignalsTest, EveryRobotsAndGooglebotMetaCounts) {
    struct Case {
        const char* page;
        bool noindex;
        bool nofollow;
    };
    const Case cases[] = {
        {"<meta name=robots content=index,follow>", false, false},
        {"<META NAME=\"Robots\" CONTENT=\"NOINDEX\">", true, false},
        {"<meta content='nofollow' name='googlebot'>", false, true},
        {"<meta name=\"robots\" content=\"none\">", true, true},
        // Not only the first one: a later googlebot meta adds its words.
        {"<meta name=robots content=follow><meta name=googlebot content=\"noindex, nofollow\">",
         true, true},
        // Other names, comments and lookalike tags say nothing.
        {"<meta name=bingbot content=noindex><metadata name=robots content=none>", false, false},
        {"<!-- <meta name=robots content=none> -->", false, false},
        {"<meta\nname=robots\ncontent=\"noindex nofollow\"/>", true, true},
        // The name decides, the content is read as tokens (the literal substring rule found
        // "robots" and "nofollow" anywhere in the tag).
        {"<meta name=\"description\" content=\"How robots treat nofollow links\">", false, false},
        {"<meta name=\"myrobots\" content=\"noindex, nofollow\">", false, false},
        {"<meta property=\"robots\" content=\"nofollow\">", false, false},
        {"<meta name=\"robots\" content=\"index, xnofollow\">", false, false},
        {"<meta name=\" ROBOTS \" content=\"&#110;oindex,NOFOLLOW\">", true, true},
        // Markup inside script, textarea, title and template is no tag.
        {"<script>x = '<meta name=robots content=nofollow>';</script>", false, false},
        {"<textarea><meta name=robots content=nofollow></textarea>", false, false},
        {"<title><meta name=robots content=nofollow></title>", false, false},
        {"<template><meta name=robots content=nofollow></template>", false, false},
        // Wherever it stands (the literal rule read only the head).
        {"<html><head></head><body><meta name=robots content=nofollow>", false, true},
    };
    for (const Case& c : cases) {
        const SPageSignals pageSignals = Read(c.page);
        EXPECT_EQ(pageSignals.bMetaNoindex, c.noindex) << c.page;
        EXPECT_EQ(pageSignals.bMetaNofollow, c.nofollow) << c.page;
        EXPECT_EQ(MetaNofollowFlag(c.page), c.nofollow) << c.page; // the Follow(Meta) cell's
        EXPECT_FALSE(pageSignals.bHeaderNoindex || pageSignals.bHeaderNofollow) << c.page;
    }
    EXPECT_EQ(Read("<meta name=robots content=a><meta name=googlebot content=b>").metaContents,
              (std::vector<std::string>{"a", "b"}));
}

TEST(PageSignalsTest, XRobotsTagHeadersWithAndWithoutCrawler) {
    struct Case {
        const char* header;
        bool noindex;
        bool nofollow;
    };
    const Case cases[] = {
        {"X-Robots-Tag: noindex\r\n", true, false},
        {"x-robots-tag: NOFOLLOW\r\n", false, true},
        {"X-Robots-Tag: none\r\n", true, true},
        {"X-Robots-Tag: googlebot: noindex, nofollow\r\n", true, true},
        {"X-Robots-Tag: bingbot: noindex\r\n", false, false},
        {"X-Robots-Tag: unavailable_after: 25 Jun 2010 15:00:00 PST\r\n", false, false},
        {"X-Robots-Tag: bingbot: noindex\r\nX-Robots-Tag: nofollow\r\n", false, true},
    };
    for (const Case& c : cases) {
        const SPageSignals pageSignals =
            Read("<p>", std::string("HTTP/1.1 200 OK\r\n") + c.header + "\r\n");
        EXPECT_EQ(pageSignals.bHeaderNoindex, c.noindex) << c.header;
        EXPECT_EQ(pageSignals.bHeaderNofollow, c.nofollow) << c.header;
        EXPECT_FALSE(pageSignals.bMetaNoindex || pageSignals.bMetaNofollow) << c.header;
    }
}

TEST(PageSignalsTest, CanonicalIsResolvedAgainstThePage) {
    struct Case {
        const char* page;
        const char* canonical;
        bool samePage;
    };
    const Case cases[] = {
        {"<link rel=\"canonical\" href=\"https://other.test/x\">", "https://other.test/x", false},
        {"<LINK HREF='/root.html' REL='Canonical'>", "http://partner.test/root.html", false},
        {"<link rel=canonical href=sibling.html>", "http://partner.test/dir/sibling.html", false},
        {"<link rel=canonical href=//cdn.test/a>", "http://cdn.test/a", false},
        {"<link rel=stylesheet href=a.css><link rel=\"alternate canonical\" href=/b?x=1&amp;y=2>",
         "http://partner.test/b?x=1&y=2", false},
        {"<link rel=canonical>", "", false},
        // Dot segments and a fragment name the page itself (they were "canonical elsewhere").
        {"<link rel=canonical href=../dir/page.html>", "http://partner.test/dir/page.html", true},
        {"<link rel=canonical href=./page.html>", "http://partner.test/dir/page.html", true},
        {"<link rel=canonical href=#top>", "http://partner.test/dir/page.html#top", true},
        // <base href> decides where relative URLs go (it was ignored).
        {"<base href=\"http://cdn.test/x/\"><link rel=canonical href=c.html>",
         "http://cdn.test/x/c.html", false},
        {"<base href=\"/dir/\"><link rel=canonical href=\"page.html\">",
         "http://partner.test/dir/page.html", true},
        {"<link rel=canonical href=\"/a b/caf\xC3\xA9\">", "http://partner.test/a%20b/caf%C3%A9",
         false},
    };
    for (const Case& c : cases) {
        const std::string canonical = Read(c.page).strCanonical;
        EXPECT_EQ(canonical, c.canonical) << c.page;
        EXPECT_EQ(!canonical.empty() && IsSamePage(canonical, kUrl), c.samePage) << c.page;
    }
    EXPECT_TRUE(IsSamePage("HTTP://Partner.Test/dir/page.html#top", kUrl));
    EXPECT_TRUE(IsSamePage("http://partner.test/", "http://partner.test"));
    EXPECT_TRUE(IsSamePage("http://partner.test/caf%C3%A9", "http://partner.test/caf\xC3\xA9"));
    EXPECT_FALSE(IsSamePage("http://partner.test/Dir/page.html", kUrl));
}

TEST(PageSignalsTest, RedirectIsRecordedOnlyWhenTaken) {
    const SPageSignals moved = Read("", "", "https://new.test/");
    EXPECT_EQ(moved.strRedirectFrom, kUrl);
    EXPECT_EQ(moved.strRedirectTo, "https://new.test/");
    EXPECT_EQ(Read("").strRedirectTo, "");
}

TEST(PageSignalsTest, BotWallsByTheirRules) {
    struct Case {
        int status;
        std::string header;
        std::string body;
        std::string_view rule; // "" when the answer is the page
    };
    const std::string kMoment = "<html><head><title>Just a moment...</title></head></html>";
    const std::vector<Case> cases = {
        {403, "cf-mitigated: challenge\r\n", "", "cloudflare-challenge"},
        {503, "CF-Mitigated: Challenge\r\n", "", "cloudflare-challenge"},
        {429, "", kMoment, "cloudflare-challenge"},
        {403, "", "<title>Attention Required! | Cloudflare</title>", "cloudflare-block"},
        {403, "x-vercel-mitigated: challenge\r\n", "", "vercel-challenge"},
        {403, "Server: ddos-guard\r\n", "", "ddos-guard"},
        {503, "", "<title>DDoS-Guard</title>", "ddos-guard"},
        {403, "X-Sucuri-Block: 1\r\n", "", "sucuri"},
        {403, "", "<title>Sucuri WebSite Firewall - Access Denied</title>", "sucuri"},
        {403, "", "<HTML><HEAD><TITLE>Access Denied</TITLE></HEAD>Reference&#32;&#35;18.1",
         "akamai"},
        {200, "", "Request unsuccessful. Incapsula incident ID: 1-2", "imperva"},
        {405, "x-amzn-waf-action: captcha\r\n", "", "aws-waf"},
        {202, "x-amzn-waf-action: challenge\r\n", "", "aws-waf"},
        // Not walls: the page itself, a plain 403, a marker with a status it never comes with,
        // Akamai's title without its reference, a marker past the searched part.
        {200, "cf-mitigated: challenge\r\n", kMoment, ""},
        {403, "Server: nginx\r\n", "<title>Forbidden</title>", ""},
        {404, "", kMoment, ""},
        {403, "", "<TITLE>Access Denied</TITLE>", ""},
        {403, "", std::string(kBotChallengeSniff, ' ') + kMoment, ""},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.header + test.body.substr(0, 80));
        EXPECT_EQ(BotChallengeRule(test.status, "HTTP/1.1 403 Forbidden\r\n" + test.header + "\r\n",
                                   test.body),
                  test.rule);
    }
}

TEST(PageSignalsTest, RelTokensOfAnAnchor) {
    EXPECT_EQ(RelTokens("<a href=\"/x\" rel=\"external UGC\">x</a>"),
              (std::vector<std::string>{"external", "ugc"}));
    EXPECT_EQ(RelTokens("<a rel = sponsored href=/x>x</a>"),
              (std::vector<std::string>{"sponsored"}));
    EXPECT_TRUE(RelTokens("<a href=\"/rel=nofollow\">x</a>").empty());
}

} // namespace
} // namespace tessaray
