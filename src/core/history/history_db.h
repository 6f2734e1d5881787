#pragma once

#include "core/fetch/transfer_outcome.h"
#include "core/history/sqlite_db.h"
#include "core/partner/partner_result.h"
#include "core/results/result_table.h"
#include "core/util/result.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tessaray {

// One result row as the history keeps it: the eighteen cells, the verdict with its reasons and
// how the partner page arrived.
struct SStoredRow {
    CResultTable::Row cells;
    EVerdict eVerdict = EVerdict::Missing;
    std::vector<SReason> reasons;
    ETransferOutcome eOutcome = ETransferOutcome::Other;
    // What the row showed (not stored: a run read back numbers its partners' rows anew).
    SRowKey key;
    // The exchange, on a partner's first row only: the user's link back (YouLinkCode; "" when the
    // run read no link pages of the user's) and the page it is on, and whether the agreement was
    // met (std::nullopt without agreement or when the page could not be read).
    std::string strYouLink;
    std::string strYouLinkFrom;
    std::optional<bool> agreementMet;
};

// What the history knows of a run without its rows.
struct SRunInfo {
    std::int64_t nId = 0; // from 1, in the order the runs were stored
    std::string strStarted;
    std::string strFinished;
    bool bCompleted = false; // else stopped (or ended by a fetch that could not start)
    std::string strSettings; // JSON: the domain, the language, ...
    int nRows = 0;
    CRunVerdicts::SSummary summary;
};

// A partner whose first answer was worse than the last completed run's and was fetched once more:
// what that first answer was (the run's rows hold the second).
struct SConfirmation {
    std::string strPartnerUrl;
    int nFirstStatus = 0;
    EVerdict eFirstVerdict = EVerdict::Missing;
    std::vector<SReason> firstReasons;
    ETransferOutcome eFirstOutcome = ETransferOutcome::Other;
};

struct SStoredRun {
    SRunInfo info;
    std::vector<SStoredRow> rows;             // in the order of their row numbers
    std::vector<SConfirmation> confirmations; // in partner order
};

// One alert sent (or tried) after a run: by which channel ("mail", "webhook", "desktop"), to
// which target (an address or URL; never a password), whether it went out and what came back.
struct SDelivery {
    std::int64_t nRunId = 0;
    std::string strChannel;
    std::string strTarget;
    bool bOk = false;
    std::string strMessage;
};

// The settings a run is stored with. Each program writes the keys it knows: the desktop program
// its language letter ("E", "G") and no partner count or authentication, the command line its
// --lang ("en", "de") and both.
struct SRunSettings {
    std::string strDomain;
    std::string strLanguage;
    std::optional<int> nPartners{};
    std::optional<bool> bAuthentication{};
    std::string strProgram; // "tessaray" or "tessaray-cli"
};

// The settings as the history stores them: {"domain": ..., "language": ..., ["partners": ...,
// "authentication": ...,] "program": ...}.
std::string RunSettingsJson(const SRunSettings& settings);

// A run's rows from its table and verdicts, in the order of their keys (so a sorted table is
// stored as the run wrote it).
SStoredRun MakeStoredRun(const CResultTable& table, const CRunVerdicts& verdicts, bool bCompleted,
                         std::string strSettings);

// The rows one partner's result gives, as the history keeps them.
std::vector<SStoredRow> StoredRowsOf(const SPartnerResult& result);

// Gives the rows of a run read back their keys: one partner per run of rows of one URL.
void KeyStoredRows(SStoredRun& run);

// The history of the project file at strProjectPath: "NAME.tsrp" -> "NAME.tsrp-history".
std::string HistoryPathOf(const std::string& strProjectPath);

// What kept the history from doing what was asked; the detail says it in English ("cannot store
// the run: database or disk is full", "there is no run 7").
enum class EHistoryError {
    None,
    StoreFailed,
    OpenFailed,   // cannot be opened, read or set up
    SymbolicLink, // a link in the history's place, which is never followed
    NotAHistory,  // a database of another program
    ReadFailed,
    NoSuchRun,
    Damaged, // a text a row refers to is missing
};

using CHistoryResult = CResult<void, EHistoryError>;
// The id of the run stored, or why it could not be stored.
using CStoreResult = CResult<std::int64_t, EHistoryError>;
using CRunListResult = CResult<std::vector<SRunInfo>, EHistoryError>;
using CReadRunResult = CResult<SStoredRun, EHistoryError>;
using CDeliveryListResult = CResult<std::vector<SDelivery>, EHistoryError>;

// The history database of one project: every run with its rows, each distinct text stored once.
// Each run is written in one transaction, so a run is there whole or not at all, also when the
// program is killed while storing. Several programs may open the same file: readers never wait,
// a writer waits for another writer up to the busy timeout.
class CHistoryDb {
public:
    // Opens the file; with bCreate a missing one is created. Fails when it cannot be opened, is
    // a symbolic link (dangling or not) or is no history (a file of another program is never
    // written).
    CHistoryResult Open(const std::string& strPath, bool bCreate);
    bool IsOpen() const { return m_db.IsOpen(); }
    void SetBusyTimeout(int nMilliseconds) { m_db.SetBusyTimeout(nMilliseconds); }

    // Stores a run (its info's id is ignored): the new run's id (from 1), or the error with the
    // database as it was.
    CStoreResult Store(const SStoredRun& run);
    // Every run, oldest first.
    CRunListResult ListRuns();
    // A run with its rows; NoSuchRun when there is no run of that id.
    CReadRunResult ReadRun(std::int64_t nId);
    // The id of the last completed run stored before the run nBefore (before none: the last
    // completed run of all); 0 when there is none.
    std::int64_t PreviousCompleted(std::int64_t nBefore = 0);
    // Stores an alert's delivery beside its run.
    CHistoryResult StoreDelivery(const SDelivery& delivery);
    // Every delivery, by run and in the order they were stored.
    CDeliveryListResult ListDeliveries();

private:
    using Error = SError<EHistoryError>;

    // The error with SQLite's reason: "WHAT: REASON".
    Error Fail(EHistoryError eCode, const std::string& what) const;
    CHistoryResult CreateSchema();
    static void ReadInfo(CSqliteStatement& statement, SRunInfo& info);

    CSqliteDb m_db;
};

// The reasons as one text ("code detail" per line) and back; unknown codes are skipped.
std::string EncodeReasons(const std::vector<SReason>& reasons);
std::vector<SReason> DecodeReasons(std::string_view text);

} // namespace tessaray
