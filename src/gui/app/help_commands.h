#pragma once

#include <QObject>
#include <QString>

#include <memory>
#include <string>

namespace tessaray {

class CFetchJob;
class CMainFrame;
class CTessarayApp;

// False where the program is built without the automatic update check (as for the Debian
// package, whose updates come from the package manager).
bool IsUpdateCheckBuilt();

// The commands of the Help menu (help document, home page, About box, tip of the day, support
// request, update command) and the automatic update check that start-up starts with command 120
// and whose download comes back as command 119.
class CHelpCommands final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CHelpCommands)

public:
    // downloadUrl: the page the update check reads and the update command opens; "" = the
    // download page in the language variant in force.
    CHelpCommands(CTessarayApp& app, CMainFrame& frame, std::string downloadUrl = {});
    // Ends a pending update check (its worker is joined, its message never arrives).
    ~CHelpCommands() override;

    // Registers the commands with the frame.
    void ConnectCommands();
    // The start-up offer: shows the tip of the day unless the user switched it off.
    void ShowTipAtStartup();

    // Opens a page of the help document in the browser: help/public/<topic> of the installation
    // folder, help/public/de/<topic> while the interface speaks German.
    void OpenHelpTopic(const QString& topic);
    void OnHomepage();
    void OnAbout();
    void OnTipOfTheDay();
    void OnSupport();
    void OnCheckUpdates();
    // Command 120: when the user agreed (asked once, at the first start), starts fetching the
    // download page, silently. Nothing is fetched without that consent.
    void OnUpdateCheckAuto();
    // Starts fetching the download page, silently.
    void OnUpdateCheckStart();
    // Command 119: offers the download page when it names a newer version.
    void OnUpdateCheckDone();

    bool IsUpdateCheckPending() const { return m_bUpdatePending; }
    const std::string& DownloadUrl() const { return m_strDownloadUrl; }

private:
    void OpenUrl(const QString& url);
    // "tips_de.txt" in the German program when it is installed, else "tips.txt".
    const char* TipsFileName() const;

    CTessarayApp& m_app;
    CMainFrame& m_frame;
    std::string m_strDownloadUrl;
    std::unique_ptr<CFetchJob> m_pUpdateJob;
    bool m_bUpdatePending = false;
};

} // namespace tessaray
