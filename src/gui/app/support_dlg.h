#pragma once

#include <QDialog>

#include <string>

namespace tessaray {

struct SUiHooks;

// The "Support" dialog of a support request: explains the request and, on its "Support" button,
// opens a prepared mail to the support address. When no mail program takes the link, the data
// is shown for copying by hand (CSupportMailDlg). The dialog stays open until "Close Window".
class CSupportDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CSupportDlg)

public:
    // body and subject as MakeSupportBody and MakeSupportSubject give them.
    CSupportDlg(std::string body, std::string subject, std::string supportAddress,
                const SUiHooks& hooks, QWidget* parent = nullptr);

    // The "Support" button: opens the mail link, or the fallback dialog when that fails.
    void OnSupport();

private:
    std::string m_strBody;
    std::string m_strSubject;
    std::string m_strAddress;
    const SUiHooks& m_hooks;
};

} // namespace tessaray
