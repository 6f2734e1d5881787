#include "gui/results/frozen_columns.h"

#include <QEvent>
#include <QHeaderView>
#include <QScrollBar>
#include <QTableView>

namespace tessaray {

CFrozenColumns::CFrozenColumns(QTableView& view, int nAnchorColumn)
    : QObject(&view), m_view(view), m_nAnchorColumn(nAnchorColumn) {
    m_overlay = new QTableView(&view);
    m_overlay->setObjectName(QStringLiteral("FrozenColumns"));
    m_overlay->setModel(view.model());
    m_overlay->setSelectionModel(view.selectionModel());
    m_overlay->setFocusPolicy(Qt::NoFocus);
    m_overlay->setFrameShape(QFrame::NoFrame);
    m_overlay->setSelectionBehavior(view.selectionBehavior());
    m_overlay->setSelectionMode(view.selectionMode());
    m_overlay->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_overlay->setWordWrap(view.wordWrap());
    m_overlay->setTextElideMode(view.textElideMode());
    m_overlay->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_overlay->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_overlay->verticalHeader()->hide();
    m_overlay->horizontalHeader()->setHighlightSections(false);
    m_overlay->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_overlay->horizontalHeader()->setContextMenuPolicy(Qt::CustomContextMenu);
    // The view's own cells pass under the overlay.
    view.viewport()->stackUnder(m_overlay);

    QHeaderView* header = view.horizontalHeader();
    connect(header, &QHeaderView::sectionResized, this, &CFrozenColumns::Update);
    connect(header, &QHeaderView::sectionMoved, this, &CFrozenColumns::Update);
    connect(header, &QHeaderView::sortIndicatorChanged, this, &CFrozenColumns::Update);
    connect(header, &QHeaderView::geometriesChanged, this, &CFrozenColumns::Update);
    connect(m_overlay->horizontalHeader(), &QHeaderView::sectionClicked, this,
            &CFrozenColumns::HeaderClicked);
    connect(m_overlay->horizontalHeader(), &QWidget::customContextMenuRequested, this,
            [this](const QPoint& pos) {
                emit HeaderMenuRequested(
                    m_overlay->horizontalHeader()->viewport()->mapToGlobal(pos));
            });
    connect(m_overlay->verticalScrollBar(), &QAbstractSlider::valueChanged,
            view.verticalScrollBar(), &QAbstractSlider::setValue);
    connect(view.verticalScrollBar(), &QAbstractSlider::valueChanged,
            m_overlay->verticalScrollBar(), &QAbstractSlider::setValue);
    view.viewport()->installEventFilter(this);
    Update();
}

int CFrozenColumns::Width() const {
    return m_nWidth;
}

bool CFrozenColumns::IsFrozen(int nColumn) const {
    const QHeaderView* header = m_view.horizontalHeader();
    return m_nWidth > 0 && header->visualIndex(nColumn) <= header->visualIndex(m_nAnchorColumn);
}

void CFrozenColumns::Update() {
    const QHeaderView* header = m_view.horizontalHeader();
    QHeaderView* frozen = m_overlay->horizontalHeader();
    const int anchorPlace = header->visualIndex(m_nAnchorColumn);
    int width = 0;
    for (int place = 0; place < header->count(); ++place) {
        const int col = header->logicalIndex(place);
        frozen->moveSection(frozen->visualIndex(col), place);
        const bool bFrozen = place <= anchorPlace && !header->isSectionHidden(col);
        m_overlay->setColumnHidden(col, !bFrozen);
        if (bFrozen) {
            m_overlay->setColumnWidth(col, header->sectionSize(col));
            width += header->sectionSize(col);
        }
    }
    // Frozen columns that fill the view would leave nothing to scroll into sight.
    m_nWidth = anchorPlace >= 0 && width * 2 <= m_view.viewport()->width() ? width : 0;
    m_overlay->setVisible(m_nWidth > 0);
    if (m_nWidth == 0) {
        return;
    }
    frozen->setSortIndicatorShown(header->isSortIndicatorShown());
    frozen->setSortIndicator(header->sortIndicatorSection(), header->sortIndicatorOrder());
    frozen->setFixedHeight(header->height());
    m_overlay->verticalHeader()->setDefaultSectionSize(
        m_view.verticalHeader()->defaultSectionSize());
    m_overlay->setGeometry(m_view.frameWidth(), m_view.frameWidth(), m_nWidth,
                           header->height() + m_view.viewport()->height());
    m_overlay->verticalScrollBar()->setValue(m_view.verticalScrollBar()->value());
}

bool CFrozenColumns::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_view.viewport() && event->type() == QEvent::Resize) {
        Update();
    }
    return false;
}

} // namespace tessaray
