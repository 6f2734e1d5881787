#include "gui/app/program_options_dlg.h"

#include "gui/project/dlg_support.h"
#include "gui/toolkit/program_settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

#include <algorithm>

namespace tessaray {

SProgramOptions LoadProgramOptions() {
    const QSettings settings = ProgramSettings();
    const QString language =
        settings.value(SettingKey(setting::kInterfaceLanguage.strKey)).toString();
    return {.strLanguage = language == QLatin1String("en") || language == QLatin1String("de")
                               ? language
                               : QString(),
            .nUpdateCheck = ReadSetting(settings, setting::kUpdateCheck)};
}

void SaveProgramOptions(const SProgramOptions& options) {
    QSettings settings = ProgramSettings();
    settings.setValue(SettingKey(setting::kInterfaceLanguage.strKey), options.strLanguage);
    settings.setValue(SettingKey(setting::kUpdateCheck.strKey), options.nUpdateCheck);
}

CProgramOptionsDlg::CProgramOptionsDlg(bool bUpdateCheckBuilt, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("programOptionsDlg"));
    setWindowTitle(tr("Program options"));

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("languageBox"));
    // Each language is named in itself, so a user who cannot read the other one finds it.
    m_language->addItem(tr("Automatic (language of the system)"), QString());
    m_language->addItem(QStringLiteral("English"), QStringLiteral("en"));
    m_language->addItem(QStringLiteral("Deutsch"), QStringLiteral("de"));
    form->addRow(tr("&Language:"), m_language);
    layout->addLayout(form);
    auto* note = new QLabel(tr("A new language applies after the program is started again."), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    if (bUpdateCheckBuilt) {
        m_updateCheck = new QCheckBox(
            tr("Look for a &newer version on the Tessaray web site at each start"), this);
        m_updateCheck->setObjectName(QStringLiteral("updateCheckBox"));
        layout->addWidget(m_updateCheck);
    }
    AddOkCancelButtons(this, layout);
}

void CProgramOptionsDlg::SetOptions(const SProgramOptions& options) {
    m_language->setCurrentIndex(std::max(0, m_language->findData(options.strLanguage)));
    m_nUpdateCheckShown = options.nUpdateCheck;
    if (m_updateCheck != nullptr) {
        m_updateCheck->setChecked(options.nUpdateCheck == 1);
    }
}

SProgramOptions CProgramOptionsDlg::GetOptions() const {
    SProgramOptions options{.strLanguage = m_language->currentData().toString(),
                            .nUpdateCheck = m_nUpdateCheckShown};
    if (m_updateCheck != nullptr) {
        options.nUpdateCheck = m_updateCheck->isChecked() ? 1 : 0;
    }
    return options;
}

} // namespace tessaray
