#include "core/page/page_signals.h"

#include "core/page/page_analyzer.h"
#include "core/util/url.h"

#include <algorithm>
#include <utility>

namespace tessaray {

namespace {

constexpr std::string_view kSpace = " \t\r\n\f";

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), [](char c) {
        return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
    });
    return lower;
}

std::string_view Trim(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kSpace);
    if (first == std::string_view::npos) {
        return {};
    }
    return text.substr(first, text.find_last_not_of(kSpace) - first + 1);
}

// Splits at commas and white space; lower-case, empty pieces dropped.
std::vector<std::string> Tokens(std::string_view text) {
    std::vector<std::string> tokens;
    const std::string lower = Lower(text);
    std::size_t pos = 0;
    while (pos < lower.size()) {
        const std::size_t end = lower.find_first_of(", \t\r\n\f", pos);
        const std::size_t stop = end == std::string::npos ? lower.size() : end;
        if (stop > pos) {
            tokens.push_back(lower.substr(pos, stop - pos));
        }
        pos = stop + 1;
    }
    return tokens;
}

using Attributes = std::vector<std::pair<std::string, std::string>>;

// The attributes of a tag from just after its name: lower-case names, values unquoted, "&amp;"
// decoded. pos ends after the closing ">" (or at the end of the text).
Attributes ReadAttributes(std::string_view text, std::size_t& pos) {
    Attributes attributes;
    while (pos < text.size()) {
        pos = text.find_first_not_of(" \t\r\n\f/", pos);
        if (pos == std::string_view::npos || text[pos] == '>') {
            pos = pos == std::string_view::npos ? text.size() : pos + 1;
            break;
        }
        const std::size_t nameEnd = std::min(text.find_first_of(" \t\r\n\f/=>", pos), text.size());
        if (nameEnd == pos) { // a stray "=": step over it
            ++pos;
            continue;
        }
        std::string name = Lower(text.substr(pos, nameEnd - pos));
        pos = std::min(text.find_first_not_of(kSpace, nameEnd), text.size());
        std::string value;
        if (pos < text.size() && text[pos] == '=') {
            pos = std::min(text.find_first_not_of(kSpace, pos + 1), text.size());
            std::size_t valueEnd = 0;
            if (pos < text.size() && (text[pos] == '"' || text[pos] == '\'')) {
                valueEnd = std::min(text.find(text[pos], pos + 1), text.size());
                value = text.substr(pos + 1, valueEnd - pos - 1);
                pos = std::min(valueEnd + 1, text.size());
            } else {
                valueEnd = std::min(text.find_first_of(" \t\r\n\f>", pos), text.size());
                value = text.substr(pos, valueEnd - pos);
                pos = valueEnd;
            }
            for (std::size_t amp = value.find("&amp;"); amp != std::string::npos;
                 amp = value.find("&amp;", amp + 1)) {
                value.erase(amp + 1, 4);
            }
        }
        attributes.emplace_back(std::move(name), std::move(value));
    }
    return attributes;
}

std::string_view Attribute(const Attributes& attributes, std::string_view name) {
    for (const auto& [key, value] : attributes) {
        if (key == name) {
            return value;
        }
    }
    return {};
}

// Sets noindex and nofollow from a list of robots directives.
void ApplyDirectives(const std::vector<std::string>& tokens, bool& noindex, bool& nofollow) {
    for (const std::string& token : tokens) {
        noindex = noindex || token == "noindex" || token == "none";
        nofollow = nofollow || token == "nofollow" || token == "none";
    }
}

// An X-Robots-Tag value meant for Googlebot, without its crawler prefix; false when it names
// another crawler. "googlebot: noindex" and "noindex" are meant for it, "bingbot: noindex" not.
bool HeaderForGooglebot(std::string_view value, std::string_view& directives) {
    directives = Trim(value);
    const std::size_t colon = directives.find(':');
    if (colon == std::string_view::npos) {
        return true;
    }
    const std::string prefix = Lower(Trim(directives.substr(0, colon)));
    // Directives that carry a value of their own are not crawler names.
    static constexpr std::string_view kValued[] = {"unavailable_after", "max-snippet",
                                                   "max-image-preview", "max-video-preview"};
    if (prefix.find_first_of(", ") != std::string::npos ||
        std::find(std::begin(kValued), std::end(kValued), prefix) != std::end(kValued)) {
        return true;
    }
    directives = directives.substr(colon + 1);
    return prefix == "googlebot";
}

std::string Normalised(std::string_view url) {
    // Resolved against itself: dot segments removed, bytes escaped as a resolved URL has them.
    const std::string resolved = ResolveUrl(url, url);
    if (!resolved.empty()) {
        url = resolved;
    }
    url = url.substr(0, url.find('#'));
    // Scheme and host do not depend on case.
    const SUrlParts parts = SplitUrl(url);
    const std::size_t authority = parts.bAuthority ? parts.nPathAt : 0;
    std::string out = Lower(url.substr(0, authority));
    out.append(url.substr(authority));
    if (!out.empty() && out.back() == '/') {
        out.pop_back();
    }
    return out;
}

} // namespace

std::vector<std::string_view> HeaderValues(std::string_view block, std::string_view name) {
    std::vector<std::string_view> values;
    std::size_t pos = 0;
    while (pos < block.size()) {
        const std::size_t end = std::min(block.find('\n', pos), block.size());
        const std::string_view line = block.substr(pos, end - pos);
        pos = end + 1;
        const std::size_t colon = line.find(':');
        if (colon != std::string_view::npos && Lower(Trim(line.substr(0, colon))) == name) {
            values.push_back(Trim(line.substr(colon + 1)));
        }
    }
    return values;
}

bool IsSamePage(std::string_view a, std::string_view b) {
    return Normalised(a) == Normalised(b);
}

std::vector<std::string> RelTokens(std::string_view anchor) {
    std::size_t pos = std::min(anchor.find_first_of(kSpace), anchor.size());
    return Tokens(Attribute(ReadAttributes(anchor, pos), "rel"));
}

SPageSignals ReadPageSignals(std::string_view pageUrl, std::string_view finalUrl,
                             const CPageAnalyzer& page, std::string_view header) {
    SPageSignals pageSignals;
    if (!finalUrl.empty() && finalUrl != pageUrl) {
        pageSignals.strRedirectFrom = pageUrl;
        pageSignals.strRedirectTo = finalUrl;
    }
    const std::string_view base = finalUrl.empty() ? pageUrl : finalUrl;

    for (const std::string_view value : HeaderValues(header, "x-robots-tag")) {
        std::string_view directives;
        if (HeaderForGooglebot(value, directives)) {
            pageSignals.headerContents.emplace_back(value);
            ApplyDirectives(Tokens(directives), pageSignals.bHeaderNoindex,
                            pageSignals.bHeaderNofollow);
        }
    }

    // The page as the scanner read it: one reading for the cells and the verdict.
    pageSignals.metaContents = page.GetRobotsMetaContents();
    int robots = 0;
    int index = 0;
    int noindex = 0;
    int follow = 0;
    int nofollow = 0;
    page.GetMetaFlags(robots, index, noindex, follow, nofollow);
    pageSignals.bMetaNoindex = noindex != 0;
    pageSignals.bMetaNofollow = nofollow != 0;
    if (!page.GetCanonicalHref().empty()) {
        // As a browser resolves it: against <base href> when the page has one.
        const std::string documentBase =
            page.GetBaseHref().empty() ? std::string() : ResolveBaseHref(base, page.GetBaseHref());
        pageSignals.strCanonical =
            ResolveUrl(documentBase.empty() ? base : documentBase, page.GetCanonicalHref());
    }
    return pageSignals;
}

} // namespace tessaray
