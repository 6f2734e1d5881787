#include "gui/project/project_settings_dlg.h"

#include "core/project/link_import.h"
#include "core/project/project.h"
#include "gui/project/csv_import_dlg.h"
#include "gui/project/dlg_support.h"

#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaray {

CProjectSettingsDlg::CProjectSettingsDlg(const SUiHooks& hooks, QWidget* parent)
    : QDialog(parent), m_hooks(hooks) {
    setObjectName(QStringLiteral("projectSettingsDlg"));
    setWindowTitle(tr("Project Settings"));

    auto* layout = new QVBoxLayout(this);
    auto* group = new QGroupBox(tr("Google Links"), this);
    auto* groupLayout = new QVBoxLayout(group);
    for (const QString& text :
         {tr("A CSV table containing external links extracted from Google Search Console can "
             "be added to the project."),
          tr("Partner links are then compared for concurrence with Google's link entries.")}) {
        auto* label = new QLabel(text, group);
        label->setWordWrap(true);
        groupLayout->addWidget(label);
    }
    auto* importButton = new QPushButton(tr("Import csv-Table..."), group);
    importButton->setObjectName(QStringLiteral("importTableButton"));
    importButton->setAutoDefault(false);
    groupLayout->addWidget(importButton, 0, Qt::AlignLeft);
    // What the last import gave, so that an empty or unreadable file does not pass unnoticed.
    m_status = new QLabel(group);
    m_status->setObjectName(QStringLiteral("importStatus"));
    groupLayout->addWidget(m_status);
    layout->addWidget(group);

    AddOkCancelButtons(this, layout);

    connect(importButton, &QPushButton::clicked, this, &CProjectSettingsDlg::OnImportTable);
}

void CProjectSettingsDlg::OnImportTable() {
    CCsvImportDlg dialog(m_hooks, this);
    dialog.SetColumn(2);
    dialog.SetSeparatorChoice(CCsvImportDlg::Comma);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    const QString path = dialog.GetPath();
    CReadResult read;
    SImportTally tally;
    if (ImportGoogleTable(ToPath(path), dialog.GetSeparator(), dialog.GetColumn(), m_externalLinks,
                          &read, &tally)) {
        m_status->setText(
            ImportTallyText(tr("External links imported: %1").arg(m_externalLinks.GetCount()),
                            tally, CProject::MaxExternalLinks));
    } else {
        m_status->setText(ReadFailureText(path, read));
    }
}

} // namespace tessaray
