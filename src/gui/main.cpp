// tessaray: the desktop program. Everything happens in CTessarayApp; this only starts Qt.
//
// For documentation pictures, "--screenshot FILE" (first arguments, before a project file) runs
// the analysis of the project given, saves a picture of the window to FILE when it has finished
// and quits. It uses throwaway settings with the start-up tip and the update question off, so
// nothing waits for a user and the user's own settings stay untouched. "--verdict-screenshot FILE"
// does the same with the table scrolled to its verdict and change columns (the wide Server Header
// column narrowed for the picture).
// "--print-preview-screenshot FILE" pictures the print preview of the analysed table instead; a
// FILE ending in ".pdf" gets the printed pages themselves.
// "--history-screenshot FILE" runs no analysis: it opens the History dialog of the project,
// compares its two newest runs and saves a picture of the dialog.
//
// "--help" and "--version" answer on stdout and end before Qt starts, so they need no display; an
// unknown option is refused on stderr.
#include "core/app/desktop_options.h"
#include "core/history/history_db.h"
#include "gui/app/main_frame.h"
#include "gui/app/tessaray_app.h"
#include "gui/project/tessaray_doc.h"
#include "gui/results/history_dialog.h"
#include "gui/results/print_commands.h"
#include "gui/results/result_model.h"
#include "gui/results/tessaray_view.h"
#include "gui/toolkit/byte_text.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/program_settings.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QItemSelectionModel>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QPushButton>
#include <QSettings>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>

#include <cstdio>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    using EAction = tessaray::SDesktopOptions::EAction;
    // Qt's own options (-platform, -style, ...) are still in argv here: only the answers count.
    const tessaray::SDesktopOptions early =
        tessaray::ParseDesktopOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (early.eAction == EAction::Help || early.eAction == EAction::Version) {
        std::fputs(early.strText.c_str(), stdout);
        return 0;
    }
    QApplication qtApp(argc, argv);
    std::vector<std::string> arguments;
    for (const QString& argument : QCoreApplication::arguments().mid(1)) {
        arguments.push_back(tessaray::ToPath(argument));
    }
    const tessaray::SDesktopOptions options = tessaray::ParseDesktopOptions(arguments);
    if (options.eAction != EAction::Run) {
        std::fputs(options.strText.c_str(), stderr);
        return 2;
    }
    const QString screenshot = tessaray::FromPath(options.strScreenshot);
    const bool verdicts = options.bVerdictScreenshot;
    const bool preview = options.bPrintPreviewScreenshot;
    const bool history = options.bHistoryScreenshot;
    QStringList args;
    if (!options.strProject.empty()) {
        args.append(tessaray::FromPath(options.strProject));
    }

    QTemporaryDir settingsDir;
    if (!screenshot.isEmpty()) {
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, settingsDir.path());
        tessaray::ProgramSettings().setValue(
            tessaray::SettingKey(tessaray::setting::kTipStartUp.strKey), 1);
        // Nobody is there to answer the update question, and a picture needs no update.
        tessaray::ProgramSettings().setValue(
            tessaray::SettingKey(tessaray::setting::kUpdateCheck.strKey), 0);
    }

    tessaray::CTessarayApp app;
    if (!app.InitInstance(args)) {
        return 1;
    }
    if (screenshot.isEmpty()) {
        return QApplication::exec();
    }

    tessaray::CMainFrame* frame = app.MainFrame();
    frame->resize(1280, 760);
    if (history) {
        tessaray::CHistoryDialog dialog(frame, app.LanguageLetter());
        if (const tessaray::CHistoryResult loaded =
                dialog.Load(tessaray::HistoryPathOf(app.Document()->Project().GetPath()));
            !loaded) {
            std::fprintf(stderr, "tessaray: %s\n", loaded.GetError().detail.c_str());
            return 1;
        }
        auto* runs = dialog.findChild<QTableWidget*>(QStringLiteral("runList"));
        runs->selectionModel()->select(
            QItemSelection(runs->model()->index(0, 0), runs->model()->index(1, 0)),
            QItemSelectionModel::Select | QItemSelectionModel::Rows);
        dialog.findChild<QPushButton*>(QStringLiteral("compareRuns"))->click();
        dialog.show();
        QApplication::processEvents();
        const bool saved = dialog.grab().save(screenshot);
        std::fprintf(stderr, "tessaray: screenshot %s\n", saved ? "saved" : "failed");
        return saved ? 0 : 1;
    }
    frame->PostCommand(tessaray::ID_ANALYSIS_START);
    const QDeadlineTimer deadline(120000);
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, frame, [&] {
        if (app.View()->IsRunning() && !deadline.hasExpired()) {
            return;
        }
        poll.stop();
        frame->UpdateCommandUi();
        if (verdicts) {
            tessaray::CTessarayView* view = app.View();
            view->setColumnWidth(tessaray::kColServerHeader, 240);
            // The change column after the verdict brings both into view.
            view->scrollTo(view->model()->index(0, tessaray::CResultModel::kChangeColumn));
        }
        bool saved = false;
        if (preview && screenshot.endsWith(QStringLiteral(".pdf"), Qt::CaseInsensitive)) {
            // The printed pages themselves, as a PDF file.
            QPrinter& printer = app.View()->PrintCommands().Printer();
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(screenshot);
            saved = app.View()->PrintCommands().PrintOn(printer) > 0;
        } else if (preview) {
            const auto dialog = app.View()->PrintCommands().CreatePreviewDialog();
            dialog->resize(1100, 760);
            dialog->show();
            QCoreApplication::processEvents();
            saved = dialog->grab().save(screenshot);
        } else {
            saved = frame->grab().save(screenshot);
        }
        std::fprintf(stderr, "tessaray: screenshot %s\n", saved ? "saved" : "failed");
        QCoreApplication::exit(saved ? 0 : 1);
    });
    // The first poll comes after the start command has run.
    QTimer::singleShot(500, frame, [&] { poll.start(200); });
    return QApplication::exec();
}
