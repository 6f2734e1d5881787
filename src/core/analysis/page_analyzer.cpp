#include "core/analysis/page_analyzer.h"

#include "core/project/url_rules.h"
#include "core/util/byte_search.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace tessaray {

namespace {

constexpr std::size_t npos = std::string_view::npos;

// One link in the compact store: its URL and, right after it, its text are stretches of one
// shared buffer, so a page with thousands of links does not cost two allocations per link. Kept
// small: a large page holds tens of thousands of them.
struct SLinkRecord {
    std::size_t nUrlAt = 0;
    std::size_t nUrlLength = 0;
    std::size_t nTextLength = 0;
    std::size_t nHostAt = 0; // where the URL goes on after its scheme (0 without one)
    std::uint8_t nNofollow = 0;
    std::uint8_t nExternal = 0;
    std::uint8_t nInternal = 0;
    std::uint8_t nInPage = 0;
    std::size_t TextAt() const { return nUrlAt + nUrlLength; }
};

// Blocks of 16 bytes for the SSE2 loops below.
constexpr std::size_t kBlock = 16;

// First position >= from of "<!--" or "-->", whichever comes first; npos when neither occurs.
// Both marks hold "--", so the scan looks for that pair and then checks around it: "<!" before
// it (a "<!--" starting two bytes earlier), or ">" after it.
std::size_t FindCommentMark(std::string_view text, std::size_t from) {
    const std::size_t n = text.size();
    const char* p = text.data();
    const auto markAround = [&](std::size_t i) {
        if (i >= from + 2 && p[i - 2] == '<' && p[i - 1] == '!') {
            return i - 2;
        }
        return i + 2 < n && p[i + 2] == '>' ? i : npos;
    };
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i dash = _mm_set1_epi8('-');
    for (; i + kBlock + 1 <= n; i += kBlock) {
        const __m128i b0 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i));
        const __m128i b1 = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i + 1));
        for (auto mask = static_cast<unsigned>(_mm_movemask_epi8(
                 _mm_and_si128(_mm_cmpeq_epi8(b0, dash), _mm_cmpeq_epi8(b1, dash))));
             mask != 0; mask &= mask - 1) {
            const std::size_t mark =
                markAround(i + static_cast<std::size_t>(std::countr_zero(mask)));
            if (mark != npos) {
                return mark;
            }
        }
    }
#endif
    for (; i + 1 < n; ++i) {
        if (p[i] == '-' && p[i + 1] == '-') {
            const std::size_t mark = markAround(i);
            if (mark != npos) {
                return mark;
            }
        }
    }
    return npos;
}

// Anchors keep the bytes 0x20..0x7F only.
bool IsRemovedAnchorByte(char c) {
    return static_cast<unsigned char>(static_cast<unsigned char>(c) - 0x20) > 0x5F;
}

// Writes the lower-case copy of n bytes of an anchor to dst, and tells whether the anchor holds a
// byte to remove: one pass over the anchor, which is still in the cache from the search. src and
// dst never overlap.
bool LowerAnchorBytes(const char* __restrict src, char* __restrict dst, std::size_t n) {
    std::size_t i = 0;
#if defined(__SSE2__)
    if (n >= kBlock) {
        // Signed byte compares: "A".."Z" are the bytes that land below -128 + 26 after adding
        // 0x80 - "A"; the removed bytes (below 0x20, or 0x80 and up) are those below 0x20.
        const __m128i shift = _mm_set1_epi8(static_cast<char>(0x80 - 'A'));
        const __m128i upperLimit = _mm_set1_epi8(static_cast<char>(-128 + 26));
        const __m128i caseBit = _mm_set1_epi8(0x20);
        const __m128i blank = _mm_set1_epi8(0x20);
        __m128i removed = _mm_setzero_si128();
        const auto lowerBlock = [&](std::size_t at) {
            const __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(src + at));
            const __m128i upper = _mm_cmplt_epi8(_mm_add_epi8(x, shift), upperLimit);
            _mm_storeu_si128(reinterpret_cast<__m128i*>(dst + at),
                             _mm_or_si128(x, _mm_and_si128(upper, caseBit)));
            removed = _mm_or_si128(removed, _mm_cmplt_epi8(x, blank));
        };
        for (; i + kBlock <= n; i += kBlock) {
            lowerBlock(i);
        }
        if (i < n) {
            lowerBlock(n - kBlock); // the last bytes, in a block that overlaps the one before
        }
        return _mm_movemask_epi8(removed) != 0;
    }
#endif
    bool removed = false;
    for (; i < n; ++i) {
        dst[i] = LowerAscii(src[i]);
        removed |= IsRemovedAnchorByte(src[i]);
    }
    return removed;
}

// First position >= from of a removed byte in text[0..n); n when there is none. (As signed
// bytes, the removed ones are exactly those below 0x20.)
std::size_t NextRemovedAnchorByte(const char* text, std::size_t n, std::size_t from) {
    std::size_t i = from;
#if defined(__SSE2__)
    const __m128i blank = _mm_set1_epi8(0x20);
    for (; i + kBlock <= n; i += kBlock) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(text + i));
        const auto mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmplt_epi8(block, blank)));
        if (mask != 0) {
            return i + static_cast<std::size_t>(std::countr_zero(mask));
        }
    }
#endif
    for (; i < n; ++i) {
        if (IsRemovedAnchorByte(text[i])) {
            return i;
        }
    }
    return n;
}

// Copies n bytes of an anchor and of its lower-case copy without their removed bytes (the same
// positions in both), run by run between the removed bytes; returns how many were kept.
std::size_t FilterAnchorBytes(const char* __restrict text, const char* __restrict lower,
                              char* __restrict outText, char* __restrict outLower, std::size_t n) {
    std::size_t kept = 0;
    for (std::size_t i = 0; i < n;) {
        const std::size_t removed = NextRemovedAnchorByte(text, n, i);
        std::memcpy(outText + kept, text + i, removed - i);
        std::memcpy(outLower + kept, lower + i, removed - i);
        kept += removed - i;
        i = removed + 1;
    }
    return kept;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

// Position just after the first "http://" or "https://" in lower-case text, whichever comes
// first; npos when neither occurs. (One pass, where FindScheme searches twice.)
std::size_t SchemeEnd(std::string_view url) {
    // Most URLs start with their scheme; then that is the first "http" for sure.
    if (url.starts_with("http://")) {
        return 7;
    }
    if (url.starts_with("https://")) {
        return 8;
    }
    for (std::size_t at = url.find("http"); at != npos; at = url.find("http", at + 1)) {
        if (url.compare(at + 4, 3, "://") == 0) {
            return at + 7;
        }
        if (url.compare(at + 4, 4, "s://") == 0) {
            return at + 8;
        }
    }
    return npos;
}

} // namespace

struct CPageAnalyzer::SScan {
    void FindRobotsMeta(std::string_view head);
    void CollectAnchors(std::string_view body);
    std::string_view UrlOf(const SLinkRecord& link) const;
    std::string_view TextOf(const SLinkRecord& link) const;

    std::string host;
    int nMetaRobots = 0;
    int nMetaIndex = 0;
    int nMetaNoindex = 0;
    int nMetaFollow = 0;
    int nMetaNofollow = 0;
    CLineList anchors;
    std::vector<SLinkRecord> links;
    std::string linkBytes; // the URLs and texts of links
    std::string domain;    // the last domain asked for, and its reduced lower-case form
    std::string domainReduced;
    int nExternalCount = 0;
    int nInternalCount = 0;
    std::size_t nLinkCursor = 0;
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

void CPageAnalyzer::ResetLinkCursor() {
    m_pScan->nLinkCursor = 0;
}

const CLineList& CPageAnalyzer::GetAnchors() const {
    return m_pScan->anchors;
}

const std::string& CPageAnalyzer::GetHost() const {
    return m_pScan->host;
}

// Everything up to and including the first scheme dropped, then cut at a "/" that is not the
// first character. Case is kept.
std::string CPageAnalyzer::HostOfBaseUrl(std::string_view baseUrl) {
    const std::size_t schemeEnd = SchemeEnd(ToLowerAscii(baseUrl));
    if (schemeEnd != npos) {
        baseUrl.remove_prefix(schemeEnd);
    }
    const std::size_t slash = baseUrl.find('/');
    if (slash != npos && slash > 0) {
        baseUrl = baseUrl.substr(0, slash);
    }
    return std::string(baseUrl);
}

namespace {

// A lower-case URL or domain reduced for the domain test: up to and including the first scheme
// dropped, then one trailing "/".
std::string_view ReduceForDomainTest(std::string_view lower) {
    const std::size_t schemeEnd = SchemeEnd(lower);
    if (schemeEnd != npos) {
        lower.remove_prefix(schemeEnd);
    }
    if (!lower.empty() && lower.back() == '/') {
        lower.remove_suffix(1);
    }
    return lower;
}

// The href value: after the first "href", past the next "=", leading bytes below "!" skipped; it
// ends at a blank, a ">" or the second quote; quotes are not copied. So the value is at most two
// runs of bytes: the one before the first quote and the one after it. valueAt is where the value
// would stand in the anchor if it were written there as one run.
void AppendUrl(std::string_view lowerAnchor, std::string& out, std::size_t& valueAt) {
    valueAt = 0;
    // Most anchors start "<a href=": no search needed for them.
    const bool plain = lowerAnchor.starts_with("<a href=");
    const std::size_t href = plain ? 3 : FindFast(lowerAnchor, "href");
    if (href == npos) {
        return;
    }
    const std::size_t equals = plain ? 7 : lowerAnchor.find('=', href + 4);
    if (equals == npos) {
        return;
    }
    const std::size_t n = lowerAnchor.size();
    // Where a run of the value ends: the next blank, ">" or quote, or the end of the anchor.
    const auto runEnd = [&](std::size_t i) {
        const std::size_t end = FindAnyOf(lowerAnchor, " >\"'", i);
        return end == npos ? n : end;
    };
    std::size_t start = equals + 1;
    while (start < n && static_cast<unsigned char>(lowerAnchor[start]) < '!') {
        ++start;
    }
    const std::size_t stop = runEnd(start);
    valueAt = start;
    out.append(lowerAnchor.substr(start, stop - start));
    if (stop < n && IsQuote(lowerAnchor[stop])) {
        const std::size_t second = runEnd(stop + 1);
        if (stop == start) {
            valueAt = stop + 1;
        }
        out.append(lowerAnchor.substr(stop + 1, second - stop - 1));
    }
}

// Tag stripping, in one pass: while the text holds both "<" and ">", a ">" before the first "<"
// drops everything up to and including it (character by character, so whatever was kept before
// goes too); otherwise the stretch from the first "<" through the first ">" is removed.
void StripTags(std::string_view text, std::string& out) {
    out.clear();
    const std::size_t lastLt = text.rfind('<');
    const std::size_t lastGt = text.rfind('>');
    std::size_t i = 0;
    // Both still occur from i on while i has passed neither the last "<" nor the last ">".
    while (lastLt != npos && lastGt != npos && i <= lastLt && i <= lastGt) {
        const std::size_t at = FindAnyOf(text, "<>", i);
        if (text[at] == '>') {
            out.clear();
            i = at + 1;
            continue;
        }
        const std::size_t gt = text.find('>', at + 1);
        if (gt == npos) {
            break;
        }
        out.append(text.substr(i, at - i));
        i = gt + 1;
    }
    out.append(text.substr(i));
}

// Where the anchor text lies: after the first occurrence of the URL value (compared without
// regard to case; from the start when it does not occur), after the next ">", up to the next
// "</a"; npos when there is no such ">" or "</a". valueAt is where AppendUrl found the value;
// when the value stands there as copied, its first occurrence ends there at the latest.
// knownClose, unless npos, is the position of the anchor's only "</a" past its "<a ".
std::size_t FindInnerText(std::string_view lowerAnchor, std::string_view url, std::size_t valueAt,
                          std::size_t knownClose, std::size_t& innerEnd) {
    std::string_view searched = lowerAnchor;
    if (lowerAnchor.compare(valueAt, url.size(), url) == 0) {
        searched = lowerAnchor.substr(0, valueAt + url.size());
    }
    std::size_t from = FindLinear(searched, url);
    from = from == npos ? 0 : from + url.size();
    const std::size_t gt = lowerAnchor.find('>', from);
    if (gt == npos) {
        return npos;
    }
    if (knownClose != npos) {
        innerEnd = gt + 1 <= knownClose ? knownClose : npos;
    } else {
        innerEnd = FindFast(lowerAnchor, "</a", gt + 1);
    }
    return innerEnd == npos ? npos : gt + 1;
}

// Appends the inner text with its tags stripped, or the inner text itself when stripping leaves
// nothing (an image link, for example).
void AppendStrippedText(std::string_view inner, std::string& out, std::string& scratch) {
    if (inner.find('<') == npos || inner.find('>') == npos) {
        out.append(inner); // nothing to strip
        return;
    }
    StripTags(inner, scratch);
    out.append(scratch.empty() ? inner : std::string_view(scratch));
}

bool IsNofollowToken(std::string_view token) {
    return token == "nofollow" || token == "ugc" || token == "sponsored";
}

// True when the opening tag (up to tagEnd, the anchor's first ">") has a rel attribute (" rel",
// blanks, "=", blanks, a value in double, single or no quotes) with one of the tokens nofollow,
// ugc or sponsored. The first " rel" that is followed by "=" is the attribute.
bool HasNofollowRel(std::string_view lowerAnchor, std::size_t tagEnd) {
    const std::string_view tag = lowerAnchor.substr(0, tagEnd);
    const std::size_t n = tag.size();
    for (std::size_t rel = FindFast(tag, " rel", 1); rel != npos;
         rel = FindFast(tag, " rel", rel + 1)) {
        std::size_t i = rel + 4;
        while (i < n && IsBlank(tag[i])) {
            ++i;
        }
        if (i == n || tag[i] != '=') {
            continue;
        }
        ++i;
        while (i < n && IsBlank(tag[i])) {
            ++i;
        }
        std::size_t end;
        if (i < n && IsQuote(tag[i])) {
            const char quote = tag[i++];
            end = tag.find(quote, i);
        } else {
            end = i;
            while (end < n && !IsBlank(tag[end])) {
                ++end;
            }
        }
        const std::string_view value = tag.substr(i, end == npos ? npos : end - i);
        std::size_t t = 0;
        while (t < value.size()) {
            while (t < value.size() && IsBlank(value[t])) {
                ++t;
            }
            std::size_t e = t;
            while (e < value.size() && !IsBlank(value[e])) {
                ++e;
            }
            if (e > t && IsNofollowToken(value.substr(t, e - t))) {
                return true;
            }
            t = e;
        }
        return false;
    }
    return false;
}

// Classifies a (filtered) anchor string, given with its lower-case copy; its URL and text are
// appended to bytes. tagEnd and knownClose, unless npos, are the positions of the anchor's first
// ">" and of its closing "</a", when the caller knows them already.
SLinkRecord ParseAnchorInto(const std::string& host, std::string_view anchor,
                            std::string_view lowerAnchor, std::size_t tagEnd,
                            std::size_t knownClose, std::string& bytes, std::string& scratch) {
    SLinkRecord link;
    link.nUrlAt = bytes.size();
    std::size_t valueAt = 0;
    AppendUrl(lowerAnchor, bytes, valueAt);
    link.nUrlLength = bytes.size() - link.nUrlAt;
    // Everything that needs the URL comes before the text is appended, which may move bytes.
    const std::string_view url(bytes.data() + link.nUrlAt, link.nUrlLength);
    std::size_t innerEnd = 0;
    const std::size_t innerAt = FindInnerText(lowerAnchor, url, valueAt, knownClose, innerEnd);
    link.nNofollow =
        HasNofollowRel(lowerAnchor, tagEnd != npos ? tagEnd : lowerAnchor.find('>')) ? 1 : 0;
    const std::size_t schemeEnd = SchemeEnd(url);
    link.nHostAt = schemeEnd == npos ? 0 : schemeEnd;
    if (!url.empty() && url.front() == '#') {
        link.nInPage = 1;
    } else if (schemeEnd == npos || url.find(host) != npos) {
        link.nInternal = 1;
    } else {
        link.nExternal = 1;
    }
    if (innerAt != npos) {
        AppendStrippedText(anchor.substr(innerAt, innerEnd - innerAt), bytes, scratch);
    }
    link.nTextLength = bytes.size() - link.TextAt();
    return link;
}

// Position of the first occurrence of needle in out[0..outLength) + rest that starts inside out;
// npos when there is none. out itself holds no whole needle.
std::size_t FindAcross(const char* out, std::size_t outLength, std::string_view rest,
                       std::string_view needle) {
    // Quick exit: out's last byte must be one of the needle's first bytes.
    if (outLength == 0) {
        return npos;
    }
    bool possible = false;
    for (std::size_t k = 0; k + 1 < needle.size(); ++k) {
        possible |= needle[k] == out[outLength - 1];
    }
    if (!possible) {
        return npos;
    }
    for (std::size_t k = std::min(needle.size() - 1, outLength); k >= 1; --k) {
        if (rest.size() >= needle.size() - k &&
            std::memcmp(out + outLength - k, needle.data(), k) == 0 &&
            std::memcmp(rest.data(), needle.data() + k, needle.size() - k) == 0) {
            return outLength - k;
        }
    }
    return npos;
}

} // namespace

void CPageAnalyzer::RemoveComments(std::string& text) {
    static constexpr std::string_view kOpen = "<!--";
    static constexpr std::string_view kClose = "-->";
    // The text is compacted in place: kept[0..kept) is the text kept so far, input[rest..) is
    // still to read. Kept text never holds a whole "<!--" or "-->", so the first of each in the
    // current text either spans the seam or lies in the unread input.
    char* buffer = text.data();
    const std::size_t n = text.size();
    const std::string_view input(buffer, n);
    CForwardFinder open(input, kOpen);
    if (open.From(0) == npos) {
        return;
    }
    CForwardFinder close(input, kClose);
    std::size_t kept = 0;
    std::size_t rest = 0;
    // Appends input[rest..) up to the current-text position `upTo` (> kept) to the kept text.
    const auto keepUpTo = [&](std::size_t upTo) {
        if (upTo > kept) {
            std::memmove(buffer + kept, buffer + rest, upTo - kept);
        }
        kept = upTo;
    };
    // Positions in the unread input, turned into positions in the current text.
    const auto current = [&](std::size_t at) { return at == npos ? npos : kept + (at - rest); };
    while (true) {
        const std::string_view unread = input.substr(rest);
        std::size_t a = FindAcross(buffer, kept, unread, kOpen);
        std::size_t b = FindAcross(buffer, kept, unread, kClose);
        if (a != npos || b != npos) {
            // A mark spans the seam (rare): look for each on its own.
            if (a == npos) {
                a = current(open.From(rest));
            }
            if (b == npos) {
                b = current(close.From(rest));
            }
        } else {
            // One scan finds whichever mark comes first, then the other is looked for from there.
            const std::size_t mark = FindCommentMark(input, rest);
            if (mark == npos) {
                break;
            }
            if (input[mark] == '<') {
                a = current(mark);
                b = current(close.From(mark + 2)); // "<!-->" is a whole comment
            } else {
                b = current(mark);
                a = current(open.From(mark + 3));
            }
        }
        if (a == npos) {
            break;
        }
        const std::size_t keptBefore = kept;
        if (b == npos) {
            // Unterminated comment: the text ends where it starts.
            keepUpTo(a);
            rest = n;
            break;
        }
        if (b >= a) {
            keepUpTo(a);
            rest += b + kClose.size() - keptBefore;
        } else {
            // A stray "-->" first: everything up to it goes, and so, pass after pass, up to the
            // last "-->" before the comment (none can overlap the "<!--").
            if (b >= keptBefore) {
                const std::size_t openAt = rest + (a - keptBefore);
                b = keptBefore + input.substr(rest, openAt - rest).rfind(kClose);
            }
            kept = 0;
            rest += b + kClose.size() - keptBefore;
        }
        if (kept == 0 && rest == n) {
            break;
        }
    }
    std::memmove(buffer + kept, buffer + rest, n - rest);
    text.resize(kept + (n - rest));
}

void CPageAnalyzer::Load(std::string_view baseUrl, std::string_view page) {
    m_pScan->host = HostOfBaseUrl(baseUrl);
    m_pScan->anchors.RemoveAll();
    m_pScan->links.clear();
    m_pScan->linkBytes.clear();
    m_pScan->nExternalCount = m_pScan->nInternalCount = 0;
    m_pScan->nLinkCursor = 0;

    // Every search below ignores the case of ASCII letters, as a search on a lower-case copy of
    // the page would; only the stretches that are taken apart (the robots meta tag, each anchor)
    // get a lower-case copy. So the page is read in one sweep, and no page-sized copy is made.

    // Head and body: the head is the text before "</head" (or before "<body"); the body starts
    // at "<body" when there is one past the start.
    std::string_view head;
    std::size_t headEnd = FindNoCase(page, "</head");
    const std::size_t body = FindNoCase(page, "<body");
    if (headEnd == npos) {
        headEnd = body;
    }
    if (headEnd != npos) {
        head = page.substr(0, headEnd);
        if (body != npos && body > 0) {
            page.remove_prefix(body);
        }
    }
    m_pScan->FindRobotsMeta(head);
    m_pScan->CollectAnchors(page);
}

void CPageAnalyzer::SScan::FindRobotsMeta(std::string_view head) {
    nMetaRobots = nMetaIndex = nMetaNoindex = nMetaFollow = nMetaNofollow = 0;
    std::size_t pos = 0;
    while ((pos = FindNoCase(head, "<meta", pos)) != npos) {
        const std::size_t gt = head.find('>', pos);
        const std::size_t end = gt == npos ? head.size() : gt + 1;
        const std::string tag = ToLowerAscii(head.substr(pos, end - pos));
        if (tag.find("robots") != npos) {
            nMetaRobots = 1;
            nMetaIndex = tag.find("index") != npos ? 1 : 0;
            nMetaNoindex = tag.find("noindex") != npos ? 1 : 0;
            nMetaFollow = tag.find("follow") != npos ? 1 : 0;
            nMetaNofollow = tag.find("nofollow") != npos ? 1 : 0;
            return;
        }
        pos = end;
    }
}

void CPageAnalyzer::SScan::CollectAnchors(std::string_view body) {
    using ECase = CForwardFinder::ECase;
    CForwardFinder closeTag(body, "</a", ECase::kIgnore);
    CForwardFinder nextGt(body, ">");
    CForwardFinder href(body, " href", ECase::kIgnore);
    std::string lowered; // the lower-case copy of the current anchor
    std::string anchor;  // the anchor and its lower-case copy without their removed bytes
    std::string lowerAnchor;
    std::string scratch;
    std::size_t pos = 0;
    std::size_t start;
    while ((start = FindNoCase(body, "<a ", pos)) != npos) {
        const std::size_t close = closeTag.From(start + 3);
        if (close == npos) {
            break;
        }
        const std::size_t end = std::min(close + 4, body.size());
        const std::size_t gt = nextGt.From(start);
        if (gt >= end) {
            pos = start + 1; // no ">": not an anchor; look for the next "<a "
            continue;
        }
        // Most anchors start "<a href": then that is the first " href" from the start on.
        const bool plainHref = FindNoCase(body.substr(start + 2, 5), " href") == 0;
        const std::size_t hrefAt = plainHref ? start + 2 : href.From(start);
        if (hrefAt == npos || hrefAt >= gt) {
            pos = start + 1;
            continue;
        }
        // Most anchors have no byte to remove: their text is taken straight from the page;
        // the others are filtered (the same positions go in both copies).
        std::string_view text = body.substr(start, end - start);
        if (lowered.size() < text.size()) {
            lowered.resize(text.size());
        }
        const bool removed = LowerAnchorBytes(text.data(), lowered.data(), text.size());
        std::string_view lowerText = std::string_view(lowered).substr(0, text.size());
        // Where the first ">" and the closing "</a" stand in the anchor.
        std::size_t tagEnd = gt - start;
        std::size_t knownClose = close - start;
        if (removed) {
            anchor.resize(text.size());
            lowerAnchor.resize(text.size());
            const std::size_t kept = FilterAnchorBytes(text.data(), lowerText.data(), anchor.data(),
                                                       lowerAnchor.data(), text.size());
            text = std::string_view(anchor).substr(0, kept);
            lowerText = std::string_view(lowerAnchor).substr(0, kept);
            tagEnd = knownClose = npos; // removing bytes moves them and may join a new "</a"
        }
        anchors.Add(text);
        const SLinkRecord& link = links.emplace_back(
            ParseAnchorInto(host, text, lowerText, tagEnd, knownClose, linkBytes, scratch));
        nExternalCount += link.nExternal;
        nInternalCount += link.nInternal;
        pos = end;
    }
}

void CPageAnalyzer::GetMetaFlags(int& robots, int& index, int& noindex, int& follow,
                                 int& nofollow) const {
    robots = m_pScan->nMetaRobots;
    index = m_pScan->nMetaIndex;
    noindex = m_pScan->nMetaNoindex;
    follow = m_pScan->nMetaFollow;
    nofollow = m_pScan->nMetaNofollow;
}

std::string_view CPageAnalyzer::SScan::UrlOf(const SLinkRecord& link) const {
    return std::string_view(linkBytes).substr(link.nUrlAt, link.nUrlLength);
}

std::string_view CPageAnalyzer::SScan::TextOf(const SLinkRecord& link) const {
    return std::string_view(linkBytes).substr(link.TextAt(), link.nTextLength);
}

bool CPageAnalyzer::NextLinkToDomain(std::string_view domain, std::string& url, std::string& text,
                                     int& nofollow) {
    if (m_pScan->domain != domain || m_pScan->domainReduced.empty()) {
        m_pScan->domain.assign(domain);
        m_pScan->domainReduced.assign(ReduceForDomainTest(ToLowerAscii(domain)));
    }
    const std::string_view d = m_pScan->domainReduced;
    while (m_pScan->nLinkCursor < m_pScan->links.size()) {
        const SLinkRecord& link = m_pScan->links[m_pScan->nLinkCursor++];
        std::string_view u = m_pScan->UrlOf(link).substr(link.nHostAt);
        if (!u.empty() && u.back() == '/') {
            u.remove_suffix(1);
        }
        if (u.find(d) != npos) {
            url.assign(m_pScan->UrlOf(link));
            text.assign(m_pScan->TextOf(link));
            nofollow = link.nNofollow;
            return true;
        }
    }
    return false;
}

namespace {

CLinkInfo ToLinkInfo(const SLinkRecord& record, std::string_view bytes) {
    CLinkInfo link;
    link.m_strUrl.assign(bytes.substr(record.nUrlAt, record.nUrlLength));
    link.m_strText.assign(bytes.substr(record.TextAt(), record.nTextLength));
    link.m_nNofollow = record.nNofollow;
    link.m_nExternal = record.nExternal;
    link.m_nInternal = record.nInternal;
    link.m_nInPage = record.nInPage;
    return link;
}

} // namespace

std::vector<CLinkInfo> CPageAnalyzer::GetLinks() const {
    std::vector<CLinkInfo> links;
    links.reserve(m_pScan->links.size());
    for (const SLinkRecord& record : m_pScan->links) {
        links.push_back(ToLinkInfo(record, m_pScan->linkBytes));
    }
    return links;
}

CLinkInfo CPageAnalyzer::ParseAnchor(std::string_view baseUrl, std::string_view anchor) {
    std::string bytes;
    std::string scratch;
    const SLinkRecord record = ParseAnchorInto(HostOfBaseUrl(baseUrl), anchor, ToLowerAscii(anchor),
                                               npos, npos, bytes, scratch);
    return ToLinkInfo(record, bytes);
}

} // namespace tessaray
