#pragma once

#include "core/project/alert_settings.h"

#include <QDialog>

class QCheckBox;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace tessaray {

// "Alerts": where the alert goes when a run finds a partner's link lost or worse than in the
// last completed run: a mail (address, SMTP server, user, password file), a webhook and the
// desktop notice. OK with settings that cannot be used keeps the dialog open and says why.
class CAlertSettingsDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAlertSettingsDlg)

public:
    explicit CAlertSettingsDlg(QWidget* parent = nullptr);

    void SetSettings(const SAlertSettings& settings);
    const SAlertSettings& GetSettings() const { return m_settings; }

    void accept() override;

private:
    QLineEdit* AddField(QFormLayout& form, const QString& label, const char* objectName);

    SAlertSettings m_settings;
    QLineEdit* m_mailTo = nullptr;
    QLineEdit* m_smtpUrl = nullptr;
    QLineEdit* m_smtpUser = nullptr;
    QLineEdit* m_passwordFile = nullptr;
    QLineEdit* m_webhook = nullptr;
    QCheckBox* m_notice = nullptr;
    QLabel* m_hint = nullptr;
};

} // namespace tessaray
