#pragma once

#include <QDialog>

#include <string>

namespace tessaray {

struct SUiHooks;

// The "About Tessaray" box: icon, product name, copyright, the version code and the buttons that
// open the maker's pages. "Support..." closes the box as OK does and leaves the support request
// to the caller (SupportChosen).
class CAboutProgramDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAboutProgramDlg)

public:
    // chLanguage picks the address variants; the buttons open them through hooks.
    CAboutProgramDlg(const std::string& versionCode, char chLanguage, const SUiHooks& hooks,
                     QWidget* parent = nullptr);

    // True when the box was left through "Support...".
    bool SupportChosen() const { return m_bSupportChosen; }

private:
    std::string m_strFileVersion; // shown beside "Fileversion"
    bool m_bSupportChosen = false;
};

} // namespace tessaray
