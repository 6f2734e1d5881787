#include "core/util/url.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaray {
namespace {

TEST(SplitUrlTest, PartsOfEveryKindOfUrl) {
    struct SCase {
        const char* url;
        EUrlReading reading;
        bool bAuthority;
        const char* scheme;
        const char* userInfo;
        const char* host;
        const char* port;
        const char* path;
        const char* query;
        const char* fragment;
    };
    constexpr EUrlReading kRfc = EUrlReading::Rfc3986;
    constexpr EUrlReading kBrowser = EUrlReading::Browser;
    const SCase cases[] = {
        {"HTTP://bob:pw@Host.Example:8080/a/b?x=1#top", kRfc, true, "HTTP", "bob:pw",
         "Host.Example", "8080", "/a/b", "x=1", "top"},
        {"https://a@b:c@host.test", kRfc, true, "https", "a@b:c", "host.test", "", "", "", ""},
        {"//cdn.example/x", kBrowser, true, "", "", "cdn.example", "", "/x", "", ""},
        {"http://[::1]:8080/", kRfc, true, "http", "", "[::1]", "8080", "/", "", ""},
        {"http://[::1]/", kRfc, true, "http", "", "[::1]", "", "/", "", ""},
        {"http://host:/", kRfc, true, "http", "", "host", "", "/", "", ""},
        {"http://a:b@host:8\\0/", kRfc, true, "http", "a:b", "host", "8\\0", "/", "", ""},
        // libcurl reads a backslash as part of the authority, a browser as the end of the host
        // of a web address (only there).
        {"http://host.example\\@other.example/", kRfc, true, "http", "host.example\\",
         "other.example", "", "/", "", ""},
        {"http://host.example\\@other.example/", kBrowser, true, "http", "", "host.example", "",
         "\\@other.example/", "", ""},
        {"ftp://a\\b/c", kBrowser, true, "ftp", "", "a\\b", "", "/c", "", ""},
        {"http://host#f?x", kRfc, true, "http", "", "host", "", "", "", "f?x"},
        {"/a?b?c#d#e", kRfc, false, "", "", "", "", "/a", "b?c", "d#e"},
        {"mailto:bob@host.test", kRfc, false, "mailto", "", "", "", "bob@host.test", "", ""},
        {"http:/x", kRfc, false, "http", "", "", "", "/x", "", ""},
        // A scheme begins with a letter and holds no blank.
        {"1http://x", kRfc, false, "", "", "", "", "1http://x", "", ""},
        {"x y://bob@host", kRfc, false, "", "", "", "", "x y://bob@host", "", ""},
        {"", kRfc, false, "", "", "", "", "", "", ""},
    };
    for (const SCase& c : cases) {
        const SUrlParts parts = SplitUrl(c.url, c.reading);
        const std::string got = std::string(parts.bAuthority ? "A" : "-") + "|" +
                                std::string(parts.scheme) + "|" + std::string(parts.userInfo) +
                                "|" + std::string(parts.host) + "|" + std::string(parts.port) +
                                "|" + std::string(parts.Path()) + "|" + std::string(parts.Query()) +
                                "|" + std::string(parts.Fragment());
        const std::string wanted = std::string(c.bAuthority ? "A" : "-") + "|" + c.scheme + "|" +
                                   c.userInfo + "|" + c.host + "|" + c.port + "|" + c.path + "|" +
                                   c.query + "|" + c.fragment;
        EXPECT_EQ(got, wanted) << c.url;
    }
}

TEST(UrlOriginTest, OneOriginWhateverItsSpelling) {
    const std::pair<const char*, const char*> rows[] = {
        {"HTTP://Example.COM/path?q", "http://example.com:80"},
        {"https://example.com", "https://example.com:443"},
        {"http://127.0.0.1:8080/", "http://127.0.0.1:8080"},
        {"http://bob:pw@[::1]:080/x", "http://[::1]:80"},
        {"ftp://example.com", ""},
        {"javascript:alert(1)", ""},
        {"example", ""},
        {"", ""},
        {"http:///path", ""},
        {"http://exa mple.com/", ""},
        {"http://example.com:65536/", ""},
        {"http://example.com:8o/", ""},
    };
    for (const auto& [url, origin] : rows) {
        EXPECT_EQ(UrlOrigin(url), origin) << url;
    }
}

} // namespace
} // namespace tessaray
