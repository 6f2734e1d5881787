#include "core/history/history_db.h"

#include "core/partner/partner_cells.h"
#include "core/results/json_report.h"
#include "core/results/report_text.h"

#include <algorithm>
#include <filesystem>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace tessaray {

namespace {

// Marks the file as ours ("TsRH"), so a database of another program is never written to.
constexpr const char* kApplicationId = "1416843848";
constexpr int kSchemaVersion = 1;

// Every text of a row (cells, verdict, reasons, outcome) is the id of a row of texts, so each
// distinct text is stored once. A row is stored under its run and its position.
constexpr const char* kSchema = R"(
CREATE TABLE IF NOT EXISTS texts(id INTEGER PRIMARY KEY, text BLOB NOT NULL UNIQUE);
CREATE TABLE IF NOT EXISTS runs(
    id INTEGER PRIMARY KEY, started TEXT NOT NULL, finished TEXT NOT NULL,
    completed INTEGER NOT NULL, settings TEXT NOT NULL, row_count INTEGER NOT NULL,
    partners INTEGER NOT NULL, counts INTEGER NOT NULL, does_not_count INTEGER NOT NULL,
    missing INTEGER NOT NULL, unreachable INTEGER NOT NULL);
CREATE TABLE IF NOT EXISTS rows(
    run INTEGER NOT NULL, position INTEGER NOT NULL,
    c0 INTEGER, c1 INTEGER, c2 INTEGER, c3 INTEGER, c4 INTEGER, c5 INTEGER, c6 INTEGER,
    c7 INTEGER, c8 INTEGER, c9 INTEGER, c10 INTEGER, c11 INTEGER, c12 INTEGER, c13 INTEGER,
    c14 INTEGER, c15 INTEGER, c16 INTEGER, c17 INTEGER,
    verdict INTEGER, reasons INTEGER, outcome INTEGER,
    PRIMARY KEY(run, position)) WITHOUT ROWID;
)";
// Added by the first run stored with a confirmation, so older programs read the file as before.
constexpr const char* kConfirmationsSchema = R"(
CREATE TABLE IF NOT EXISTS confirmations(
    run INTEGER NOT NULL, partner TEXT NOT NULL, status INTEGER NOT NULL, verdict TEXT NOT NULL,
    reasons TEXT NOT NULL, outcome TEXT NOT NULL);
)";
// The exchange with each partner (on the position of its first row; agreement_met -1 when
// unknown). Added by the first run
// stored that knows an agreement or the user's link pages, so older programs read the file as
// before.
constexpr const char* kExchangeSchema = R"(
CREATE TABLE IF NOT EXISTS exchange(
    run INTEGER NOT NULL, position INTEGER NOT NULL, you_link TEXT NOT NULL,
    you_link_from TEXT NOT NULL, agreement_met INTEGER NOT NULL, PRIMARY KEY(run, position))
    WITHOUT ROWID;
)";
// The alerts sent after a run. Added to histories of older versions when they are opened; those
// versions read a history with it as before.
constexpr const char* kDeliverySchema = R"(
CREATE TABLE IF NOT EXISTS deliveries(
    id INTEGER PRIMARY KEY, run INTEGER NOT NULL, channel TEXT NOT NULL, target TEXT NOT NULL,
    ok INTEGER NOT NULL, message TEXT NOT NULL);
)";
constexpr int kTextColumns = kColumnCount + 3; // the cells, verdict, reasons, outcome

constexpr const char* kRunColumns = "id, started, finished, completed, settings, row_count, "
                                    "partners, counts, does_not_count, missing, unreachable";

template <typename Enum, typename CodeOf>
bool ParseCode(std::string_view code, Enum eLast, CodeOf codeOf, Enum& out) {
    for (int i = 0; i <= static_cast<int>(eLast); ++i) {
        if (codeOf(static_cast<Enum>(i)) == code) {
            out = static_cast<Enum>(i);
            return true;
        }
    }
    return false;
}

// The text ids of one store: looked up once per distinct text.
class CTextIds {
public:
    explicit CTextIds(CSqliteDb& db)
        : m_db(db), m_find(db.Prepare("SELECT id FROM texts WHERE text = ?")),
          m_insert(db.Prepare("INSERT INTO texts(text) VALUES(?)")) {}

    // 0 on failure.
    std::int64_t IdOf(const std::string& text) {
        if (const auto it = m_ids.find(text); it != m_ids.end()) {
            return it->second;
        }
        std::int64_t nId = 0;
        m_find.Reset();
        m_find.BindBytes(1, text);
        if (m_find.Step()) {
            nId = m_find.ColumnInt(0);
        } else if (!m_find.Failed()) {
            m_insert.Reset();
            m_insert.BindBytes(1, text);
            m_insert.Step();
            nId = m_insert.Failed() ? 0 : m_db.LastInsertId();
        }
        if (nId != 0) {
            m_ids.emplace(text, nId);
        }
        return nId;
    }
    bool IsValid() const { return m_find.IsValid() && m_insert.IsValid(); }

private:
    CSqliteDb& m_db;
    CSqliteStatement m_find;
    CSqliteStatement m_insert;
    std::unordered_map<std::string, std::int64_t> m_ids;
};

void AppendEscaped(std::string& out, std::string_view text) {
    for (const char ch : text) {
        switch (ch) {
        case '\\':
            out += "\\\\";
            break;
        case '\n':
            out += "\\n";
            break;
        default:
            out += ch;
        }
    }
}

std::string Unescape(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size()) {
            ++i;
            out += text[i] == 'n' ? '\n' : text[i];
        } else {
            out += text[i];
        }
    }
    return out;
}

// Keeps the exchange with the partner on its first row.
void SetExchange(SStoredRow& row, const SPartnerResult& partner) {
    if (partner.reciprocal) {
        row.strYouLink = YouLinkCode(partner.reciprocal->eYouLink);
        row.strYouLinkFrom = partner.reciprocal->strFrom;
    }
    row.agreementMet = partner.AgreementMet();
}

bool HasExchange(const SStoredRow& row) {
    return !row.strYouLink.empty() || row.agreementMet.has_value();
}

} // namespace

std::string EncodeReasons(const std::vector<SReason>& reasons) {
    std::string text;
    for (const SReason& reason : reasons) {
        text.append(ReasonCode(reason.eCode)).append(" ");
        AppendEscaped(text, reason.strDetail);
        text += '\n';
    }
    return text;
}

std::vector<SReason> DecodeReasons(std::string_view text) {
    std::vector<SReason> reasons;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view line = text.substr(0, end);
        text.remove_prefix(std::min(end + 1, text.size()));
        const std::size_t blank = std::min(line.find(' '), line.size());
        SReason reason;
        if (ParseCode(line.substr(0, blank), kLastReason, ReasonCode, reason.eCode)) {
            reason.strDetail = Unescape(line.substr(std::min(blank + 1, line.size())));
            reasons.push_back(std::move(reason));
        }
    }
    return reasons;
}

std::string RunSettingsJson(const SRunSettings& settings) {
    std::string json = "{\"domain\": " + JsonString(settings.strDomain) +
                       ", \"language\": " + JsonString(settings.strLanguage);
    if (settings.nPartners) {
        json += ", \"partners\": " + std::to_string(*settings.nPartners);
    }
    if (settings.bAuthentication) {
        json +=
            std::string(", \"authentication\": ") + (*settings.bAuthentication ? "true" : "false");
    }
    return json + ", \"program\": " + JsonString(settings.strProgram) + "}";
}

SStoredRun MakeStoredRun(const CResultTable& table, const CRunVerdicts& verdicts, bool bCompleted,
                         std::string strSettings) {
    std::vector<std::pair<SRowKey, int>> order; // key, table index
    order.reserve(static_cast<std::size_t>(table.GetRowCount()));
    for (int row = 0; row < table.GetRowCount(); ++row) {
        order.emplace_back(table.GetRowKey(row), row);
    }
    std::sort(order.begin(), order.end());

    SStoredRun run;
    run.info.strStarted = verdicts.GetStarted();
    run.info.strFinished = verdicts.GetFinished();
    run.info.bCompleted = bCompleted;
    run.info.strSettings = std::move(strSettings);
    run.info.summary = verdicts.Summary();
    run.rows.reserve(order.size());
    for (const auto& [key, index] : order) {
        SStoredRow& stored = run.rows.emplace_back();
        stored.key = key;
        for (int col = 0; col < kColumnCount; ++col) {
            const std::string_view cell = table.GetCellView(index, col);
            // The server header as the reports show it: a huge header shared by thousands of
            // rows would otherwise be copied into each.
            stored.cells[static_cast<std::size_t>(col)] =
                col == kColServerHeader ? ReportServerHeader(cell) : std::string(cell);
        }
        if (const SVerdict* verdict = verdicts.FindVerdict(key)) {
            const SPartnerResult& partner = *verdicts.FindPartner(key.nPartner);
            stored.eVerdict = verdict->eVerdict;
            stored.reasons = verdict->reasons;
            stored.eOutcome = partner.eOutcome;
            if (key.nLink <= 0) {
                SetExchange(stored, partner);
            }
        }
    }
    run.info.nRows = static_cast<int>(run.rows.size());
    for (const SPartnerResult& partner : verdicts.Partners()) {
        if (partner.confirmed) {
            run.confirmations.push_back(
                {partner.strUrl, partner.confirmed->nStatus, partner.confirmed->verdict.eVerdict,
                 partner.confirmed->verdict.reasons, partner.confirmed->eOutcome});
        }
    }
    return run;
}

std::vector<SStoredRow> StoredRowsOf(const SPartnerResult& result) {
    SPartnerCells cells = CellsOf(result);
    std::vector<SStoredRow> rows(cells.rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SStoredRow& row = rows[i];
        row.cells = std::move(cells.rows[i]);
        row.cells[kColServerHeader] = ReportServerHeader(*cells.pServerHeader);
        row.key = result.KeyOfRow(static_cast<int>(i));
        const SVerdict& verdict = result.links.empty() ? result.verdict : result.links[i].verdict;
        row.eVerdict = verdict.eVerdict;
        row.reasons = verdict.reasons;
        row.eOutcome = result.eOutcome;
    }
    SetExchange(rows.front(), result);
    return rows;
}

void KeyStoredRows(SStoredRun& run) {
    // A partner's rows follow each other with the same URL; a row without link is a partner of
    // its own. Two partners of one URL with links side by side become one, which keeps the keys
    // distinct all the same.
    SRowKey key;
    const SStoredRow* previous = nullptr;
    for (SStoredRow& row : run.rows) {
        const bool bLink = !row.cells[kColYourUrl].empty();
        if (previous == nullptr || !bLink || previous->cells[kColYourUrl].empty() ||
            previous->cells[kColPartnerUrl] != row.cells[kColPartnerUrl]) {
            key = {key.nPartner + 1, -1};
        }
        key.nLink = bLink ? key.nLink + 1 : -1;
        row.key = key;
        previous = &row;
    }
}

std::string HistoryPathOf(const std::string& strProjectPath) {
    return strProjectPath + "-history";
}

CHistoryDb::Error CHistoryDb::Fail(EHistoryError eCode, const std::string& what) const {
    return {eCode, what + ": " + m_db.LastError()};
}

CHistoryResult CHistoryDb::Open(const std::string& strPath, bool bCreate) {
    // A link in the history's place is never followed: the run would write wherever it points,
    // and a dangling one would make a database there.
    std::error_code error;
    if (std::filesystem::is_symlink(std::filesystem::symlink_status(strPath, error))) {
        return Error{EHistoryError::SymbolicLink,
                     "it is a symbolic link, which the history never follows"};
    }
    // The folders are resolved here, so that SQLite, told not to follow links, refuses only a
    // link put in the file's place since.
    const std::filesystem::path path(strPath);
    std::string resolved = strPath;
    if (const auto folder = std::filesystem::canonical(
            path.has_parent_path() ? path.parent_path() : std::filesystem::path("."), error);
        !error) {
        resolved = (folder / path.filename()).string();
    }
    if (const CSqliteResult opened =
            m_db.Open(resolved, bCreate ? CSqliteDb::EOpen::Create : CSqliteDb::EOpen::ReadWrite);
        !opened) {
        return Error{EHistoryError::OpenFailed, strPath + ": " + opened.GetError().detail};
    }
    m_db.SetBusyTimeout(5000);
    CHistoryResult schema = CreateSchema();
    if (!schema) {
        m_db.Close();
    }
    return schema;
}

CHistoryResult CHistoryDb::CreateSchema() {
    // Reading the header tells a damaged file or another program's database before anything
    // is written.
    const std::string tables = m_db.QueryText("SELECT count(*) FROM sqlite_schema");
    if (tables.empty()) {
        return Fail(EHistoryError::OpenFailed, "cannot read the history");
    }
    const bool bEmpty = tables == "0";
    if (!bEmpty && m_db.QueryText("PRAGMA application_id") != kApplicationId) {
        return Error{EHistoryError::NotAHistory, "the file is no Tessaray history"};
    }
    if (m_db.QueryText("PRAGMA journal_mode=WAL") != "wal") {
        return Fail(EHistoryError::OpenFailed, "cannot switch the history to WAL mode");
    }
    if (!bEmpty) {
        if (m_db.QueryText("SELECT count(*) FROM sqlite_schema WHERE name = 'deliveries'") != "1" &&
            !m_db.Exec(kDeliverySchema)) {
            return Fail(EHistoryError::OpenFailed, "cannot set up the history");
        }
        return {};
    }
    const std::string setup = std::string("BEGIN IMMEDIATE;") + kSchema + kDeliverySchema +
                              "PRAGMA application_id=" + kApplicationId + ";" +
                              "PRAGMA user_version=" + std::to_string(kSchemaVersion) + ";COMMIT;";
    if (!m_db.Exec(setup.c_str())) {
        Error failed = Fail(EHistoryError::OpenFailed, "cannot set up the history");
        m_db.Exec("ROLLBACK");
        return failed;
    }
    return {};
}

CStoreResult CHistoryDb::Store(const SStoredRun& run) {
    if (!m_db.Exec("BEGIN IMMEDIATE")) {
        return Fail(EHistoryError::StoreFailed, "cannot store the run");
    }
    // Any failure below rolls the whole run back.
    const auto fail = [this](const char* pszWhat) {
        Error failed = Fail(EHistoryError::StoreFailed, pszWhat);
        m_db.Exec("ROLLBACK");
        return failed;
    };

    CSqliteStatement insertRun = m_db.Prepare(
        "INSERT INTO runs(started, finished, completed, settings, row_count, partners, counts, "
        "does_not_count, missing, unreachable) VALUES(?,?,?,?,?,?,?,?,?,?)");
    if (!insertRun.IsValid()) {
        return fail("cannot store the run");
    }
    const SRunInfo& info = run.info;
    insertRun.BindText(1, info.strStarted);
    insertRun.BindText(2, info.strFinished);
    insertRun.BindInt(3, info.bCompleted ? 1 : 0);
    insertRun.BindText(4, info.strSettings);
    insertRun.BindInt(5, static_cast<std::int64_t>(run.rows.size()));
    insertRun.BindInt(6, info.summary.nPartners);
    insertRun.BindInt(7, info.summary.nCounts);
    insertRun.BindInt(8, info.summary.nDoesNotCount);
    insertRun.BindInt(9, info.summary.nMissing);
    insertRun.BindInt(10, info.summary.nUnreachable);
    insertRun.Step();
    if (insertRun.Failed()) {
        return fail("cannot store the run");
    }
    const std::int64_t nRunId = m_db.LastInsertId();

    std::string sql = "INSERT INTO rows VALUES(?,?";
    for (int i = 0; i < kTextColumns; ++i) {
        sql += ",?";
    }
    sql += ")";
    CSqliteStatement insertRow = m_db.Prepare(sql);
    CTextIds texts(m_db);
    if (!insertRow.IsValid() || !texts.IsValid()) {
        return fail("cannot store the rows");
    }
    std::int64_t nPosition = 0;
    for (const SStoredRow& row : run.rows) {
        insertRow.Reset();
        insertRow.BindInt(1, nRunId);
        insertRow.BindInt(2, nPosition++);
        std::int64_t ids[kTextColumns] = {};
        for (int col = 0; col < kColumnCount; ++col) {
            ids[col] = texts.IdOf(row.cells[static_cast<std::size_t>(col)]);
        }
        ids[kColumnCount] = texts.IdOf(std::string(VerdictCode(row.eVerdict)));
        ids[kColumnCount + 1] = texts.IdOf(EncodeReasons(row.reasons));
        ids[kColumnCount + 2] = texts.IdOf(std::string(OutcomeCode(row.eOutcome)));
        for (int i = 0; i < kTextColumns; ++i) {
            if (ids[i] == 0) {
                return fail("cannot store the texts");
            }
            insertRow.BindInt(i + 3, ids[i]);
        }
        insertRow.Step();
        if (insertRow.Failed()) {
            return fail("cannot store the rows");
        }
    }
    if (std::any_of(run.rows.begin(), run.rows.end(), HasExchange)) {
        CSqliteStatement insert = m_db.Exec(kExchangeSchema)
                                      ? m_db.Prepare("INSERT INTO exchange VALUES(?,?,?,?,?)")
                                      : CSqliteStatement();
        if (!insert.IsValid()) {
            return fail("cannot store the exchange");
        }
        for (std::size_t i = 0; i < run.rows.size(); ++i) {
            const SStoredRow& row = run.rows[i];
            if (!HasExchange(row)) {
                continue;
            }
            insert.Reset();
            insert.BindInt(1, nRunId);
            insert.BindInt(2, static_cast<std::int64_t>(i));
            insert.BindText(3, row.strYouLink);
            insert.BindText(4, row.strYouLinkFrom);
            insert.BindInt(5, !row.agreementMet ? -1 : *row.agreementMet ? 1 : 0);
            insert.Step();
            if (insert.Failed()) {
                return fail("cannot store the exchange");
            }
        }
    }
    if (!run.confirmations.empty()) {
        CSqliteStatement insert =
            m_db.Exec(kConfirmationsSchema)
                ? m_db.Prepare("INSERT INTO confirmations VALUES(?,?,?,?,?,?)")
                : CSqliteStatement();
        if (!insert.IsValid()) {
            return fail("cannot store the confirmations");
        }
        for (const SConfirmation& confirmation : run.confirmations) {
            insert.Reset();
            insert.BindInt(1, nRunId);
            insert.BindText(2, confirmation.strPartnerUrl);
            insert.BindInt(3, confirmation.nFirstStatus);
            insert.BindText(4, std::string(VerdictCode(confirmation.eFirstVerdict)));
            insert.BindText(5, EncodeReasons(confirmation.firstReasons));
            insert.BindText(6, std::string(OutcomeCode(confirmation.eFirstOutcome)));
            insert.Step();
            if (insert.Failed()) {
                return fail("cannot store the confirmations");
            }
        }
    }
    if (!m_db.Exec("COMMIT")) {
        return fail("cannot store the run");
    }
    return nRunId;
}

void CHistoryDb::ReadInfo(CSqliteStatement& statement, SRunInfo& info) {
    info.nId = statement.ColumnInt(0);
    info.strStarted = statement.ColumnBytes(1);
    info.strFinished = statement.ColumnBytes(2);
    info.bCompleted = statement.ColumnInt(3) != 0;
    info.strSettings = statement.ColumnBytes(4);
    info.nRows = static_cast<int>(statement.ColumnInt(5));
    info.summary.nPartners = static_cast<int>(statement.ColumnInt(6));
    info.summary.nCounts = static_cast<int>(statement.ColumnInt(7));
    info.summary.nDoesNotCount = static_cast<int>(statement.ColumnInt(8));
    info.summary.nMissing = static_cast<int>(statement.ColumnInt(9));
    info.summary.nUnreachable = static_cast<int>(statement.ColumnInt(10));
}

CRunListResult CHistoryDb::ListRuns() {
    std::vector<SRunInfo> runs;
    CSqliteStatement statement =
        m_db.Prepare(std::string("SELECT ") + kRunColumns + " FROM runs ORDER BY id");
    if (!statement.IsValid()) {
        return Fail(EHistoryError::ReadFailed, "cannot read the runs");
    }
    while (statement.Step()) {
        ReadInfo(statement, runs.emplace_back());
    }
    if (statement.Failed()) {
        return Fail(EHistoryError::ReadFailed, "cannot read the runs");
    }
    return runs;
}

CReadRunResult CHistoryDb::ReadRun(std::int64_t nId) {
    SStoredRun run;
    CSqliteStatement info =
        m_db.Prepare(std::string("SELECT ") + kRunColumns + " FROM runs WHERE id = ?");
    if (!info.IsValid()) {
        return Fail(EHistoryError::ReadFailed, "cannot read the run");
    }
    info.BindInt(1, nId);
    if (!info.Step()) {
        // A run that cannot be read (a damaged file) is not reported as one that is not there.
        if (info.Failed()) {
            return Fail(EHistoryError::ReadFailed, "cannot read the run");
        }
        return Error{EHistoryError::NoSuchRun, "there is no run " + std::to_string(nId)};
    }
    ReadInfo(info, run.info);

    CSqliteStatement rows = m_db.Prepare("SELECT * FROM rows WHERE run = ? ORDER BY position");
    CSqliteStatement text = m_db.Prepare("SELECT text FROM texts WHERE id = ?");
    if (!rows.IsValid() || !text.IsValid()) {
        return Fail(EHistoryError::ReadFailed, "cannot read the run");
    }
    std::unordered_map<std::int64_t, std::string> texts;
    bool bTextMissing = false;
    const auto textOf = [&](std::int64_t nTextId) -> const std::string& {
        auto [it, bNew] = texts.try_emplace(nTextId);
        if (bNew) {
            text.Reset();
            text.BindInt(1, nTextId);
            if (text.Step()) {
                it->second = text.ColumnBytes(0);
            } else {
                bTextMissing = true;
            }
        }
        return it->second;
    };
    rows.BindInt(1, nId);
    run.rows.reserve(static_cast<std::size_t>(run.info.nRows));
    while (rows.Step()) {
        SStoredRow& row = run.rows.emplace_back();
        for (int col = 0; col < kColumnCount; ++col) {
            row.cells[static_cast<std::size_t>(col)] = textOf(rows.ColumnInt(col + 2));
        }
        ParseCode(std::string_view(textOf(rows.ColumnInt(kColumnCount + 2))), EVerdict::Unreachable,
                  VerdictCode, row.eVerdict);
        row.reasons = DecodeReasons(textOf(rows.ColumnInt(kColumnCount + 3)));
        ParseCode(std::string_view(textOf(rows.ColumnInt(kColumnCount + 4))),
                  ETransferOutcome::Other, OutcomeCode, row.eOutcome);
    }
    if (rows.Failed()) {
        return Fail(EHistoryError::ReadFailed, "cannot read the run");
    }
    if (bTextMissing) {
        return Error{EHistoryError::Damaged, "the history is damaged: a text of run " +
                                                 std::to_string(nId) + " is missing"};
    }
    KeyStoredRows(run);
    if (m_db.QueryText("SELECT count(*) FROM sqlite_schema WHERE name = 'exchange'") == "1") {
        CSqliteStatement exchange = m_db.Prepare(
            "SELECT position, you_link, you_link_from, agreement_met FROM exchange WHERE run = ?");
        if (!exchange.IsValid()) {
            return Fail(EHistoryError::ReadFailed, "cannot read the exchange");
        }
        exchange.BindInt(1, nId);
        while (exchange.Step()) {
            const std::int64_t nPosition = exchange.ColumnInt(0);
            if (nPosition < 0 || nPosition >= static_cast<std::int64_t>(run.rows.size())) {
                continue;
            }
            SStoredRow& row = run.rows[static_cast<std::size_t>(nPosition)];
            row.strYouLink = exchange.ColumnBytes(1);
            row.strYouLinkFrom = exchange.ColumnBytes(2);
            if (const std::int64_t nMet = exchange.ColumnInt(3); nMet >= 0) {
                row.agreementMet = nMet != 0;
            }
        }
        if (exchange.Failed()) {
            return Fail(EHistoryError::ReadFailed, "cannot read the exchange");
        }
    }
    if (m_db.QueryText("SELECT count(*) FROM sqlite_schema WHERE name = 'confirmations'") == "1") {
        CSqliteStatement confirmations =
            m_db.Prepare("SELECT * FROM confirmations WHERE run = ? ORDER BY rowid");
        if (!confirmations.IsValid()) {
            return Fail(EHistoryError::ReadFailed, "cannot read the confirmations");
        }
        confirmations.BindInt(1, nId);
        while (confirmations.Step()) {
            SConfirmation& confirmation = run.confirmations.emplace_back();
            confirmation.strPartnerUrl = confirmations.ColumnBytes(1);
            confirmation.nFirstStatus = static_cast<int>(confirmations.ColumnInt(2));
            ParseCode(std::string_view(confirmations.ColumnBytes(3)), EVerdict::Unreachable,
                      VerdictCode, confirmation.eFirstVerdict);
            confirmation.firstReasons = DecodeReasons(confirmations.ColumnBytes(4));
            ParseCode(std::string_view(confirmations.ColumnBytes(5)), ETransferOutcome::Other,
                      OutcomeCode, confirmation.eFirstOutcome);
        }
        if (confirmations.Failed()) {
            return Fail(EHistoryError::ReadFailed, "cannot read the confirmations");
        }
    }
    return run;
}

std::int64_t CHistoryDb::PreviousCompleted(std::int64_t nBefore) {
    CSqliteStatement statement =
        m_db.Prepare("SELECT max(id) FROM runs WHERE completed = 1 AND (?1 = 0 OR id < ?1)");
    if (!statement.IsValid()) {
        return 0;
    }
    statement.BindInt(1, nBefore);
    return statement.Step() ? statement.ColumnInt(0) : 0;
}

CHistoryResult CHistoryDb::StoreDelivery(const SDelivery& delivery) {
    CSqliteStatement insert =
        m_db.Prepare("INSERT INTO deliveries(run, channel, target, ok, message) VALUES(?,?,?,?,?)");
    if (!insert.IsValid()) {
        return Fail(EHistoryError::StoreFailed, "cannot store the delivery");
    }
    insert.BindInt(1, delivery.nRunId);
    insert.BindText(2, delivery.strChannel);
    insert.BindText(3, delivery.strTarget);
    insert.BindInt(4, delivery.bOk ? 1 : 0);
    insert.BindText(5, delivery.strMessage);
    insert.Step();
    if (insert.Failed()) {
        return Fail(EHistoryError::StoreFailed, "cannot store the delivery");
    }
    return {};
}

CDeliveryListResult CHistoryDb::ListDeliveries() {
    std::vector<SDelivery> deliveries;
    CSqliteStatement statement =
        m_db.Prepare("SELECT run, channel, target, ok, message FROM deliveries ORDER BY run, id");
    if (!statement.IsValid()) {
        return Fail(EHistoryError::ReadFailed, "cannot read the deliveries");
    }
    while (statement.Step()) {
        deliveries.push_back({statement.ColumnInt(0), statement.ColumnBytes(1),
                              statement.ColumnBytes(2), statement.ColumnInt(3) != 0,
                              statement.ColumnBytes(4)});
    }
    if (statement.Failed()) {
        return Fail(EHistoryError::ReadFailed, "cannot read the deliveries");
    }
    return deliveries;
}

} // namespace tessaray
