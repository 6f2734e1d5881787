#include "gui/results/filter_bar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>

namespace tessaray {

CFilterBar::CFilterBar(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("FilterBar"));
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("filterEdit"));
    m_edit->setPlaceholderText(tr("Filter: text in any cell"));
    m_edit->setClearButtonEnabled(true);
    m_problemsOnly = new QCheckBox(tr("Show only problems"), this);
    m_problemsOnly->setObjectName(QStringLiteral("problemsOnlyCheck"));
    m_problemsOnly->setToolTip(tr("Show only the rows whose link does not count, whose agreement "
                                  "is broken or over, or whose exchange is one-sided"));
    m_count = new QLabel(this);
    m_count->setObjectName(QStringLiteral("filterCount"));
    // As wide as its longest text from the start, so nothing moves sideways when it appears.
    m_count->setMinimumWidth(m_count->fontMetrics().horizontalAdvance(
        tr("%1 of %2 rows shown").arg(999999).arg(999999)));
    layout->addWidget(m_edit, 1);
    layout->addWidget(m_problemsOnly);
    layout->addWidget(m_count);
    connect(m_edit, &QLineEdit::textChanged, this, &CFilterBar::FilterChanged);
    connect(m_problemsOnly, &QCheckBox::toggled, this, &CFilterBar::FilterChanged);
}

QString CFilterBar::Text() const {
    return m_edit->text().trimmed();
}

bool CFilterBar::ProblemsOnly() const {
    return m_problemsOnly->isChecked();
}

void CFilterBar::FocusText() {
    m_edit->setFocus(Qt::ShortcutFocusReason);
    m_edit->selectAll();
}

void CFilterBar::ShowCount(int nShown, int nRows) {
    m_count->setText(IsActive() ? tr("%1 of %2 rows shown").arg(nShown).arg(nRows) : QString());
}

} // namespace tessaray
