#pragma once

#include <QDialog>

#include <string>

class QLineEdit;
class QPlainTextEdit;

namespace tessaray {

// The fallback of the support request when no mail program takes the mail link: recipient,
// subject and body for a mail written by hand, each with a button that copies it to the
// clipboard.
class CSupportMailDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSupportMailDlg)

public:
    // body with real line ends (CR LF or LF).
    CSupportMailDlg(const std::string& recipient, const std::string& body,
                    const std::string& subject, QWidget* parent = nullptr);

private:
    QLineEdit* m_recipient = nullptr;
    QPlainTextEdit* m_body = nullptr;
    QLineEdit* m_subject = nullptr;
};

} // namespace tessaray
