#pragma once

#include "core/results/result_table.h"
#include "gui/results/analysis_controller.h"
#include "gui/results/report_commands.h"

#include <QPointer>
#include <QTableView>

#include <memory>
#include <string>

class QMenu;

namespace tessaray {

class CCommandFrame;
class CFilterBar;
class CPrintCommands;
class CResultModel;
class CTessarayDoc;

// The results view: the eighteen-column table of the open project and the verdict column,
// header-click sorting and the right-click menu. The analysis that fills the table is
// CAnalysisController, the report exports are CReportCommands.
class CTessarayView final : public QTableView {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTessarayView)

public:
    CTessarayView(SViewSetup setup, CCommandFrame& frame, CTessarayDoc& doc);
    ~CTessarayView() override;

    // Registers the view's commands with the frame.
    void ConnectCommands();
    // Sets up the columns in the language of the moment (first call only), ends a run of the
    // previous project and shows the project's partner list.
    void OnInitialUpdate();
    // Shows the project's partner entries as rows (with the domain in "Your URL" when
    // bShowDomain); an incomplete project leaves rows and output log as they are.
    void FillList(bool bShowDomain);
    // Sorts by column nCol as a header click does: ascending for a new column, reversed for the
    // column sorted last.
    void SortByHeaderClick(int nCol);

    CResultTable& Table() { return m_table; }
    CAnalysisController& Analysis() { return *m_analysis; }
    // The filter line above the table (made with the view; its place is the window's choice).
    CFilterBar* FilterBar() const;
    CPrintCommands& PrintCommands() { return *m_print; }
    // The rows the filter lets through as a table of their own, or nullptr while no filter is on:
    // what the exports write.
    std::unique_ptr<CResultTable> ShownRowsTable() const;
    bool IsRunning() const { return m_analysis->IsRunning(); }
    bool CanExport() const;

    // The right-click menu for the rows selected now: nullptr when no menu applies. The caller
    // owns the menu.
    QMenu* CreateContextMenu();
    const std::string& ContextUrl() const { return m_strContextUrl; }

    // The commands.
    void OnOpenUrl();
    void OnEditCopy();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // The rows come in partner order during a run: no sort order is shown.
    void OnRunStarted();
    // Keeps the partner being evaluated in sight unless the user scrolled away during the run.
    void OnPartnerInTurn();
    // Hides the rows first to last that the filter holds back and shows the others.
    void ApplyFilter(int nFirst, int nLast);
    void ApplyFilterToAll();
    bool PassesFilter(int nRow) const;
    // The selected rows the filter shows, top to bottom.
    QModelIndexList SelectedShownRows() const;

    SViewSetup m_setup;
    CCommandFrame& m_frame;
    CTessarayDoc& m_doc;
    CResultTable m_table;
    CResultModel* m_model = nullptr;
    CReportCommands m_reports;
    std::unique_ptr<CAnalysisController> m_analysis;
    std::unique_ptr<CPrintCommands> m_print;
    // Placed by the window beside the view; it may go first when the window closes.
    QPointer<CFilterBar> m_filterBar;
    int m_nHiddenRows = 0; // rows the filter holds back
    bool m_bColumnsSet = false;
    // The user moved the vertical scroll bar during the run.
    bool m_bScrolledAway = false;
    std::string m_strContextUrl;
    int m_nSortColumn = -1;
    bool m_bSortAscending = true;
};

} // namespace tessaray
