#pragma once

#include "core/results/report_text.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>
#include <string>
#include <vector>

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

    // The table rows the view shows, in its order: the exports write those rows in that order, and
    // tell when a filter holds rows back.
    void SetShownRowsSource(std::function<std::vector<int>()> source);

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
    // The name a report file is offered under, without its suffix.
    QString ReportName() const;
    // The rows shown as a table of their own, nullptr when the view shows the table as it stands.
    std::unique_ptr<CResultTable> ShownRows() const;
    // True when shown (from ShownRows) leaves rows out.
    bool IsFiltered(const CResultTable* shown) const;
    bool WriteHtmlReportTo(const std::string& path, const CResultTable& table, bool bFiltered);
    // The line that tells which part of the rows a report holds.
    QString FilteredText(const CResultTable& shown) const;
    // Tells in the output log that a report holds only the rows shown, when shown leaves rows out.
    void TellIfFiltered(const CResultTable* shown);
    void ReportFailure(const SReportError& error);
    void ShowMessage(const QString& text);

    CCommandFrame& m_frame;
    const SUiHooks& m_hooks;
    const CResultTable& m_table;
    const CProject& m_project;
    std::string m_strInstallDir;
    std::function<bool()> m_canExport;
    std::function<const CRunVerdicts*()> m_verdicts;
    std::function<std::vector<int>()> m_shownRows;
    char m_chLanguage = 'E';
};

} // namespace tessaray
