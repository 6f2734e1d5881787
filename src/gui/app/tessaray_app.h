#pragma once

#include "core/app/language_info.h"
#include "core/app/trace_log.h"
#include "gui/toolkit/ui_hooks.h"

#include <QObject>
#include <QStringList>
#include <QTranslator>

#include <memory>
#include <optional>
#include <string>

namespace tessaray {

class CHelpCommands;
class CHistoryCommands;
class CMainFrame;
class CTessarayDoc;
class CTessarayView;

// What the start-up reads from its surroundings. The defaults are the real ones; tests give their
// own so that they decide the installation folder, the system language and the trace folder.
struct SAppEnvironment {
    QString strProgramPath;    // the program file ("" = QCoreApplication::applicationFilePath)
    QString strSystemLanguage; // English name of the system language ("" = from the system locale)
    std::string strTraceBase;  // base folder of the trace log ("" = $HOME/Dalvero/TRACE)
    bool bUseSystemLanguage = true; // false: strSystemLanguage is taken even when empty
    std::string strDownloadUrl;     // page of the update check ("" = the maker's download page)
    // Whether the first start asks the user about the automatic update check; unset: it asks,
    // except on the offscreen platform, where nobody could answer.
    std::optional<bool> askUpdateCheck;
};

// The application object: start-up, settings, interface language, the trace log and the one
// document, main window and view.
class CTessarayApp final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTessarayApp)

public:
    explicit CTessarayApp(SAppEnvironment environment = {});
    ~CTessarayApp() override;

    // The start-up steps; args are the command-line arguments after the program name (none: a
    // new empty project; a file: that project). False when the program cannot start.
    bool InitInstance(const QStringList& args);

    const std::string& InstallDir() const { return m_strInstallDir; }
    const std::string& Version() const { return m_strVersion; }
    char LanguageLetter() const { return m_chLanguage; }
    // The interface speaks German: chosen in the options, or the system's language.
    bool IsGerman() const { return IsGermanLetter(m_chLanguage); }
    // The English wording file Tessaray_en.qm was found and is in force.
    bool IsEnglishLoaded() const { return m_bEnglishLoaded; }
    bool AsksUpdateCheck() const;
    bool IsTraceOn() const { return m_bTrace; }
    CTraceLog& TraceLog() { return m_traceLog; }
    const CLanguageInfo& Language() const { return m_language; }

    // The dialogs and desktop hand-offs in force; tests replace them before InitInstance.
    SUiHooks& Hooks() { return m_hooks; }

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }
    CTessarayDoc* Document() const { return m_doc.get(); }
    CTessarayView* View() const { return m_view; }
    CHelpCommands* HelpCommands() const { return m_help.get(); }

private:
    void FindInstallDir();
    void LoadLanguage();
    void OnProgramOptions();

    SAppEnvironment m_environment;
    std::string m_strInstallDir;
    CLanguageInfo m_language;
    std::string m_strVersion;
    char m_chLanguage = 'E';
    bool m_bEnglishLoaded = false;
    bool m_bTrace = false;
    CTraceLog m_traceLog;
    SUiHooks m_hooks;
    QTranslator m_programTranslator;
    QTranslator m_qtTranslator;
    std::unique_ptr<CMainFrame> m_mainFrame;
    std::unique_ptr<CTessarayDoc> m_doc;
    CTessarayView* m_view = nullptr; // child of the main frame
    std::unique_ptr<CHelpCommands> m_help;
    std::unique_ptr<CHistoryCommands> m_historyCommands;
};

} // namespace tessaray
