#include "gui/project/ext_links_dlg.h"

#include "core/project/line_list.h"
#include "gui/project/dlg_support.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QVBoxLayout>

namespace tessaray {

CExtLinksDlg::CExtLinksDlg(const CLineList& links, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("extLinksDlg"));
    setWindowTitle(tr("List of External Links"));

    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("External links imported from Google Search Console for the "
                                "purpose of verifying existence"),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* list = new QListWidget(this);
    list->setObjectName(QStringLiteral("linkList"));
    list->setMinimumSize(420, 240);
    list->setUniformItemSizes(true);
    QStringList items;
    items.reserve(links.GetCount());
    for (const std::string& link : links.Entries()) {
        items.append(FromBytes(link));
    }
    list->addItems(items);
    layout->addWidget(list, 1);

    auto* countRow = new QHBoxLayout;
    countRow->addWidget(new QLabel(tr("Count of Links"), this));
    auto* count = new QLineEdit(QString::number(links.GetCount()), this);
    count->setObjectName(QStringLiteral("countEdit"));
    count->setReadOnly(true);
    count->setMaximumWidth(100);
    countRow->addWidget(count);
    countRow->addStretch(1);
    layout->addLayout(countRow);

    AddOkCancelButtons(this, layout);
}

} // namespace tessaray
