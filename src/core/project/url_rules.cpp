#include "core/project/url_rules.h"

#include "core/util/url.h"

#include <algorithm>

namespace tessaray {

namespace {

// Length of the scheme text begins with: 8 for "https://", 7 for "http://", else 0.
std::size_t SchemeLengthAtStart(std::string_view text) {
    const std::string lower = ToLowerAscii(text.substr(0, kHttps.size()));
    return lower.starts_with(kHttps) ? kHttps.size() : lower.starts_with(kHttp) ? kHttp.size() : 0;
}

// Removes the last "/" of url when it is the root of a bare site ("http://shop.example/"), the
// same address without it. A "/" after a path ("/dir/") names another address and stays; so does
// a "/" at the end of a comment, since a host holds no blanks. hostAt: where the host begins.
void DropRootSlash(std::string& url, std::size_t hostAt) {
    if (url.empty() || url.back() != '/' || hostAt >= url.size()) {
        return;
    }
    const std::string_view host = std::string_view(url).substr(hostAt, url.size() - 1 - hostAt);
    if (host.find_first_of("/?#\\ \t\r\n\v\f") == std::string_view::npos) {
        url.pop_back();
    }
}

// The URL of a partner entry: the text before the first " - " that is not at its start.
std::string_view UrlOfEntry(std::string_view entry) {
    const std::size_t separator = entry.find(kCommentSeparator);
    return separator == std::string_view::npos || separator == 0 ? entry
                                                                 : entry.substr(0, separator);
}

// The authority of a URL as libcurl reads it, after leading blanks; a URL that names no scheme
// is read as beginning with its host, as the fetcher takes it. Browsers also end the authority
// at a backslash, libcurl does not, so an "@" anywhere before "/", "?" or "#" is user info to
// one of them. bScheme: the URL names its scheme.
std::string_view AuthorityOf(std::string_view url, bool* bScheme) {
    url.remove_prefix(
        static_cast<std::size_t>(std::find_if_not(url.begin(), url.end(), IsBlank) - url.begin()));
    const SUrlParts parts = SplitUrl(url);
    *bScheme = parts.bAuthority && !parts.scheme.empty();
    return *bScheme ? parts.authority : url.substr(0, url.find_first_of("/?#"));
}

} // namespace

bool StartsWithScheme(std::string_view text) {
    return SchemeLengthAtStart(text) > 0;
}

std::size_t FindScheme(std::string_view lower, std::size_t* schemeLength) {
    const std::size_t http = lower.find(kHttp);
    const std::size_t https = lower.find(kHttps);
    if (https != std::string_view::npos && (http == std::string_view::npos || https < http)) {
        if (schemeLength) {
            *schemeLength = kHttps.size();
        }
        return https;
    }
    if (schemeLength) {
        *schemeLength = kHttp.size();
    }
    return http;
}

std::string ExtractHost(std::string_view url) {
    std::string host(url);
    TrimLeft(host);
    std::size_t length = 0;
    const std::size_t scheme = FindScheme(ToLowerAscii(host), &length);
    if (scheme != std::string::npos) {
        host.erase(0, scheme + length);
    }
    const std::size_t slash = host.find('/');
    if (slash != std::string::npos && slash > 0) {
        host.resize(slash);
    }
    return host;
}

std::string SiteUrlOf(std::string_view url) {
    std::string trimmed(url);
    TrimLeft(trimmed);
    const bool secure = ToLowerAscii(trimmed.substr(0, kHttps.size())) == kHttps;
    return std::string(secure ? kHttps : kHttp) + ExtractHost(url);
}

std::string_view SiteOfUrl(std::string_view url, std::string_view* path) {
    const SUrlParts parts = SplitUrl(url, EUrlReading::Browser);
    if (!parts.bAuthority || !(parts.scheme.empty() || EqualsNoCase(parts.scheme, "http") ||
                               EqualsNoCase(parts.scheme, "https"))) {
        return {};
    }
    if (path) {
        *path = url.substr(parts.nPathAt);
    }
    const auto hostAt = static_cast<std::size_t>(parts.host.data() - url.data());
    std::string_view site = url.substr(hostAt, parts.nPathAt - hostAt);
    if (site.size() >= 4 && EqualsNoCase(site.substr(0, 4), "www.")) {
        site.remove_prefix(4);
    }
    for (const std::string_view port : {std::string_view(":80"), std::string_view(":443")}) {
        if (site.ends_with(port)) {
            site.remove_suffix(port.size());
        }
    }
    if (site.ends_with(':')) {
        site.remove_suffix(1);
    }
    return site;
}

std::string WithoutUserInfo(std::string_view url) {
    bool bScheme = false;
    const std::string_view authority = AuthorityOf(url, &bScheme);
    const std::size_t at = authority.rfind('@');
    if (!bScheme || at == std::string_view::npos) {
        return std::string(url);
    }
    const auto start = static_cast<std::size_t>(authority.data() - url.data());
    return std::string(url.substr(0, start)).append(url.substr(start + at + 1));
}

SDomainSite DomainSiteOf(std::string_view domain) {
    SDomainSite result;
    std::string_view path;
    result.strSite = ToLowerAscii(SiteOfUrl(domain, &path));
    if (result.strSite.empty()) {
        const std::size_t end = domain.find_first_of("/?#");
        result.strSite = ToLowerAscii(SiteOfUrl("//" + std::string(domain.substr(0, end))));
        path = end == std::string_view::npos ? std::string_view() : domain.substr(end);
    }
    while (!path.empty() && path.back() == '/') {
        path.remove_suffix(1);
    }
    result.strPath = ToLowerAscii(path);
    return result;
}

bool IsLinkToSite(std::string_view url, const SDomainSite& domain) {
    std::string_view path;
    const std::string_view site = SiteOfUrl(url, &path);
    return MatchesSite(site, path, domain);
}

bool MatchesSite(std::string_view site, std::string_view path, const SDomainSite& domain) {
    if (domain.strSite.empty() || !EqualsNoCase(site, domain.strSite)) {
        return false;
    }
    const std::string_view wanted = domain.strPath;
    if (wanted.empty()) {
        return true;
    }
    return path.size() >= wanted.size() && EqualsNoCase(path.substr(0, wanted.size()), wanted) &&
           (path.size() == wanted.size() ||
            std::string_view("/?#").find(path[wanted.size()]) != std::string_view::npos);
}

bool IsLinkToDomain(std::string_view url, std::string_view domain) {
    return IsLinkToSite(url, DomainSiteOf(domain));
}

std::string NormalizeProjectUrl(std::string_view entry) {
    std::string text(entry);
    Trim(text);
    // Only the URL counts: a scheme or "/" in the comment says nothing about the address.
    std::string url(UrlOfEntry(text));
    const std::size_t urlEnd = url.size();
    std::size_t length = 0;
    std::size_t scheme = FindScheme(ToLowerAscii(url), &length);
    if (scheme == std::string::npos) {
        url.insert(0, kHttp);
        scheme = 0;
        length = kHttp.size();
    }
    DropRootSlash(url, scheme + length);
    return url + text.substr(urlEnd);
}

bool HasUserInfo(std::string_view url) {
    bool bScheme = false;
    return AuthorityOf(url, &bScheme).find('@') != std::string_view::npos;
}

EEntryProblem CheckPartnerEntry(std::string_view entry) {
    if (entry.size() > kMaxPartnerEntryLength) {
        return EEntryProblem::TooLong;
    }
    if (HasUserInfo(UrlOfEntry(entry))) {
        return EEntryProblem::UserInfo;
    }
    return EEntryProblem::None;
}

std::string UrlComparisonKey(std::string_view entry) {
    std::string key = NormalizeProjectUrl(UrlOfEntry(entry));
    std::size_t length = 0;
    const std::size_t scheme = FindScheme(ToLowerAscii(key), &length);
    const std::size_t hostAt = scheme == std::string::npos ? 0 : scheme + length;
    const std::size_t hostEnd = std::min(key.find_first_of("/?#\\", hostAt), key.size());
    for (std::size_t i = 0; i < hostEnd; ++i) {
        key[i] = LowerAscii(key[i]);
    }
    return key;
}

std::string NormalizeDomainUrl(std::string_view url) {
    std::string text(url);
    Trim(text);
    text = ToLowerAscii(text);
    if (text.find(kHttp) == std::string::npos && text.find(kHttps) == std::string::npos) {
        text.insert(0, kHttp);
    }
    if (!text.empty() && text.back() == '/') {
        text.pop_back();
    }
    return text;
}

bool IsValidUrl(std::string& url) {
    std::string copy = url;
    if (copy.empty()) {
        return false;
    }
    Trim(copy);
    if (copy.size() <= 3) {
        return false;
    }
    const std::size_t dot = copy.find('.');
    if (dot == std::string::npos || dot == 0 || dot >= copy.size() - 2) {
        return false;
    }
    const char first = copy.front();
    if (!IsAsciiLetter(first)) {
        return false;
    }
    if (!StartsWithScheme(copy)) {
        copy.insert(0, kHttp);
    }
    if (copy.size() <= 10) {
        return false;
    }
    DropRootSlash(copy, SchemeLengthAtStart(copy));
    url = std::move(copy);
    return true;
}

bool ExtractDomainUrl(std::string_view input, std::string& out) {
    std::string text(input);
    TrimLeft(text);
    std::size_t length = 0;
    const std::size_t scheme = FindScheme(ToLowerAscii(text), &length);
    std::string prefix(kHttp);
    if (scheme != std::string::npos) {
        prefix = ToLowerAscii(std::string_view(text).substr(scheme, length));
        text.erase(0, scheme + length);
    }
    const std::size_t slash = text.find('/');
    if (slash != std::string::npos && slash > 0) {
        text.resize(slash);
    }
    out = prefix + text;
    if (out.size() <= 10) {
        return false;
    }
    return IsValidUrl(out);
}

void SplitPartnerEntry(std::string_view entry, std::string& outUrl, std::string& outComment) {
    outUrl.clear();
    outComment.clear();
    if (entry.empty()) {
        return;
    }
    const std::size_t separator = entry.find(kCommentSeparator);
    if (separator == std::string_view::npos || separator == 0) {
        outUrl = std::string(entry);
    } else {
        outUrl = std::string(entry.substr(0, separator));
        outComment = std::string(entry.substr(separator + kCommentSeparator.size()));
        Trim(outComment);
    }
    IsValidUrl(outUrl);
}

std::string JoinPartnerEntry(std::string url, std::string comment) {
    Trim(comment);
    IsValidUrl(url);
    if (comment.empty()) {
        return url;
    }
    return url + std::string(kCommentSeparator) + comment;
}

} // namespace tessaray
