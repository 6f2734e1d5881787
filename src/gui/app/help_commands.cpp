#include "gui/app/help_commands.h"
#include "gui/toolkit/byte_text.h"

#include "core/app/os_name.h"
#include "core/app/support_request.h"
#include "core/app/update_check.h"
#include "core/app/web_addresses.h"
#include "core/fetch/fetch_job.h"
#include "core/util/file_util.h"
#include "gui/app/about_program_dlg.h"
#include "gui/app/main_frame.h"
#include "gui/app/support_dlg.h"
#include "gui/app/tessaray_app.h"
#include "gui/app/tip_of_the_day_dlg.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/program_settings.h"
#include "gui/toolkit/ui_hooks.h"

#include <QAction>
#include <QFile>
#include <QSettings>
#include <QUrl>

namespace tessaray {

bool IsUpdateCheckBuilt() {
#ifdef TESSARAY_NO_UPDATE_CHECK
    return false;
#else
    return true;
#endif
}

CHelpCommands::CHelpCommands(CTessarayApp& app, CMainFrame& frame, std::string downloadUrl)
    : m_app(app), m_frame(frame), m_strDownloadUrl(std::move(downloadUrl)) {
    if (m_strDownloadUrl.empty()) {
        m_strDownloadUrl = GetWebAddress(WebAddress::DownloadPage, m_app.LanguageLetter());
    }
}

CHelpCommands::~CHelpCommands() = default;

void CHelpCommands::ConnectCommands() {
    m_frame.SetCommandHandler(ID_HELP_DOCUMENT,
                              [this] { OpenHelpTopic(QStringLiteral("index.htm")); });
    m_frame.SetCommandHandler(ID_HELP, [this] { OpenHelpTopic(QStringLiteral("index.htm")); });
    m_frame.SetCommandHandler(ID_HOMEPAGE, [this] { OnHomepage(); });
    m_frame.SetCommandHandler(ID_APP_ABOUT, [this] { OnAbout(); });
    m_frame.SetCommandHandler(ID_TIP_OF_THE_DAY, [this] { OnTipOfTheDay(); });
    m_frame.SetCommandHandler(ID_SUPPORT, [this] { OnSupport(); });
    if (IsUpdateCheckBuilt()) {
        m_frame.SetCommandHandler(ID_CHECK_UPDATES, [this] { OnCheckUpdates(); });
        m_frame.SetCommandHandler(ID_UPDATE_CHECK_AUTO, [this] { OnUpdateCheckAuto(); });
    } else if (QAction* update = m_frame.Action(ID_CHECK_UPDATES)) {
        update->setVisible(false);
    }
    m_frame.SetCommandHandler(ID_UPDATE_FETCHED, [this] { OnUpdateCheckDone(); });
}

void CHelpCommands::ShowTipAtStartup() {
    CTipOfTheDayDlg dlg(m_app.InstallDir(), m_app.Hooks(), &m_frame, TipsFileName());
    if (dlg.IsShowAtStartup()) {
        dlg.exec();
    }
}

const char* CHelpCommands::TipsFileName() const {
    // The German program shows the German tips when they are installed.
    const char* german = "tips_de.txt";
    return m_app.IsGerman() && FileExists(m_app.InstallDir() + "/" + german) ? german : "tips.txt";
}

void CHelpCommands::OpenUrl(const QString& url) {
    OpenOrTell(m_app.Hooks(), &m_frame, QUrl(url));
}

void CHelpCommands::OpenHelpTopic(const QString& topic) {
    // The help document speaks the language of the interface.
    const QString path =
        FromBytes(m_app.InstallDir()) +
        (m_app.IsGerman() ? QStringLiteral("/help/public/de/") : QStringLiteral("/help/public/")) +
        topic;
    // A browser given a missing file may show nothing at all, so the program says it.
    if (!QFile::exists(path)) {
        m_app.Hooks().messageBox(&m_frame, QMessageBox::Warning,
                                 tr("The help document %1 cannot be found.").arg(path),
                                 QMessageBox::Ok);
        return;
    }
    OpenOrTell(m_app.Hooks(), &m_frame, QUrl::fromLocalFile(path));
}

void CHelpCommands::OnHomepage() {
    OpenUrl(FromBytes(GetWebAddress(WebAddress::Homepage, m_app.LanguageLetter())));
}

void CHelpCommands::OnAbout() {
    CAboutProgramDlg dlg(m_app.Version(), m_app.LanguageLetter(), m_app.Hooks(), &m_frame);
    dlg.exec();
    if (dlg.SupportChosen()) {
        m_frame.PostCommand(ID_SUPPORT);
    }
}

void CHelpCommands::OnTipOfTheDay() {
    CTipOfTheDayDlg dlg(m_app.InstallDir(), m_app.Hooks(), &m_frame, TipsFileName());
    dlg.exec();
}

void CHelpCommands::OnSupport() {
    std::string language;
    m_app.Language().GetLanguageName(language);
    std::string os;
    GetOsName(os);
    CSupportDlg dlg(MakeSupportBody(m_app.Version(), language, os),
                    MakeSupportSubject(m_app.Version(), language, os),
                    std::string(GetWebAddress(WebAddress::SupportMail, m_app.LanguageLetter())),
                    m_app.Hooks(), &m_frame);
    dlg.exec();
}

void CHelpCommands::OnCheckUpdates() {
    const QString text = tr("Your present Tessaray version: %1").arg(FromBytes(m_app.Version())) +
                         QStringLiteral("\n\n") +
                         tr("Do you want to open the Tessaray download page in the browser?");
    if (m_app.Hooks().messageBox(&m_frame, QMessageBox::Question, text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
        OpenUrl(FromBytes(m_strDownloadUrl));
    }
}

void CHelpCommands::OnUpdateCheckAuto() {
    QSettings settings = ProgramSettings();
    int consent = ReadSetting(settings, setting::kUpdateCheck);
    if (consent < 0 && m_app.AsksUpdateCheck()) {
        const QString text =
            tr("Should Tessaray look for a newer version on its web site at each start?") +
            QStringLiteral("\n\n") +
            tr("Only the download page is read; nothing about you or your projects is sent. You "
               "can change this in File > Program options.");
        consent = m_app.Hooks().messageBox(&m_frame, QMessageBox::Question, text,
                                           QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
                      ? 1
                      : 0;
        settings.setValue(SettingKey(setting::kUpdateCheck.strKey), consent);
    }
    if (consent == 1) {
        OnUpdateCheckStart();
    }
}

void CHelpCommands::OnUpdateCheckStart() {
    // A check still pending from before is ended and replaced.
    m_pUpdateJob = std::make_unique<CFetchJob>();
    m_pUpdateJob->SetMessage(WM_UPDATE_DONE);
    // Called on the job's worker thread: only a queued message crosses into the window.
    CMainFrame* frame = &m_frame;
    m_pUpdateJob->SetPostCallback([frame](unsigned message, int /*result*/) {
        frame->PostPrivateMessage(static_cast<int>(message));
    });
    m_bUpdatePending = true;
    if (!m_pUpdateJob->Start(m_strDownloadUrl, std::string())) {
        m_pUpdateJob.reset();
        m_bUpdatePending = false;
    }
}

void CHelpCommands::OnUpdateCheckDone() {
    if (!m_pUpdateJob) {
        return;
    }
    std::string page;
    std::string robots;
    m_pUpdateJob->TakeResults(page, robots);
    const std::string url = m_pUpdateJob->GetUrl();
    m_pUpdateJob.reset();
    m_bUpdatePending = false;
    if (!IsNewerVersionOffered(page, m_app.Version())) {
        return;
    }
    const QString text = tr("A newer version is available") + QStringLiteral("\n\n") +
                         tr("Do you want to open the Tessaray download page in the browser?");
    if (m_app.Hooks().messageBox(&m_frame, QMessageBox::Question, text,
                                 QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes) {
        OpenUrl(FromBytes(url));
    }
}

} // namespace tessaray
