#include "gui/project/alert_settings_dlg.h"

#include "core/alert/alert_delivery.h"
#include "gui/project/dlg_support.h"

#include <QCheckBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QVBoxLayout>

namespace tessaray {

CAlertSettingsDlg::CAlertSettingsDlg(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("alertSettingsDlg"));
    setWindowTitle(tr("Alerts"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("When a run finds a partner's link lost or worse than in the last "
                                "completed run, the alert goes here."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto* form = new QFormLayout;
    m_mailTo = AddField(*form, tr("Mail to:"), "mailToEdit");
    m_smtpUrl = AddField(*form, tr("SMTP server:"), "smtpUrlEdit");
    m_smtpUrl->setPlaceholderText(QStringLiteral("smtp://mail.example.com:587"));
    m_smtpUser = AddField(*form, tr("SMTP user:"), "smtpUserEdit");
    m_passwordFile = AddField(*form, tr("File with the SMTP password:"), "passwordFileEdit");
    m_webhook = AddField(*form, tr("Webhook URL:"), "webhookEdit");
    layout->addLayout(form);
    m_notice = new QCheckBox(tr("Show a desktop notice"), this);
    m_notice->setObjectName(QStringLiteral("noticeCheck"));
    layout->addWidget(m_notice);
    m_hint = CreateHintLabel(this, QStringLiteral("alertHint"));
    layout->addWidget(m_hint);
    AddOkCancelButtons(this, layout);
}

QLineEdit* CAlertSettingsDlg::AddField(QFormLayout& form, const QString& label,
                                       const char* objectName) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(objectName));
    form.addRow(label, edit);
    return edit;
}

void CAlertSettingsDlg::SetSettings(const SAlertSettings& settings) {
    m_settings = settings;
    m_mailTo->setText(FromBytes(settings.strMailTo));
    m_smtpUrl->setText(FromBytes(settings.strSmtpUrl));
    m_smtpUser->setText(FromBytes(settings.strSmtpUser));
    m_passwordFile->setText(FromBytes(settings.strPasswordFile));
    m_webhook->setText(FromBytes(settings.strWebhookUrl));
    m_notice->setChecked(settings.bDesktopNotice);
}

void CAlertSettingsDlg::accept() {
    SAlertSettings settings;
    settings.strMailTo = ToBytes(m_mailTo->text().trimmed());
    settings.strSmtpUrl = ToBytes(m_smtpUrl->text().trimmed());
    settings.strSmtpUser = ToBytes(m_smtpUser->text().trimmed());
    settings.strPasswordFile = ToBytes(m_passwordFile->text().trimmed());
    settings.strWebhookUrl = ToBytes(m_webhook->text().trimmed());
    settings.bDesktopNotice = m_notice->isChecked();
    if (const std::string problem = CheckAlertSettings(settings); !problem.empty()) {
        ShowHint(m_hint, tr("These settings cannot be used: %1").arg(FromBytes(problem)));
        return;
    }
    m_settings = settings;
    QDialog::accept();
}

} // namespace tessaray
