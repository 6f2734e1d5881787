#include "core/robots/robots_rfc_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaray {
namespace {

struct Case {
    const char* what;
    std::string robots;
    const char* crawler;
    std::string url;
    bool allowed;
};

// Cases from the examples of RFC 9309 (sections 2.2.2, 2.2.3, 5) and from the behaviours that
// Google's open-source robots.txt parser tests (github.com/google/robotstxt, robots_test.cc),
// written anew as rows of this table.
const Case kCases[] = {
    // Groups: the most specific group only, else "*"; names compare without case; product token.
    {"own group replaces *", "User-agent: *\nDisallow: /\nUser-agent: Googlebot\nAllow: /\n",
     "Googlebot", "http://h/x", true},
    {"others take *", "User-agent: *\nDisallow: /\nUser-agent: Googlebot\nAllow: /\n", "Bingbot",
     "http://h/x", false},
    {"no matching group", "User-agent: Bingbot\nDisallow: /\n", "Googlebot", "http://h/x", true},
    {"name without case", "user-AGENT: GOOGLEBOT\nDisallow: /x\n", "googlebot", "http://h/x",
     false},
    {"product token with version", "User-agent: Googlebot/2.1\nDisallow: /x\n", "Googlebot",
     "http://h/x", false},
    {"longer name is another crawler", "User-agent: Googlebot-News\nDisallow: /x\n", "Googlebot",
     "http://h/x", true},
    {"*bot names no crawler", "User-agent: *bot\nDisallow: /x\n", "Googlebot", "http://h/x", true},
    {"* then a blank and more is *", "User-agent: * all\nDisallow: /x\n", "Googlebot", "http://h/x",
     false},
    {"several agents share a group", "User-agent: a\nUser-agent: Googlebot\nDisallow: /x\n",
     "Googlebot", "http://h/x", false},
    {"groups of one name combine",
     "User-agent: Googlebot\nDisallow: /a\nUser-agent: b\nDisallow: /c\nUser-agent: Googlebot\n"
     "Disallow: /b\n",
     "Googlebot", "http://h/b", false},
    {"rules before any group ignored", "Disallow: /x\nUser-agent: *\nAllow: /\n", "Googlebot",
     "http://h/x", true},
    {"sitemap does not end a group",
     "User-agent: Googlebot\nSitemap: http://h/s.xml\nUser-agent: *\nDisallow: /\n", "Googlebot",
     "http://h/x", false},
    {"unknown line does not end a group",
     "User-agent: Googlebot\nCrawl-delay: 5\nUser-agent: *\nDisallow: /\n", "Googlebot",
     "http://h/x", false},
    // Line syntax: key case, blanks, comments, missing colon, line ends, byte-order mark.
    {"keys without case", "USER-AGENT: *\nDISALLOW: /x\n", "Googlebot", "http://h/x", false},
    {"blanks around", "  User-agent :  *  \n\t Disallow :\t/x  \n", "Googlebot", "http://h/x",
     false},
    {"comment cut off", "User-agent: * # all\nDisallow: /x # private\n", "Googlebot", "http://h/x",
     false},
    {"colon missing", "User-agent *\nDisallow /x\n", "Googlebot", "http://h/x", false},
    {"CR line ends", "User-agent: *\rDisallow: /x\r", "Googlebot", "http://h/x", false},
    {"CR LF line ends, last line unended", "User-agent: *\r\nDisallow: /x", "Googlebot",
     "http://h/x", false},
    {"byte-order mark skipped", "\xEF\xBB\xBFUser-agent: *\nDisallow: /x\n", "Googlebot",
     "http://h/x", false},
    {"byte-order mark cut short skipped", "\xEF\xBBUser-agent: *\nDisallow: /x\n", "Googlebot",
     "http://h/x", false},
    {"misspelt disallow", "User-agent: *\nDisalow: /x\n", "Googlebot", "http://h/x", false},
    {"misspelt user-agent", "Useragent: *\nDisallow: /x\n", "Googlebot", "http://h/x", false},
    {"key read by its start", "User-agent: *\nDisallowed: /x\n", "Googlebot", "http://h/x", false},
    {"colon missing, three words: no record", "User-agent * x\nDisallow: /x\n", "Googlebot",
     "http://h/x", true},
    {"empty disallow allows", "User-agent: *\nDisallow:\n", "Googlebot", "http://h/x", true},
    // Matching: prefix, case-sensitive, longest match, Allow wins a tie.
    {"prefix match", "User-agent: *\nDisallow: /private/\n", "Googlebot",
     "http://h/private/links.html", false},
    {"path case matters", "User-agent: *\nDisallow: /X\n", "Googlebot", "http://h/x", true},
    {"longer allow wins", "User-agent: *\nDisallow: /a\nAllow: /a/b\n", "Googlebot",
     "http://h/a/b/c", true},
    {"longer disallow wins", "User-agent: *\nAllow: /a\nDisallow: /a/b\n", "Googlebot",
     "http://h/a/b", false},
    {"tie goes to allow", "User-agent: *\nDisallow: /a\nAllow: /a\n", "Googlebot", "http://h/a",
     true},
    {"root disallows all", "User-agent: *\nDisallow: /\n", "Googlebot", "http://h", false},
    {"query is part of the path", "User-agent: *\nDisallow: /s?q=\n", "Googlebot", "http://h/s?q=1",
     false},
    {"fragment is not", "User-agent: *\nDisallow: /a$\n", "Googlebot", "http://h/a#top", false},
    {"robots.txt itself always allowed", "User-agent: *\nDisallow: /\n", "Googlebot",
     "http://h/robots.txt", true},
    // Special characters.
    {"star inside", "User-agent: *\nDisallow: /*.php\n", "Googlebot", "http://h/a/b.php?x", false},
    {"dollar ends", "User-agent: *\nDisallow: /*.php$\n", "Googlebot", "http://h/b.php?x", true},
    {"dollar matches end", "User-agent: *\nDisallow: /*.php$\n", "Googlebot", "http://h/b.php",
     false},
    {"dollar not at end is literal", "User-agent: *\nDisallow: /a$b\n", "Googlebot", "http://h/a$b",
     false},
    {"star at end is a prefix", "User-agent: *\nDisallow: /fish*\n", "Googlebot",
     "http://h/fishheads", false},
    {"dollar ends a pattern without star", "User-agent: *\nDisallow: /a$\n", "Googlebot",
     "http://h/ab", true},
    {"run of stars is one star", "User-agent: *\nDisallow: /a***b\n", "Googlebot", "http://h/axxb",
     false},
    {"every star counts in the length", "User-agent: *\nAllow: /a*\nDisallow: /a**\n", "Googlebot",
     "http://h/ab", false},
    {"every star counts, also after a shorter match",
     "User-agent: *\nAllow: /a*b\nAllow: /a***\nDisallow: /a**b\n", "Googlebot", "http://h/ab",
     true},
    {"only stars before the dollar", "User-agent: *\nDisallow: /**$\n", "Googlebot", "http://h/x",
     false},
    {"dollar inside and at the end", "User-agent: *\nDisallow: /a$*$\n", "Googlebot",
     "http://h/a$x", false},
    {"last piece overlaps the one before", "User-agent: *\nDisallow: /a*ab$\n", "Googlebot",
     "http://h/aab", false},
    {"pieces do not share letters", "User-agent: *\nDisallow: /*aba*ab$\n", "Googlebot",
     "http://h/abab", true},
    {"piece found past an early near-miss", "User-agent: *\nDisallow: /*aab*c\n", "Googlebot",
     "http://h/aaabxc", false},
    {"long run of stars", "User-agent: *\nDisallow: /" + std::string(300, '*') + "b$\n",
     "Googlebot", "http://h/" + std::string(500, 'a') + "b", false},
    {"shorter rules after the longest", "User-agent: *\nDisallow: /a/b\nAllow: /a\nDisallow: /a\n",
     "Googlebot", "http://h/a/b", false},
    // Percent-encoding (the table of RFC 9309 section 2.2.2).
    {"raw UTF-8 pattern", "User-agent: *\nDisallow: /foo/bar/\xE3\x83\x84\n", "Googlebot",
     "http://h/foo/bar/%E3%83%84", false},
    {"encoded pattern, raw URL", "User-agent: *\nDisallow: /foo/bar/%E3%83%84\n", "Googlebot",
     "http://h/foo/bar/\xE3\x83\x84", false},
    {"encoded unreserved letters", "User-agent: *\nDisallow: /foo/bar/%62%61%7A\n", "Googlebot",
     "http://h/foo/bar/baz", false},
    {"hex digits without case", "User-agent: *\nDisallow: /a%2fb\n", "Googlebot", "http://h/a%2Fb",
     false},
    {"blank in the URL encoded", "User-agent: *\nDisallow: /a%20b\n", "Googlebot", "http://h/a b",
     false},
    {"encoded slash is not a slash", "User-agent: *\nDisallow: /a/b\n", "Googlebot",
     "http://h/a%2Fb", true},
};

TEST(RobotsRfcRulesTest, EvaluatesTheCasesOfTheProtocol) {
    for (const Case& c : kCases) {
        CRobotsRfcRules rules;
        rules.Parse(c.robots);
        EXPECT_EQ(rules.IsAllowed(c.crawler, c.url), c.allowed) << c.what;
    }
}

TEST(RobotsRfcRulesTest, FetchStatusDecidesWithoutRules) {
    const std::string text = "User-agent: *\nDisallow: /\n";
    const struct {
        int status;
        bool allowed;
    } cases[] = {{200, false}, {404, true},  {403, true},  {301, true},
                 {429, false}, {500, false}, {503, false}, {0, false}};
    for (const auto& c : cases) {
        CRobotsRfcRules rules;
        rules.Load(c.status, c.status == 200 ? text : "");
        EXPECT_EQ(rules.IsAllowed("Googlebot", "http://h/page"), c.allowed) << c.status;
    }
}

TEST(RobotsRfcRulesTest, ReadsAtLeastHalfAMebibyteAndNoMore) {
    const std::string filler = "# " + std::string(500 * 1024, 'f') + "\n";
    CRobotsRfcRules rules;
    rules.Parse(filler + "User-agent: *\nDisallow: /x\n");
    EXPECT_FALSE(rules.IsAllowed("Googlebot", "http://h/x"));
    rules.Parse(filler + std::string(CRobotsRfcRules::kMaxBytes, '\n') +
                "User-agent: *\nDisallow: /x\n");
    EXPECT_TRUE(rules.IsAllowed("Googlebot", "http://h/x"));
}

} // namespace
} // namespace tessaray
