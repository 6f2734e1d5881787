#include "gui/project/txt_import_dlg.h"

#include "gui/project/dlg_support.h"
#include "gui/toolkit/ui_hooks.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaray {

CTxtImportDlg::CTxtImportDlg(const SUiHooks& hooks, QWidget* parent)
    : QDialog(parent), m_hooks(hooks) {
    setObjectName(QStringLiteral("txtImportDlg"));
    setWindowTitle(tr("URL-Import from a txt-File"));

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(tr("URL details can be read in via a text file"), this));
    layout->addWidget(new QLabel(tr("- each URL needing to be listed on a separate line"), this));
    layout->addWidget(new QLabel(tr("- Text not starting with a letter (a..z, A..Z) is interpreted "
                                    "as a comment (e.g.: #, /*, //,...)"),
                                 this));
    auto* pathLabel = new QLabel(tr("Text file with one URL per line (*.txt)"), this);
    layout->addWidget(pathLabel);

    auto* pathRow = new QHBoxLayout;
    m_pathEdit = new QLineEdit(this);
    m_pathEdit->setObjectName(QStringLiteral("pathEdit"));
    m_pathEdit->setMinimumWidth(320);
    pathLabel->setBuddy(m_pathEdit);
    pathRow->addWidget(m_pathEdit, 1);
    auto* browseButton = new QPushButton(tr("Browse..."), this);
    browseButton->setObjectName(QStringLiteral("browseButton"));
    browseButton->setAutoDefault(false);
    pathRow->addWidget(browseButton);
    layout->addLayout(pathRow);

    AddOkCancelButtons(this, layout);

    connect(browseButton, &QPushButton::clicked, this, &CTxtImportDlg::OnBrowse);
}

QString CTxtImportDlg::GetPath() const {
    return m_pathEdit->text();
}

void CTxtImportDlg::OnBrowse() {
    SFileRequest request;
    request.strFilter = tr("Text Files (.txt)") + QStringLiteral(" (*.txt)");
    const QString path = m_hooks.chooseFile(this, request);
    if (!path.isEmpty()) {
        m_pathEdit->setText(path);
    }
}

} // namespace tessaray
