#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaray {

// The one place where URLs are taken apart: their parts and origin (a linear scan of their
// bytes, since it runs for every link of every page and must take any text, as browsers do), and
// references resolved as a browser resolves the links of a page, on uriparser (RFC 3986
// resolution, dot segments removed).

// The length of the scheme a URL begins with (a letter, then letters, digits, "+", "-" or ".",
// then ":"), without the ":"; 0 when it begins with none.
std::size_t SchemeLength(std::string_view url);

// Which bytes end the authority (user info, host and port) of a URL.
enum class EUrlReading {
    Rfc3986, // "/", "?" and "#", as libcurl reads an address it requests
    Browser, // in an http, https or scheme-relative URL also "\", as a browser reads a link
};

// The parts of a URL, as views into its text; a part that is missing is empty. Nothing is
// checked or decoded: callers apply their own rules to the parts. Path, query and fragment are
// found when asked, since the site of every link of a page needs only what comes before them.
struct SUrlParts {
    std::string_view url;       // the whole text
    std::string_view scheme;    // without its ":"
    bool bAuthority = false;    // "//" follows the scheme (or begins a URL without one)
    std::string_view authority; // between "//" and the path
    std::string_view userInfo;  // the authority up to its last "@", without it
    std::string_view host;      // after the user info; an IPv6 address keeps its "[...]"
    std::string_view port;      // after the host's ":", without it
    std::size_t nPathAt = 0;    // where the path begins: the rest of the URL

    std::size_t FragmentAt() const;    // where the "#" is; the length of the URL without one
    std::string_view Path() const;     // from nPathAt to "?" or "#"
    std::string_view Query() const;    // after "?", without it
    std::string_view Fragment() const; // after "#", without it
};
SUrlParts SplitUrl(std::string_view url, EUrlReading reading = EUrlReading::Rfc3986);

// The origin of an http or https URL: "scheme://host:port" in lower case with the port always
// written (80 and 443 by default), so that two spellings of one site compare equal. "" for
// anything else, also for a host or port libcurl would not connect to.
std::string UrlOrigin(std::string_view url);

// ref resolved against the absolute URL base: "../a", "./a", "?q", "#top", "" and "//host/a" as a
// browser takes them; an absolute ref loses its dot segments. Before parsing, leading and trailing
// blanks and control bytes are dropped, tabs and line breaks inside removed, "\" before the query
// read as "/" and bytes RFC 3986 does not allow (blanks, letters outside ASCII, a lone "%", ...)
// percent-encoded, as browsers do. "" when base is no absolute URL or ref cannot be read even so.
std::string ResolveUrl(std::string_view base, std::string_view ref);

// The URL that the relative links of a page at pageUrl go to when it has <base href="baseHref">:
// baseHref resolved against pageUrl (taken alone when pageUrl is no absolute URL); "" when that
// gives no http or https URL (browsers then keep the page's own URL).
std::string ResolveBaseHref(std::string_view pageUrl, std::string_view baseHref);

// Whether the path of a URL holds a "." or ".." segment, which resolving removes.
bool HasDotSegment(std::string_view url);

} // namespace tessaray
