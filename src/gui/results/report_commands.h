#pragma once

#include "core/results/report_text.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>
#include <string>

namespace tessaray {

class CCommandFrame;
class CProject;
class CResultTable;
class CRunVerdicts;
struct SUiHooks;

// The report exports of the results: save as CSV, HTML or JSON file, open as a temporary CSV or
// HTML report in the desktop's program. Failures are shown in a message box.
class CReportCommands final {
    Q_DECLARE_TR_FUNCTIONS(tessaray::CReportCommands)

public:
    // canExport tells whether the table may be exported now (rows there, no run going).
    CReportCommands(CCommandFrame& frame, const SUiHooks& hooks, const CResultTable& table,
                    const CProject& project, std::string strInstallDir,
                    std::function<bool()> canExport);

    // The verdicts of the rows (nullptr while the rows have none) and the language of their texts:
    // for the HTML report's verdict part and the JSON report.
    void SetVerdictSource(std::function<const CRunVerdicts*()> source, char chLanguage);

    // The rows a filter lets through as a table of their own, nullptr while every row is shown:
    // the exports then write those rows only and tell so.
    void SetShownRowsSource(std::function<std::unique_ptr<CResultTable>()> source);

    // Registers the five export commands with the frame; the JSON one needs verdicts.
    void ConnectCommands();

    void OnSaveCsv();
    void OnSaveHtml();
    void OnSaveJson();
    void OnOpenInExcel();
    void OnOpenInBrowser();

private:
    // The path chosen in a save dialog for filter and default suffix; "" when cancelled.
    QString ChooseSavePath(const QString& filter, const QString& suffix);
    std::unique_ptr<CResultTable> ShownRows() const;
    bool WriteHtmlReportTo(const std::string& path, const CResultTable& table, bool bFiltered);
    // The line that tells which part of the rows a report holds.
    QString FilteredText(const CResultTable& shown) const;
    void TellFiltered(const CResultTable& shown);
    void ReportFailure(const SReportError& error);
    void ShowMessage(const QString& text);

    CCommandFrame& m_frame;
    const SUiHooks& m_hooks;
    const CResultTable& m_table;
    const CProject& m_project;
    std::string m_strInstallDir;
    std::function<bool()> m_canExport;
    std::function<const CRunVerdicts*()> m_verdicts;
    std::function<std::unique_ptr<CResultTable>()> m_shownRows;
    char m_chLanguage = 'E';
};

} // namespace tessaray
