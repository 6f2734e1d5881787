#pragma once
// A started desktop program for the GUI tests: settings, installation folder and trace folder in a
// temporary folder, dialogs answered by the test, no browser started.

#include "gui/app/main_frame.h"
#include "gui/app/tessaray_app.h"
#include "gui/project/tessaray_doc.h"
#include "gui/results/tessaray_view.h"
#include "gui/toolkit/ui_hooks.h"
#include "temp_dir.h"

#include <QDeadlineTimer>
#include <QMessageBox>
#include <QStringList>
#include <QUrl>
#include <QVariantMap>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>

namespace tessaray::test {

struct SGuiOptions {
    QString strSystemLanguage = QStringLiteral("German");
    bool bEnglishFile = false;   // put Tessaray_en.qm into the installation folder
    bool bReportTemplate = true; // put report.html into the installation folder
    bool bPackageLayout = false; // program in usr/bin, runtime files in usr/share/tessaray
    QStringList args;            // command-line arguments
    bool bTipAtStartup = false;  // leave the tip of the day on at start-up, as for a new user
    std::string strDownloadUrl;  // page of the update check ("" = a closed local port)
    std::optional<bool> askUpdateCheck; // ask about the update check (unset: not offscreen)
    QVariantMap settings;               // stored in the test's settings before the start, by key
};

// The usual variations of the start. WithEnglishFile: an English system, Tessaray_en.qm installed.
SGuiOptions WithEnglishFile();
SGuiOptions WithoutTemplate();
SGuiOptions OnSystem(const QString& language);
SGuiOptions WithArgs(const QStringList& args);
// Installed as the package does, with the English file, on a system of this language.
SGuiOptions PackagedOnSystem(const QString& language);

class GuiFixture : public ::testing::Test {
protected:
    void TearDown() override;

    // Starts the program; false when InitInstance failed.
    bool Start(const SGuiOptions& options = {});

    CTessarayApp& App() { return *m_app; }
    CMainFrame& Frame() { return *m_app->MainFrame(); }
    CTessarayDoc& Doc() { return *m_app->Document(); }
    CTessarayView& View() { return *m_app->View(); }
    // The enabled state of a command after the update handlers ran.
    bool Enabled(int id);
    // Lines of the output log.
    QStringList OutputLines();

    // Writes a ready project file in the temporary folder and returns its path.
    std::string WriteProject(const std::string& name, const std::string& domain,
                             const std::vector<std::string>& partners);

    // Processes events until done() holds or the time is up; returns done().
    static bool WaitFor(const std::function<bool()>& done, int milliseconds = 20000);

    TempDir m_temp;
    // File dialogs answer with these paths, front first ("" = cancelled when none are left).
    QStringList m_chosenPaths;
    // What the file dialogs were asked for, in order.
    QList<SFileRequest> m_fileRequests;
    // Message boxes answer with this button; their texts are collected.
    QMessageBox::StandardButton m_answer = QMessageBox::Ok;
    QStringList m_messages;
    QList<QUrl> m_openedUrls;
    // Log-in requests answer with these credentials; empty user = refused. The origins and realms
    // asked for are collected.
    QString m_strUser;
    QString m_strPassword;
    QStringList m_origins;
    QStringList m_realms;

private:
    std::unique_ptr<CTessarayApp> m_app;
};

} // namespace tessaray::test
