#include "core/page/page_charset.h"

#include "core/util/ascii.h"
#include "core/util/byte_search.h"
#include "core/util/utf8_text.h"

#include <cerrno>
#include <iconv.h>

namespace tessaray {

namespace {

constexpr std::size_t npos = std::string_view::npos;
constexpr std::string_view kUtf8 = "UTF-8";
constexpr std::string_view kWindows1252 = "WINDOWS-1252";
// How far into a page a <meta> charset is looked for when the head does not end earlier.
constexpr std::size_t kMetaScanLimit = std::size_t{64} * 1024;

// The iconv name for a charset label, or empty for none.
std::string CharsetName(std::string_view label, bool fromMeta) {
    std::string name = ToLowerAscii(label);
    Trim(name);
    if (name.empty()) {
        return {};
    }
    for (const std::string_view latin1 :
         {"iso-8859-1", "iso8859-1", "iso_8859-1", "latin1", "l1", "us-ascii", "ascii", "cp1252",
          "x-cp1252", "windows-1252", "cp819", "ibm819"}) {
        if (name == latin1) {
            return std::string(kWindows1252);
        }
    }
    // A page cannot declare UTF-16 in its own bytes meaningfully; browsers read it as UTF-8.
    if (name == "utf8" || name == "unicode-1-1-utf-8" || (fromMeta && name.starts_with("utf-16"))) {
        return std::string(kUtf8);
    }
    if (name == "gb2312" || name == "x-gbk") {
        return "GBK";
    }
    return ToUpperAscii(name);
}

// The value after "charset=" in text (a header line or a meta tag), without quotes.
std::string_view CharsetParameter(std::string_view text) {
    const std::size_t at = FindNoCase(text, "charset");
    if (at == npos) {
        return {};
    }
    std::size_t i = at + 7;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    if (i == text.size() || text[i] != '=') {
        return {};
    }
    ++i;
    while (i < text.size() && (IsBlank(text[i]) || text[i] == '"' || text[i] == '\'')) {
        ++i;
    }
    std::size_t end = i;
    while (end < text.size() && !IsBlank(text[end]) &&
           std::string_view("\"';>,").find(text[end]) == npos) {
        ++end;
    }
    return text.substr(i, end - i);
}

// The value of the last header line named name (lower case, with its ":") of the header block
// (after redirects, the last response's header counts); empty without one.
std::string_view LastHeaderValue(std::string_view block, std::string_view name) {
    std::string_view found;
    std::size_t from = 0;
    while (from < block.size()) {
        std::size_t end = block.find('\n', from);
        end = end == npos ? block.size() : end;
        const std::string_view line = block.substr(from, end - from);
        if (line.size() > name.size() && EqualsNoCase(line.substr(0, name.size()), name)) {
            found = line.substr(name.size());
        }
        from = end + 1;
    }
    return found;
}

std::string HeaderCharset(std::string_view block) {
    return CharsetName(CharsetParameter(LastHeaderValue(block, "content-type:")), false);
}

// The charset a byte-order mark at the start of the page names; empty without one. It goes before
// every label, as in browsers.
std::string_view BomCharset(std::string_view page) {
    if (page.starts_with("\xEF\xBB\xBF")) {
        return kUtf8;
    }
    if (page.starts_with("\xFF\xFE")) {
        return "UTF-16LE";
    }
    if (page.starts_with("\xFE\xFF")) {
        return "UTF-16BE";
    }
    return {};
}

bool IsKnownCharset(std::string_view charset) {
    const iconv_t cd = iconv_open("UTF-8", std::string(charset).c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) { // NOLINT(performance-no-int-to-ptr)
        return false;
    }
    iconv_close(cd);
    return true;
}

std::string MetaCharset(std::string_view page) {
    std::size_t limit = FindNoCase(page, "</head");
    limit = limit == npos ? kMetaScanLimit : limit;
    const std::string_view head = page.substr(0, limit);
    for (std::size_t at = FindNoCase(head, "<meta"); at != npos;
         at = FindNoCase(head, "<meta", at + 5)) {
        const std::size_t gt = head.find('>', at);
        std::string name =
            CharsetName(CharsetParameter(head.substr(at, gt == npos ? npos : gt - at)), true);
        if (!name.empty()) {
            return name;
        }
    }
    return {};
}

} // namespace

std::string SniffCharset(std::string_view headerBlock, std::string_view page) {
    std::string name(BomCharset(page));
    if (name.empty()) {
        name = HeaderCharset(headerBlock);
    }
    if (name.empty()) {
        name = MetaCharset(page);
    }
    if (name.empty()) {
        name = IsValidUtf8(page) ? kUtf8 : kWindows1252;
    }
    return name;
}

std::string UndecodableReason(std::string_view headerBlock, std::string_view page,
                              std::string_view charset) {
    std::string encoding(LastHeaderValue(headerBlock, "content-encoding:"));
    Trim(encoding);
    if (!encoding.empty() && !EqualsNoCase(encoding, "identity")) {
        return "Content-Encoding: " + encoding;
    }
    const bool ascii = AsciiPrefixLength(page) == page.size();
    if (!ascii && !IsKnownCharset(charset)) {
        return "charset " + std::string(charset);
    }
    return {};
}

void ConvertToUtf8InPlace(std::string& text, std::string_view charset) {
    if (!EqualsNoCase(charset, "utf-8") || !IsValidUtf8(text)) {
        text = ConvertToUtf8(text, charset);
    }
}

std::string ConvertToUtf8(std::string_view text, std::string_view charset) {
    const bool utf8 = EqualsNoCase(charset, "utf-8");
    if (utf8 && IsValidUtf8(text)) {
        return std::string(text);
    }
    // iconv_open reports failure as (iconv_t)-1.
    const auto failed = [](iconv_t cd) {
        return cd == reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr)
    };
    const std::string from(utf8 ? kUtf8 : charset);
    iconv_t cd = iconv_open("UTF-8", from.c_str());
    if (failed(cd)) {
        if (IsValidUtf8(text)) {
            return std::string(text);
        }
        cd = iconv_open("UTF-8", std::string(kWindows1252).c_str());
        if (failed(cd)) {
            return std::string(text);
        }
    }
    std::string out(text.size() + text.size() / 2 + 16, '\0');
    // iconv's interface takes non-const input pointers; it does not write through them.
    char* in = const_cast<char*>(text.data());
    std::size_t inLeft = text.size();
    std::size_t written = 0;
    while (inLeft > 0) {
        char* outAt = out.data() + written;
        std::size_t outLeft = out.size() - written;
        const std::size_t result = iconv(cd, &in, &inLeft, &outAt, &outLeft);
        written = out.size() - outLeft;
        if (result != static_cast<std::size_t>(-1)) {
            break;
        }
        if (errno == E2BIG) {
            out.resize(out.size() * 2);
            continue;
        }
        // A byte the charset does not allow, or a sequence cut off at the end: U+FFFD for it.
        if (out.size() - written < 3) {
            out.resize(out.size() * 2);
        }
        out.replace(written, 3, "\xEF\xBF\xBD");
        written += 3;
        ++in;
        --inLeft;
    }
    // Stateful charsets (ISO-2022-JP) may owe a final shift sequence.
    out.resize(written + 16);
    char* outAt = out.data() + written;
    std::size_t outLeft = out.size() - written;
    iconv(cd, nullptr, nullptr, &outAt, &outLeft);
    written = out.size() - outLeft;
    iconv_close(cd);
    out.resize(written);
    return out;
}

} // namespace tessaray
