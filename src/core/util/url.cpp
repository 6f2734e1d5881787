#include "core/util/url.h"

#include "core/util/ascii.h"

#include <uriparser/Uri.h>

#include <algorithm>
#include <array>
#include <cstdint>
#include <utility>
#include <vector>

namespace tessaray {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// The bytes that matter in an authority, looked up in one table: the loop runs over the host of
// every link of every page.
enum : std::uint8_t { kEndsAuthority = 1, kBackslash = 2, kAt = 4, kColon = 8, kBracket = 16 };
constexpr auto kAuthorityByte = [] {
    std::array<std::uint8_t, 256> table{};
    table['/'] = table['?'] = table['#'] = kEndsAuthority;
    table['\\'] = kBackslash;
    table['@'] = kAt;
    table[':'] = kColon;
    table[']'] = kBracket;
    return table;
}();

// Bytes RFC 3986 allows nowhere in a URL, though pages and servers write them.
constexpr std::string_view kNotAllowed = " \"<>\\^`{|}";

// The reference in a form uriparser accepts (see ResolveUrl).
std::string UriText(std::string_view ref) {
    while (!ref.empty() && static_cast<unsigned char>(ref.front()) <= ' ') {
        ref.remove_prefix(1);
    }
    while (!ref.empty() && static_cast<unsigned char>(ref.back()) <= ' ') {
        ref.remove_suffix(1);
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(ref.size());
    bool query = false;
    bool fragment = false;
    for (std::size_t i = 0; i < ref.size(); ++i) {
        const char c = ref[i];
        const auto byte = static_cast<unsigned char>(c);
        if (c == '\t' || c == '\n' || c == '\r') {
            continue;
        }
        if (c == '\\' && !query && !fragment) {
            out += '/';
            continue;
        }
        const bool lonePercent = c == '%' && !(i + 2 < ref.size() && IsAsciiHexDigit(ref[i + 1]) &&
                                               IsAsciiHexDigit(ref[i + 2]));
        const bool secondHash = c == '#' && fragment;
        if (byte < ' ' || byte >= 0x7F || lonePercent || secondHash ||
            kNotAllowed.find(c) != std::string_view::npos) {
            out += '%';
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
            continue;
        }
        query = query || c == '?';
        fragment = fragment || c == '#';
        out += c;
    }
    return out;
}

// A parsed URI that frees itself. It points into its text, which it keeps.
struct SUri {
    std::string text;
    UriUriA uri{};
    bool bParsed = false;
    explicit SUri(std::string uriText) : text(std::move(uriText)) {
        const char* error = nullptr;
        bParsed = uriParseSingleUriA(&uri, text.c_str(), &error) == URI_SUCCESS;
    }
    SUri() = default;
    ~SUri() {
        if (bParsed) {
            uriFreeUriMembersA(&uri);
        }
    }
    SUri(const SUri&) = delete;
    SUri& operator=(const SUri&) = delete;
};

} // namespace

std::size_t SchemeLength(std::string_view url) {
    std::size_t i = 0;
    if (!url.empty() && IsAsciiLetter(url[0])) {
        while (i < url.size() &&
               (IsAsciiAlnum(url[i]) || url[i] == '+' || url[i] == '-' || url[i] == '.')) {
            ++i;
        }
    }
    return i > 0 && i < url.size() && url[i] == ':' ? i : 0;
}

SUrlParts SplitUrl(std::string_view url, EUrlReading reading) {
    // One pass: the scheme, then the authority up to its first end byte.
    SUrlParts parts;
    parts.url = url;
    const std::size_t schemeLength = SchemeLength(url);
    parts.scheme = url.substr(0, schemeLength);
    std::size_t pos = schemeLength == 0 ? 0 : schemeLength + 1;
    if (url.substr(pos, 2) == "//") {
        parts.bAuthority = true;
        const bool backslashEnds = reading == EUrlReading::Browser &&
                                   (parts.scheme.empty() || EqualsNoCase(parts.scheme, "http") ||
                                    EqualsNoCase(parts.scheme, "https"));
        const std::size_t authorityAt = pos + 2;
        const std::uint8_t ends = kEndsAuthority | (backslashEnds ? kBackslash : 0);
        std::size_t end = authorityAt;
        std::size_t hostAt = authorityAt; // past the last "@"
        std::size_t colon = npos;         // the ":" before the port
        for (; end < url.size(); ++end) {
            const std::uint8_t kind = kAuthorityByte[static_cast<unsigned char>(url[end])];
            if (kind == 0) {
                continue;
            }
            if ((kind & ends) != 0) {
                break;
            }
            if (kind == kAt) {
                hostAt = end + 1;
                colon = npos;
            } else if (kind == kColon) {
                colon = end;
            } else if (kind == kBracket) {
                colon = npos; // a ":" inside the brackets of an IPv6 address is no port's
            }
        }
        parts.authority = url.substr(authorityAt, end - authorityAt);
        parts.userInfo =
            url.substr(authorityAt, hostAt > authorityAt ? hostAt - 1 - authorityAt : 0);
        parts.host = url.substr(hostAt, std::min(colon, end) - hostAt);
        if (colon != npos) {
            parts.port = url.substr(colon + 1, end - colon - 1);
        }
        pos = end;
    }
    parts.nPathAt = pos;
    return parts;
}

std::size_t SUrlParts::FragmentAt() const {
    return std::min(url.find('#', nPathAt), url.size());
}

std::string_view SUrlParts::Path() const {
    const std::string_view rest = url.substr(nPathAt, FragmentAt() - nPathAt);
    return rest.substr(0, rest.find('?'));
}

std::string_view SUrlParts::Query() const {
    const std::string_view rest = url.substr(nPathAt, FragmentAt() - nPathAt);
    const std::size_t mark = rest.find('?');
    return mark == std::string_view::npos ? std::string_view() : rest.substr(mark + 1);
}

std::string_view SUrlParts::Fragment() const {
    const std::size_t mark = FragmentAt();
    return mark == url.size() ? std::string_view() : url.substr(mark + 1);
}

std::string UrlOrigin(std::string_view url) {
    const SUrlParts parts = SplitUrl(url);
    const std::string scheme = ToLowerAscii(parts.scheme);
    const bool secure = scheme == "https";
    if ((scheme != "http" && !secure) || !parts.bAuthority || parts.host.empty() ||
        std::any_of(parts.host.begin(), parts.host.end(), [](char c) {
            const auto byte = static_cast<unsigned char>(c);
            return byte <= ' ' || byte == 0x7F || kNotAllowed.find(c) != std::string_view::npos;
        })) {
        return {};
    }
    // The port as a number, as libcurl reads it ("080" is 80); none or an empty one is the
    // scheme's.
    unsigned port = secure ? 443 : 80;
    if (!parts.port.empty()) {
        if (parts.port.size() > 5 ||
            !std::all_of(parts.port.begin(), parts.port.end(), IsAsciiDigit)) {
            return {};
        }
        port = 0;
        for (const char digit : parts.port) {
            port = port * 10 + static_cast<unsigned>(digit - '0');
        }
        if (port > 65535) {
            return {};
        }
    }
    return scheme + "://" + ToLowerAscii(parts.host) + ":" + std::to_string(port);
}

std::string ResolveUrl(std::string_view base, std::string_view ref) {
    const SUri parsedBase(UriText(base));
    const SUri parsedRef(UriText(ref));
    if (!parsedBase.bParsed || !parsedRef.bParsed || parsedBase.uri.scheme.first == nullptr) {
        return {};
    }
    SUri resolved;
    if (uriAddBaseUriExA(&resolved.uri, &parsedRef.uri, &parsedBase.uri, URI_RESOLVE_STRICTLY) !=
        URI_SUCCESS) {
        return {};
    }
    resolved.bParsed = true;
    int length = 0;
    if (uriToStringCharsRequiredA(&resolved.uri, &length) != URI_SUCCESS) {
        return {};
    }
    std::vector<char> text(static_cast<std::size_t>(length) + 1);
    if (uriToStringA(text.data(), &resolved.uri, length + 1, nullptr) != URI_SUCCESS) {
        return {};
    }
    return std::string(text.data(), static_cast<std::size_t>(length));
}

std::string ResolveBaseHref(std::string_view pageUrl, std::string_view baseHref) {
    std::string base = ResolveUrl(pageUrl, baseHref);
    if (base.empty()) {
        base = ResolveUrl(baseHref, baseHref);
    }
    const auto startsWith = [&base](std::string_view scheme) {
        return EqualsNoCase(std::string_view(base).substr(0, scheme.size()), scheme);
    };
    return startsWith("http://") || startsWith("https://") ? base : std::string();
}

bool HasDotSegment(std::string_view url) {
    // It runs over the path of every absolute link of every page: only the dots are looked at,
    // and the query or fragment only for a dot that begins a segment.
    for (std::size_t dot = url.find('.', 1); dot != std::string_view::npos;
         dot = url.find('.', dot + 1)) {
        if (url[dot - 1] != '/' && url[dot - 1] != '\\') {
            continue;
        }
        const std::size_t after = dot + 1 < url.size() && url[dot + 1] == '.' ? dot + 2 : dot + 1;
        const bool segmentEnds = after == url.size() || url[after] == '/' || url[after] == '\\' ||
                                 url[after] == '?' || url[after] == '#';
        const std::string_view before = url.substr(0, dot);
        if (segmentEnds && before.find('?') == std::string_view::npos &&
            before.find('#') == std::string_view::npos) {
            return true;
        }
    }
    return false;
}

} // namespace tessaray
