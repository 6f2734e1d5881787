#pragma once

#include "core/history/run_changes.h"
#include "core/partner/partner_result.h"
#include "core/results/result_table.h"

#include <QAbstractTableModel>
#include <QColor>

#include <functional>
#include <map>
#include <vector>

namespace tessaray {

// Shows a CResultTable to Qt's item views without copying it: every read goes to the table, and
// the table's change notifications become the model's signals. After the eighteen columns comes
// the verdict of each row, coloured, with its reasons in the tool tip, what changed against the
// previous completed run, coloured too, and the link exchange: whether the link is the agreed one,
// whether the user links back, and whether the page was rendered in a browser.
class CResultModel final : public QAbstractTableModel, private IResultTableListener {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CResultModel)

public:
    // The column of the verdicts, after the eighteen of the table.
    static constexpr int kVerdictColumn = kColumnCount;
    // The column of the changes, after the verdicts.
    static constexpr int kChangeColumn = kColumnCount + 1;
    // The columns of the link exchange, after the changes: the agreement, the user's link to the
    // partner ("You → them") and whether the page was rendered.
    static constexpr int kAgreementColumn = kColumnCount + 2;
    static constexpr int kYouLinkColumn = kColumnCount + 3;
    static constexpr int kRenderedColumn = kColumnCount + 4;
    static constexpr int kLastColumn = kRenderedColumn;
    // The role of an int that orders the columns after the eighteen by meaning, from good news to
    // bad; a row without a value there has none.
    static constexpr int kSortRole = Qt::UserRole;
    // The role of the verdict's reasons alone, one a line (the tool tip says what the verdict
    // means first).
    static constexpr int kReasonsRole = Qt::UserRole + 1;
    // Gives the verdicts of the rows shown, or nullptr when the rows have none (a partner list).
    using VerdictSource = std::function<const CRunVerdicts*()>;

    CResultModel(CResultTable& table, QObject* parent);
    ~CResultModel() override;

    const CResultTable& Table() const { return m_table; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

    // Tells the views that the column titles changed (after the table chose its language).
    void ColumnsChanged();
    // chLanguage: the language of the verdict texts ('G' German).
    void SetVerdictSource(VerdictSource source, char chLanguage);
    // Tells the views that the verdicts changed.
    void VerdictsChanged();
    // The change of each row by its key; empty: no changes shown.
    void SetRowChanges(std::map<SRowKey, EChangeClass> changes);
    // True when row nRow has a verdict and its link does not count, or when it counts but the
    // exchange is out of balance (the user does not link back) or the agreement ended.
    bool IsProblemRow(int nRow) const;
    // A change's word ("lost") and colour, as the change column shows them.
    static QString ChangeText(EChangeClass eClass);
    static QColor ChangeColour(EChangeClass eClass);
    // One sentence on what a verdict or a change means, for their tool tips.
    static QString VerdictMeaning(EVerdict eVerdict);
    static QString ChangeMeaning(EChangeClass eClass);

private:
    void OnBeginReset() override;
    void OnEndReset() override;
    void OnBeginInsertRow(int nRow) override;
    void OnEndInsertRow(int nRow) override;
    void OnCellChanged(int nRow, int nCol) override;
    void OnBeginReorder() override;
    void OnEndReorder(const std::vector<int>& oldRowOf) override;

    const SVerdict* VerdictOf(int nRow) const;
    // The partner of a row, or nullptr.
    const SPartnerResult* PartnerOf(int nRow) const;
    QVariant VerdictData(int nRow, int role) const;
    QVariant ChangeData(int nRow, int role) const;
    QVariant AgreementData(int nRow, int role) const;
    QVariant YouLinkData(int nRow, int role) const;
    QVariant RenderedData(int nRow, int role) const;
    // The reasons of the row's verdict and of its partner's, each code once.
    std::vector<SReason> ReasonsOf(int nRow) const;
    // The link of the row, or nullptr for a partner without link.
    const SLinkResult* LinkOf(int nRow) const;

    CResultTable& m_table;
    VerdictSource m_verdictSource;
    std::map<SRowKey, EChangeClass> m_changes;
    char m_chLanguage = 'E';
};

} // namespace tessaray
