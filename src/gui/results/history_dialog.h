#pragma once

#include "core/history/history_db.h"
#include "core/history/run_changes.h"
#include "core/partner/partner_result.h"
#include "core/results/result_table.h"

#include <QDialog>

#include <cstdint>
#include <string>
#include <vector>

class QLabel;
class QPushButton;
class QTabWidget;
class QTableView;
class QTableWidget;

namespace tessaray {

class CResultModel;

// "2026-12-08T10:00:00Z" in local time, to the minute; a text of another shape as it is.
QString LocalTime(const std::string& stamp);
// Puts the rows of a stored run into table and their verdicts into verdicts, both emptied first.
void FillFromStoredRun(const SStoredRun& run, CResultTable& table, CRunVerdicts& verdicts);

// The runs of a project's history: a list with date, end and verdict counts; below it the table
// of one run, read-only, or the changes between two runs.
class CHistoryDialog final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CHistoryDialog)

public:
    // chLanguage: the language of the column titles and verdicts ('G' German).
    CHistoryDialog(QWidget* parent, char chLanguage);
    ~CHistoryDialog() override;

    // Reads the list of runs from the history file (never created or written), or why it
    // cannot be read.
    CHistoryResult Load(const std::string& strPath);

    // Shows the run's table with its verdicts and what changed against the completed run
    // before it.
    bool OpenRun(std::int64_t nId);
    // Shows the changes from the older run to the newer.
    bool CompareRuns(std::int64_t nOlder, std::int64_t nNewer);
    // Shows the changes from the last completed run before the newest to the newest, both
    // selected in the list; false when there is no such pair.
    bool ShowLatestChanges();

private:
    // The ids of the runs selected in the list, oldest first.
    std::vector<std::int64_t> SelectedRuns() const;
    void UpdateButtons();
    void ShowError(const SError<EHistoryError>& error);
    static QString ChangeKindText(EChangeKind eKind);

    CHistoryDb m_history;
    char m_chLanguage;
    CResultTable m_table;
    CRunVerdicts m_verdicts;
    CResultModel* m_model = nullptr;
    QTableWidget* m_runList = nullptr;
    QTabWidget* m_tabs = nullptr;
    QTableView* m_runTable = nullptr;
    QTableWidget* m_changeList = nullptr;
    QLabel* m_shown = nullptr;
    QPushButton* m_open = nullptr;
    QPushButton* m_compare = nullptr;
};

} // namespace tessaray
