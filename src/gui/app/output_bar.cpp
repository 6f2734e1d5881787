#include "gui/app/output_bar.h"

#include "gui/toolkit/byte_text.h"
#include "gui/toolkit/command_ids.h"

#include <QListWidget>
#include <QTabWidget>

namespace tessaray {

COutputBar::COutputBar(QWidget* parent) : QDockWidget(tr("Output"), parent) {
    setObjectName(QStringLiteral("OutputBar%1").arg(kOutputBarId));
    setFeatures(QDockWidget::DockWidgetMovable | QDockWidget::DockWidgetFloatable);

    m_wndTabs = new QTabWidget(this);
    m_wndTabs->setObjectName(QStringLiteral("OutputTabs"));
    m_wndTabs->setTabPosition(QTabWidget::South);
    m_wndTabs->setDocumentMode(true);

    m_wndLog = new QListWidget(m_wndTabs);
    m_wndLog->setObjectName(QStringLiteral("OutputLog"));
    m_wndLog->setSortingEnabled(false);
    m_wndLog->setUniformItemSizes(true); // keeps long logs cheap to lay out
    m_wndTabs->addTab(m_wndLog, tr("Output"));
    m_wndTabs->setCurrentIndex(0);

    setWidget(m_wndTabs);
}

void COutputBar::AddOutputLine(const std::string& text) {
    m_wndLog->addItem(FromBytes(text));
    m_wndLog->setCurrentRow(m_wndLog->count() - 1);
    m_wndLog->scrollToBottom();
}

void COutputBar::AppendToLastOutputLine(const std::string& text) {
    const int n = m_wndLog->count();
    const QString added = FromBytes(text);
    if (n == 0) {
        m_wndLog->addItem(added);
        return;
    }
    // The line's text grows in place and its selection is cleared, so no selection remains.
    QListWidgetItem* last = m_wndLog->item(n - 1);
    last->setText(last->text() + added);
    m_wndLog->setCurrentRow(-1);
    last->setSelected(false);
}

void COutputBar::ClearOutput() {
    m_wndLog->clear();
}

} // namespace tessaray
