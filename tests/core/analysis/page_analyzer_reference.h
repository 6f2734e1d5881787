#pragma once

// A deliberately plain page scanner, written step by step as the scanner's rules read (erase from
// the front, search again from the start). It is quadratic on hostile pages and only meant for
// checking the fast CPageAnalyzer on small generated and fuzzed pages.

#include <algorithm>
#include <sstream>
#include <string>
#include <vector>

namespace tessaray::test {

struct RefLink {
    std::string anchor;
    std::string url;
    std::string text;
    int nofollow = 0;
    int external = 0;
    int internal = 0;
    int inPage = 0;
};

struct RefScan {
    int meta[5] = {0, 0, 0, 0, 0}; // robots, index, noindex, follow, nofollow
    std::vector<std::string> anchors;
    std::vector<RefLink> links;
    int externalCount = 0;
    int internalCount = 0;
};

inline constexpr std::size_t kRefNpos = std::string::npos;

inline std::string RefLower(std::string s) {
    for (char& c : s) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return s;
}

inline bool RefContains(const std::string& s, const std::string& part) {
    return s.find(part) != kRefNpos;
}

inline void RefRemoveComments(std::string& text) {
    while (RefContains(text, "<!--")) {
        const std::size_t a = text.find("<!--");
        const std::size_t b = text.find("-->");
        if (b == kRefNpos) {
            text = text.substr(0, a);
        } else if (b >= a) {
            text.erase(a, b + 3 - a);
        } else {
            text.erase(0, b + 3);
        }
        if (text.empty()) {
            break;
        }
    }
}

// Drops everything up to and including the first "http://" or "https://", whichever comes first.
inline std::string RefDropScheme(const std::string& s) {
    const std::size_t http = RefLower(s).find("http://");
    const std::size_t https = RefLower(s).find("https://");
    if (https != kRefNpos && (http == kRefNpos || https < http)) {
        return s.substr(https + 8);
    }
    if (http != kRefNpos) {
        return s.substr(http + 7);
    }
    return s;
}

inline bool RefHasScheme(const std::string& lower) {
    return RefContains(lower, "http://") || RefContains(lower, "https://");
}

inline bool RefNofollow(const std::string& lowerAnchor) {
    std::string tag = lowerAnchor.substr(0, lowerAnchor.find('>'));
    std::size_t pos = 1;
    while ((pos = tag.find(" rel", pos)) != kRefNpos) {
        std::string after = tag.substr(pos + 4);
        after.erase(0, after.find_first_not_of(" \t\r\n\v\f") == kRefNpos
                           ? after.size()
                           : after.find_first_not_of(" \t\r\n\v\f"));
        if (after.empty() || after[0] != '=') {
            ++pos;
            continue;
        }
        after.erase(0, 1);
        after.erase(0, std::min(after.size(), after.find_first_not_of(" \t\r\n\v\f")));
        std::string value;
        if (!after.empty() && (after[0] == '"' || after[0] == '\'')) {
            const std::size_t end = after.find(after[0], 1);
            value = end == kRefNpos ? after.substr(1) : after.substr(1, end - 1);
        } else {
            value = after.substr(0, after.find_first_of(" \t\r\n\v\f"));
        }
        std::istringstream tokens(value);
        std::string token;
        while (tokens >> token) {
            if (token == "nofollow" || token == "ugc" || token == "sponsored") {
                return true;
            }
        }
        return false;
    }
    return false;
}

inline RefLink RefParseAnchor(const std::string& baseUrl, const std::string& anchor) {
    RefLink link;
    link.anchor = anchor;
    std::string host = RefDropScheme(baseUrl);
    const std::size_t slash = host.find('/');
    if (slash != kRefNpos && slash > 0) {
        host = host.substr(0, slash);
    }

    const std::string lower = RefLower(anchor);
    const std::size_t href = lower.find("href");
    if (href != kRefNpos) {
        std::string after = lower.substr(href + 4);
        const std::size_t equals = after.find('=');
        if (equals != kRefNpos) {
            after = after.substr(equals + 1);
            std::size_t i = 0;
            while (i < after.size() && static_cast<unsigned char>(after[i]) < '!') {
                ++i;
            }
            int quotes = 0;
            for (; i < after.size(); ++i) {
                const char c = after[i];
                if (c == ' ' || c == '>') {
                    break;
                }
                if (c == '"' || c == '\'') {
                    if (++quotes == 2) {
                        break;
                    }
                    continue;
                }
                link.url += c;
            }
        }
    }

    std::size_t from = lower.find(link.url);
    from = from == kRefNpos ? 0 : from + link.url.size();
    std::string rest = anchor.substr(from);
    const std::size_t gt = rest.find('>');
    if (gt != kRefNpos) {
        rest = rest.substr(gt + 1);
        const std::size_t close = RefLower(rest).find("</a");
        if (close != kRefNpos) {
            const std::string inner = rest.substr(0, close);
            std::string t = inner;
            while (RefContains(t, "<") && RefContains(t, ">")) {
                const std::size_t lt = t.find('<');
                const std::size_t g = t.find('>');
                if (g < lt) {
                    t.erase(0, 1);
                } else {
                    t.erase(lt, g - lt + 1);
                }
            }
            link.text = t.empty() ? inner : t;
        }
    }

    link.nofollow = RefNofollow(lower) ? 1 : 0;
    if (!link.url.empty() && link.url[0] == '#') {
        link.inPage = 1;
    } else if (!RefHasScheme(link.url)) {
        link.internal = 1;
    } else if (RefContains(link.url, host)) {
        link.internal = 1;
    } else {
        link.external = 1;
    }
    return link;
}

inline RefScan RefLoad(const std::string& baseUrl, std::string page) {
    RefScan scan;
    std::string lower = RefLower(page);
    std::size_t h = lower.find("</head");
    if (h == kRefNpos) {
        h = lower.find("<body");
    }
    std::string headLower;
    if (h != kRefNpos) {
        headLower = lower.substr(0, h);
        const std::size_t body = lower.find("<body");
        if (body != kRefNpos && body > 0) {
            page = page.substr(body);
            lower = lower.substr(body);
        }
    }

    std::size_t pos = 0;
    while ((pos = headLower.find("<meta", pos)) != kRefNpos) {
        const std::size_t gt = headLower.find('>', pos);
        const std::string tag =
            gt == kRefNpos ? headLower.substr(pos) : headLower.substr(pos, gt + 1 - pos);
        if (RefContains(tag, "robots")) {
            scan.meta[0] = 1;
            scan.meta[1] = RefContains(tag, "index");
            scan.meta[2] = RefContains(tag, "noindex");
            scan.meta[3] = RefContains(tag, "follow");
            scan.meta[4] = RefContains(tag, "nofollow");
            break;
        }
        pos = gt == kRefNpos ? headLower.size() : gt + 1;
    }

    pos = 0;
    while (true) {
        const std::size_t start = lower.find("<a ", pos);
        if (start == kRefNpos) {
            break;
        }
        const std::size_t close = lower.find("</a", start + 1);
        if (close == kRefNpos) {
            break;
        }
        std::string anchor = page.substr(start, close + 4 - start);
        const std::string lowerAnchor = lower.substr(start, close + 4 - start);
        const std::size_t gt = lowerAnchor.find('>');
        if (gt == kRefNpos || !RefContains(lowerAnchor.substr(0, gt), " href")) {
            pos = start + 1;
            continue;
        }
        std::string kept;
        for (const char c : anchor) {
            if (static_cast<unsigned char>(c) >= 0x20 && static_cast<unsigned char>(c) <= 0x7F) {
                kept += c;
            }
        }
        scan.anchors.push_back(kept);
        pos = close + 4;
    }

    for (const std::string& anchor : scan.anchors) {
        scan.links.push_back(RefParseAnchor(baseUrl, anchor));
        scan.externalCount += scan.links.back().external;
        scan.internalCount += scan.links.back().internal;
    }
    return scan;
}

// Indices of the links that match the domain, in order.
inline std::vector<std::size_t> RefLinksToDomain(const RefScan& scan, const std::string& domain) {
    std::string d = RefDropScheme(RefLower(domain));
    if (!d.empty() && d.back() == '/') {
        d.pop_back();
    }
    std::vector<std::size_t> matches;
    for (std::size_t i = 0; i < scan.links.size(); ++i) {
        std::string u = RefDropScheme(RefLower(scan.links[i].url));
        if (!u.empty() && u.back() == '/') {
            u.pop_back();
        }
        if (RefContains(u, d)) {
            matches.push_back(i);
        }
    }
    return matches;
}

} // namespace tessaray::test
