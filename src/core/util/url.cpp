#include "core/util/url.h"

#include "core/util/ascii.h"

#include <uriparser/Uri.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace tessaray {

namespace {

// The reference in a form uriparser accepts (see ResolveUrl).
std::string UriText(std::string_view ref) {
    while (!ref.empty() && static_cast<unsigned char>(ref.front()) <= ' ') {
        ref.remove_prefix(1);
    }
    while (!ref.empty() && static_cast<unsigned char>(ref.back()) <= ' ') {
        ref.remove_suffix(1);
    }
    static constexpr char kHex[] = "0123456789ABCDEF";
    static constexpr std::string_view kNotAllowed = " \"<>\\^`{|}";
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
