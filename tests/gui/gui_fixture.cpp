#include "gui_fixture.h"

#include "core/project/project.h"
#include "gui/app/help_commands.h"
#include "gui/app/output_bar.h"
#include "gui/toolkit/program_settings.h"
#include "http_test_server.h"

#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QSettings>
#include <QThread>

namespace tessaray::test {

SGuiOptions WithEnglishFile() {
    SGuiOptions options = OnSystem(QStringLiteral("English"));
    options.bEnglishFile = true;
    return options;
}

SGuiOptions WithoutTemplate() {
    SGuiOptions options;
    options.bReportTemplate = false;
    return options;
}

SGuiOptions OnSystem(const QString& language) {
    SGuiOptions options;
    options.strSystemLanguage = language;
    return options;
}

SGuiOptions WithArgs(const QStringList& args) {
    SGuiOptions options;
    options.args = args;
    return options;
}

SGuiOptions PackagedOnSystem(const QString& language) {
    SGuiOptions options = OnSystem(language);
    options.bPackageLayout = true;
    options.bEnglishFile = true;
    return options;
}

bool GuiFixture::Start(const SGuiOptions& options) {
    const QString root = QString::fromStdString(m_temp.Path());
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope,
                       root + QStringLiteral("/settings"));
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                       root + QStringLiteral("/settings"));
    const QString install = root + (options.bPackageLayout ? QStringLiteral("/usr/share/tessaray")
                                                           : QStringLiteral("/install"));
    const QString program = options.bPackageLayout ? root + QStringLiteral("/usr/bin/tessaray")
                                                   : install + QStringLiteral("/tessaray");
    QDir().mkpath(install);
    QDir().mkpath(QFileInfo(program).path());
    QDir().mkpath(root + QStringLiteral("/trace"));
    QFile(program).open(QIODevice::WriteOnly);
    const QString bin = QStringLiteral(TESSARAY_BIN_DIR);
    if (options.bEnglishFile) {
        QFile::copy(bin + QStringLiteral("/Tessaray_en.qm"),
                    install + QStringLiteral("/Tessaray_en.qm"));
    }
    if (options.bReportTemplate) {
        QFile::copy(QStringLiteral(TESSARAY_SOURCE_DIR "/res/report.html"),
                    install + QStringLiteral("/report.html"));
    }

    SAppEnvironment environment;
    environment.strProgramPath = program;
    environment.strSystemLanguage = options.strSystemLanguage;
    environment.bUseSystemLanguage = false;
    environment.strTraceBase = m_temp.Path() + "/trace";
    environment.strDownloadUrl = options.strDownloadUrl.empty()
                                     ? "http://127.0.0.1:" + std::to_string(UnusedPort()) + "/"
                                     : options.strDownloadUrl;
    environment.askUpdateCheck = options.askUpdateCheck;
    if (!options.bTipAtStartup) {
        ProgramSettings().setValue(QStringLiteral("Tip/StartUp"), 1);
    }
    for (auto it = options.settings.cbegin(); it != options.settings.cend(); ++it) {
        ProgramSettings().setValue(it.key(), it.value());
    }
    m_app = std::make_unique<CTessarayApp>(environment);

    SUiHooks& hooks = m_app->Hooks();
    hooks.chooseFile = [this](QWidget*, const SFileRequest& request) {
        m_fileRequests.append(request);
        return m_chosenPaths.isEmpty() ? QString() : m_chosenPaths.takeFirst();
    };
    hooks.messageBox = [this](QWidget*, QMessageBox::Icon, const QString& text,
                              QMessageBox::StandardButtons) {
        m_messages.append(text);
        return m_answer;
    };
    hooks.askCredentials = [this](QWidget*, const QString& origin, const QString& realm, bool,
                                  QString& user, QString& password) {
        m_origins.append(origin);
        m_realms.append(realm);
        user = m_strUser;
        password = m_strPassword;
        return !m_strUser.isEmpty();
    };
    hooks.openUrl = [this](const QUrl& url) {
        m_openedUrls.append(url);
        return true;
    };
    if (!m_app->InitInstance(options.args)) {
        return false;
    }
    QCoreApplication::processEvents();
    // The update check of the start has ended before the test goes on, so its completion cannot
    // mix with what the test does.
    return WaitFor([this] { return !m_app->HelpCommands()->IsUpdateCheckPending(); });
}

void GuiFixture::TearDown() {
    if (m_app) {
        // The project is thrown away without the save prompt.
        m_app->MainFrame()->SetCloseGuard({});
        m_app.reset();
    }
    QCoreApplication::processEvents();
}

bool GuiFixture::Enabled(int id) {
    Frame().UpdateCommandUi();
    QAction* action = Frame().Action(id);
    return action != nullptr && action->isEnabled();
}

QStringList GuiFixture::OutputLines() {
    QStringList lines;
    const QListWidget* log = Frame().OutputBar()->Log();
    for (int i = 0; i < log->count(); ++i) {
        lines.append(log->item(i)->text());
    }
    return lines;
}

std::string GuiFixture::WriteProject(const std::string& name, const std::string& domain,
                                     const std::vector<std::string>& partners) {
    CProject project;
    project.StartNew(domain);
    for (const std::string& partner : partners) {
        project.AddPartnerUrl(partner);
    }
    const std::string path = m_temp.File(name);
    const CProjectResult saved = project.Save(path);
    EXPECT_TRUE(saved.Ok()) << (saved.Ok() ? "" : ProjectErrorText(saved.GetError()));
    return path;
}

bool GuiFixture::WaitFor(const std::function<bool()>& done, int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!done() && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
    return done();
}

} // namespace tessaray::test
