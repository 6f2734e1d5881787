#pragma once

#include "core/util/ascii.h"

#include <string>
#include <string_view>

namespace tessaray {

// Scheme prefixes the program recognises.
inline constexpr std::string_view kHttp = "http://";
inline constexpr std::string_view kHttps = "https://";

// True when text begins with "http://" or "https://" (compared without regard to case).
bool StartsWithScheme(std::string_view text);

// Position of the first "http://" or "https://" in lower-case text (whichever comes first), and
// the length of that scheme; npos when there is none.
std::size_t FindScheme(std::string_view lower, std::size_t* schemeLength);

// The host part of a URL: leading white space removed, everything up to and including the first
// scheme dropped, cut at the first "/" that is not the first character. Case is kept.
std::string ExtractHost(std::string_view url);
// The scheme that a URL starts with after leading white space ("https://" or "http://"); the site
// URL of a page is that scheme followed by ExtractHost.
std::string SiteUrlOf(std::string_view url);

// The site an absolute ("http://", "https://") or scheme-relative ("//") URL points to, in a form
// for comparing sites (without regard to case): the host without user info, without a leading
// "www." and without a default port (":80", ":443"); another port stays ("shop.example:8080").
// path, when given, gets the rest of the URL from the first "/", "?", "#" or "\\" after the host.
// Empty for any other URL.
std::string_view SiteOfUrl(std::string_view url, std::string_view* path = nullptr);

// The URL without the user info of its authority ("http://bob:pw@host/p" -> "http://host/p"),
// for every place a URL is shown or stored; any other URL as it is.
std::string WithoutUserInfo(std::string_view url);

// True when a link URL points to the site of the user's domain: the same SiteOfUrl (a domain
// without scheme is read as a host), and, when the domain has a path, a link path that begins
// with it. http and https count alike; so do a host with and without "www.".
bool IsLinkToDomain(std::string_view url, std::string_view domain);
// The same test in two steps, for many links against one domain.
struct SDomainSite {
    std::string strSite; // SiteOfUrl of the domain, in lower case
    std::string strPath; // its path in lower case, trailing "/" removed
};
SDomainSite DomainSiteOf(std::string_view domain);
bool IsLinkToSite(std::string_view url, const SDomainSite& domain);
// The same with the SiteOfUrl of the link and its path already at hand.
bool MatchesSite(std::string_view site, std::string_view path, const SDomainSite& domain);

// The rule for partner entries ("URL" or "URL - comment") as they enter a project: trimmed,
// "http://" put in front of the URL unless it holds a scheme, the "/" of a bare site's root
// removed. Everything else stays as the user wrote it: paths and queries are case-sensitive on
// many servers, and a trailing "/" of a path names another address.
std::string NormalizeProjectUrl(std::string_view entry);
// The rule for the user's own domain, a bare site: trimmed, lower case, "http://" put in front
// unless a scheme is there, one trailing "/" removed.
std::string NormalizeDomainUrl(std::string_view url);

// Longest partner entry (URL and comment) a project file gives back whole: longer values are cut
// when the file is read.
inline constexpr std::size_t kMaxPartnerEntryLength = 4093;

// True when the address holds a user name or password ("http://bob:pw@host/"). Such an address
// would carry the password in plain sight to the server and into reports; the log-in belongs to
// the log-in prompt or the command line's --auth.
bool HasUserInfo(std::string_view url);

// Why a partner entry typed or imported by the user may not enter a project.
enum class EEntryProblem {
    None,
    UserInfo, // a user name or password in the URL
    TooLong,  // longer than kMaxPartnerEntryLength: it would come back cut
};
EEntryProblem CheckPartnerEntry(std::string_view entry);

// The form in which partner URLs are compared for duplicates: the URL of the entry (its comment
// left out), normalised, with scheme and host in lower case, since they do not depend on case;
// path and query as written, since they may.
std::string UrlComparisonKey(std::string_view entry);

// Checks a URL typed or imported by the user and, when it is valid, normalises it in place:
// trimmed, "http://" put in front unless it starts with a scheme, the "/" of a bare site's root
// removed, case kept. An invalid URL leaves the argument unchanged.
bool IsValidUrl(std::string& url);

// The site URL ("http://" or "https://" and the host) of what the user typed as the domain.
bool ExtractDomainUrl(std::string_view input, std::string& out);

// A partner entry is the URL, optionally followed by " - " and a comment.
inline constexpr std::string_view kCommentSeparator = " - ";
void SplitPartnerEntry(std::string_view entry, std::string& outUrl, std::string& outComment);
std::string JoinPartnerEntry(std::string url, std::string comment);

} // namespace tessaray
