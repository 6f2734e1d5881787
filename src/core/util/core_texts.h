#pragma once

#include <initializer_list>
#include <string>
#include <string_view>

namespace tessaray {

// Every text the core and the command line show, by code; core_texts.cpp holds one catalogue per
// language. "%1", "%2", ... stand for the values FormatText puts in.
enum class ETextId {
    // The verdicts, in the order of EVerdict.
    VerdictCounts,
    VerdictDoesNotCount,
    VerdictMissing,
    VerdictUnreachable,
    // The sentences of the verdicts' reasons; %1 is the reason's detail.
    ReasonRelNofollow,
    ReasonRelSponsored,
    ReasonRelUgc,
    ReasonMetaNofollow,
    ReasonHeaderNofollow,
    ReasonRobotsTxtUnreadable,
    ReasonRobotsTxtStatus,
    ReasonRobotsTxtDisallowed,
    ReasonNoindex,
    ReasonHttpStatus,
    ReasonIncomplete,
    ReasonFetchFailed,
    ReasonUndecodable,
    ReasonRedirected,
    ReasonCanonicalElsewhere,
    ReasonInNoscript,
    ReasonRobotsRuleDiffers,
    ReasonLinksNotListed,
    ReasonBlocked,
    ReasonCloaked,
    ReasonWrongTarget,       // %1 the agreed target
    ReasonWrongAnchor,       // %1 the agreed text
    ReasonWrongRel,          // %1 the rel token found
    ReasonAgreementEndsSoon, // %1 the end date
    ReasonAgreementEnded,    // %1 the end date
    ReasonOneSided,          // %1 the user's page
    ReasonYouDoNotLinkBack,
    ReasonScriptInserted,
    ReasonRemovedByScript,
    ReasonHidden, // %1 the technique
    // The summary of a run's verdicts, each count with its word for one and for more.
    SummaryPartnerOne,
    SummaryPartnerMany,
    SummaryCountsOne,
    SummaryCountsMany,
    SummaryDoesNotCountOne,
    SummaryDoesNotCountMany,
    SummaryMissingOne,
    SummaryMissingMany,
    SummaryUnreachableOne,
    SummaryUnreachableMany,
    SummaryStoppedOne,   // %1 partners judged of %2
    SummaryStoppedMany,  // %1 partners judged of %2
    SummaryOneSidedOne,  // %1 the partners whose link is one-sided
    SummaryOneSidedMany, // %1 the partners whose link is one-sided
    // The heads of the verdict table of the HTML report.
    VerdictTableNo,
    VerdictTableVerdict,
    VerdictTableReasons,
    VerdictTablePartner,
    // The other columns of the exchange: the agreement and the user's link back, and their values.
    VerdictTableAgreement,
    VerdictTableYouLink,
    AgreementMet,
    AgreementDiffers,
    YouLinkFollowed,
    YouLinkNofollow,
    YouLinkNone,
    YouLinkUnknown,
    // The texts of the HTML report's template: its language code, title, introduction (%1 the
    // date), the heading of the verdict part and the footer (%1 the date).
    ReportLanguageCode,
    ReportTitle,
    ReportIntro,
    ReportVerdictTitle,
    ReportFooter,
    // The title line of the changes exported as CSV.
    ChangesCsvHeader,
    // Why a transfer ended, in a few words.
    OutcomeTimeout,
    OutcomeTooSlow,
    OutcomeReset,
    OutcomeShortBody,
    OutcomeBadChunking,
    OutcomeSizeCap,
    OutcomeTls,
    OutcomeDns,
    OutcomeRefused,
    OutcomeHttpError,
    OutcomeInvalid,
    OutcomeFailed,    // %1 the cause
    OutcomeBrokenOff, // %1 bytes received, %2 the cause
    // The column titles of the result table, in the order of the columns.
    ColumnNo,
    ColumnPartnerUrl,
    ColumnR1,
    ColumnStatusCode,
    ColumnBytes,
    ColumnIntLinks,
    ColumnExtLinks,
    ColumnYourUrl,
    ColumnR2,
    ColumnAnchorText,
    ColumnListed,
    ColumnFollowMeta,
    ColumnFollowLink,
    ColumnRobotsAllow,
    ColumnR3,
    ColumnGoogle,
    ColumnComment,
    ColumnServerHeader,
    // The command line's analysis: the log words, its closing counts and its Ctrl+C messages.
    RunAnalyzingReady,
    RunLoading,
    RunAnalyzing,
    RunReady,
    RunCannotFetch,
    RunCounts, // %1 partners, %2 listed links, %3 nofollow links, %4 failed fetches
    RunStopping,
    RunCancelling,
    RunVerdictTitle,
    RunProgress,     // %1 partners done of %2, %3 in flight, %4 elapsed
    RunProgressLeft, // %1 the time left
    RunConfirmed,    // beside a result a second fetch confirmed
    // Rendering partner pages in a browser: the summary's column and its values, the messages
    // when pages are not rendered, and the lines of the verdict table.
    RunRenderedTitle,
    RunRenderedYes,
    RunRenderedNo,
    RunRenderedFailed,
    RunNoBrowser,
    RunRenderFailed, // %1 why
    ReportRendered,
    ReportRenderFailed, // %1 why
    // The alert after a run with changes for the worse: its title and the desktop notice's action.
    AlertTitleOne,  // %1 the domain
    AlertTitleMany, // %1 partners, %2 the domain
    AlertOpenProject,
    Count
};

// The text of id in the language of chLanguage ('G' German, else English).
std::string_view CoreText(ETextId id, char chLanguage);

// pattern with each "%1" ... "%9" replaced by that value (a missing value by nothing); the values
// themselves are not searched.
std::string FormatText(std::string_view pattern, std::initializer_list<std::string_view> values);

} // namespace tessaray
