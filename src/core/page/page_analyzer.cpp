#include "core/page/page_analyzer.h"

#include "core/page/html_entities.h"
#include "core/project/url_rules.h"
#include "core/util/ascii.h"
#include "core/util/byte_search.h"
#include "core/util/url.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>

namespace tessaray {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// One link in the compact store. Its URL and text are stretches of the page when the page has
// them as they are (most do), else of one shared buffer of link bytes, so a page with thousands of
// links does not cost two allocations per link. Kept small: a large page holds tens of thousands.
struct SLinkRecord {
    std::size_t nUrlAt = 0;
    std::size_t nUrlLength = 0;
    std::size_t nTextAt = 0;
    std::size_t nTextLength = 0;
    std::size_t nRelAt = 0; // the rel tokens, in the link bytes, each ended by a blank
    std::size_t nRelLength = 0;
    std::size_t nAnchorAt = 0; // the anchor string, in the page
    std::size_t nAnchorLength = 0;
    // SiteOfUrl of the URL and where its path starts, as offsets into the URL (empty site for
    // relative and other links), so the domain test need not take the URL apart again.
    std::uint32_t nSiteAt = 0;
    std::uint32_t nSiteLength = 0;
    std::uint32_t nPathAt = 0;
    std::uint32_t nPosition = 0; // its index among all links of the page, also those not kept
    std::uint8_t nNofollow = 0;
    std::uint8_t nExternal = 0;
    std::uint8_t nInternal = 0;
    std::uint8_t nInPage = 0;
    std::uint8_t nOther = 0;
    std::uint8_t nInNoscript = 0;
    std::uint8_t nUrlInPage = 0;        // the URL is a stretch of the page, not of the link bytes
    std::uint8_t nTextInPage = 0;       // likewise the text
    std::uint8_t nCommentsInAnchor = 0; // the anchor string holds comments, left out when shown
    std::uint8_t nHidden = 0;           // an index into kHidingTechniques
};

// How the HTML hides a link from people; index 0 is not hidden.
constexpr std::string_view kHidingTechniques[] = {
    "",          "display-none", "visibility-hidden", "opacity-zero",
    "tiny-font", "off-screen",   "one-character"};
constexpr std::uint8_t kNotHidden = 0;
constexpr std::uint8_t kDisplayNone = 1;
constexpr std::uint8_t kVisibilityHidden = 2;
constexpr std::uint8_t kOpacityZero = 3;
constexpr std::uint8_t kTinyFont = 4;
constexpr std::uint8_t kOffScreen = 5;
constexpr std::uint8_t kOneCharacter = 6;

// Byte classes of the tokenizer, looked up in one table: the tag loops run over every byte of
// every tag.
enum : std::uint8_t { kSpace = 1, kNameEnd = 2, kEquals = 4, kSlash = 8 };

constexpr auto kByteClass = [] {
    std::array<std::uint8_t, 256> table{};
    for (const unsigned char c : {' ', '\t', '\n', '\r', '\f'}) {
        table[c] = kSpace | kNameEnd;
    }
    table['/'] = kNameEnd | kSlash;
    table['>'] = kNameEnd;
    table['='] = kEquals;
    return table;
}();

std::uint8_t ClassOf(char c) {
    return kByteClass[static_cast<unsigned char>(c)];
}

// White space between attributes and around words, as HTML has it (no vertical tab).
bool IsHtmlSpace(char c) {
    return (ClassOf(c) & kSpace) != 0;
}

// Bytes below 0x20 other than HTML white space: removed from URLs and texts.
bool IsControl(char c) {
    return static_cast<unsigned char>(c) < 0x20 && !IsHtmlSpace(c);
}

// The first "<" at or after from. Markup is dense on many pages, so the next few bytes are looked
// at before the library's search is called.
std::size_t FindLt(std::string_view text, std::size_t from) {
    const std::size_t stop = std::min(text.size(), from + 4);
    for (; from < stop; ++from) {
        if (text[from] == '<') {
            return from;
        }
    }
    return from < text.size() ? text.find('<', from) : npos;
}

// Whether a short stretch (a tag) holds a "<": a plain loop, cheaper than a call for a few bytes.
bool HasLt(std::string_view text) {
    if (text.size() > 16) {
        return text.find('<') != npos;
    }
    bool found = false;
    for (const char c : text) {
        found |= c == '<';
    }
    return found;
}

bool HasToken(std::string_view list, std::string_view lowerToken);

std::string_view TrimmedAscii(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A CSS length or number: its value and unit ("px", "em", "%", "" ...); false when it is none.
bool ReadCssNumber(std::string_view text, double& value, std::string_view& unit) {
    std::size_t i = text.starts_with('-') || text.starts_with('+') ? 1 : 0;
    const std::size_t digitsAt = i;
    double number = 0;
    double scale = 0;
    for (; i < text.size() && (IsAsciiDigit(text[i]) || (text[i] == '.' && scale == 0)); ++i) {
        if (text[i] == '.') {
            scale = 1;
        } else if (scale == 0) {
            number = number * 10 + (text[i] - '0');
        } else {
            scale /= 10;
            number += (text[i] - '0') * scale;
        }
    }
    if (i == digitsAt || (i == digitsAt + 1 && text[digitsAt] == '.')) {
        return false;
    }
    value = text.starts_with('-') ? -number : number;
    unit = text.substr(i);
    return unit.empty() || unit == "%" ||
           std::all_of(unit.begin(), unit.end(), [](char c) { return IsAsciiLetter(c); });
}

// Whether an inline style hides the element for certain: display none, visibility hidden,
// opacity or font size 0, or a far negative position or indent (the old trick of moving text
// out of the window). Only the declarations themselves are read, no style sheet.
std::uint8_t HidingStyle(std::string_view style) {
    std::uint8_t hiding = kNotHidden;
    for (std::size_t at = 0; at <= style.size() && hiding == kNotHidden;) {
        const std::size_t semicolon = std::min(style.find(';', at), style.size());
        const std::string_view declaration = style.substr(at, semicolon - at);
        at = semicolon + 1;
        const std::size_t colon = declaration.find(':');
        if (colon == npos) {
            continue;
        }
        const std::string_view property = TrimmedAscii(declaration.substr(0, colon));
        std::string_view value = TrimmedAscii(declaration.substr(colon + 1));
        if (const std::size_t bang = value.find('!'); bang != npos) {
            value = TrimmedAscii(value.substr(0, bang)); // "!important"
        }
        double number = 0;
        std::string_view unit;
        const bool bNumber = ReadCssNumber(value, number, unit);
        if (EqualsNoCase(property, "display") && EqualsNoCase(value, "none")) {
            hiding = kDisplayNone;
        } else if (EqualsNoCase(property, "visibility") &&
                   (EqualsNoCase(value, "hidden") || EqualsNoCase(value, "collapse"))) {
            hiding = kVisibilityHidden;
        } else if (EqualsNoCase(property, "opacity") && bNumber && number == 0) {
            hiding = kOpacityZero;
        } else if (EqualsNoCase(property, "font-size") && bNumber && number == 0) {
            hiding = kTinyFont;
        } else if ((EqualsNoCase(property, "left") || EqualsNoCase(property, "top") ||
                    EqualsNoCase(property, "text-indent") ||
                    EqualsNoCase(property, "margin-left")) &&
                   bNumber &&
                   ((number <= -500 && (EqualsNoCase(unit, "px") || EqualsNoCase(unit, "pt"))) ||
                    (number <= -30 && (EqualsNoCase(unit, "em") || EqualsNoCase(unit, "rem"))))) {
            hiding = kOffScreen;
        }
    }
    return hiding;
}

// The tags whose attributes the scanner reads.
enum class ETagKind : std::uint8_t { Other, Anchor, Meta, Link, Base, Body, Noscript };

// A start or end tag as the tokenizer reads it. Only the attributes its kind needs are kept
// (href and rel of a, link and base; name and content of meta); of several attributes with one
// name the first counts.
struct STag {
    std::size_t nEnd = npos; // just past its ">"; npos when the text ends inside the tag
    std::string_view name;
    ETagKind eKind = ETagKind::Other;
    bool bHref = false;
    std::string_view href;
    std::string_view rel;
    std::string_view metaName;
    std::string_view content;
    // Of every start tag: what may hide it and what lets the user open it.
    std::uint8_t nHiding = kNotHidden; // from its hidden attribute or inline style
    bool bOpenable = false;            // <nav>, <details> or a role of menu, menubar or tabpanel
};

// Bytes that end a tag or attribute name: HTML white space, "/", ">" (and "=" for attributes).
bool EndsTagName(char c) {
    return (ClassOf(c) & kNameEnd) != 0;
}

// The name of the tag at text[at] ("<" and a letter, or "</" and a letter).
std::string_view TagName(std::string_view text, std::size_t at) {
    const std::size_t nameAt = at + (text[at + 1] == '/' ? 2 : 1);
    std::size_t i = nameAt;
    while (i < text.size() && !EndsTagName(text[i])) {
        ++i;
    }
    return text.substr(nameAt, i - nameAt);
}

// Reads the tag at text[at] ("<" and a letter, or "</" and a letter for an end tag).
STag ReadTag(std::string_view text, std::size_t at) {
    STag tag;
    const std::size_t n = text.size();
    tag.name = TagName(text, at);
    std::size_t i = static_cast<std::size_t>(tag.name.data() - text.data()) + tag.name.size();
    if (tag.name.size() == 1) {
        tag.eKind = LowerAscii(tag.name[0]) == 'a' ? ETagKind::Anchor : ETagKind::Other;
    } else if (tag.name.size() == 4) {
        tag.eKind = EqualsNoCase(tag.name, "meta")   ? ETagKind::Meta
                    : EqualsNoCase(tag.name, "link") ? ETagKind::Link
                    : EqualsNoCase(tag.name, "base") ? ETagKind::Base
                    : EqualsNoCase(tag.name, "body") ? ETagKind::Body
                                                     : ETagKind::Other;
    } else if (tag.name.size() == 8 && EqualsNoCase(tag.name, "noscript")) {
        tag.eKind = ETagKind::Noscript;
    }
    tag.bOpenable = EqualsNoCase(tag.name, "nav") || EqualsNoCase(tag.name, "details");
    const bool wanted = tag.eKind == ETagKind::Anchor || tag.eKind == ETagKind::Meta ||
                        tag.eKind == ETagKind::Link || tag.eKind == ETagKind::Base;
    bool rel = false;
    bool metaName = false;
    bool content = false;
    while (true) {
        while (i < n && (ClassOf(text[i]) & (kSpace | kSlash)) != 0) {
            ++i;
        }
        if (i >= n) {
            return tag;
        }
        if (text[i] == '>') {
            tag.nEnd = i + 1;
            return tag;
        }
        const std::size_t attributeAt = i++; // a leading "=" belongs to the name
        while (i < n && (ClassOf(text[i]) & (kNameEnd | kEquals)) == 0) {
            ++i;
        }
        const std::string_view name = text.substr(attributeAt, i - attributeAt);
        while (i < n && IsHtmlSpace(text[i])) {
            ++i;
        }
        std::string_view value;
        if (i < n && text[i] == '=') {
            ++i;
            while (i < n && IsHtmlSpace(text[i])) {
                ++i;
            }
            if (i < n && (text[i] == '"' || text[i] == '\'')) {
                const std::size_t close = text.find(text[i], i + 1);
                if (close == npos) {
                    return tag;
                }
                value = text.substr(i + 1, close - i - 1);
                i = close + 1;
            } else {
                const std::size_t valueAt = i;
                while (i < n && !IsHtmlSpace(text[i]) && text[i] != '>') {
                    ++i;
                }
                value = text.substr(valueAt, i - valueAt);
            }
        }
        if (name.size() == 5 && EqualsNoCase(name, "style")) {
            if (tag.nHiding == kNotHidden) {
                tag.nHiding = HidingStyle(value);
            }
        } else if (name.size() == 6 && EqualsNoCase(name, "hidden")) {
            // "until-found" opens when the page is searched: people can reach it.
            if (!EqualsNoCase(value, "until-found")) {
                tag.nHiding = kDisplayNone;
            }
        } else if (name.size() == 4 && EqualsNoCase(name, "role")) {
            tag.bOpenable = tag.bOpenable || HasToken(value, "menu") ||
                            HasToken(value, "menubar") || HasToken(value, "tabpanel");
        }
        if (!wanted) {
            continue;
        }
        if (tag.eKind == ETagKind::Meta) {
            if (!metaName && EqualsNoCase(name, "name")) {
                metaName = true;
                tag.metaName = value;
            } else if (!content && EqualsNoCase(name, "content")) {
                content = true;
                tag.content = value;
            }
        } else if (!tag.bHref && EqualsNoCase(name, "href")) {
            tag.bHref = true;
            tag.href = value;
        } else if (!rel && EqualsNoCase(name, "rel")) {
            rel = true;
            tag.rel = value;
        }
    }
}

// Elements whose content is no markup for our purpose: "<a" or "<meta" in there is no tag.
bool IsRawTextElement(std::string_view name) {
    return EqualsNoCase(name, "script") || EqualsNoCase(name, "style") ||
           EqualsNoCase(name, "template") || EqualsNoCase(name, "textarea") ||
           EqualsNoCase(name, "title");
}

// Where the end tag of a raw-text element starts ("</" + name and then white space, "/" or
// ">"), from position from on; the end of the text when there is none.
std::size_t FindRawTextEnd(std::string_view text, std::string_view name, std::size_t from) {
    std::string needle = "</" + ToLowerAscii(name);
    for (std::size_t at = FindNoCase(text, needle, from); at != npos;
         at = FindNoCase(text, needle, at + 1)) {
        const std::size_t after = at + needle.size();
        if (after == text.size() || IsHtmlSpace(text[after]) || text[after] == '/' ||
            text[after] == '>') {
            return at;
        }
    }
    return text.size();
}

// Calls onToken for every token of a list separated by white space (and commas, when asked).
template <typename OnToken>
void ForEachToken(std::string_view list, bool bCommas, OnToken onToken) {
    const auto separates = [bCommas](char c) { return IsHtmlSpace(c) || (bCommas && c == ','); };
    std::size_t t = 0;
    while (t < list.size()) {
        while (t < list.size() && separates(list[t])) {
            ++t;
        }
        std::size_t e = t;
        while (e < list.size() && !separates(list[e])) {
            ++e;
        }
        if (e > t) {
            onToken(list.substr(t, e - t));
        }
        t = e;
    }
}

// The rel value holds one of the tokens nofollow, ugc or sponsored.
bool HasNofollowToken(std::string_view rel) {
    bool found = false;
    ForEachToken(rel, false, [&found](std::string_view token) {
        found = found || EqualsNoCase(token, "nofollow") || EqualsNoCase(token, "ugc") ||
                EqualsNoCase(token, "sponsored");
    });
    return found;
}

// The tokens of a rel value as the verdict reads them: "&amp;" read as "&", split at commas and
// HTML white space, in lower case; each appended to out with a blank after it.
void AppendRelTokens(std::string_view rel, std::string& out, std::string& scratch) {
    if (rel.find('&') != npos) {
        scratch.clear();
        for (std::size_t at = 0; at < rel.size();) {
            const std::size_t amp = rel.find("&amp;", at);
            scratch.append(rel.substr(at, amp == npos ? npos : amp + 1 - at));
            at = amp == npos ? rel.size() : amp + 5;
        }
        rel = scratch;
    }
    ForEachToken(rel, true, [&out](std::string_view token) {
        for (const char c : token) {
            out += LowerAscii(c);
        }
        out += ' ';
    });
}

bool HasToken(std::string_view list, std::string_view lowerToken) {
    bool found = false;
    ForEachToken(list, false,
                 [&](std::string_view token) { found = found || EqualsNoCase(token, lowerToken); });
    return found;
}

// A meta name that speaks to Googlebot: "robots" or "googlebot", without case and blanks around.
bool IsRobotsMetaName(std::string_view name) {
    while (!name.empty() && IsHtmlSpace(name.front())) {
        name.remove_prefix(1);
    }
    while (!name.empty() && IsHtmlSpace(name.back())) {
        name.remove_suffix(1);
    }
    return EqualsNoCase(name, "robots") || EqualsNoCase(name, "googlebot");
}

// The href value as a browser takes it: references decoded, leading and trailing white space and
// control bytes dropped, line breaks and tabs inside removed, other control bytes inside written
// as "%XX" (removing them would join "http:/" and "/host" into another address); then ASCII
// letters in lower case (the URL cell has always been lower case).
void AppendUrl(std::string_view raw, std::string& out, std::string& scratch) {
    // Most values hold no reference, no control byte and no blank: lower case is all they need.
    bool special = false;
    for (const char c : raw) {
        special |= (static_cast<unsigned char>(c) <= ' ') | (c == '&');
    }
    if (!special) {
        const std::size_t at = out.size();
        out.append(raw);
        for (std::size_t i = at; i < out.size(); ++i) {
            out[i] = LowerAscii(out[i]);
        }
        return;
    }
    std::string_view value = raw;
    if (raw.find('&') != npos) {
        scratch.clear();
        AppendDecodedReferences(raw, scratch);
        value = scratch;
    }
    while (!value.empty() && static_cast<unsigned char>(value.front()) <= ' ') {
        value.remove_prefix(1);
    }
    while (!value.empty() && static_cast<unsigned char>(value.back()) <= ' ') {
        value.remove_suffix(1);
    }
    const std::size_t at = out.size();
    out.append(value);
    // Two plain loops, which compilers turn into vector instructions.
    unsigned char lowest = 0xFF;
    for (std::size_t i = at; i < out.size(); ++i) {
        out[i] = LowerAscii(out[i]);
        lowest = std::min(lowest, static_cast<unsigned char>(out[i]));
    }
    if (lowest < ' ') {
        std::string tail = out.substr(at);
        out.resize(at);
        for (const char c : tail) {
            if (c == '\t' || c == '\n' || c == '\r') {
                continue;
            }
            if (static_cast<unsigned char>(c) < ' ') {
                static constexpr char kHex[] = "0123456789ABCDEF";
                out += '%';
                out += kHex[static_cast<unsigned char>(c) >> 4];
                out += kHex[static_cast<unsigned char>(c) & 15];
            } else {
                out += c;
            }
        }
    }
}

// Whether any byte of the text passes the test. Blocks of 16 with a fixed trip count and no
// early exit inside: compilers turn them into vector instructions, also at -O2.
template <typename Test> bool AnyByte(std::string_view text, Test test) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::size_t i = 0;
    for (; n - i >= 16; i += 16) {
        unsigned any = 0;
        for (std::size_t k = 0; k < 16; ++k) {
            any |= test(p[i + k]) ? 1U : 0U;
        }
        if (any != 0) {
            return true;
        }
    }
    bool any = false;
    for (; i < n; ++i) {
        any |= test(p[i]);
    }
    return any;
}

// Text that reads as it stands: no reference, no control byte, no no-break space.
bool IsPlainText(std::string_view text) {
    return !AnyByte(text, [](unsigned char c) { return (c < ' ') | (c == '&') | (c == 0xC2); });
}

// An href value that is a URL as it stands: no reference, no control byte or blank, no capital.
bool IsPlainLowerUrl(std::string_view href) {
    return !href.empty() && !AnyByte(href, [](unsigned char c) {
        return (c <= ' ') | (c == '&') | ((c >= 'A') & (c <= 'Z'));
    });
}

// Appends text with its white space as a reader sees it: a run of white space that holds a line
// break, tab, form feed or no-break space becomes one blank between words; at the start and end
// of the text only the run's plain blanks stay (as they always did). Runs of plain blanks stay as
// they are, and other control bytes are removed.
void AppendReadableText(std::string_view text, std::string& out) {
    const std::size_t n = text.size();
    const std::size_t outAt = out.size();
    const auto isNbsp = [&](std::size_t i) {
        return text[i] == '\xC2' && i + 1 < n && text[i + 1] == '\xA0';
    };
    std::size_t i = 0;
    while (i < n) {
        // Ordinary bytes and plain blanks in one piece, up to the next run of other white space
        // or control bytes; the blanks right before that run belong to it.
        std::size_t j = i;
        while (j < n && static_cast<unsigned char>(text[j]) >= ' ' && !isNbsp(j)) {
            ++j;
        }
        std::size_t runAt = j;
        while (j < n && runAt > i && text[runAt - 1] == ' ') {
            --runAt;
        }
        out.append(text.substr(i, runAt - i));
        if (j == n) {
            break;
        }
        std::size_t blanks = 0;
        bool other = false;
        for (i = runAt; i < n; ++i) {
            if (text[i] == ' ') {
                ++blanks;
            } else if (IsHtmlSpace(text[i])) {
                other = true;
            } else if (isNbsp(i)) {
                other = true;
                ++i;
            } else if (!IsControl(text[i])) {
                break;
            }
        }
        if (other && out.size() > outAt && i < n) {
            out += ' ';
        } else {
            out.append(blanks, ' ');
        }
    }
}

// Elements the stack of hiding elements leaves out: those without content (whose hidden
// attribute hides nothing around a link) and those whose end tag may be left out, so the stack
// never holds an element the browser has closed already.
bool IsUntrackedElement(std::string_view name) {
    static constexpr std::string_view kNames[] = {
        "area",    "base",     "br",    "col", "embed", "hr",    "img",   "input", "link",
        "meta",    "source",   "track", "wbr", "param", "p",     "li",    "dt",    "dd",
        "option",  "optgroup", "tr",    "td",  "th",    "thead", "tbody", "tfoot", "colgroup",
        "caption", "rb",       "rt",    "rp",  "rtc",   "html",  "head",  "body"};
    return IsRawTextElement(name) ||
           std::any_of(std::begin(kNames), std::end(kNames), [name](std::string_view untracked) {
               return EqualsNoCase(name, untracked);
           });
}

// A text of one small mark, blanks around it aside: one ASCII punctuation character, one of
// Latin-1's (U+00A1 to U+00BF: "·", "»", ...) or of the general punctuation (U+2010 to U+2027:
// dashes, bullets, "…"). A link on such a mark is one nobody notices; a link on one letter or
// digit (a footnote, a page number) may well be seen.
bool IsOneSmallMark(std::string_view text) {
    text = TrimmedAscii(text);
    const auto byte = [&text](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    if (text.size() == 1) {
        return byte(0) > ' ' && byte(0) < 0x7F && !IsAsciiAlnum(text[0]);
    }
    if (text.size() == 2) {
        return byte(0) == 0xC2 && byte(1) >= 0xA1 && byte(1) <= 0xBF;
    }
    return text.size() == 3 && byte(0) == 0xE2 && byte(1) == 0x80 && byte(2) >= 0x90 &&
           byte(2) <= 0xA7;
}

// What kind of link a lower-case URL is on a page of the given site.
void Classify(std::string_view url, const std::string& pageSite, SLinkRecord& link) {
    if (!url.empty() && url.front() == '#') {
        link.nInPage = 1;
        return;
    }
    std::string_view path;
    // Only "http:", "https:" and "//" URLs name a site: most links are told apart at once.
    const bool bMaybeSite = url.size() >= 2 && (url[0] == 'h' || url[0] == '/');
    const std::string_view site = bMaybeSite ? SiteOfUrl(url, &path) : std::string_view();
    link.nSiteAt = site.empty() ? 0 : static_cast<std::uint32_t>(site.data() - url.data());
    link.nSiteLength = static_cast<std::uint32_t>(site.size());
    link.nPathAt = static_cast<std::uint32_t>(url.size() - path.size());
    if (!site.empty()) {
        (EqualsNoCase(site, pageSite) ? link.nInternal : link.nExternal) = 1;
        return;
    }
    (SchemeLength(url) > 0 ? link.nOther : link.nInternal) = 1;
}

} // namespace

struct CPageAnalyzer::SScan {
    void Reset();
    // Forgets the links found so far and their counts.
    void ClearLinks();
    bool Scan(std::string_view page, bool bWithComments);
    void ReadMeta(const STag& tag);
    void AddAnchor(std::string_view body, const STag& tag, std::size_t start, std::size_t innerAt,
                   std::size_t innerEnd, std::size_t end, std::string_view text, bool bTextInPage,
                   bool bComments);
    std::string Decoded(std::string_view value);
    bool ResolveLinkUrl(SLinkRecord& link);
    std::string_view UrlOf(const SLinkRecord& link) const;
    bool IsToSite(const SLinkRecord& link, const SDomainSite& site) const;
    // Counts the link added last and drops it when only links to the listed domain are kept and
    // it is none of them or one too many; linkBytesBefore is the size of the link bytes before
    // it.
    void SiftLastLink(std::size_t linkBytesBefore);
    std::string_view TextOf(const SLinkRecord& link) const;
    CLinkInfo LinkInfoOf(const SLinkRecord& link) const;
    // The stack of open elements that hide their content or that the user can open.
    void OpenElement(const STag& tag);
    void CloseElement(std::string_view name);
    std::uint8_t HidingOfAnchor(const STag& tag) const;

    // An open element on the stack, and how many elements of its name are open inside it.
    struct SHidingElement {
        std::string_view name;
        std::uint8_t nHiding = kNotHidden;
        bool bOpenable = false;
        std::uint32_t nNested = 0;
    };
    static constexpr std::size_t kMaxHidingElements = 32;
    std::vector<SHidingElement> hidingElements;
    bool bHidingUnknown = false; // the stack overflowed: nothing more is flagged as hidden

    std::string pageUrl;  // the base URL given to Load
    std::string pageSite; // SiteOfUrl of the base URL, in lower case
    int nMetaRobots = 0;
    int nMetaIndex = 0;
    int nMetaNoindex = 0;
    int nMetaFollow = 0;
    int nMetaNofollow = 0;
    std::vector<std::string> robotsContents;
    bool bCanonical = false;
    std::string canonicalHref;
    bool bBase = false;
    std::string baseHref;
    std::string documentBase; // <base href> as an absolute http(s) URL; "" without one
    std::string pageText; // the page, as given to Load (without comments where Load removed them)
    std::vector<SLinkRecord> links;
    std::string linkBytes; // the URLs, texts and rel tokens of links not found as such in the page
    std::string domain;    // the last domain asked for, and its site
    SDomainSite domainSite;
    bool bDomainValid = false;
    bool bListDomainOnly = false; // only links to listSite are kept, at most kMaxListedLinks
    SDomainSite listSite;
    int nExternalCount = 0;
    int nInternalCount = 0;
    int nNotListed = 0;           // links to listSite past the limit
    std::uint32_t nLinkCount = 0; // every link, kept or not
    std::size_t nLinkCursor = 0;
    std::size_t nCommentBytes = 0; // the bytes of the page inside comments
    std::string scratch;           // decoded references of the current href or anchor text
};

CPageAnalyzer::CPageAnalyzer() : m_pScan(std::make_unique<SScan>()) {}
CPageAnalyzer::~CPageAnalyzer() = default;
CPageAnalyzer::CPageAnalyzer(CPageAnalyzer&&) noexcept = default;
CPageAnalyzer& CPageAnalyzer::operator=(CPageAnalyzer&&) noexcept = default;

int CPageAnalyzer::GetInternalCount() const {
    return m_pScan->nInternalCount;
}

int CPageAnalyzer::GetExternalCount() const {
    return m_pScan->nExternalCount;
}

void CPageAnalyzer::ListLinksTo(std::string_view domain) {
    m_pScan->bListDomainOnly = !domain.empty();
    m_pScan->listSite = DomainSiteOf(domain);
}

int CPageAnalyzer::GetLinksNotListed() const {
    return m_pScan->nNotListed;
}

void CPageAnalyzer::ResetLinkCursor() {
    m_pScan->nLinkCursor = 0;
}

std::vector<std::string> CPageAnalyzer::GetAnchors() const {
    std::vector<std::string> anchors;
    anchors.reserve(m_pScan->links.size());
    for (const SLinkRecord& link : m_pScan->links) {
        anchors.emplace_back(m_pScan->pageText, link.nAnchorAt, link.nAnchorLength);
        if (link.nCommentsInAnchor != 0) {
            RemoveComments(anchors.back());
        }
    }
    return anchors;
}

void CPageAnalyzer::RemoveComments(std::string& text) {
    // The text is compacted in place: text[0..kept) is kept, text[copyFrom..) is still to read,
    // and kept <= copyFrom always, so nothing unread is overwritten.
    const std::string_view input = text;
    char* const buffer = text.data();
    std::size_t kept = 0;
    std::size_t copyFrom = 0;
    std::size_t pos = 0;
    std::size_t lt = 0;
    while ((lt = input.find('<', pos)) != npos && lt + 1 < input.size()) {
        const char next = input[lt + 1];
        if (next == '!' && input.compare(lt, 4, "<!--") == 0) {
            std::memmove(buffer + kept, buffer + copyFrom, lt - copyFrom);
            kept += lt - copyFrom;
            const std::size_t close = FindFast(input, "-->", lt + 2); // "<!-->" is whole
            copyFrom = pos = close == npos ? input.size() : close + 3;
            continue;
        }
        pos = lt + 1;
        // Only the elements whose content is no markup are read as tags here; reading every tag
        // would cost more than the rest of the removal, and Load reads comments on its own.
        const char first = LowerAscii(next);
        if ((first == 's' || first == 't') && IsRawTextElement(TagName(input, lt))) {
            const STag tag = ReadTag(input, lt);
            if (tag.nEnd == npos) {
                break;
            }
            pos = FindRawTextEnd(input, tag.name, tag.nEnd);
        }
    }
    const std::size_t rest = input.size() - copyFrom;
    std::memmove(buffer + kept, buffer + copyFrom, rest);
    text.resize(kept + rest);
}

void CPageAnalyzer::Load(std::string_view baseUrl, std::string_view page) {
    LoadText(baseUrl, std::string(page));
}

void CPageAnalyzer::LoadText(std::string_view baseUrl, std::string page) {
    SScan& scan = *m_pScan;
    scan.pageUrl.assign(baseUrl);
    scan.pageSite = DomainSiteOf(baseUrl).strSite;
    scan.Reset();
    scan.pageText = std::move(page);
    if (!scan.Scan(scan.pageText, true)) {
        // Rare markup where a comment inside a tag, or one that joins the text around it, would
        // be read otherwise: the comments are removed first, and what is left is scanned.
        const std::size_t size = scan.pageText.size();
        RemoveComments(scan.pageText);
        scan.Reset();
        scan.Scan(scan.pageText, false);
        scan.nCommentBytes = size - scan.pageText.size();
    }
}

void CPageAnalyzer::SScan::ClearLinks() {
    links.clear();
    linkBytes.clear();
    nExternalCount = nInternalCount = nNotListed = 0;
    nLinkCount = 0;
}

void CPageAnalyzer::SScan::Reset() {
    nMetaRobots = nMetaIndex = nMetaNoindex = nMetaFollow = nMetaNofollow = 0;
    robotsContents.clear();
    bCanonical = bBase = false;
    canonicalHref.clear();
    baseHref.clear();
    documentBase.clear();
    ClearLinks();
    nLinkCursor = 0;
    nCommentBytes = 0;
    hidingElements.clear();
    bHidingUnknown = false;
}

void CPageAnalyzer::SScan::OpenElement(const STag& tag) {
    const bool bTracked = (tag.nHiding != kNotHidden || tag.bOpenable) && !bHidingUnknown &&
                          !IsUntrackedElement(tag.name);
    if (bTracked) {
        if (hidingElements.size() == kMaxHidingElements) {
            bHidingUnknown = true;
            return;
        }
        hidingElements.push_back({tag.name, tag.nHiding, tag.bOpenable, 0});
        return;
    }
    for (auto it = hidingElements.rbegin(); it != hidingElements.rend(); ++it) {
        if (EqualsNoCase(it->name, tag.name)) {
            ++it->nNested;
            return;
        }
    }
}

void CPageAnalyzer::SScan::CloseElement(std::string_view name) {
    for (auto it = hidingElements.rbegin(); it != hidingElements.rend(); ++it) {
        if (EqualsNoCase(it->name, name)) {
            if (it->nNested > 0) {
                --it->nNested;
            } else {
                // Elements left open inside it end with it, as in a browser.
                hidingElements.erase(std::next(it).base(), hidingElements.end());
            }
            return;
        }
    }
}

std::uint8_t CPageAnalyzer::SScan::HidingOfAnchor(const STag& tag) const {
    if (bHidingUnknown || std::any_of(hidingElements.begin(), hidingElements.end(),
                                      [](const SHidingElement& e) { return e.bOpenable; })) {
        return kNotHidden;
    }
    if (tag.nHiding != kNotHidden) {
        return tag.nHiding;
    }
    for (const SHidingElement& element : hidingElements) {
        if (element.nHiding != kNotHidden) {
            return element.nHiding;
        }
    }
    return kNotHidden;
}

std::size_t CPageAnalyzer::GetCommentBytes() const {
    return m_pScan->nCommentBytes;
}

std::string CPageAnalyzer::SScan::Decoded(std::string_view value) {
    std::string out;
    AppendDecodedReferences(value, out);
    return out;
}

void CPageAnalyzer::SScan::ReadMeta(const STag& tag) {
    if (!IsRobotsMetaName(tag.metaName)) {
        return;
    }
    // Every robots and googlebot meta tag counts, its content read as directives separated by
    // commas or white space ("noindex" also sets index, "nofollow" follow, as the flags always
    // did; "none" is noindex and nofollow, "all" index and follow).
    nMetaRobots = 1;
    robotsContents.push_back(Decoded(tag.content));
    ForEachToken(robotsContents.back(), true, [this](std::string_view token) {
        const bool none = EqualsNoCase(token, "none");
        const bool all = EqualsNoCase(token, "all");
        const bool noindex = none || EqualsNoCase(token, "noindex");
        const bool nofollow = none || EqualsNoCase(token, "nofollow");
        nMetaNoindex |= noindex ? 1 : 0;
        nMetaIndex |= noindex || all || EqualsNoCase(token, "index") ? 1 : 0;
        nMetaNofollow |= nofollow ? 1 : 0;
        nMetaFollow |= nofollow || all || EqualsNoCase(token, "follow") ? 1 : 0;
    });
}

bool CPageAnalyzer::SScan::IsToSite(const SLinkRecord& link, const SDomainSite& site) const {
    if (link.nSiteLength == 0) {
        return false; // a relative or other link names no site
    }
    const std::string_view url = UrlOf(link);
    return MatchesSite(url.substr(link.nSiteAt, link.nSiteLength), url.substr(link.nPathAt), site);
}

void CPageAnalyzer::SScan::SiftLastLink(std::size_t linkBytesBefore) {
    SLinkRecord& link = links.back();
    link.nPosition = nLinkCount++;
    nExternalCount += link.nExternal;
    nInternalCount += link.nInternal;
    if (!bListDomainOnly) {
        return;
    }
    const bool bToSite = IsToSite(link, listSite);
    if (bToSite && links.size() <= static_cast<std::size_t>(kMaxListedLinks)) {
        return;
    }
    nNotListed += bToSite ? 1 : 0;
    links.pop_back();
    linkBytes.resize(linkBytesBefore);
}

void CPageAnalyzer::SScan::AddAnchor(std::string_view body, const STag& tag, std::size_t start,
                                     std::size_t innerAt, std::size_t innerEnd, std::size_t end,
                                     std::string_view text, bool bTextInPage, bool bComments) {
    SLinkRecord& link = links.emplace_back();
    link.nAnchorAt = start;
    link.nAnchorLength = end - start;
    link.nCommentsInAnchor = bComments ? 1 : 0;
    if (IsPlainLowerUrl(tag.href)) {
        link.nUrlInPage = 1;
        link.nUrlAt = static_cast<std::size_t>(tag.href.data() - body.data());
        link.nUrlLength = tag.href.size();
    } else {
        link.nUrlAt = linkBytes.size();
        AppendUrl(tag.href, linkBytes, scratch);
        link.nUrlLength = linkBytes.size() - link.nUrlAt;
    }
    link.nNofollow = !tag.rel.empty() && HasNofollowToken(tag.rel) ? 1 : 0;
    Classify(UrlOf(link), pageSite, link);
    if (ResolveLinkUrl(link)) {
        link.nInternal = link.nExternal = link.nOther = 0;
        Classify(UrlOf(link), pageSite, link);
    }
    if (bTextInPage && !text.empty() && IsPlainText(text)) {
        link.nTextInPage = 1; // one stretch of the page, as it stands
        link.nTextAt = static_cast<std::size_t>(text.data() - body.data());
        link.nTextLength = text.size();
    } else {
        link.nTextAt = linkBytes.size();
        if (IsPlainText(text)) {
            linkBytes.append(text);
        } else if (text.find('&') == npos) {
            AppendReadableText(text, linkBytes);
        } else {
            scratch.clear();
            AppendDecodedReferences(text, scratch);
            AppendReadableText(scratch, linkBytes);
        }
        if (linkBytes.size() == link.nTextAt) {
            // No text (an image link, for example): the inner markup stands for it, without the
            // comments inside the anchor.
            std::string_view inner = body.substr(innerAt, innerEnd - innerAt);
            std::string uncommented;
            if (bComments) {
                uncommented.assign(inner);
                RemoveComments(uncommented);
                inner = uncommented;
            }
            AppendReadableText(inner, linkBytes);
        }
        link.nTextLength = linkBytes.size() - link.nTextAt;
    }
    if (!tag.rel.empty()) {
        link.nRelAt = linkBytes.size();
        AppendRelTokens(tag.rel, linkBytes, scratch);
        link.nRelLength = linkBytes.size() - link.nRelAt;
    }
}

bool CPageAnalyzer::SScan::ResolveLinkUrl(SLinkRecord& link) {
    // A browser resolves a relative link against <base href>, and drops the dot segments of every
    // link. Other links stay as the page writes them (the URL cell shows them so). Classify has
    // found the site and path already: a link with a site only needs its path looked at.
    if (link.nSiteLength == 0 && (link.nInternal == 0 || documentBase.empty())) {
        return false;
    }
    const std::string_view url = UrlOf(link);
    std::string resolved;
    if (link.nSiteLength > 0) {
        if (HasDotSegment(url.substr(link.nPathAt))) {
            resolved = ResolveUrl(SchemeLength(url) > 0 ? url : std::string_view(pageUrl), url);
        }
    } else if (link.nInternal != 0 && !url.empty() && !url.starts_with("//") &&
               !documentBase.empty()) {
        resolved = ResolveUrl(documentBase, url); // a relative link (not "//" without a host)
    }
    if (resolved.empty()) {
        return false;
    }
    if (link.nUrlInPage != 0) {
        link.nUrlInPage = 0;
        link.nUrlAt = linkBytes.size();
    } else {
        linkBytes.resize(link.nUrlAt);
    }
    linkBytes.append(ToLowerAscii(resolved));
    link.nUrlLength = linkBytes.size() - link.nUrlAt;
    return true;
}

bool CPageAnalyzer::SScan::Scan(std::string_view page, bool bWithComments) {
    // One pass of the tokenizer over the page, for the comments, the anchors and the meta, link
    // and base tags. The open anchor collects the text between the tags inside it; it ends with
    // "</a>", where the next anchor opens, or with the page. The anchors before the first <body>
    // tag are no links of the page's body.
    // The results are those of RemoveComments and a scan of what it leaves. On a page with its
    // comments, where the two readings of a comment could differ (a "<" inside a tag or a
    // "<!DOCTYPE" with a comment still to come, a comment right after a "<" or inside a
    // <noscript> element), the pass gives up and answers false.
    // The next "<!--" at or after the last place asked about; npos when none is left.
    std::size_t nextComment = bWithComments ? FindFast(page, "<!--") : npos;
    const auto differs = [&](std::size_t from, std::size_t to) {
        if (nextComment == npos || from >= to || !HasLt(page.substr(from, to - from))) {
            return false;
        }
        if (nextComment < from) {
            nextComment = FindFast(page, "<!--", from);
        }
        return nextComment != npos;
    };
    bool bBody = false;
    std::size_t noscriptAt = 0; // the <noscript> element last seen runs from here to its end
    std::size_t noscriptEnd = 0;
    const std::size_t n = page.size();
    STag anchor;
    std::uint8_t anchorHiding = kNotHidden; // how the HTML around the open anchor hides it
    std::size_t anchorAt = npos;            // where the open anchor starts; npos when none is open
    bool bAnchorComments = false;           // a comment inside the open anchor
    // The text of the open anchor: a stretch of the page while it is one piece, else collected.
    std::string_view textPiece;
    std::string text;
    bool bTextCollected = false;
    const auto addText = [&](std::size_t from, std::size_t to) {
        if (from >= to) {
            return;
        }
        if (textPiece.empty() && !bTextCollected) {
            textPiece = page.substr(from, to - from);
            return;
        }
        if (!bTextCollected) {
            text.assign(textPiece);
            bTextCollected = true;
        }
        text.append(page.substr(from, to - from));
    };
    const auto close = [&](std::size_t innerEnd, std::size_t end) {
        if (anchorAt != npos) {
            const std::size_t linkBytesBefore = linkBytes.size();
            AddAnchor(page, anchor, anchorAt, anchor.nEnd, innerEnd, end,
                      bTextCollected ? std::string_view(text) : textPiece, !bTextCollected,
                      bAnchorComments);
            SLinkRecord& link = links.back();
            link.nInNoscript = noscriptAt <= anchorAt && anchorAt < noscriptEnd ? 1 : 0;
            link.nHidden = anchorHiding != kNotHidden     ? anchorHiding
                           : IsOneSmallMark(TextOf(link)) ? kOneCharacter
                                                          : kNotHidden;
            SiftLastLink(linkBytesBefore);
            anchorAt = npos;
        }
    };
    std::size_t textFrom = 0; // where the text since the last tag starts
    std::size_t pos = 0;
    std::size_t lt;
    while ((lt = FindLt(page, pos)) != npos) {
        const char next = lt + 1 < n ? page[lt + 1] : '\0';
        const bool endTag = next == '/' && lt + 2 < n && IsAsciiLetter(page[lt + 2]);
        std::size_t after; // where the text goes on after this piece of markup
        if (IsAsciiLetter(next) || endTag) {
            const STag tag = ReadTag(page, lt);
            if (differs(lt + 1, tag.nEnd == npos ? n : tag.nEnd)) {
                return false;
            }
            if (tag.nEnd == npos) {
                break; // a tag cut off by the end of the page is dropped with the rest
            }
            if (anchorAt != npos) {
                addText(textFrom, lt);
            }
            after = tag.nEnd;
            if (!endTag && tag.eKind != ETagKind::Anchor &&
                (tag.nHiding != kNotHidden || tag.bOpenable || !hidingElements.empty())) {
                OpenElement(tag);
            }
            if (tag.eKind == ETagKind::Anchor) {
                close(lt, endTag ? tag.nEnd : lt);
                if (!endTag && tag.bHref) {
                    anchor = tag;
                    anchorHiding = HidingOfAnchor(tag);
                    anchorAt = lt;
                    bAnchorComments = false;
                    textPiece = {};
                    bTextCollected = false;
                }
            } else if (endTag) {
                if (!hidingElements.empty()) {
                    CloseElement(tag.name);
                }
            } else if (tag.eKind == ETagKind::Meta) {
                ReadMeta(tag);
            } else if (tag.eKind == ETagKind::Link) {
                if (!bCanonical && !tag.href.empty() && HasToken(tag.rel, "canonical")) {
                    bCanonical = true;
                    canonicalHref = Decoded(tag.href);
                }
            } else if (tag.eKind == ETagKind::Base) {
                if (!bBase && tag.bHref) {
                    bBase = true;
                    baseHref = Decoded(tag.href);
                    documentBase = ResolveBaseHref(pageUrl, baseHref);
                }
            } else if (tag.eKind == ETagKind::Noscript) {
                // Where scripts run (in browsers and in Google's renderer) its content is text.
                if (lt >= noscriptEnd) {
                    noscriptAt = lt;
                    noscriptEnd = FindRawTextEnd(page, tag.name, tag.nEnd);
                }
            } else if (tag.eKind == ETagKind::Body) {
                if (!bBody) {
                    bBody = true;
                    anchorAt = npos;
                    ClearLinks();
                }
            } else if (IsRawTextElement(tag.name)) {
                after = FindRawTextEnd(page, tag.name, tag.nEnd);
            }
        } else if (next == '!' || next == '?' || next == '/') {
            if (anchorAt != npos) {
                addText(textFrom, lt);
            }
            if (page.compare(lt, 4, "<!--") == 0) {
                if (bWithComments &&
                    ((lt > 0 && page[lt - 1] == '<') || (noscriptAt <= lt && lt < noscriptEnd))) {
                    return false;
                }
                const std::size_t end = FindFast(page, "-->", lt + 2); // "<!-->" is whole
                after = end == npos ? n : end + 3;
                nCommentBytes += after - lt;
                bAnchorComments = bAnchorComments || (bWithComments && anchorAt != npos);
            } else if (page.compare(lt, 3, "</>") == 0) {
                after = lt + 3;
            } else {
                // "<!DOCTYPE", "<?xml", "</ x": up to the next ">", as a comment.
                const std::size_t gt = page.find('>', lt + 2);
                after = gt == npos ? n : gt + 1;
                if (differs(lt + 2, after)) {
                    return false;
                }
            }
        } else {
            pos = lt + 1; // a "<" in text
            continue;
        }
        textFrom = pos = after;
    }
    const std::size_t stop = lt == npos ? n : lt;
    if (anchorAt != npos) {
        addText(textFrom, stop);
    }
    close(stop, stop);
    return true;
}

std::string_view CPageAnalyzer::SScan::UrlOf(const SLinkRecord& link) const {
    return std::string_view(link.nUrlInPage != 0 ? pageText : linkBytes)
        .substr(link.nUrlAt, link.nUrlLength);
}

std::string_view CPageAnalyzer::SScan::TextOf(const SLinkRecord& link) const {
    return std::string_view(link.nTextInPage != 0 ? pageText : linkBytes)
        .substr(link.nTextAt, link.nTextLength);
}

CLinkInfo CPageAnalyzer::SScan::LinkInfoOf(const SLinkRecord& record) const {
    CLinkInfo link;
    link.m_strUrl.assign(UrlOf(record));
    link.m_strText.assign(TextOf(record));
    link.m_nNofollow = record.nNofollow;
    link.m_nExternal = record.nExternal;
    link.m_nInternal = record.nInternal;
    link.m_nInPage = record.nInPage;
    link.m_nOther = record.nOther;
    link.m_nInNoscript = record.nInNoscript;
    link.m_strHidden.assign(kHidingTechniques[record.nHidden]);
    const std::string_view rel =
        std::string_view(linkBytes).substr(record.nRelAt, record.nRelLength);
    for (std::size_t at = 0; at < rel.size();) {
        const std::size_t blank = rel.find(' ', at);
        link.m_rel.emplace_back(rel.substr(at, blank - at));
        at = blank + 1;
    }
    return link;
}

const std::vector<std::string>& CPageAnalyzer::GetRobotsMetaContents() const {
    return m_pScan->robotsContents;
}

const std::string& CPageAnalyzer::GetCanonicalHref() const {
    return m_pScan->canonicalHref;
}

const std::string& CPageAnalyzer::GetBaseHref() const {
    return m_pScan->baseHref;
}

void CPageAnalyzer::GetMetaFlags(int& robots, int& index, int& noindex, int& follow,
                                 int& nofollow) const {
    robots = m_pScan->nMetaRobots;
    index = m_pScan->nMetaIndex;
    noindex = m_pScan->nMetaNoindex;
    follow = m_pScan->nMetaFollow;
    nofollow = m_pScan->nMetaNofollow;
}

bool CPageAnalyzer::NextLinkToDomain(std::string_view domain, std::string& url, std::string& text,
                                     int& nofollow) {
    SScan& scan = *m_pScan;
    if (!scan.bDomainValid || scan.domain != domain) {
        scan.domain.assign(domain);
        scan.domainSite = DomainSiteOf(domain);
        scan.bDomainValid = true;
    }
    while (scan.nLinkCursor < scan.links.size()) {
        const SLinkRecord& link = scan.links[scan.nLinkCursor++];
        if (scan.IsToSite(link, scan.domainSite)) {
            url.assign(scan.UrlOf(link));
            text.assign(scan.TextOf(link));
            nofollow = link.nNofollow;
            return true;
        }
    }
    return false;
}

std::size_t CPageAnalyzer::GetLastLinkIndex() const {
    return m_pScan->nLinkCursor == 0 ? 0 : m_pScan->nLinkCursor - 1;
}

std::size_t CPageAnalyzer::GetLastLinkPosition() const {
    const SScan& scan = *m_pScan;
    return scan.nLinkCursor == 0 ? 0 : scan.links[scan.nLinkCursor - 1].nPosition;
}

CLinkInfo CPageAnalyzer::GetLink(std::size_t index) const {
    return index < m_pScan->links.size() ? m_pScan->LinkInfoOf(m_pScan->links[index]) : CLinkInfo{};
}

std::vector<CLinkInfo> CPageAnalyzer::GetLinks() const {
    std::vector<CLinkInfo> links;
    links.reserve(m_pScan->links.size());
    for (const SLinkRecord& record : m_pScan->links) {
        links.push_back(m_pScan->LinkInfoOf(record));
    }
    return links;
}

CLinkInfo CPageAnalyzer::ParseAnchor(std::string_view baseUrl, std::string_view anchor) {
    CPageAnalyzer analyzer;
    analyzer.Load(baseUrl, anchor);
    const SScan& scan = *analyzer.m_pScan;
    return scan.links.empty() ? CLinkInfo{} : scan.LinkInfoOf(scan.links.front());
}

} // namespace tessaray
