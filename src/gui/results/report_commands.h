#pragma once

#include "core/results/report_text.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <string>

namespace tessaray {

class CCommandFrame;
class CProject;
class CResultTable;
struct SUiHooks;

// The report exports of the results: save as CSV or HTML file, open as a temporary CSV or HTML
// report in the desktop's program. Failures are shown in a message box.
class CReportCommands final {
    Q_DECLARE_TR_FUNCTIONS(tessaray::CReportCommands)

public:
    // canExport tells whether the table may be exported now (rows there, no run going).
    CReportCommands(CCommandFrame& frame, const SUiHooks& hooks, const CResultTable& table,
                    const CProject& project, std::string strInstallDir,
                    std::function<bool()> canExport);

    // Registers the four export commands with the frame.
    void ConnectCommands();

    void OnSaveCsv();
    void OnSaveHtml();
    void OnOpenInExcel();
    void OnOpenInBrowser();

private:
    // The path chosen in a save dialog for filter and default suffix; "" when cancelled.
    QString ChooseSavePath(const QString& filter, const QString& suffix);
    bool WriteHtmlReportTo(const std::string& path);
    void ReportFailure(const SReportResult& result);
    void ShowMessage(const QString& text);

    CCommandFrame& m_frame;
    const SUiHooks& m_hooks;
    const CResultTable& m_table;
    const CProject& m_project;
    std::string m_strInstallDir;
    std::function<bool()> m_canExport;
};

} // namespace tessaray
