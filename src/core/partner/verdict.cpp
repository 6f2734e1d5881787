#include "core/partner/verdict.h"

#include "core/partner/partner_result.h"

#include <algorithm>
#include <array>
#include <ctime>

namespace tessaray {

namespace {

struct SWords {
    std::string_view english;
    std::string_view german;
};

std::string_view Pick(const SWords& words, char chLanguage) {
    return chLanguage == 'G' ? words.german : words.english;
}

// The sentence of a reason; "%s" stands for its detail.
SWords ReasonWords(const SReason& reason) {
    switch (reason.eCode) {
    case EReason::RelNofollow:
        return {"The link is marked rel=nofollow.", "Der Link ist mit rel=nofollow markiert."};
    case EReason::RelSponsored:
        return {"The link is marked rel=sponsored.", "Der Link ist mit rel=sponsored markiert."};
    case EReason::RelUgc:
        return {"The link is marked rel=ugc.", "Der Link ist mit rel=ugc markiert."};
    case EReason::MetaNofollow:
        return {"A robots meta tag of the page says nofollow.",
                "Ein Robots-Meta-Tag der Seite sagt nofollow."};
    case EReason::HeaderNofollow:
        return {"The X-Robots-Tag header of the page says nofollow.",
                "Der X-Robots-Tag-Header der Seite sagt nofollow."};
    case EReason::RobotsTxtDisallowed:
        if (reason.strDetail == "0") {
            return {"The site's robots.txt could not be fetched, so Googlebot fetches nothing "
                    "from the site.",
                    "Die robots.txt der Website war nicht abrufbar, daher ruft Googlebot nichts "
                    "von der Website ab."};
        }
        if (!reason.strDetail.empty()) {
            return {"The site's robots.txt answered with HTTP status %s, so Googlebot fetches "
                    "nothing from the site.",
                    "Die robots.txt der Website antwortete mit HTTP-Status %s, daher ruft "
                    "Googlebot nichts von der Website ab."};
        }
        return {"The site's robots.txt does not let Googlebot fetch the page.",
                "Die robots.txt der Website verbietet Googlebot, die Seite abzurufen."};
    case EReason::Noindex:
        return {"The page asks not to be indexed (noindex in %s).",
                "Die Seite will nicht indexiert werden (noindex in %s)."};
    case EReason::HttpStatus:
        return {"The page answered with HTTP status %s.",
                "Die Seite antwortete mit HTTP-Status %s."};
    case EReason::Incomplete:
        return {"The page did not arrive whole (%s).", "Die Seite kam nicht vollständig an (%s)."};
    case EReason::FetchFailed:
        return {"The page could not be fetched (%s).",
                "Die Seite konnte nicht abgerufen werden (%s)."};
    case EReason::Undecodable:
        return {"The page could not be read as text (%s).",
                "Die Seite konnte nicht als Text gelesen werden (%s)."};
    case EReason::Redirected:
        return {"The page redirects to %s.", "Die Seite leitet weiter auf %s."};
    case EReason::CanonicalElsewhere:
        return {"The page names %s as its canonical URL.",
                "Die Seite nennt %s als kanonische URL."};
    case EReason::InNoscript:
        return {"The link stands only inside <noscript>: browsers with scripts and Google's "
                "renderer do not show it.",
                "Der Link steht nur in <noscript>: Browser mit Skripten und Googles Renderer "
                "zeigen ihn nicht."};
    case EReason::RobotsRuleDiffers:
        return {"The Robots-Allow cell and the robots.txt rules search engines use disagree.",
                "Die Spalte Robots-Allow und die robots.txt-Regeln der Suchmaschinen "
                "widersprechen sich."};
    }
    return {};
}

} // namespace

std::string_view VerdictCode(EVerdict eVerdict) {
    switch (eVerdict) {
    case EVerdict::Counts:
        return "counts";
    case EVerdict::DoesNotCount:
        return "does-not-count";
    case EVerdict::Missing:
        return "missing";
    case EVerdict::Unreachable:
        break;
    }
    return "unreachable";
}

std::string_view ReasonCode(EReason eReason) {
    static constexpr std::array<std::string_view, 15> kCodes = {"rel-nofollow",
                                                                "rel-sponsored",
                                                                "rel-ugc",
                                                                "meta-nofollow",
                                                                "header-nofollow",
                                                                "robots-txt-disallowed",
                                                                "noindex",
                                                                "http-status",
                                                                "incomplete",
                                                                "fetch-failed",
                                                                "undecodable",
                                                                "redirected",
                                                                "canonical-elsewhere",
                                                                "in-noscript",
                                                                "robots-rule-differs"};
    return kCodes.at(static_cast<std::size_t>(eReason));
}

std::string VerdictText(EVerdict eVerdict, char chLanguage) {
    static constexpr std::array<SWords, 4> kWords = {{{"counts", "zählt"},
                                                      {"does not count", "zählt nicht"},
                                                      {"missing", "fehlt"},
                                                      {"unreachable", "nicht erreichbar"}}};
    return std::string(Pick(kWords.at(static_cast<std::size_t>(eVerdict)), chLanguage));
}

std::string ReasonText(const SReason& reason, char chLanguage) {
    std::string text(Pick(ReasonWords(reason), chLanguage));
    const std::size_t at = text.find("%s");
    if (at != std::string::npos) {
        text.replace(at, 2, reason.strDetail);
    }
    return text;
}

std::string SummaryText(const SRunSummary& summary, char chLanguage) {
    const auto count = [](int n, std::string_view one, std::string_view many) {
        return std::to_string(n) + " " + std::string(n == 1 ? one : many);
    };
    if (chLanguage == 'G') {
        return std::to_string(summary.nPartners) +
               " Partner: " + count(summary.nCounts, "zählt", "zählen") + ", " +
               count(summary.nDoesNotCount, "zählt nicht", "zählen nicht") + ", " +
               count(summary.nMissing, "fehlt", "fehlen") + ", " +
               count(summary.nUnreachable, "nicht erreichbar", "nicht erreichbar");
    }
    return count(summary.nPartners, "partner", "partners") + ": " +
           count(summary.nCounts, "counts", "count") + ", " +
           count(summary.nDoesNotCount, "does not count", "do not count") + ", " +
           count(summary.nMissing, "missing", "missing") + ", " +
           count(summary.nUnreachable, "unreachable", "unreachable");
}

std::string SummaryText(const CRunVerdicts& verdicts, char chLanguage) {
    const SRunSummary summary = verdicts.Summary();
    std::string text = SummaryText(summary, chLanguage);
    if (verdicts.IsStopped()) {
        const int count = verdicts.GetPartnerCount();
        text += chLanguage == 'G'
                    ? " (angehalten nach " + std::to_string(summary.nPartners) + " von " +
                          std::to_string(count) + (count == 1 ? " Partner)" : " Partnern)")
                    : " (stopped after " + std::to_string(summary.nPartners) + " of " +
                          std::to_string(count) + (count == 1 ? " partner)" : " partners)");
    }
    return text;
}

std::string UtcTimestamp() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char buffer[32];
    std::strftime(buffer, sizeof(buffer), "%Y-%m-%dT%H:%M:%SZ", &utc);
    return buffer;
}

} // namespace tessaray
