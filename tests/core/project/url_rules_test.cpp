#include "core/project/url_rules.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaray {
namespace {

// IsValidUrl's verdict and the text it leaves in its argument.
std::pair<bool, std::string> Validate(std::string url) {
    const bool valid = IsValidUrl(url);
    return {valid, url};
}

std::pair<bool, std::string> ExtractDomain(std::string_view input) {
    std::string out = "stale";
    const bool valid = ExtractDomainUrl(input, out);
    return {valid, out};
}

TEST(NormalizeProjectUrlTest, KeepsTheEntryAsWritten) {
    // entry -> stored entry. Only trimming, "http://" and a bare site's root "/" change it: a
    // case-sensitive server answers 404 to a lower-cased path, and "/dir/" is not "/dir".
    const std::pair<const char*, const char*> rows[] = {
        {"  Shop.Example.COM/Path/  ", "http://Shop.Example.COM/Path/"},
        {"\t\r\nHTTP://A.Example\n", "HTTP://A.Example"},
        {"http://Partner.Example/Links/Page.HTML?ID=AbC",
         "http://Partner.Example/Links/Page.HTML?ID=AbC"},
        {"http://a.example/dir/", "http://a.example/dir/"},
        {"http://a.example//", "http://a.example//"},
        {"HTTPS://A.Example/ ", "HTTPS://A.Example"},
        {"http://a.example/?q=/", "http://a.example/?q=/"},
        // The comment keeps its case and letters; a "/" or scheme in it is not the URL's.
        {"http://Shop.Example/Links.html - Swap since 2008",
         "http://Shop.Example/Links.html - Swap since 2008"},
        {"a.example - Anna's blog \xE2\x80\x93 swapped in M\xC3\xA4rz",
         "http://a.example - Anna's blog \xE2\x80\x93 swapped in M\xC3\xA4rz"},
        {"a.example/ - moved from http://old.example/",
         "http://a.example - moved from http://old.example/"},
        {"http://a.example - see /", "http://a.example - see /"},
        // Files of older versions hold lower-case entries without a trailing "/": unchanged.
        {"http://shop.example/links.html - swap since 2008",
         "http://shop.example/links.html - swap since 2008"},
        // A scheme anywhere in the URL counts, for "https://" as for "http://".
        {"https://a.example", "https://a.example"},
        {"see https://a.example", "see https://a.example"},
        {"https:/a.example", "http://https:/a.example"},
    };
    for (const auto& [entry, stored] : rows) {
        EXPECT_EQ(NormalizeProjectUrl(entry), stored) << entry;
    }
}

TEST(NormalizeDomainUrlTest, TrimsLowersAndDropsTheSlash) {
    EXPECT_EQ(NormalizeDomainUrl("  Shop.Example.COM/Path/  "), "http://shop.example.com/path");
    EXPECT_EQ(NormalizeDomainUrl(" HTTPS://A.Example/ "), "https://a.example");
    EXPECT_EQ(NormalizeDomainUrl("http://a.example//"), "http://a.example/");
}

TEST(IsValidUrlTest, Rejects) {
    for (const char* bad :
         {"", "   ", "a.b", "#a.example", "/a.example", "*a.example", "1shop.example",
          "\"a.example\"", "shop.", "ab.c", ".example", "example"}) {
        std::string url = bad;
        EXPECT_FALSE(IsValidUrl(url)) << bad;
        EXPECT_EQ(url, bad) << "an invalid URL must stay as it was";
    }
}

TEST(IsValidUrlTest, AcceptsAndNormalises) {
    EXPECT_EQ(Validate("ab.example"), std::make_pair(true, std::string("http://ab.example")));
    EXPECT_EQ(Validate("HTTP://Shop.Example/"),
              std::make_pair(true, std::string("HTTP://Shop.Example")));
    EXPECT_EQ(Validate("  Shop.Example/Page/  "),
              std::make_pair(true, std::string("http://Shop.Example/Page/")));
    // Four characters with two after the dot are enough; "http://" makes the length.
    EXPECT_EQ(Validate("a.bc"), std::make_pair(true, std::string("http://a.bc")));
    // The trailing slash counts towards the length and goes afterwards.
    EXPECT_EQ(Validate("a.b/"), std::make_pair(true, std::string("http://a.b")));
    // Only the root "/" of a bare site goes; a path's (above) and a comment's stay.
    EXPECT_EQ(Validate("a.example - see /"),
              std::make_pair(true, std::string("http://a.example - see /")));
    // The dot may come after the scheme; only its position in the copy counts.
    EXPECT_EQ(Validate("http://localhost.x/"),
              std::make_pair(true, std::string("http://localhost.x")));
}

TEST(IsValidUrlTest, HttpsIsAScheme) {
    EXPECT_EQ(Validate("https://a.example/"),
              std::make_pair(true, std::string("https://a.example")));
    EXPECT_EQ(Validate("HTTPS://A.Example"),
              std::make_pair(true, std::string("HTTPS://A.Example")));
    EXPECT_EQ(Validate("https://ab"), std::make_pair(false, std::string("https://ab")));
}

TEST(ExtractDomainUrlTest, KeepsSchemeAndHost) {
    EXPECT_EQ(ExtractDomain("  http://shop.example/dir/page.html"),
              std::make_pair(true, std::string("http://shop.example")));
    EXPECT_EQ(ExtractDomain("shop.example/x"),
              std::make_pair(true, std::string("http://shop.example")));
    EXPECT_EQ(ExtractDomain("https://Shop.Example/x/"),
              std::make_pair(true, std::string("https://Shop.Example")));
    EXPECT_EQ(ExtractDomain("HTTPS://shop.example"),
              std::make_pair(true, std::string("https://shop.example")));
    // Text before the scheme is dropped with it.
    EXPECT_EQ(ExtractDomain("Link: http://shop.example/a"),
              std::make_pair(true, std::string("http://shop.example")));
}

TEST(ExtractDomainUrlTest, TooShortOrInvalid) {
    // out is always set, also when the result is false.
    EXPECT_EQ(ExtractDomain("a.b"), std::make_pair(false, std::string("http://a.b")));
    EXPECT_EQ(ExtractDomain(""), std::make_pair(false, std::string("http://")));
    EXPECT_EQ(ExtractDomain("http://ab/x"), std::make_pair(false, std::string("http://ab")));
    EXPECT_EQ(ExtractDomain("https://abcdef"),
              std::make_pair(false, std::string("https://abcdef")));
}

TEST(CheckPartnerEntryTest, RefusesALogInAndWhatAFileWouldCut) {
    const std::pair<std::string, EEntryProblem> rows[] = {
        {"http://bob:pw@host.example/page", EEntryProblem::UserInfo},
        {"HTTPS://bob@host.example", EEntryProblem::UserInfo},
        {"http://user:p@ss@host.example/", EEntryProblem::UserInfo},
        // libcurl reads "host.example\\" as the user name here, a browser the host.
        {"http://host.example\\@other.example/", EEntryProblem::UserInfo},
        {"  bob:pw@host.example/page", EEntryProblem::UserInfo},
        {"http://host.example/page@x", EEntryProblem::None},
        {"host.example/?u=http://bob@x.example", EEntryProblem::None},
        {"http://host.example?to=a@b", EEntryProblem::None},
        {"http://host.example - mail anna@example.org", EEntryProblem::None},
        {"http://a.example/" + std::string(kMaxPartnerEntryLength - 17, 'x'), EEntryProblem::None},
        {"http://a.example/" + std::string(kMaxPartnerEntryLength - 16, 'x'),
         EEntryProblem::TooLong},
    };
    for (const auto& [entry, problem] : rows) {
        EXPECT_EQ(CheckPartnerEntry(entry), problem) << entry.substr(0, 40);
    }
}

using Parts = std::pair<std::string, std::string>;

Parts Split(std::string_view entry) {
    Parts parts{"stale", "stale"};
    SplitPartnerEntry(entry, parts.first, parts.second);
    return parts;
}

TEST(PartnerEntryTest, SplitAndJoin) {
    EXPECT_EQ(Split("http://shop.example/links.html - swap since 2008"),
              Parts("http://shop.example/links.html", "swap since 2008"));
    EXPECT_EQ(Split(""), Parts("", ""));
    // A separator at position 0 does not count; the whole entry is the (invalid, kept) URL.
    EXPECT_EQ(Split(" - shop.example"), Parts(" - shop.example", ""));
    // The first separator splits; the comment is trimmed and may hold more separators.
    EXPECT_EQ(Split("shop.example/ -  a - b  "), Parts("http://shop.example", "a - b"));
    // An invalid URL is kept as it stands.
    EXPECT_EQ(Split("#x - c"), Parts("#x", "c"));

    EXPECT_EQ(JoinPartnerEntry("shop.example/", "  note "), "http://shop.example - note");
    EXPECT_EQ(JoinPartnerEntry("https://shop.example", " \t"), "https://shop.example");
}

TEST(UrlHelpersTest, HostAndSite) {
    EXPECT_EQ(ExtractHost("  https://Shop.Example/a/b"), "Shop.Example");
    EXPECT_EQ(ExtractHost("http://shop.example"), "shop.example");
    EXPECT_EQ(ExtractHost("shop.example/x"), "shop.example");
    EXPECT_EQ(SiteUrlOf(" HTTPS://shop.example/x"), "https://shop.example");
    EXPECT_EQ(SiteUrlOf("shop.example/x"), "http://shop.example");
    EXPECT_TRUE(StartsWithScheme("HTTP://x"));
    EXPECT_FALSE(StartsWithScheme("x http://"));
    // User info goes wherever a URL is shown; everything else stays as it is.
    EXPECT_EQ(WithoutUserInfo("http://bob:pw@Host.test/a@b?c=d@e"), "http://Host.test/a@b?c=d@e");
    EXPECT_EQ(WithoutUserInfo("https://a@b:c@host.test:8080"), "https://host.test:8080");
    EXPECT_EQ(WithoutUserInfo("http://host.test/?u=http://bob:pw@x.test"),
              "http://host.test/?u=http://bob:pw@x.test");
    EXPECT_EQ(WithoutUserInfo("mailto:bob@host.test"), "mailto:bob@host.test");
    EXPECT_EQ(WithoutUserInfo("x y://bob@host.test"), "x y://bob@host.test");
}

} // namespace
} // namespace tessaray
