#pragma once

#include "core/history/history_db.h"

#include <cstdint>
#include <functional>
#include <iosfwd>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaray {

// What changed for a partner or one of its links between two runs.
enum class EChangeKind {
    LinkGained,
    LinkLost,
    VerdictChanged,
    StatusChanged,
    AnchorTextChanged,
    PartnerAdded,
    PartnerRemoved,
    YouLinkChanged,   // the user's link back (strOld, strNew: YouLinkCode)
    AgreementChanged, // whether the agreement is met ("met", "differs")
};

// Whether a change of that kind is told by its texts (strOld, strNew) rather than its verdicts.
bool IsTextChange(EChangeKind eKind);

// How a change looks to the user.
enum class EChangeClass { New, Lost, Better, Worse, TextChanged };

struct SRunChange {
    EChangeKind eKind = EChangeKind::VerdictChanged;
    EChangeClass eClass = EChangeClass::TextChanged;
    std::string strPartnerUrl;
    std::string strLinkUrl; // empty for a change of the partner page
    // The row in the older and the newer run (indexes into their rows), -1 where there is none.
    int nOldRow = -1;
    int nNewRow = -1;
    // The verdicts and reasons before and after (for every kind; equal where they did not change).
    EVerdict eOldVerdict = EVerdict::Missing;
    EVerdict eNewVerdict = EVerdict::Missing;
    std::vector<SReason> oldReasons;
    std::vector<SReason> newReasons;
    // The status codes or anchor texts before and after, for those kinds.
    std::string strOld;
    std::string strNew;
};

// The changes from the older run to the newer, partners matched by their URL and links by
// partner and link URL (a link URL found twice on a page: by its order). Partners in the order
// of the newer run, removed partners last. A partner that only one of the runs checked is added
// or removed only when the other run completed: a stopped run says nothing of the partners it
// never reached. A partner whose page a bot protection answered for (reason Blocked) in either run
// has no change: what its page holds is unknown.
std::vector<SRunChange> CompareRuns(const SStoredRun& older, const SStoredRun& newer);

// The change to show beside each row of the newer run, by the row's key: the most serious when a
// row has several (lost, worse, new, better, text changed). Rows without change are not in it.
std::map<SRowKey, EChangeClass> ChangesByRow(const SStoredRun& newer,
                                             const std::vector<SRunChange>& changes);

// True when a link was lost, a verdict got worse or an agreement is no longer met: what a
// scheduled run alerts on. A change of the user's own link back never alerts.
bool IsAlarming(const std::vector<SRunChange>& changes);

// Tells whether a partner's fresh result is worse than its rows in the previous completed run (a
// link lost or a verdict worse, as IsAlarming sees it): the partners a run confirms before it
// alerts. A partner the previous run did not check is never worse.
std::function<bool(const SPartnerResult&)> WorseThanCheck(const SStoredRun& previous);

// How many completed runs in a row (this one included) a partner must be unreachable before that
// alerts.
constexpr int kDefaultAlertAfterRuns = 2;

// The changes of a completed run that alert (a link lost or a verdict worse), given the completed
// runs before it, newest first. Against the last of them, except for a partner unreachable now:
// that alerts only when it was unreachable in the last nAfterRuns completed runs (this one
// included) and not in the one before those, against which it is then compared; a longer outage
// alerts once. With nAfterRuns 1 every change for the worse alerts at once.
std::vector<SRunChange> AlertingChanges(const SStoredRun& run,
                                        const std::vector<SStoredRun>& earlier, int nAfterRuns);

// "link-gained", ..., "partner-removed"; "new", "lost", "better", "worse", "text-changed".
std::string_view ChangeKindCode(EChangeKind eKind);
std::string_view ChangeClassCode(EChangeClass eClass);

// The changes between two stored runs as JSON: both runs, every change with the verdicts and
// reasons on both sides, and whether a scheduled run should alert. False when the stream fails.
bool WriteChangesJson(std::ostream& out, const SRunInfo& older, const SRunInfo& newer,
                      const std::vector<SRunChange>& changes);

// The changes as a tab-separated table under a title line (in the language of chLanguage: 'G'
// German, else English), one change a line: class, kind,
// partner, link, the verdicts before and after (with their reason codes), the status codes or
// anchor texts before and after. Tabs and line ends in cells become blanks; a cell that begins
// like a spreadsheet formula gets a leading '. False when the stream fails.
bool WriteChangesCsv(std::ostream& out, const std::vector<SRunChange>& changes,
                     char chLanguage = 'E');

// "does-not-count (rel-nofollow, canonical-elsewhere http://...)": a verdict with its reasons.
std::string VerdictWithReasons(EVerdict eVerdict, const std::vector<SReason>& reasons);

// What recording a finished run in its project's history gave.
struct SHistoryRecord {
    std::int64_t nRunId = 0;      // the stored run; 0 when it was not stored
    std::int64_t nPreviousId = 0; // the last completed run before it; 0 when none
    SRunInfo previous;
    std::vector<SRunChange> changes;  // against that run (when this run completed)
    std::vector<SRunChange> alerting; // of those and earlier runs, what alerts (AlertingChanges)
    std::string strError;             // why the history is off; empty when all went well
};

// Stores a run in the history beside the project file, which a completed run creates when it
// is missing (a stopped run is stored only into a history that exists), and compares a completed
// run with the last completed one before it. A history that cannot be opened or written only
// sets strError: it never stops an analysis, and the file is left as it is.
// nAlertAfterRuns is that of AlertingChanges.
SHistoryRecord RecordRun(const std::string& strProjectPath, const SStoredRun& run,
                         int nAlertAfterRuns = kDefaultAlertAfterRuns);

// The last completed run in the history beside the project file, for a run to confirm against,
// with a blocked partner's rows taken from the last run that read its page (as RecordRun compares);
// std::nullopt when there is none or the history cannot be read (the run goes on without).
std::optional<SStoredRun> ReadLastCompletedRun(const std::string& strProjectPath);

} // namespace tessaray
