#include "core/app/support_request.h"

namespace tessaray {

namespace {

struct LetterEscape {
    unsigned char cp1252;
    unsigned char utf8Second; // the UTF-8 form is 0xC3 followed by this byte
    std::string_view escape;
};

constexpr LetterEscape kLetterEscapes[] = {
    {0xE4, 0xA4, "%E4"}, {0xF6, 0xB6, "%F6"}, {0xFC, 0xBC, "%FC"}, {0xC4, 0x84, "%C4"},
    {0xD6, 0x96, "%D6"}, {0xDC, 0x9C, "%DC"}, {0xDF, 0x9F, "%DF"},
};

bool IsContinuation(unsigned char c) {
    return c >= 0x80 && c <= 0xBF;
}

// Length of the UTF-8 multi-byte sequence (a lead byte and its continuation bytes) at text[pos], 0
// when there is none.
std::size_t Utf8SequenceLength(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
    }
    if (length == 0 || pos + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        if (!IsContinuation(static_cast<unsigned char>(text[pos + i]))) {
            return 0;
        }
    }
    return length;
}

} // namespace

void ReplaceUntilNone(std::string& text, std::string_view from, std::string_view to) {
    if (from.empty()) {
        return;
    }
    // Everything before a replaced occurrence held none, so a new occurrence can only begin within
    // from.size() - 1 characters before the inserted text: resuming the search there finds the
    // same first occurrence as a search from the beginning.
    const bool bRescan = to.find(from) == std::string_view::npos;
    for (auto pos = text.find(from); pos != std::string::npos;) {
        text.replace(pos, from.size(), to);
        std::size_t resume = pos + to.size();
        if (bRescan) {
            resume = pos >= from.size() - 1 ? pos - (from.size() - 1) : 0;
        }
        pos = text.find(from, resume);
    }
}

std::string MakeSupportSubject(std::string_view versionCode, std::string_view language,
                               std::string_view osName) {
    std::string subject = "Dalvero-Tessaray-Support%20-%20";
    subject.append("Vers-").append(versionCode).append("-").append(language);
    subject.append("%20-%20").append(osName);
    ReplaceUntilNone(subject, " ", "%20");
    return subject;
}

std::string MakeSupportBody(std::string_view versionCode, std::string_view language,
                            std::string_view osName) {
    std::string body = "Tessaray\r\n";
    body.append("Fileversion: ").append(versionCode).append("\r\n");
    body.append("Language: ").append(language).append("\r\n");
    body.append("OS: ").append(osName).append("\r\n");
    return body;
}

std::string EscapeMailText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t pos = 0; pos < text.size();) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c == ':') {
            out += "%3A";
            ++pos;
            continue;
        }
        if (c < 0x80) {
            out += text[pos++];
            continue;
        }
        const LetterEscape* letter = nullptr;
        std::size_t length = Utf8SequenceLength(text, pos);
        for (const LetterEscape& candidate : kLetterEscapes) {
            const bool asUtf8 = length == 2 && c == 0xC3 &&
                                static_cast<unsigned char>(text[pos + 1]) == candidate.utf8Second;
            if (asUtf8 || (length == 0 && c == candidate.cp1252)) {
                letter = &candidate;
            }
        }
        if (length == 0) {
            length = 1;
        }
        if (letter != nullptr) {
            out += letter->escape;
        } else {
            out.append(text.substr(pos, length));
        }
        pos += length;
    }
    return out;
}

std::string MakeMailSubject(std::string_view subject) {
    std::string result(subject);
    ReplaceUntilNone(result, "%20-%20", "-");
    ReplaceUntilNone(result, "%20", "_");
    return result;
}

std::string MakeMailBody(std::string_view body) {
    std::string result(body);
    ReplaceUntilNone(result, "\r\n", "%0d%0a");
    result = EscapeMailText(result);
    ReplaceUntilNone(result, " ", "%20");
    return result;
}

std::string MakeSupportMailLink(std::string_view address, std::string_view subject,
                                std::string_view body) {
    std::string link = "mailto:";
    link.append(address).append("?subject=").append(MakeMailSubject(subject));
    link.append("&body=").append(MakeMailBody(body)).append("%0d%0a");
    return link;
}

} // namespace tessaray
