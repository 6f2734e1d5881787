#include "core/robots/robots_rules.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaray {
namespace {

using Lines = std::vector<std::string>;

Lines DisallowedOf(std::string_view text) {
    CRobotsRules rules;
    rules.Parse(text);
    return rules.GetDisallowed().Entries();
}

TEST(RobotsRulesParseTest, DisallowLinesOfEveryGroup) {
    EXPECT_EQ(DisallowedOf("User-agent: Googlebot\r\n"
                           "Disallow: /only-google.html\r\n"
                           "\r\n"
                           "User-agent: *\r\n"
                           "Allow: /open.html\r\n"
                           "  disallow: /a.html\r\n"
                           "DISALLOW : /Upper/\r\n"
                           "\tDisallow:/tab.html\r\n"
                           "Disallowed /odd\r\n"
                           "# Disallow: /commented\r\n"),
              (Lines{"only-google.html", "a.html", "Upper/", "tab.html", "odd"}));
}

TEST(RobotsRulesParseTest, ValuesWithoutSlashAndTrailingText) {
    EXPECT_EQ(DisallowedOf("Disallow:\n"
                           "Disallow: *.pdf\n"
                           "disallow\n"
                           "Disallow: /\n"
                           "Disallow: /x.html # old\n"
                           "Disallow: *//y\n"),
              (Lines{"", "x.html # old", "/y"}));
}

TEST(RobotsRulesParseTest, EmptyTextAndReparse) {
    CRobotsRules rules;
    rules.Parse("Disallow: /a\n");
    EXPECT_FALSE(rules.IsAllowed("http://host/a"));
    rules.Parse("");
    EXPECT_EQ(rules.GetDisallowed().GetCount(), 0);
    EXPECT_EQ(rules.GetLines().GetCount(), 0);
    EXPECT_TRUE(rules.IsAllowed("http://host/a"));
    EXPECT_TRUE(rules.IsAllowed("http://host/"));
}

TEST(RobotsRulesParseTest, LastLineWithoutLineEndCounts) {
    EXPECT_EQ(DisallowedOf("User-agent: *\nDisallow: /last.html"), (Lines{"last.html"}));
    EXPECT_EQ(DisallowedOf("Disallow: /only"), (Lines{"only"}));
    EXPECT_EQ(DisallowedOf("Disallow: /a\r\nDisallow: /b\r"), (Lines{"a", "b"}));
    // A trailing control character is part of the last line, not a line end.
    EXPECT_EQ(DisallowedOf("Disallow: /t\t"), (Lines{"t\t"}));
}

TEST(RobotsRulesParseTest, LongLinesAndEntriesAreCut) {
    const std::string path(600, 'p');
    const Lines entries = DisallowedOf("Disallow: /" + path + "\n");
    ASSERT_EQ(entries.size(), 1u);
    // The line is cut to 500 characters first, of which 489 follow the slash.
    EXPECT_EQ(entries[0], std::string(489, 'p') + "...");
}

TEST(RobotsRulesIsAllowedTest, ExactPathOnly) {
    CRobotsRules rules;
    rules.Parse(
        "Disallow: /private/\nDisallow: /a.html\nDisallow: /A.html\nDisallow: /x.html # old\n");
    EXPECT_FALSE(rules.IsAllowed("http://host/private/"));
    EXPECT_TRUE(rules.IsAllowed("http://host/private/page.html"));
    EXPECT_TRUE(rules.IsAllowed("http://host/private"));
    // The URL is lower-cased; an entry with capitals never matches.
    EXPECT_FALSE(rules.IsAllowed("http://host/A.HTML"));
    EXPECT_FALSE(rules.IsAllowed("  HTTP://Host/a.html"));
    EXPECT_TRUE(rules.IsAllowed("http://host/x.html"));
    // Without a scheme the text is taken as the path.
    EXPECT_FALSE(rules.IsAllowed("/a.html"));
    EXPECT_FALSE(rules.IsAllowed("a.html"));
    EXPECT_TRUE(rules.IsAllowed("host/a.html"));
}

TEST(RobotsRulesIsAllowedTest, RootRuleAndHttps) {
    CRobotsRules rules;
    rules.Parse("User-agent: *\nDisallow: /");
    EXPECT_FALSE(rules.IsAllowed("http://host/"));
    EXPECT_FALSE(rules.IsAllowed("https://host/"));
    EXPECT_FALSE(rules.IsAllowed("HTTPS://host/"));
    EXPECT_TRUE(rules.IsAllowed("http://host/page.html"));
    // A URL without a path leaves the host, which is no empty path.
    EXPECT_TRUE(rules.IsAllowed("http://host"));

    rules.Parse("Disallow: /secret.html\n");
    EXPECT_FALSE(rules.IsAllowed("https://host/secret.html"));
    EXPECT_TRUE(rules.IsAllowed("https://host/secret.html?x"));
    // "https:/" is no scheme.
    EXPECT_TRUE(rules.IsAllowed("https:/host/secret.html"));
}

} // namespace
} // namespace tessaray
