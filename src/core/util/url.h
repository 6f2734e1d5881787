#pragma once

#include <string>
#include <string_view>

namespace tessaray {

// URL references resolved as a browser resolves the links of a page, on uriparser (RFC 3986
// resolution, dot segments removed).

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
