#include "core/partner/verdict.h"

#include "core/partner/partner_result.h"
#include "core/util/core_texts.h"

#include <algorithm>
#include <array>
#include <ctime>

namespace tessaray {

namespace {

// The sentence of a reason; "%1" stands for its detail.
ETextId ReasonTextId(const SReason& reason) {
    switch (reason.eCode) {
    case EReason::RelNofollow:
        return ETextId::ReasonRelNofollow;
    case EReason::RelSponsored:
        return ETextId::ReasonRelSponsored;
    case EReason::RelUgc:
        return ETextId::ReasonRelUgc;
    case EReason::MetaNofollow:
        return ETextId::ReasonMetaNofollow;
    case EReason::HeaderNofollow:
        return ETextId::ReasonHeaderNofollow;
    case EReason::RobotsTxtDisallowed:
        if (reason.strDetail == "0") {
            return ETextId::ReasonRobotsTxtUnreadable;
        }
        if (!reason.strDetail.empty()) {
            return ETextId::ReasonRobotsTxtStatus;
        }
        return ETextId::ReasonRobotsTxtDisallowed;
    case EReason::Noindex:
        return ETextId::ReasonNoindex;
    case EReason::HttpStatus:
        return ETextId::ReasonHttpStatus;
    case EReason::Incomplete:
        return ETextId::ReasonIncomplete;
    case EReason::FetchFailed:
        return ETextId::ReasonFetchFailed;
    case EReason::Undecodable:
        return ETextId::ReasonUndecodable;
    case EReason::Redirected:
        return ETextId::ReasonRedirected;
    case EReason::CanonicalElsewhere:
        return ETextId::ReasonCanonicalElsewhere;
    case EReason::InNoscript:
        return ETextId::ReasonInNoscript;
    case EReason::LinksNotListed:
        return ETextId::ReasonLinksNotListed;
    case EReason::Blocked:
        return ETextId::ReasonBlocked;
    case EReason::Cloaked:
        return ETextId::ReasonCloaked;
    case EReason::WrongTarget:
        return ETextId::ReasonWrongTarget;
    case EReason::WrongAnchor:
        return ETextId::ReasonWrongAnchor;
    case EReason::WrongRel:
        return ETextId::ReasonWrongRel;
    case EReason::AgreementEndsSoon:
        return ETextId::ReasonAgreementEndsSoon;
    case EReason::AgreementEnded:
        return ETextId::ReasonAgreementEnded;
    case EReason::OneSided:
        return ETextId::ReasonOneSided;
    case EReason::YouDoNotLinkBack:
        return ETextId::ReasonYouDoNotLinkBack;
    case EReason::ScriptInserted:
        return ETextId::ReasonScriptInserted;
    case EReason::RemovedByScript:
        return ETextId::ReasonRemovedByScript;
    case EReason::Hidden:
        return ETextId::ReasonHidden;
    case EReason::RobotsRuleDiffers:
        break;
    }
    return ETextId::ReasonRobotsRuleDiffers;
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
    static constexpr std::array<std::string_view, 28> kCodes = {"rel-nofollow",
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
                                                                "robots-rule-differs",
                                                                "links-not-listed",
                                                                "blocked",
                                                                "cloaked",
                                                                "wrong-target",
                                                                "wrong-anchor",
                                                                "wrong-rel",
                                                                "agreement-ends-soon",
                                                                "agreement-ended",
                                                                "one-sided",
                                                                "you-do-not-link-back",
                                                                "script-inserted",
                                                                "removed-by-script",
                                                                "hidden"};
    return kCodes.at(static_cast<std::size_t>(eReason));
}

std::string VerdictText(EVerdict eVerdict, char chLanguage) {
    static constexpr std::array<ETextId, 4> kWords = {
        ETextId::VerdictCounts, ETextId::VerdictDoesNotCount, ETextId::VerdictMissing,
        ETextId::VerdictUnreachable};
    return std::string(CoreText(kWords.at(static_cast<std::size_t>(eVerdict)), chLanguage));
}

std::string ReasonText(const SReason& reason, char chLanguage) {
    return FormatText(CoreText(ReasonTextId(reason), chLanguage), {reason.strDetail});
}

std::string SummaryText(const SRunSummary& summary, char chLanguage) {
    const auto count = [chLanguage](int n, ETextId one, ETextId many) {
        return std::to_string(n) + " " + std::string(CoreText(n == 1 ? one : many, chLanguage));
    };
    using Id = ETextId;
    return count(summary.nPartners, Id::SummaryPartnerOne, Id::SummaryPartnerMany) + ": " +
           count(summary.nCounts, Id::SummaryCountsOne, Id::SummaryCountsMany) + ", " +
           count(summary.nDoesNotCount, Id::SummaryDoesNotCountOne, Id::SummaryDoesNotCountMany) +
           ", " + count(summary.nMissing, Id::SummaryMissingOne, Id::SummaryMissingMany) + ", " +
           count(summary.nUnreachable, Id::SummaryUnreachableOne, Id::SummaryUnreachableMany);
}

std::string TakeWithoutGivingText(int nOneSided, char chLanguage) {
    return FormatText(
        CoreText(nOneSided == 1 ? ETextId::SummaryOneSidedOne : ETextId::SummaryOneSidedMany,
                 chLanguage),
        {std::to_string(nOneSided)});
}

std::string SummaryText(const CRunVerdicts& verdicts, char chLanguage) {
    const SRunSummary summary = verdicts.Summary();
    std::string text = SummaryText(summary, chLanguage);
    if (verdicts.IsStopped()) {
        const int count = verdicts.GetPartnerCount();
        const ETextId id = count == 1 ? ETextId::SummaryStoppedOne : ETextId::SummaryStoppedMany;
        text += FormatText(CoreText(id, chLanguage),
                           {std::to_string(summary.nPartners), std::to_string(count)});
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
