#pragma once

// A deliberately plain page scanner, written step by step as the scanner's rules read: it copies
// strings, lower-cases whole pages and searches again from the start. It is slow and only meant
// for checking the fast CPageAnalyzer on small generated and fuzzed pages.

#include "core/page/page_charset.h"
#include "core/util/url.h"

#include <algorithm>
#include <cstdio>
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
    int other = 0;
    int inNoscript = 0;
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

inline bool RefSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

// The words of an attribute value, split at HTML's blanks only (a stream's ">>" would also split
// at a vertical tab).
inline std::vector<std::string> RefTokens(const std::string& text) {
    std::vector<std::string> tokens;
    std::string token;
    for (const char c : text + ' ') {
        if (!RefSpace(c)) {
            token += c;
        } else if (!token.empty()) {
            tokens.push_back(std::move(token));
            token.clear();
        }
    }
    return tokens;
}

inline bool RefLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// A tag: its name in lower case, its attributes (first of each name), and where it ends.
struct RefTag {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;
    std::size_t end = kRefNpos; // past ">", or npos when the page ends inside the tag

    const std::string* Get(const std::string& attribute) const {
        for (const auto& [name, value] : attributes) {
            if (name == attribute) {
                return &value;
            }
        }
        return nullptr;
    }
};

// Reads the tag at page[at] == '<', character by character as the tokenizer's states go.
inline RefTag RefReadTag(const std::string& page, std::size_t at) {
    RefTag tag;
    std::size_t i = at + 1;
    if (page[i] == '/') {
        ++i;
    }
    while (i < page.size() && !RefSpace(page[i]) && page[i] != '/' && page[i] != '>') {
        tag.name += page[i++];
    }
    tag.name = RefLower(tag.name);
    while (i < page.size()) {
        const char c = page[i];
        if (RefSpace(c) || c == '/') {
            ++i;
        } else if (c == '>') {
            tag.end = i + 1;
            return tag;
        } else {
            std::string name(1, c);
            ++i;
            while (i < page.size() && !RefSpace(page[i]) && page[i] != '/' && page[i] != '>' &&
                   page[i] != '=') {
                name += page[i++];
            }
            while (i < page.size() && RefSpace(page[i])) {
                ++i;
            }
            std::string value;
            if (i < page.size() && page[i] == '=') {
                ++i;
                while (i < page.size() && RefSpace(page[i])) {
                    ++i;
                }
                if (i < page.size() && (page[i] == '"' || page[i] == '\'')) {
                    const char quote = page[i++];
                    while (i < page.size() && page[i] != quote) {
                        value += page[i++];
                    }
                    if (i == page.size()) {
                        return tag;
                    }
                    ++i;
                } else {
                    while (i < page.size() && !RefSpace(page[i]) && page[i] != '>') {
                        value += page[i++];
                    }
                }
            }
            if (!tag.Get(RefLower(name))) {
                tag.attributes.emplace_back(RefLower(name), value);
            }
        }
    }
    return tag;
}

inline bool RefRawText(const std::string& name) {
    return name == "script" || name == "style" || name == "template" || name == "textarea" ||
           name == "title";
}

// Where the raw-text element's content ends: its "</name" followed by white space, "/" or ">".
inline std::size_t RefRawTextEnd(const std::string& page, const std::string& name,
                                 std::size_t from) {
    const std::string lower = RefLower(page);
    for (std::size_t at = lower.find("</" + name, from); at != kRefNpos;
         at = lower.find("</" + name, at + 1)) {
        const std::size_t after = at + 2 + name.size();
        if (after == page.size() || RefSpace(page[after]) || page[after] == '/' ||
            page[after] == '>') {
            return at;
        }
    }
    return page.size();
}

inline void RefRemoveComments(std::string& text) {
    std::size_t i = 0;
    while (i + 1 < text.size()) {
        if (text.compare(i, 4, "<!--") == 0) {
            const std::size_t close = text.find("-->", i + 2);
            text.erase(i, close == kRefNpos ? kRefNpos : close + 3 - i);
        } else if (text[i] == '<' && RefLetter(text[i + 1]) &&
                   RefRawText(RefReadTag(text, i).name)) {
            // Only script, style, template and textarea are read as tags here.
            const RefTag tag = RefReadTag(text, i);
            if (tag.end == kRefNpos) {
                return;
            }
            i = RefRawTextEnd(text, tag.name, tag.end);
        } else {
            ++i;
        }
    }
}

// Named references: the few the generated pages use ("&amp;", "&lt;", "&nbsp;", "&auml;", ...),
// only with their ";". Numeric ones as the HTML tokenizer reads them: decimal or hex, the ";" may
// be missing; zero, surrogates and values beyond Unicode are U+FFFD, 0x80..0x9F windows-1252.
inline std::string RefDecode(const std::string& text) {
    static const std::pair<const char*, unsigned long> named[] = {
        {"amp", '&'},   {"lt", '<'},    {"gt", '>'},    {"quot", '"'},
        {"nbsp", 0xA0}, {"auml", 0xE4}, {"uuml", 0xFC}, {"apos", '\''}};
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] != '&') {
            out += text[i++];
            continue;
        }
        bool done = false;
        if (i + 1 < text.size() && text[i + 1] == '#') {
            std::size_t j = i + 2;
            const bool hex = j < text.size() && (text[j] == 'x' || text[j] == 'X');
            j += hex ? 1 : 0;
            const std::string digits = hex ? "0123456789abcdefABCDEF" : "0123456789";
            unsigned long code = 0;
            const std::size_t digitsAt = j;
            while (j < text.size() && digits.find(text[j]) != kRefNpos) {
                const unsigned long digit = std::stoul(std::string(1, text[j]), nullptr, 16);
                code = std::min(code * (hex ? 16 : 10) + digit, 0x110000UL);
                ++j;
            }
            if (j > digitsAt) {
                if (j < text.size() && text[j] == ';') {
                    ++j;
                }
                if (code == 0 || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) {
                    code = 0xFFFD;
                }
                if (code >= 0x80 && code <= 0x9F) {
                    const char byte = static_cast<char>(code);
                    out += ConvertToUtf8(std::string(1, byte), "WINDOWS-1252");
                } else {
                    AppendUtf8(static_cast<char32_t>(code), out);
                }
                i = j;
                done = true;
            }
        }
        const std::size_t semicolon = text.find(';', i);
        if (!done && semicolon != kRefNpos) {
            const std::string name = text.substr(i + 1, semicolon - i - 1);
            for (const auto& [entity, code] : named) {
                if (name == entity) {
                    AppendUtf8(static_cast<char32_t>(code), out);
                    i = semicolon + 1;
                    done = true;
                }
            }
        }
        if (!done) {
            out += text[i++];
        }
    }
    return out;
}

// Line breaks, tabs, form feeds and no-break spaces between words become one blank; at the ends
// only plain blanks stay; other control bytes go.
inline std::string RefReadable(const std::string& text) {
    std::string spaced; // every white space character marked: ' ' stays, others become '\x01'
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == 0xC2 && i + 1 < text.size() && static_cast<unsigned char>(text[i + 1]) == 0xA0) {
            spaced += '\x01';
            ++i;
        } else if (c == '\t' || c == '\n' || c == '\r' || c == '\f') {
            spaced += '\x01';
        } else if (c >= 0x20) {
            spaced += static_cast<char>(c);
        }
    }
    std::string out;
    for (std::size_t i = 0; i < spaced.size();) {
        if (spaced[i] != ' ' && spaced[i] != '\x01') {
            out += spaced[i++];
            continue;
        }
        const std::size_t end = spaced.find_first_not_of(std::string(" \x01"), i);
        const std::string run = spaced.substr(i, end == kRefNpos ? kRefNpos : end - i);
        const bool edge = i == 0 || end == kRefNpos;
        if (RefContains(run, "\x01") && !edge) {
            out += ' ';
        } else {
            for (const char c : run) {
                if (c == ' ') {
                    out += ' ';
                }
            }
        }
        i = end == kRefNpos ? spaced.size() : end;
    }
    return out;
}

// The site a lower-case URL names ("http://", "https://" or "//"), compared without "www.",
// user info and default ports; empty for other URLs. rest gets the part after the host.
inline std::string RefSite(const std::string& url, std::string* rest = nullptr) {
    std::string s;
    for (const std::string prefix : {"http://", "https://", "//"}) {
        if (RefLower(url).rfind(prefix, 0) == 0) {
            s = url.substr(prefix.size());
            break;
        }
    }
    if (s.empty()) {
        return "";
    }
    const std::size_t end = s.find_first_of("/?#\\");
    if (rest) {
        *rest = end == kRefNpos ? "" : s.substr(end);
    }
    s = RefLower(s.substr(0, end));
    if (s.find('@') != kRefNpos) {
        s = s.substr(s.rfind('@') + 1);
    }
    if (s.rfind("www.", 0) == 0) {
        s = s.substr(4);
    }
    for (const std::string port : {":80", ":443", ":"}) {
        if (s.size() >= port.size() && s.compare(s.size() - port.size(), kRefNpos, port) == 0) {
            s.resize(s.size() - port.size());
        }
    }
    return s;
}

// Whether a segment of a path (before "?" or "#") is "." or "..".
inline bool RefHasDotSegment(const std::string& url) {
    const std::string path = url.substr(0, url.find_first_of("?#"));
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (path[i] == '/' || path[i] == '\\') { // browsers read "\\" as "/" here
            const std::string segment =
                path.substr(i + 1, path.find_first_of("/\\", i + 1) - i - 1);
            if (segment == "." || segment == "..") {
                return true;
            }
        }
    }
    return false;
}

inline RefLink RefMakeLink(const std::string& baseUrl, const std::string& documentBase,
                           const std::string& anchor, const RefTag& tag, const std::string& text,
                           const std::string& inner) {
    RefLink link;
    link.anchor = anchor;
    std::string url = RefDecode(*tag.Get("href"));
    url.erase(0, url.find_first_not_of(std::string("\0\x01\x02\x03\x04\x05\x06\x07\x08\t\n\x0b"
                                                   "\x0c\r\x0e\x0f\x10\x11\x12\x13\x14\x15\x16"
                                                   "\x17\x18\x19\x1a\x1b\x1c\x1d\x1e\x1f ",
                                                   33)));
    while (!url.empty() && static_cast<unsigned char>(url.back()) <= ' ') {
        url.pop_back();
    }
    for (const char c : RefLower(url)) {
        if (static_cast<unsigned char>(c) >= ' ') {
            link.url += c;
        } else if (c != '\t' && c != '\n' && c != '\r') {
            char escaped[4];
            std::snprintf(escaped, sizeof(escaped), "%%%02X", static_cast<unsigned>(c));
            link.url += escaped;
        }
    }
    // Relative links go to <base href>; every link loses its dot segments.
    const std::size_t schemeEnd = link.url.find(':');
    const bool hasScheme =
        schemeEnd != kRefNpos && schemeEnd > 0 && RefLetter(link.url[0]) &&
        link.url.substr(0, schemeEnd)
                .find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789+-.") == kRefNpos;
    const bool relative = !hasScheme && link.url.rfind("//", 0) != 0;
    std::string resolved;
    if (!link.url.empty() && link.url[0] != '#') {
        if (relative && !documentBase.empty()) {
            resolved = ResolveUrl(documentBase, link.url);
        } else if (std::string path; !relative && !RefSite(link.url, &path).empty() &&
                                     RefHasDotSegment(path)) { // the host is no segment
            resolved = ResolveUrl(hasScheme ? link.url : baseUrl, link.url);
        }
    }
    if (!resolved.empty()) {
        link.url = RefLower(resolved);
    }
    link.text = RefReadable(RefDecode(text));
    if (link.text.empty()) {
        link.text = RefReadable(inner);
    }
    if (const std::string* rel = tag.Get("rel")) {
        for (const std::string& token : RefTokens(RefLower(*rel))) {
            link.nofollow |= token == "nofollow" || token == "ugc" || token == "sponsored";
        }
    }
    std::string base = RefSite(baseUrl);
    if (base.empty()) {
        base = RefSite("//" + baseUrl.substr(0, baseUrl.find_first_of("/?#")));
    }
    const std::string site = RefSite(link.url);
    const std::size_t colon = link.url.find(':');
    const bool scheme = colon != kRefNpos && colon > 0 && RefLetter(link.url[0]) &&
                        link.url.substr(0, colon).find_first_not_of(
                            "abcdefghijklmnopqrstuvwxyz0123456789+-.") == kRefNpos;
    if (!link.url.empty() && link.url[0] == '#') {
        link.inPage = 1;
    } else if (!site.empty()) {
        (site == base ? link.internal : link.external) = 1;
    } else if (scheme) {
        link.other = 1;
    } else {
        link.internal = 1;
    }
    return link;
}

// The directives of a robots meta content: tokens between commas and white space.
inline void RefApplyRobots(const std::string& content, int meta[5]) {
    std::string spaced = RefLower(RefDecode(content));
    std::replace(spaced.begin(), spaced.end(), ',', ' ');
    meta[0] = 1;
    for (const std::string& token : RefTokens(spaced)) {
        const bool none = token == "none";
        const bool all = token == "all";
        meta[1] |= token == "index" || token == "noindex" || none || all;
        meta[2] |= token == "noindex" || none;
        meta[3] |= token == "follow" || token == "nofollow" || none || all;
        meta[4] |= token == "nofollow" || none;
    }
}

inline RefScan RefLoad(const std::string& baseUrl, const std::string& page) {
    RefScan scan;
    // Walk the page character by character.
    bool body = false;
    std::string documentBase;
    bool baseSeen = false;
    std::size_t noscriptAt = 0;
    std::size_t noscriptEnd = 0;
    bool open = false;
    RefTag anchorTag;
    std::size_t anchorAt = 0;
    std::string text;
    const auto closeAnchor = [&](std::size_t innerEnd, std::size_t end) {
        if (open) {
            const std::string anchor = page.substr(anchorAt, end - anchorAt);
            const std::string inner = page.substr(anchorTag.end, innerEnd - anchorTag.end);
            scan.anchors.push_back(anchor);
            scan.links.push_back(
                RefMakeLink(baseUrl, documentBase, anchor, anchorTag, text, inner));
            scan.links.back().inNoscript = noscriptAt <= anchorAt && anchorAt < noscriptEnd;
            open = false;
        }
    };
    std::size_t i = 0;
    while (i < page.size()) {
        const bool tagStart = page[i] == '<' && i + 1 < page.size();
        const bool startTag = tagStart && RefLetter(page[i + 1]);
        const bool endTag =
            tagStart && page[i + 1] == '/' && i + 2 < page.size() && RefLetter(page[i + 2]);
        if (startTag || endTag) {
            const RefTag tag = RefReadTag(page, i);
            if (tag.end == kRefNpos) {
                break;
            }
            std::size_t next = tag.end;
            const std::string* metaName = tag.Get("name");
            std::string name = metaName ? RefLower(*metaName) : "";
            name.erase(0, name.find_first_not_of(" \t\n\r\f"));
            name.erase(name.find_last_not_of(" \t\n\r\f") + 1);
            if (startTag && tag.name == "meta" && (name == "robots" || name == "googlebot")) {
                RefApplyRobots(tag.Get("content") ? *tag.Get("content") : "", scan.meta);
            }
            if (startTag && tag.name == "base" && tag.Get("href") && !baseSeen) {
                baseSeen = true;
                documentBase = ResolveBaseHref(baseUrl, RefDecode(*tag.Get("href")));
            }
            if (startTag && tag.name == "noscript" && i >= noscriptEnd) {
                noscriptAt = i;
                noscriptEnd = RefRawTextEnd(page, "noscript", tag.end);
            }
            if (startTag && tag.name == "body" && !body) {
                // What came before the first <body> tag is no part of the body.
                body = true;
                open = false;
                scan.anchors.clear();
                scan.links.clear();
            }
            if (tag.name == "a") {
                closeAnchor(i, endTag ? tag.end : i);
                if (startTag && tag.Get("href")) {
                    open = true;
                    anchorTag = tag;
                    anchorAt = i;
                    text.clear();
                }
            } else if (startTag && RefRawText(tag.name)) {
                next = RefRawTextEnd(page, tag.name, tag.end);
            }
            i = next;
        } else if (page.compare(i, 4, "<!--") == 0) {
            const std::size_t close = page.find("-->", i + 2);
            i = close == kRefNpos ? page.size() : close + 3;
        } else if (page.compare(i, 3, "</>") == 0) {
            i += 3;
        } else if (tagStart && (page[i + 1] == '!' || page[i + 1] == '?' || page[i + 1] == '/')) {
            const std::size_t gt = page.find('>', i + 2);
            i = gt == kRefNpos ? page.size() : gt + 1;
        } else {
            if (open) {
                text += page[i];
            }
            ++i;
        }
    }
    closeAnchor(std::min(i, page.size()), std::min(i, page.size()));

    for (const RefLink& link : scan.links) {
        scan.externalCount += link.external;
        scan.internalCount += link.internal;
    }
    return scan;
}

// Indices of the links to the domain's site, in order.
inline std::vector<std::size_t> RefLinksToDomain(const RefScan& scan, const std::string& domain) {
    std::string path;
    std::string site = RefSite(domain, &path);
    if (site.empty()) {
        const std::size_t end = domain.find_first_of("/?#");
        site = RefSite("//" + domain.substr(0, end));
        path = end == kRefNpos ? "" : domain.substr(end);
    }
    while (!path.empty() && path.back() == '/') {
        path.pop_back();
    }
    path = RefLower(path);
    std::vector<std::size_t> matches;
    for (std::size_t i = 0; i < scan.links.size(); ++i) {
        std::string rest;
        if (site.empty() || RefSite(scan.links[i].url, &rest) != site) {
            continue;
        }
        rest = RefLower(rest);
        if (path.empty() || rest == path || rest.rfind(path + "/", 0) == 0 ||
            rest.rfind(path + "?", 0) == 0 || rest.rfind(path + "#", 0) == 0) {
            matches.push_back(i);
        }
    }
    return matches;
}

} // namespace tessaray::test
