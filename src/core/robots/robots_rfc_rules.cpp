#include "core/robots/robots_rfc_rules.h"

#include "core/util/ascii.h"
#include "core/util/url.h"

#include <algorithm>
#include <initializer_list>
#include <utility>

namespace tessaray {

namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view TrimBlanks(std::string_view text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string_view::npos) {
        return {};
    }
    const std::size_t last = text.find_last_not_of(kBlanks);
    return text.substr(first, last - first + 1);
}

bool IsUnreserved(char c) {
    return IsAsciiAlnum(c) || c == '-' || c == '.' || c == '_' || c == '~';
}

// Brings a path or pattern to the one form both are compared in: octets outside US-ASCII
// percent-encoded, escapes of unreserved characters decoded, hex digits of other escapes in
// upper case. The path of a URL (bUrl) also gets its blanks and control characters encoded, as a
// crawler requests it; in a pattern they stay as written.
std::string NormalisePercentEncoding(std::string_view text, bool bUrl) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '%' && i + 2 < text.size() && IsAsciiHexDigit(text[i + 1]) &&
            IsAsciiHexDigit(text[i + 2])) {
            const auto value = static_cast<unsigned char>(HexDigitValue(text[i + 1]) * 16 +
                                                          HexDigitValue(text[i + 2]));
            if (IsUnreserved(static_cast<char>(value))) {
                out += static_cast<char>(value);
            } else {
                out += '%';
                out += kHex[value >> 4];
                out += kHex[value & 0x0F];
            }
            i += 2;
        } else if (c >= 0x80 || (bUrl && (c <= 0x20 || c == 0x7F))) {
            out += '%';
            out += kHex[c >> 4];
            out += kHex[c & 0x0F];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

// The path and query of a URL ("/" when it has none), without its fragment.
std::string_view PathOfUrl(std::string_view url) {
    const SUrlParts parts = SplitUrl(url);
    const std::size_t start = parts.bAuthority ? parts.nPathAt : 0;
    return url.substr(start, parts.FragmentAt() - start);
}

// The record a key names. Keys match by their beginning ("Disallowed" is a Disallow) and the
// misspellings crawlers have long accepted count as well.
enum class EKey { UserAgent, Allow, Disallow, Other };

EKey KeyOf(std::string_view key) {
    const std::string lower = ToLowerAscii(key);
    const auto startsWithAny = [&](std::initializer_list<std::string_view> prefixes) {
        return std::any_of(prefixes.begin(), prefixes.end(),
                           [&](std::string_view prefix) { return lower.starts_with(prefix); });
    };
    if (startsWithAny({"user-agent", "useragent", "user agent"})) {
        return EKey::UserAgent;
    }
    if (lower.starts_with("allow")) {
        return EKey::Allow;
    }
    if (startsWithAny({"disallow", "dissallow", "dissalow", "disalow", "diasllow", "disallaw"})) {
        return EKey::Disallow;
    }
    return EKey::Other;
}

// The first position at or after from where needle occurs in text, or npos. Knuth-Morris-Pratt,
// so the cost stays linear in the text read and the needle even for runs of one letter, where a
// plain search goes quadratic; border is scratch space kept between calls.
std::size_t FindFrom(std::string_view text, std::size_t from, std::string_view needle,
                     std::vector<std::size_t>& border) {
    if (needle.empty()) {
        return from;
    }
    // border[i]: length of the longest proper prefix of needle[0..i] that is also its suffix.
    border.assign(needle.size(), 0);
    for (std::size_t i = 1, k = 0; i < needle.size(); ++i) {
        while (k > 0 && needle[i] != needle[k]) {
            k = border[k - 1];
        }
        if (needle[i] == needle[k]) {
            ++k;
        }
        border[i] = k;
    }
    for (std::size_t i = from, k = 0; i < text.size(); ++i) {
        if (k == 0) {
            // Nothing matched yet: jump to the next place the needle can start.
            i = text.find(needle.front(), i);
            if (i == std::string_view::npos) {
                return i;
            }
        }
        while (k > 0 && text[i] != needle[k]) {
            k = border[k - 1];
        }
        if (text[i] == needle[k]) {
            ++k;
        }
        if (k == needle.size()) {
            return i + 1 - k;
        }
    }
    return std::string_view::npos;
}

// Whether pattern ("*" any run of octets, a final "$" the end of the path) matches the start of
// path. The literal text before the first "*" must start the path; each piece between stars is
// taken at its leftmost place after the previous one, which leaves the most room for the rest
// and so finds a match whenever there is one; a piece ending in "$" must end the path. Runs of
// "*" give empty pieces, which match anywhere. Linear in path and pattern.
bool Matches(std::string_view path, std::string_view pattern, std::vector<std::size_t>& border) {
    const bool anchored = pattern.ends_with('$');
    if (anchored) {
        pattern.remove_suffix(1);
    }
    const std::size_t firstStar = pattern.find('*');
    const std::string_view head = pattern.substr(0, firstStar);
    if (firstStar == std::string_view::npos) {
        return anchored ? path == head : path.starts_with(head);
    }
    if (!path.starts_with(head)) {
        return false;
    }
    std::size_t pos = head.size();
    const std::size_t lastStar = pattern.rfind('*');
    std::string_view middle = pattern.substr(firstStar + 1, lastStar - firstStar);
    while (!middle.empty()) {
        const std::size_t star = middle.find('*');
        const std::string_view piece = middle.substr(0, star);
        middle.remove_prefix(star + 1);
        pos = FindFrom(path, pos, piece, border);
        if (pos == std::string_view::npos) {
            return false;
        }
        pos += piece.size();
    }
    const std::string_view tail = pattern.substr(lastStar + 1);
    if (anchored) {
        return path.size() - pos >= tail.size() && path.ends_with(tail);
    }
    return FindFrom(path, pos, tail, border) != std::string_view::npos;
}

// The product token of a User-agent value: its leading letters, "_" and "-" ("Googlebot/2.1"
// names Googlebot); "*" for the group of every crawler, also when a blank and more follow it.
// Anything else ("*bot") names no crawler.
std::string AgentToken(std::string_view value) {
    if (value == "*" || (value.starts_with('*') && kBlanks.find(value[1]) != kBlanks.npos)) {
        return "*";
    }
    std::size_t end = 0;
    while (end < value.size() &&
           (IsAsciiLetter(value[end]) || value[end] == '_' || value[end] == '-')) {
        ++end;
    }
    return ToLowerAscii(value.substr(0, end));
}

} // namespace

void CRobotsRfcRules::Load(int nStatus, std::string_view text) {
    if (nStatus >= 200 && nStatus < 300) {
        Parse(text);
        return;
    }
    m_groups.clear();
    // 429 Too Many Requests is the server asking to wait, not a missing file: the site stays
    // closed, as for a server error.
    const bool unavailable = nStatus >= 300 && nStatus < 500 && nStatus != 429;
    m_eAccess = unavailable ? EAccess::AllowAll : EAccess::DisallowAll;
}

void CRobotsRfcRules::Parse(std::string_view text) {
    m_groups.clear();
    m_eAccess = EAccess::Rules;
    text = text.substr(0, std::min(text.size(), kMaxBytes));
    // A byte-order mark, or the start of one that was cut short, is no part of the first line.
    constexpr std::string_view kBom = "\xEF\xBB\xBF";
    std::size_t bom = 0;
    while (bom < kBom.size() && bom < text.size() && text[bom] == kBom[bom]) {
        ++bom;
    }
    text.remove_prefix(bom);
    bool lastWasAgent = false;
    while (!text.empty()) {
        // A line ends at CR LF, CR or LF.
        const std::size_t end = text.find_first_of("\r\n");
        std::string_view line = text.substr(0, end);
        if (end == std::string_view::npos) {
            text = {};
        } else {
            const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
            text.remove_prefix(end + (crlf ? 2 : 1));
        }
        line = line.substr(0, line.find('#'));
        std::size_t colon = line.find(':');
        if (colon == std::string_view::npos) {
            // "Disallow /path" without the colon is read too, when key and value are all.
            line = TrimBlanks(line);
            colon = line.find_first_of(kBlanks);
            if (colon == std::string_view::npos ||
                TrimBlanks(line.substr(colon)).find_first_of(kBlanks) != std::string_view::npos) {
                continue;
            }
        }
        const EKey key = KeyOf(TrimBlanks(line.substr(0, colon)));
        const std::string_view value = TrimBlanks(line.substr(colon + 1));
        if (key == EKey::UserAgent) {
            if (!lastWasAgent || m_groups.empty()) {
                m_groups.emplace_back();
            }
            m_groups.back().agents.push_back(AgentToken(value));
            lastWasAgent = true;
        } else if (key == EKey::Allow || key == EKey::Disallow) {
            lastWasAgent = false;
            if (!m_groups.empty() && !value.empty()) {
                std::string pattern = NormalisePercentEncoding(value, false);
                const std::size_t length = pattern.size();
                // "**" matches what "*" matches; one star keeps matching linear in the path.
                pattern.erase(std::unique(pattern.begin(), pattern.end(),
                                          [](char a, char b) { return a == '*' && b == '*'; }),
                              pattern.end());
                m_groups.back().rules.push_back({std::move(pattern), length, key == EKey::Allow});
            }
        }
        // Other records (Sitemap, Crawl-delay, unknown ones) neither end nor start a group.
    }
}

bool CRobotsRfcRules::IsAllowed(std::string_view crawler, std::string_view url) const {
    if (m_eAccess != EAccess::Rules) {
        return m_eAccess == EAccess::AllowAll;
    }
    std::string raw(PathOfUrl(url));
    if (!raw.starts_with('/')) {
        raw = "/" + raw;
    }
    const std::string path = NormalisePercentEncoding(raw, true);
    if (path == "/robots.txt") {
        return true;
    }
    // The groups of the crawler's own name, combined; only without any, the groups for "*".
    const std::string token = ToLowerAscii(crawler);
    const auto names = [](const SGroup& group, const std::string& name) {
        return std::find(group.agents.begin(), group.agents.end(), name) != group.agents.end();
    };
    const bool ownGroup = std::any_of(m_groups.begin(), m_groups.end(),
                                      [&](const SGroup& group) { return names(group, token); });
    const std::string chosen = ownGroup ? token : "*";

    std::size_t longestAllow = 0;
    std::size_t longestDisallow = 0;
    bool anyDisallow = false;
    std::vector<std::size_t> border;
    for (const SGroup& group : m_groups) {
        if (!names(group, chosen)) {
            continue;
        }
        for (const SRule& rule : group.rules) {
            // A rule no longer than the best match of its kind so far cannot change the answer.
            const bool outdone = rule.bAllow ? rule.nLength <= longestAllow
                                             : anyDisallow && rule.nLength <= longestDisallow;
            if (outdone || !Matches(path, rule.strPattern, border)) {
                continue;
            }
            std::size_t& longest = rule.bAllow ? longestAllow : longestDisallow;
            longest = std::max(longest, rule.nLength);
            anyDisallow = anyDisallow || !rule.bAllow;
        }
    }
    return !anyDisallow || longestAllow >= longestDisallow;
}

} // namespace tessaray
