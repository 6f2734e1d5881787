#include "gui/app/tessaray_app.h"
#include "gui/toolkit/byte_text.h"

#include "core/app/install_dir.h"
#include "core/app/version_code.h"
#include "core/util/file_util.h"
#include "core/util/message_sink.h"
#include "gui/app/help_commands.h"
#include "gui/app/main_frame.h"
#include "gui/app/program_options_dlg.h"
#include "gui/app/schedule_dlg.h"
#include "gui/project/tessaray_doc.h"
#include "gui/results/filter_bar.h"
#include "gui/results/history_commands.h"
#include "gui/results/tessaray_view.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/program_settings.h"

#include <QCoreApplication>
#include <QFile>
#include <QGuiApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QThread>
#include <QVBoxLayout>

// The German translation is a resource of the static GUI library; it must be registered by name.
static void InitTranslationResource() {
    Q_INIT_RESOURCE(translations);
}

namespace tessaray {

namespace {

QString SystemLanguageName(const SAppEnvironment& environment) {
    if (!environment.bUseSystemLanguage || !environment.strSystemLanguage.isEmpty()) {
        return environment.strSystemLanguage;
    }
    return QLocale::languageToString(QLocale::system().language());
}

// The core's messages that have a translation.
constexpr const char* kCoreMessages[] = {
    QT_TRANSLATE_NOOP("tessaray::CTessarayApp", "Max line count reached"),
    QT_TRANSLATE_NOOP("tessaray::CTessarayApp", "Out of memory"),
};

} // namespace

CTessarayApp::CTessarayApp(SAppEnvironment environment)
    : m_environment(std::move(environment)), m_language(ToBytes(SystemLanguageName(m_environment))),
      m_strVersion(kInitialVersionCode), m_traceLog(m_environment.strTraceBase),
      m_hooks(SUiHooks::Desktop()) {}

CTessarayApp::~CTessarayApp() {
    SetMessageHandler({});
    m_help.reset();      // its pending update check posts to the frame
    m_mainFrame.reset(); // the view and its run go with the frame, before the document
    m_doc.reset();
    QCoreApplication::removeTranslator(&m_programTranslator);
    QCoreApplication::removeTranslator(&m_qtTranslator);
}

bool CTessarayApp::InitInstance(const QStringList& args) {
    QCoreApplication::setApplicationName(SettingsApplication());
    QCoreApplication::setOrganizationName(SettingsOrganization());
    QSettings settings = ProgramSettings();

    FindInstallDir();
    settings.setValue(SettingKey(setting::kInstallDir.strKey), FromBytes(m_strInstallDir));

    m_strVersion = BuiltVersionCode();
    settings.setValue(SettingKey(setting::kFileVersion.strKey), FromBytes(m_strVersion));

    std::string languageName;
    m_language.GetLanguageName(languageName);
    settings.setValue(SettingKey(setting::kLanguage.strKey), FromBytes(languageName));
    settings.sync();

    m_traceLog.SetName("TSRAY");
    m_bTrace = m_traceLog.Init();

    LoadLanguage();
    QGuiApplication::setApplicationDisplayName(ProductName());

    m_mainFrame = std::make_unique<CMainFrame>();
    // The core's messages ("Max line count reached", "Out of memory", an unusable tips file) are
    // message boxes over the main window, shown on the GUI thread whichever thread reports them.
    SetMessageHandler([this](const std::string& text) {
        QString shown = FromBytes(text);
        for (const char* message : kCoreMessages) {
            if (text == message) {
                shown = tr(message);
            }
        }
        QMetaObject::invokeMethod(
            m_mainFrame.get(),
            [this, shown] {
                m_hooks.messageBox(m_mainFrame.get(), QMessageBox::Warning, shown, QMessageBox::Ok);
            },
            QThread::currentThread() == m_mainFrame->thread() ? Qt::DirectConnection
                                                              : Qt::QueuedConnection);
    });
    m_doc = std::make_unique<CTessarayDoc>(*m_mainFrame, m_hooks);
    m_view = new CTessarayView({.hooks = m_hooks,
                                .traceLog = m_traceLog,
                                .bTrace = m_bTrace,
                                .strVersion = m_strVersion,
                                .strInstallDir = m_strInstallDir,
                                .chLanguage = m_chLanguage},
                               *m_mainFrame, *m_doc);
    // The filter line stands above the table.
    auto* central = new QWidget;
    auto* centralLayout = new QVBoxLayout(central);
    centralLayout->setContentsMargins(0, 0, 0, 0);
    centralLayout->setSpacing(0);
    centralLayout->addWidget(m_view->FilterBar());
    centralLayout->addWidget(m_view, 1);
    m_mainFrame->setCentralWidget(central);
    m_doc->ConnectCommands();
    m_view->ConnectCommands();
    m_help = std::make_unique<CHelpCommands>(*this, *m_mainFrame, m_environment.strDownloadUrl);
    m_help->ConnectCommands();
    m_mainFrame->SetCommandHandler(ID_PROGRAM_OPTIONS, [this] { OnProgramOptions(); });
    m_historyCommands = std::make_unique<CHistoryCommands>(
        *m_mainFrame, m_hooks, *m_doc, m_chLanguage, [this] { return !m_view->IsRunning(); });
    m_historyCommands->ConnectCommands();
    ConnectScheduleCommand(*m_mainFrame, *m_doc);
    // A project set up anew (new or opened) is shown by the view's initial update.
    m_doc->SetProjectChangedHandler([this] { m_view->OnInitialUpdate(); });

    // The command line: no argument gives a new, empty project; a file argument opens that
    // project. A refused file leaves the new empty project (its message was shown).
    m_doc->OnNewDocument();
    if (!args.isEmpty()) {
        m_doc->OpenDocument(args.constFirst());
    }

    m_mainFrame->show();
    m_mainFrame->UpdateCommandUi();
    m_help->ShowTipAtStartup();
    // The help commands start the automatic update check on this command, when the user wants it.
    m_mainFrame->PostCommand(ID_UPDATE_CHECK_AUTO);
    return true;
}

bool CTessarayApp::AsksUpdateCheck() const {
    return m_environment.askUpdateCheck.value_or(QGuiApplication::platformName() !=
                                                 QLatin1String("offscreen"));
}

void CTessarayApp::OnProgramOptions() {
    CProgramOptionsDlg dlg(IsUpdateCheckBuilt(), m_mainFrame.get());
    dlg.SetOptions(LoadProgramOptions());
    if (dlg.exec() == QDialog::Accepted) {
        SaveProgramOptions(dlg.GetOptions());
    }
}

void CTessarayApp::FindInstallDir() {
    const QString programPath = m_environment.strProgramPath.isEmpty()
                                    ? QCoreApplication::applicationFilePath()
                                    : m_environment.strProgramPath;
    QSettings settings = ProgramSettings();
    const std::string stored =
        ToBytes(settings.value(SettingKey(setting::kInstallDir.strKey)).toString());
    const ExistsCheck exists = [](const std::string& path) { return FileExists(path); };
    m_strInstallDir =
        FindRuntimeFolder(tessaray::FindInstallDir(ToPath(programPath), exists, stored), exists);
}

void CTessarayApp::LoadLanguage() {
    // The language chosen in the options, else the system's, decides in every layout. German is
    // built in; English is the language of the source texts, worded by Tessaray_en.qm where that
    // file is installed.
    m_chLanguage = InterfaceLanguageLetter(m_language, ToBytes(LoadProgramOptions().strLanguage));
    bool bLoaded = false;
    if (IsGermanLetter(m_chLanguage)) {
        InitTranslationResource();
        bLoaded = m_programTranslator.load(QStringLiteral(":/translations/tessaray_de.qm"));
        // Qt's own texts: standard buttons, and key names in menus ("Strg+S").
        if (m_qtTranslator.load(QStringLiteral("qtbase_de"),
                                QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
            QCoreApplication::installTranslator(&m_qtTranslator);
        }
    } else {
        const std::string englishPath = m_strInstallDir + kPathSeparator + "Tessaray_en.qm";
        bLoaded = FileExists(englishPath) && m_programTranslator.load(FromPath(englishPath));
        m_bEnglishLoaded = bLoaded;
    }
    if (bLoaded) {
        QCoreApplication::installTranslator(&m_programTranslator);
    }
}

} // namespace tessaray
