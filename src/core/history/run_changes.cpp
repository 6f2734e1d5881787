#include "core/history/run_changes.h"
#include "core/util/core_texts.h"

#include "core/results/json_report.h"
#include "core/results/report_text.h"

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <memory>
#include <ostream>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace tessaray {

namespace {

// A link is on the page when the verdict says so; the other verdicts belong to the one row of a
// partner without a link.
bool HasLink(const SStoredRow& row) {
    return row.eVerdict == EVerdict::Counts || row.eVerdict == EVerdict::DoesNotCount;
}

const std::string& PartnerOf(const SStoredRow& row) {
    return row.cells[kColPartnerUrl];
}

// A bot protection answered instead of the page: what the page holds is unknown.
bool IsBlocked(const SStoredRow& row) {
    return row.eVerdict == EVerdict::Unreachable &&
           std::any_of(row.reasons.begin(), row.reasons.end(),
                       [](const SReason& reason) { return reason.eCode == EReason::Blocked; });
}

const std::string& LinkOf(const SStoredRow& row) {
    return row.cells[kColYourUrl];
}

// The row indexes of each partner URL, and the URLs in their order of appearance.
struct SPartnerRows {
    std::vector<std::string> order;
    std::unordered_map<std::string, std::vector<int>> rows;
};

SPartnerRows GroupByPartner(const SStoredRun& run) {
    SPartnerRows grouped;
    for (int i = 0; i < static_cast<int>(run.rows.size()); ++i) {
        const std::string& partner = PartnerOf(run.rows[static_cast<std::size_t>(i)]);
        auto [it, bNew] = grouped.rows.try_emplace(partner);
        if (bNew) {
            grouped.order.push_back(partner);
        }
        it->second.push_back(i);
    }
    return grouped;
}

bool IsAlarmingChange(const SRunChange& change) {
    return change.eKind == EChangeKind::LinkLost ||
           ((change.eKind == EChangeKind::VerdictChanged ||
             change.eKind == EChangeKind::AgreementChanged) &&
            change.eClass == EChangeClass::Worse);
}

// How much the user gives: followed over nofollow over none; -1 when it is not known.
int YouLinkRank(const std::string& code) {
    if (code == YouLinkCode(EYouLink::Followed)) {
        return 2;
    }
    if (code == YouLinkCode(EYouLink::Nofollow)) {
        return 1;
    }
    return code == YouLinkCode(EYouLink::None) ? 0 : -1;
}

// The partners of a run whose page could not be read.
std::unordered_set<std::string> UnreachablePartners(const SStoredRun& run) {
    std::unordered_set<std::string> partners;
    for (const SStoredRow& row : run.rows) {
        if (row.eVerdict == EVerdict::Unreachable) {
            partners.insert(PartnerOf(row));
        }
    }
    return partners;
}

class CComparer {
public:
    CComparer(const SStoredRun& older, const SStoredRun& newer) : m_older(older), m_newer(newer) {}

    void ComparePartner(const std::string& partner, const std::vector<int>& oldRows,
                        const std::vector<int>& newRows) {
        const SStoredRow& oldFirst = Old(oldRows.front());
        const SStoredRow& newFirst = New(newRows.front());
        const std::string& oldStatus = oldFirst.cells[kColStatusCode];
        const std::string& newStatus = newFirst.cells[kColStatusCode];
        if (oldStatus != newStatus) {
            EChangeClass eClass = EChangeClass::TextChanged;
            if (newStatus == "200") {
                eClass = EChangeClass::Better;
            } else if (oldStatus == "200") {
                eClass = EChangeClass::Worse;
            }
            SRunChange& change = Add(EChangeKind::StatusChanged, eClass, oldRows.front(),
                                     newRows.front(), partner, {});
            change.strOld = oldStatus;
            change.strNew = newStatus;
        }

        // The links of the older run by URL; each is matched at most once, in order.
        std::unordered_map<std::string, std::vector<int>> oldLinks;
        for (const int i : oldRows) {
            if (HasLink(Old(i))) {
                oldLinks[LinkOf(Old(i))].push_back(i);
            }
        }
        std::unordered_map<std::string, std::size_t> used;
        bool bNewHasLink = false;
        for (const int i : newRows) {
            if (!HasLink(New(i))) {
                continue;
            }
            bNewHasLink = true;
            const std::string& link = LinkOf(New(i));
            const auto found = oldLinks.find(link);
            std::size_t& nUsed = used[link];
            if (found == oldLinks.end() || nUsed >= found->second.size()) {
                SRunChange& change = Add(EChangeKind::LinkGained, EChangeClass::New,
                                         oldRows.front(), i, partner, link);
                // Beside other links of the page this one was missing.
                if (!oldLinks.empty()) {
                    change.eOldVerdict = EVerdict::Missing;
                    change.oldReasons.clear();
                }
                continue;
            }
            const int j = found->second[nUsed++];
            CompareVerdicts(j, i, partner, link);
            if (Old(j).cells[kColAnchorText] != New(i).cells[kColAnchorText]) {
                SRunChange& change = Add(EChangeKind::AnchorTextChanged, EChangeClass::TextChanged,
                                         j, i, partner, link);
                change.strOld = Old(j).cells[kColAnchorText];
                change.strNew = New(i).cells[kColAnchorText];
            }
        }
        if (oldLinks.empty() && !bNewHasLink) {
            CompareVerdicts(oldRows.front(), newRows.front(), partner, {});
            return;
        }
        // Links of the older run that found no partner: lost, unless the page could not be read
        // at all, which is a worse verdict of the link rather than its removal.
        for (const int j : oldRows) {
            if (!HasLink(Old(j))) {
                continue;
            }
            const std::string& link = LinkOf(Old(j));
            std::size_t& nUsed = used[link];
            const std::vector<int>& same = oldLinks[link];
            if (nUsed < same.size() && same[nUsed] == j) {
                ++nUsed;
                const bool bUnreachable =
                    !bNewHasLink && newFirst.eVerdict == EVerdict::Unreachable;
                SRunChange& change =
                    Add(bUnreachable ? EChangeKind::VerdictChanged : EChangeKind::LinkLost,
                        bUnreachable ? EChangeClass::Worse : EChangeClass::Lost, j, newRows.front(),
                        partner, link);
                if (bNewHasLink) {
                    change.eNewVerdict = EVerdict::Missing;
                    change.newReasons.clear();
                }
            }
        }
    }

    // The exchange, kept on the partner's first rows: the user's link back and the agreement.
    // An answer that is not known (a link page or the partner's page unread) changes nothing.
    void CompareExchange(const std::string& partner, int nOld, int nNew) {
        const SStoredRow& oldRow = Old(nOld);
        const SStoredRow& newRow = New(nNew);
        const int nOldRank = YouLinkRank(oldRow.strYouLink);
        const int nNewRank = YouLinkRank(newRow.strYouLink);
        if (nOldRank >= 0 && nNewRank >= 0 && nOldRank != nNewRank) {
            SRunChange& change =
                Add(EChangeKind::YouLinkChanged,
                    nNewRank > nOldRank ? EChangeClass::Better : EChangeClass::Worse, nOld, nNew,
                    partner, {});
            change.strOld = oldRow.strYouLink;
            change.strNew = newRow.strYouLink;
        }
        if (oldRow.agreementMet && newRow.agreementMet &&
            *oldRow.agreementMet != *newRow.agreementMet) {
            const bool bMet = *newRow.agreementMet;
            SRunChange& change =
                Add(EChangeKind::AgreementChanged,
                    bMet ? EChangeClass::Better : EChangeClass::Worse, nOld, nNew, partner, {});
            change.strOld = bMet ? "differs" : "met";
            change.strNew = bMet ? "met" : "differs";
        }
    }

    void AddPartner(EChangeKind eKind, int nOldRow, int nNewRow, const std::string& partner) {
        const bool bAdded = eKind == EChangeKind::PartnerAdded;
        Add(eKind, bAdded ? EChangeClass::New : EChangeClass::Lost, nOldRow, nNewRow, partner, {});
    }

    std::vector<SRunChange> Take() { return std::move(m_changes); }

private:
    const SStoredRow& Old(int i) const { return m_older.rows[static_cast<std::size_t>(i)]; }
    const SStoredRow& New(int i) const { return m_newer.rows[static_cast<std::size_t>(i)]; }

    void CompareVerdicts(int nOld, int nNew, const std::string& partner, const std::string& link) {
        const EVerdict eOld = Old(nOld).eVerdict;
        const EVerdict eNew = New(nNew).eVerdict;
        if (eOld != eNew) {
            // The verdicts are ordered from best to worst.
            Add(EChangeKind::VerdictChanged,
                eNew < eOld ? EChangeClass::Better : EChangeClass::Worse, nOld, nNew, partner,
                link);
        }
    }

    SRunChange& Add(EChangeKind eKind, EChangeClass eClass, int nOld, int nNew,
                    const std::string& partner, const std::string& link) {
        SRunChange& change = m_changes.emplace_back();
        change.eKind = eKind;
        change.eClass = eClass;
        change.strPartnerUrl = partner;
        change.strLinkUrl = link;
        change.nOldRow = nOld;
        change.nNewRow = nNew;
        if (nOld >= 0) {
            change.eOldVerdict = Old(nOld).eVerdict;
            change.oldReasons = Old(nOld).reasons;
        }
        if (nNew >= 0) {
            change.eNewVerdict = New(nNew).eVerdict;
            change.newReasons = New(nNew).reasons;
        }
        return change;
    }

    const SStoredRun& m_older;
    const SStoredRun& m_newer;
    std::vector<SRunChange> m_changes;
};

} // namespace

std::vector<SRunChange> CompareRuns(const SStoredRun& older, const SStoredRun& newer) {
    const SPartnerRows oldPartners = GroupByPartner(older);
    const SPartnerRows newPartners = GroupByPartner(newer);
    CComparer comparer(older, newer);
    for (const std::string& partner : newPartners.order) {
        const std::vector<int>& newRows = newPartners.rows.at(partner);
        const auto found = oldPartners.rows.find(partner);
        if (found == oldPartners.rows.end()) {
            // A partner that a stopped older run never reached is not new.
            if (older.info.bCompleted) {
                comparer.AddPartner(EChangeKind::PartnerAdded, -1, newRows.front(), partner);
            }
        } else if (!IsBlocked(newer.rows[static_cast<std::size_t>(newRows.front())]) &&
                   !IsBlocked(older.rows[static_cast<std::size_t>(found->second.front())])) {
            // A blocked page is neither better nor worse than what was known of it.
            comparer.ComparePartner(partner, found->second, newRows);
            comparer.CompareExchange(partner, found->second.front(), newRows.front());
        }
    }
    for (const std::string& partner : oldPartners.order) {
        // Nor is one that a stopped newer run never reached lost.
        if (newer.info.bCompleted && !newPartners.rows.contains(partner)) {
            comparer.AddPartner(EChangeKind::PartnerRemoved, oldPartners.rows.at(partner).front(),
                                -1, partner);
        }
    }
    return comparer.Take();
}

std::map<SRowKey, EChangeClass> ChangesByRow(const SStoredRun& newer,
                                             const std::vector<SRunChange>& changes) {
    // Higher is more serious.
    const auto weight = [](EChangeClass eClass) {
        switch (eClass) {
        case EChangeClass::Lost:
            return 4;
        case EChangeClass::Worse:
            return 3;
        case EChangeClass::New:
            return 2;
        case EChangeClass::Better:
            return 1;
        case EChangeClass::TextChanged:
            return 0;
        }
        return 0;
    };
    std::map<SRowKey, EChangeClass> byRow;
    for (const SRunChange& change : changes) {
        if (change.nNewRow < 0 || change.nNewRow >= static_cast<int>(newer.rows.size())) {
            continue;
        }
        const SRowKey key = newer.rows[static_cast<std::size_t>(change.nNewRow)].key;
        const auto [it, bNew] = byRow.try_emplace(key, change.eClass);
        if (!bNew && weight(change.eClass) > weight(it->second)) {
            it->second = change.eClass;
        }
    }
    return byRow;
}

bool IsAlarming(const std::vector<SRunChange>& changes) {
    return std::any_of(changes.begin(), changes.end(), IsAlarmingChange);
}

std::function<bool(const SPartnerResult&)> WorseThanCheck(const SStoredRun& previous) {
    // Each partner's rows of the previous run apart, so a check compares one partner only.
    auto byPartner = std::make_shared<std::unordered_map<std::string, SStoredRun>>();
    for (const SStoredRow& row : previous.rows) {
        SStoredRun& partner = (*byPartner)[PartnerOf(row)];
        partner.info.bCompleted = true;
        partner.rows.push_back(row);
    }
    return [byPartner](const SPartnerResult& result) {
        const auto found = byPartner->find(result.strUrl);
        if (found == byPartner->end()) {
            return false;
        }
        SStoredRun fresh;
        fresh.rows = StoredRowsOf(result);
        return IsAlarming(CompareRuns(found->second, fresh));
    };
}

std::vector<SRunChange> AlertingChanges(const SStoredRun& run,
                                        const std::vector<SStoredRun>& earlier, int nAfterRuns) {
    std::vector<SRunChange> alerting;
    if (earlier.empty()) {
        return alerting;
    }
    const std::size_t nRuns = static_cast<std::size_t>(std::max(nAfterRuns, 1));
    const std::unordered_set<std::string> unreachable = UnreachablePartners(run);
    for (SRunChange& change : CompareRuns(earlier.front(), run)) {
        if (IsAlarmingChange(change) &&
            (nRuns == 1 || !unreachable.contains(change.strPartnerUrl))) {
            alerting.push_back(std::move(change));
        }
    }
    if (nRuns == 1 || earlier.size() < nRuns) {
        return alerting;
    }
    // Unreachable in this run and the nRuns - 1 before it, but not in the one before those.
    std::unordered_set<std::string> persistent = unreachable;
    for (std::size_t i = 0; i + 1 < nRuns && !persistent.empty(); ++i) {
        const std::unordered_set<std::string> before = UnreachablePartners(earlier[i]);
        std::erase_if(persistent,
                      [&before](const std::string& url) { return !before.contains(url); });
    }
    if (persistent.empty()) {
        return alerting;
    }
    const SStoredRun& baseline = earlier[nRuns - 1];
    const std::unordered_set<std::string> before = UnreachablePartners(baseline);
    std::erase_if(persistent, [&before](const std::string& url) { return before.contains(url); });
    for (SRunChange& change : CompareRuns(baseline, run)) {
        if (IsAlarmingChange(change) && persistent.contains(change.strPartnerUrl)) {
            alerting.push_back(std::move(change));
        }
    }
    return alerting;
}

std::string_view ChangeKindCode(EChangeKind eKind) {
    switch (eKind) {
    case EChangeKind::LinkGained:
        return "link-gained";
    case EChangeKind::LinkLost:
        return "link-lost";
    case EChangeKind::VerdictChanged:
        return "verdict-changed";
    case EChangeKind::StatusChanged:
        return "status-changed";
    case EChangeKind::AnchorTextChanged:
        return "anchor-text-changed";
    case EChangeKind::PartnerAdded:
        return "partner-added";
    case EChangeKind::PartnerRemoved:
        return "partner-removed";
    case EChangeKind::YouLinkChanged:
        return "you-link-changed";
    case EChangeKind::AgreementChanged:
        return "agreement-changed";
    }
    return {};
}

bool IsTextChange(EChangeKind eKind) {
    return eKind == EChangeKind::StatusChanged || eKind == EChangeKind::AnchorTextChanged ||
           eKind == EChangeKind::YouLinkChanged || eKind == EChangeKind::AgreementChanged;
}

std::string_view ChangeClassCode(EChangeClass eClass) {
    switch (eClass) {
    case EChangeClass::New:
        return "new";
    case EChangeClass::Lost:
        return "lost";
    case EChangeClass::Better:
        return "better";
    case EChangeClass::Worse:
        return "worse";
    case EChangeClass::TextChanged:
        return "text-changed";
    }
    return {};
}

namespace {

void WriteRunJson(std::ostream& out, const SRunInfo& info) {
    out << "{\"id\": " << info.nId;
    WriteRunTimesJson(out, info.strStarted, info.strFinished, info.bCompleted);
    out << "}";
}

void WriteSideJson(std::ostream& out, EVerdict eVerdict, const std::vector<SReason>& reasons) {
    out << "{\"verdict\": " << JsonString(VerdictCode(eVerdict)) << ", \"reasons\": [";
    const char* separator = "";
    for (const SReason& reason : reasons) {
        out << separator << "{\"code\": " << JsonString(ReasonCode(reason.eCode))
            << ", \"detail\": " << JsonString(reason.strDetail) << "}";
        separator = ", ";
    }
    out << "]}";
}

} // namespace

bool WriteChangesJson(std::ostream& out, const SRunInfo& older, const SRunInfo& newer,
                      const std::vector<SRunChange>& changes) {
    out << "{\"older\": ";
    WriteRunJson(out, older);
    out << ",\n \"newer\": ";
    WriteRunJson(out, newer);
    out << ",\n \"alarming\": " << (IsAlarming(changes) ? "true" : "false");
    out << ",\n \"changes\": [";
    const char* separator = "\n  ";
    for (const SRunChange& change : changes) {
        out << separator << "{\"kind\": " << JsonString(ChangeKindCode(change.eKind))
            << ", \"class\": " << JsonString(ChangeClassCode(change.eClass))
            << ", \"partner\": " << JsonString(change.strPartnerUrl)
            << ", \"link\": " << JsonString(change.strLinkUrl) << ", \"old\": ";
        WriteSideJson(out, change.eOldVerdict, change.oldReasons);
        out << ", \"new\": ";
        WriteSideJson(out, change.eNewVerdict, change.newReasons);
        if (IsTextChange(change.eKind)) {
            out << ", \"old_text\": " << JsonString(change.strOld)
                << ", \"new_text\": " << JsonString(change.strNew);
        }
        out << "}";
        separator = ",\n  ";
    }
    out << "]}\n";
    return static_cast<bool>(out);
}

std::string VerdictWithReasons(EVerdict eVerdict, const std::vector<SReason>& reasons) {
    std::string text(VerdictCode(eVerdict));
    const char* separator = " (";
    for (const SReason& reason : reasons) {
        text.append(separator).append(ReasonCode(reason.eCode));
        if (!reason.strDetail.empty()) {
            text.append(" ").append(reason.strDetail);
        }
        separator = ", ";
    }
    return reasons.empty() ? text : text + ")";
}

namespace {

// A cell of the changes table: on one line (each tab, CR and LF a blank, so no cell starts with
// one), and never read as a formula, not even a number.
std::string CsvCell(std::string text) {
    for (char& ch : text) {
        if (ch == '\t' || ch == '\r' || ch == '\n') {
            ch = ' ';
        }
    }
    GuardCsvCell(text, true);
    return text;
}

} // namespace

bool WriteChangesCsv(std::ostream& out, const std::vector<SRunChange>& changes, char chLanguage) {
    out << CoreText(ETextId::ChangesCsvHeader, chLanguage) << '\n';
    for (const SRunChange& change : changes) {
        out << ChangeClassCode(change.eClass) << '\t' << ChangeKindCode(change.eKind) << '\t'
            << CsvCell(change.strPartnerUrl) << '\t' << CsvCell(change.strLinkUrl) << '\t'
            << CsvCell(VerdictWithReasons(change.eOldVerdict, change.oldReasons)) << '\t'
            << CsvCell(VerdictWithReasons(change.eNewVerdict, change.newReasons)) << '\t'
            << CsvCell(change.strOld) << '\t' << CsvCell(change.strNew) << '\n';
    }
    return static_cast<bool>(out);
}

namespace {

// How many completed runs before the last one are searched for a partner that was blocked in it.
constexpr int kBlockedLookBack = 10;

// The last completed run as the base of the comparison, with the rows of a partner blocked in it
// taken from the latest earlier run that read its page: a link lost while the page was blocked
// still counts as lost.
void ReplaceBlockedRows(CHistoryDb& history, SStoredRun& previous) {
    std::unordered_set<std::string> blocked;
    for (const SStoredRow& row : previous.rows) {
        if (IsBlocked(row)) {
            blocked.insert(PartnerOf(row));
        }
    }
    std::unordered_map<std::string, std::vector<SStoredRow>> found;
    std::int64_t nId = previous.info.nId;
    for (int n = 0; n < kBlockedLookBack && !blocked.empty(); ++n) {
        nId = history.PreviousCompleted(nId);
        if (nId == 0) {
            break;
        }
        CReadRunResult earlier = history.ReadRun(nId);
        if (!earlier) {
            break;
        }
        const SPartnerRows grouped = GroupByPartner(earlier.Value());
        for (const std::string& partner : grouped.order) {
            const std::vector<int>& rows = grouped.rows.at(partner);
            if (!blocked.contains(partner) ||
                IsBlocked(earlier.Value().rows[static_cast<std::size_t>(rows.front())])) {
                continue;
            }
            std::vector<SStoredRow>& taken = found[partner];
            for (const int i : rows) {
                taken.push_back(std::move(earlier.Value().rows[static_cast<std::size_t>(i)]));
            }
            blocked.erase(partner);
        }
    }
    std::erase_if(previous.rows,
                  [&found](const SStoredRow& row) { return found.contains(PartnerOf(row)); });
    for (auto& [partner, rows] : found) {
        std::move(rows.begin(), rows.end(), std::back_inserter(previous.rows));
    }
}

} // namespace

SHistoryRecord RecordRun(const std::string& strProjectPath, const SStoredRun& run,
                         int nAlertAfterRuns) {
    SHistoryRecord record;
    const std::string path = HistoryPathOf(strProjectPath);
    std::error_code error;
    // A link in its place (dangling or not) counts as there: Open refuses it with a message.
    if (!run.info.bCompleted &&
        !std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        return record;
    }
    CHistoryDb history;
    if (const CHistoryResult opened = history.Open(path, run.info.bCompleted); !opened) {
        record.strError = opened.GetError().detail;
        return record;
    }
    if (const CStoreResult stored = history.Store(run); stored.Ok()) {
        record.nRunId = stored.Value();
    } else {
        record.strError = stored.GetError().detail;
    }
    if (!run.info.bCompleted) {
        return record;
    }
    // Compared also when storing failed: the history still tells what the last run found.
    record.nPreviousId = history.PreviousCompleted(record.nRunId);
    if (record.nPreviousId == 0) {
        return record;
    }
    // The completed runs before this one, newest first, as far back as the alert rule looks.
    std::vector<SStoredRun> earlier;
    for (std::int64_t nId = record.nPreviousId;
         nId != 0 && earlier.size() < static_cast<std::size_t>(std::max(nAlertAfterRuns, 1));
         nId = history.PreviousCompleted(nId)) {
        CReadRunResult read = history.ReadRun(nId);
        if (!read) {
            if (earlier.empty()) {
                if (record.strError.empty()) {
                    record.strError = read.GetError().detail;
                }
                record.nPreviousId = 0;
                return record;
            }
            break;
        }
        earlier.push_back(std::move(read.Value()));
    }
    ReplaceBlockedRows(history, earlier.front());
    record.changes = CompareRuns(earlier.front(), run);
    record.previous = earlier.front().info;
    record.alerting = AlertingChanges(run, earlier, nAlertAfterRuns);
    return record;
}

std::optional<SStoredRun> ReadLastCompletedRun(const std::string& strProjectPath) {
    const std::string path = HistoryPathOf(strProjectPath);
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
        return std::nullopt;
    }
    CHistoryDb history;
    if (!history.Open(path, false)) {
        return std::nullopt;
    }
    const std::int64_t nId = history.PreviousCompleted();
    if (nId == 0) {
        return std::nullopt;
    }
    CReadRunResult read = history.ReadRun(nId);
    if (!read) {
        return std::nullopt;
    }
    // The same base RecordRun compares with, so a confirmation is asked for what would alert.
    ReplaceBlockedRows(history, read.Value());
    return std::move(read.Value());
}

} // namespace tessaray
