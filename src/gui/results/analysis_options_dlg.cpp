#include "gui/results/analysis_options_dlg.h"

#include "gui/project/dlg_support.h"
#include "gui/toolkit/program_settings.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include <algorithm>

namespace tessaray {

static_assert(setting::kAnalysisUserAgent.defaultValue == CFetchSettings::kUserAgent);

namespace {

QSpinBox* CreateCountBox(QWidget* parent, const QString& objectName, int nMax) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(objectName);
    box->setRange(1, nMax);
    return box;
}

} // namespace

CAnalysisOptionsDlg::CAnalysisOptionsDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("analysisOptionsDlg"));
    setWindowTitle(tr("Analysis options"));

    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    m_parallel = CreateCountBox(this, QStringLiteral("parallelBox"), SFetchWindow::kMaxParallel);
    m_perSite = CreateCountBox(this, QStringLiteral("perSiteBox"), SFetchWindow::kMaxPerSite);
    form->addRow(tr("Pages fetched at the same time (1 to %1):").arg(SFetchWindow::kMaxParallel),
                 m_parallel);
    form->addRow(tr("Of these from one site (1 to %1):").arg(SFetchWindow::kMaxPerSite), m_perSite);
    m_userAgent = new QLineEdit(this);
    m_userAgent->setObjectName(QStringLiteral("userAgentEdit"));
    m_userAgent->setMaxLength(512);
    m_userAgent->setPlaceholderText(QString::fromLatin1(CFetchSettings::kUserAgent.data()));
    form->addRow(tr("User agent the requests name (empty: the default):"), m_userAgent);
    layout->addLayout(form);
    m_asGooglebot = new QCheckBox(
        tr("Fetch each page as Googlebot too and warn when it shows other links"), this);
    m_asGooglebot->setObjectName(QStringLiteral("asGooglebotBox"));
    layout->addWidget(m_asGooglebot);
    auto* note = new QLabel(tr("The values apply from the next analysis on."), this);
    note->setWordWrap(true);
    layout->addWidget(note);
    AddOkCancelButtons(this, layout);
    SetWindow({});
    SetUserAgent(std::string(CFetchSettings::kUserAgent));
}

void CAnalysisOptionsDlg::SetWindow(const SFetchWindow& window) {
    m_parallel->setValue(window.nParallel);
    m_perSite->setValue(window.nPerSite);
}

SFetchWindow CAnalysisOptionsDlg::GetWindow() const {
    return {.nParallel = m_parallel->value(), .nPerSite = m_perSite->value()};
}

void CAnalysisOptionsDlg::SetUserAgent(const std::string& userAgent) {
    m_userAgent->setText(QString::fromStdString(userAgent));
}

std::string CAnalysisOptionsDlg::GetUserAgent() const {
    const std::string text = m_userAgent->text().trimmed().toStdString();
    return text.empty() ? std::string(CFetchSettings::kUserAgent) : text;
}

void CAnalysisOptionsDlg::SetAsGooglebot(bool bAsGooglebot) {
    m_asGooglebot->setChecked(bAsGooglebot);
}

bool CAnalysisOptionsDlg::GetAsGooglebot() const {
    return m_asGooglebot->isChecked();
}

SFetchWindow LoadFetchWindow() {
    const QSettings settings = ProgramSettings();
    return {.nParallel = std::clamp(ReadSetting(settings, setting::kAnalysisParallel), 1,
                                    SFetchWindow::kMaxParallel),
            .nPerSite = std::clamp(ReadSetting(settings, setting::kAnalysisPerSite), 1,
                                   SFetchWindow::kMaxPerSite)};
}

void SaveFetchWindow(const SFetchWindow& window) {
    QSettings settings = ProgramSettings();
    settings.setValue(SettingKey(setting::kAnalysisParallel.strKey), window.nParallel);
    settings.setValue(SettingKey(setting::kAnalysisPerSite.strKey), window.nPerSite);
}

std::string LoadUserAgent() {
    const std::string stored = ProgramSettings()
                                   .value(SettingKey(setting::kAnalysisUserAgent.strKey))
                                   .toString()
                                   .toStdString();
    return IsValidUserAgent(stored) ? stored
                                    : std::string(setting::kAnalysisUserAgent.defaultValue);
}

void SaveUserAgent(const std::string& userAgent) {
    ProgramSettings().setValue(SettingKey(setting::kAnalysisUserAgent.strKey),
                               QString::fromStdString(userAgent));
}

std::chrono::seconds LoadConfirmDelay() {
    return std::chrono::seconds(
        std::clamp(ReadSetting(ProgramSettings(), setting::kAnalysisConfirmDelay), 0, 86400));
}

bool LoadAsGooglebot() {
    return ReadSetting(ProgramSettings(), setting::kAnalysisAsGooglebot) == 1;
}

void SaveAsGooglebot(bool bAsGooglebot) {
    ProgramSettings().setValue(SettingKey(setting::kAnalysisAsGooglebot.strKey),
                               bAsGooglebot ? 1 : 0);
}

} // namespace tessaray
