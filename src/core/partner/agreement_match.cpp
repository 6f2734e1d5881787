#include "core/partner/agreement_match.h"

#include "core/project/url_rules.h"
#include "core/util/ascii.h"

#include <algorithm>
#include <ctime>

namespace tessaray {

namespace {

// The site and the page of a URL for comparing: the site in lower case without "www." and
// default port, the path without fragment and with "/" for the root.
struct SPageKey {
    std::string strSite;
    std::string strPath;
};

SPageKey PageKeyOf(std::string_view url) {
    const std::string absolute =
        url.starts_with("//") ? std::string(url) : NormalizeProjectUrl(url);
    std::string_view path;
    SPageKey key{ToLowerAscii(SiteOfUrl(absolute, &path)), {}};
    path = path.substr(0, path.find('#'));
    key.strPath = path.empty() || path.front() != '/' ? "/" + std::string(path) : std::string(path);
    return key;
}

// The text for comparing: white space runs (ASCII and U+00A0) as one blank, trimmed, ASCII and
// Latin-1 capitals in lower case.
std::string FoldText(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    bool bBlank = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        const bool bNoBreakSpace = c == '\xC2' && i + 1 < text.size() && text[i + 1] == '\xA0';
        if (IsBlank(c) || bNoBreakSpace) {
            bBlank = true;
            i += bNoBreakSpace ? 1 : 0;
            continue;
        }
        if (bBlank && !out.empty()) {
            out += ' ';
        }
        bBlank = false;
        // U+00C0..U+00DE except U+00D7 (the multiplication sign) have their small letter 0x20 on.
        if (c == '\xC3' && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            out += c;
            out += static_cast<char>(next >= 0x80 && next <= 0x9E && next != 0x97 ? next + 0x20
                                                                                  : next);
            ++i;
            continue;
        }
        out += LowerAscii(c);
    }
    return out;
}

// The rel token that keeps a link from being followed, "" when none does.
std::string NotFollowedToken(const SLinkResult& link) {
    for (const char* token : {"nofollow", "sponsored", "ugc"}) {
        if (std::find(link.rel.begin(), link.rel.end(), token) != link.rel.end()) {
            return token;
        }
    }
    return link.bNofollow ? "nofollow" : "";
}

} // namespace

bool MatchesAgreedTarget(std::string_view target, std::string_view url) {
    target = TrimView(target);
    if (target.empty()) {
        return true;
    }
    const bool bPrefix = target.back() == '*';
    if (bPrefix) {
        target.remove_suffix(1);
    }
    const SPageKey agreed = PageKeyOf(target);
    const SPageKey found = PageKeyOf(url);
    if (agreed.strSite.empty() || agreed.strSite != found.strSite) {
        return false;
    }
    return bPrefix ? found.strPath.starts_with(agreed.strPath) : found.strPath == agreed.strPath;
}

bool MatchesAgreedAnchor(std::string_view anchor, std::string_view text) {
    anchor = TrimView(anchor);
    const bool bContains = anchor.size() >= 2 && anchor.front() == '*' && anchor.back() == '*';
    if (bContains) {
        anchor = anchor.substr(1, anchor.size() - 2);
    }
    const std::string agreed = FoldText(anchor);
    if (agreed.empty() || (bContains && anchor == "*")) {
        return true;
    }
    const std::string found = FoldText(text);
    return bContains ? found.find(agreed) != std::string::npos : found == agreed;
}

std::vector<SReason> AgreementMismatches(const SAgreement& agreement, const SLinkResult& link) {
    std::vector<SReason> reasons;
    if (!MatchesAgreedTarget(agreement.strTarget, link.strUrl)) {
        reasons.push_back({EReason::WrongTarget, agreement.strTarget});
    }
    if (!MatchesAgreedAnchor(agreement.strAnchor, link.strText)) {
        reasons.push_back({EReason::WrongAnchor, agreement.strAnchor});
    }
    if (agreement.eFollow == EAgreedFollow::Required) {
        if (std::string token = NotFollowedToken(link); !token.empty()) {
            reasons.push_back({EReason::WrongRel, std::move(token)});
        }
    }
    return reasons;
}

std::optional<int> AgreementDaysLeft(const SAgreement& agreement, std::string_view today) {
    const std::optional<int> nLastDay = AgreementDay(agreement.strUntil);
    const std::optional<int> nToday = AgreementDay(today);
    if (!nLastDay || !nToday) {
        return std::nullopt;
    }
    return *nLastDay - *nToday;
}

std::optional<SReason> AgreementEndWarning(const SAgreement& agreement, int nDaysLeft) {
    if (nDaysLeft < 0) {
        return SReason{EReason::AgreementEnded, agreement.strUntil};
    }
    if (nDaysLeft <= kAgreementWarningDays) {
        return SReason{EReason::AgreementEndsSoon, agreement.strUntil};
    }
    return std::nullopt;
}

std::string LocalDate() {
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    char date[16];
    std::strftime(date, sizeof date, "%Y-%m-%d", &local);
    return date;
}

} // namespace tessaray
