#pragma once

#include "core/results/result_table.h"
#include "gui/results/analysis_controller.h"
#include "gui/results/report_commands.h"

#include <QPointer>
#include <QTableView>
#include <QTimer>

#include <memory>
#include <string>
#include <vector>

class QMenu;

namespace tessaray {

class CCommandFrame;
class CFilterBar;
class CFrozenColumns;
class CPrintCommands;
class CResultModel;
class CResultProxyModel;
class CTessarayDoc;

// The results view: the eighteen-column table of the open project with the verdict, change and
// link-exchange columns, shown as No., Partner URL, Verdict, Change, Agreement, You → them,
// Rendered and the other cells (the user may move and
// hide columns; the arrangement is kept in the settings, and the number and partner stay in
// sight while the table scrolls sideways), header-click sorting and the filter (both through
// CResultProxyModel, so the table keeps its order) and the right-click menu. The analysis that
// fills the table is CAnalysisController, the report exports are CReportCommands; they, printing
// and copying take the rows the view shows, in its order.
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
    // column sorted last. The table keeps its order; only the view's order changes.
    void SortByHeaderClick(int nCol);

    CResultTable& Table() { return m_table; }
    CAnalysisController& Analysis() { return *m_analysis; }
    // The filter line above the table (made with the view; its place is the window's choice).
    CFilterBar* FilterBar() const;
    CPrintCommands& PrintCommands() { return *m_print; }
    // The table rows shown (the filter lets them through), in the view's order: what the exports
    // write.
    std::vector<int> ShownRows() const;
    bool IsRunning() const { return m_analysis->IsRunning(); }
    bool CanExport() const;

    // The right-click menu for the rows selected now: nullptr when no menu applies. The caller
    // owns the menu.
    QMenu* CreateContextMenu();
    const std::string& ContextUrl() const { return m_strContextUrl; }

    // Keeps a cell that comes into sight clear of the frozen columns over the left edge.
    void scrollTo(const QModelIndex& index, ScrollHint hint = EnsureVisible) override;

    // The commands.
    void OnOpenUrl();
    void OnEditCopy();

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    // The settings key of the column arrangement.
    static QString ColumnsKey();
    // No., Partner URL, Verdict, Change, Agreement, You → them, Rendered, then the other cells in
    // their order, all shown.
    void ArrangeDefaultColumns();
    void ColumnsRearranged();
    void SaveColumns();
    // The header's menu: a switch per column to show or hide it, and the default arrangement.
    void ShowHeaderMenu(const QPoint& globalPos);
    // The rows come in partner order during a run: no sort order is shown.
    void OnRunStarted();
    // Shows the rows in the table's order, without a sort indicator.
    void ClearSort();
    // Keeps the partner being evaluated in sight unless the user scrolled away during the run.
    void OnPartnerInTurn();
    void OnFilterChanged();
    // Tells the filter line how many rows pass.
    void ShowFilterCount();
    // The table rows of the selected rows, top to bottom as shown.
    std::vector<int> SelectedRows() const;

    SViewSetup m_setup;
    CCommandFrame& m_frame;
    CTessarayDoc& m_doc;
    CResultTable m_table;
    CResultModel* m_model = nullptr;
    CResultProxyModel* m_proxy = nullptr;
    // The number and the partner stay in sight while the table scrolls sideways.
    CFrozenColumns* m_frozen = nullptr;
    CReportCommands m_reports;
    std::unique_ptr<CAnalysisController> m_analysis;
    std::unique_ptr<CPrintCommands> m_print;
    // Placed by the window beside the view; it may go first when the window closes.
    QPointer<CFilterBar> m_filterBar;
    bool m_bColumnsSet = false;
    QTimer m_saveColumns;
    // The user moved the vertical scroll bar during the run.
    bool m_bScrolledAway = false;
    std::string m_strContextUrl;
};

} // namespace tessaray
