#include "gui/results/report_commands.h"

#include "core/partner/verdict.h"
#include "core/project/project.h"
#include "core/results/html_report.h"
#include "core/results/json_report.h"
#include "core/results/result_table.h"
#include "core/util/file_util.h"
#include "gui/toolkit/byte_text.h"
#include "gui/toolkit/command_frame.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/ui_hooks.h"

#include <QDir>
#include <QFile>

namespace tessaray {

namespace {

QString NativePath(const std::string& path) {
    return QDir::toNativeSeparators(FromPath(path));
}

} // namespace

CReportCommands::CReportCommands(CCommandFrame& frame, const SUiHooks& hooks,
                                 const CResultTable& table, const CProject& project,
                                 std::string strInstallDir, std::function<bool()> canExport)
    : m_frame(frame), m_hooks(hooks), m_table(table), m_project(project),
      m_strInstallDir(std::move(strInstallDir)), m_canExport(std::move(canExport)) {}

void CReportCommands::SetVerdictSource(std::function<const CRunVerdicts*()> source,
                                       char chLanguage) {
    m_verdicts = std::move(source);
    m_chLanguage = chLanguage;
}

void CReportCommands::SetShownRowsSource(std::function<std::vector<int>()> source) {
    m_shownRows = std::move(source);
}

std::unique_ptr<CResultTable> CReportCommands::ShownRows() const {
    if (!m_shownRows) {
        return nullptr;
    }
    const std::vector<int> rows = m_shownRows();
    bool bAsStored = static_cast<int>(rows.size()) == m_table.GetRowCount();
    for (std::size_t i = 0; bAsStored && i < rows.size(); ++i) {
        bAsStored = rows[i] == static_cast<int>(i);
    }
    return bAsStored ? nullptr : std::make_unique<CResultTable>(m_table.CopyRows(rows));
}

bool CReportCommands::IsFiltered(const CResultTable* shown) const {
    return shown != nullptr && shown->GetRowCount() < m_table.GetRowCount();
}

QString CReportCommands::FilteredText(const CResultTable& shown) const {
    return tr("A filter is on: the report holds the %1 rows shown of %2.")
        .arg(shown.GetRowCount())
        .arg(m_table.GetRowCount());
}

void CReportCommands::TellIfFiltered(const CResultTable* shown) {
    if (IsFiltered(shown)) {
        m_frame.AddOutputLine(FilteredText(*shown).toStdString());
    }
}

void CReportCommands::ConnectCommands() {
    m_frame.SetCommandHandler(
        ID_SAVE_CSV, [this] { OnSaveCsv(); }, m_canExport);
    m_frame.SetCommandHandler(
        ID_SAVE_HTML, [this] { OnSaveHtml(); }, m_canExport);
    m_frame.SetCommandHandler(
        ID_SAVE_JSON, [this] { OnSaveJson(); },
        [this] { return m_canExport() && m_verdicts && m_verdicts() != nullptr; });
    m_frame.SetCommandHandler(
        ID_OPEN_IN_EXCEL, [this] { OnOpenInExcel(); }, m_canExport);
    m_frame.SetCommandHandler(
        ID_OPEN_IN_BROWSER, [this] { OnOpenInBrowser(); }, m_canExport);
}

QString CReportCommands::ReportName() const {
    // "shop-report" beside the project "shop.tsrp".
    const bool bNamed =
        !m_project.GetPath().empty() && m_project.GetTitle() != CProject::kNoFileMarker;
    return (bNamed ? FromBytes(m_project.GetTitle()) + QStringLiteral("-") : QString()) +
           QStringLiteral("report");
}

QString CReportCommands::ChooseSavePath(const QString& filter, const QString& suffix) {
    SFileRequest request;
    request.bSave = true;
    request.strFilter = filter;
    request.strDefaultSuffix = suffix;
    request.strStart = StartPath(m_project.GetPath(), ReportName() + QLatin1Char('.') + suffix);
    return m_hooks.chooseFile(&m_frame, request);
}

void CReportCommands::OnSaveCsv() {
    const QString path = ChooseSavePath(QStringLiteral("csv Table (*.csv)"), QStringLiteral("csv"));
    if (path.isEmpty()) {
        return;
    }
    const std::unique_ptr<CResultTable> shown = ShownRows();
    const CReportResult result = WriteCsvReport(ToPath(path), shown ? *shown : m_table);
    if (!result.Ok()) {
        ReportFailure(result.GetError());
    } else {
        TellIfFiltered(shown.get());
    }
}

void CReportCommands::OnSaveHtml() {
    const QString path =
        ChooseSavePath(QStringLiteral("Html File (*.html)"), QStringLiteral("html"));
    if (path.isEmpty()) {
        return;
    }
    const std::unique_ptr<CResultTable> shown = ShownRows();
    if (WriteHtmlReportTo(ToPath(path), shown ? *shown : m_table, IsFiltered(shown.get()))) {
        TellIfFiltered(shown.get());
    }
}

void CReportCommands::OnSaveJson() {
    const CRunVerdicts* verdicts = m_verdicts ? m_verdicts() : nullptr;
    if (verdicts == nullptr) {
        return;
    }
    const QString path =
        ChooseSavePath(QStringLiteral("JSON File (*.json)"), QStringLiteral("json"));
    if (path.isEmpty()) {
        return;
    }
    const SJsonReportInfo info{m_project.GetTitle(), m_project.GetDomain(), m_chLanguage};
    const std::unique_ptr<CResultTable> shown = ShownRows();
    const CReportResult result =
        WriteJsonReportFile(ToPath(path), shown ? *shown : m_table, *verdicts, info);
    if (!result.Ok()) {
        ReportFailure(result.GetError());
    } else {
        TellIfFiltered(shown.get());
    }
}

void CReportCommands::OnOpenInExcel() {
    std::string path;
    if (!GetTempReportPath(EReportKind::Csv, path)) {
        ShowMessage(tr("There is no private temporary folder for the report."));
        return;
    }
    const std::unique_ptr<CResultTable> shown = ShownRows();
    const CReportResult result = WriteCsvReport(path, shown ? *shown : m_table);
    if (!result.Ok()) {
        ReportFailure(result.GetError());
        return;
    }
    TellIfFiltered(shown.get());
    OpenOrTell(m_hooks, &m_frame, QUrl::fromLocalFile(FromPath(path)));
}

void CReportCommands::OnOpenInBrowser() {
    std::string path;
    if (!GetTempReportPath(EReportKind::Html, path)) {
        ShowMessage(tr("There is no private temporary folder for the report."));
        return;
    }
    const QString file = FromPath(path);
    if (QFile::exists(file) && !QFile::remove(file)) {
        ShowMessage(tr("The old report %1 cannot be deleted.").arg(QDir::toNativeSeparators(file)));
        return;
    }
    const std::unique_ptr<CResultTable> shown = ShownRows();
    if (!WriteHtmlReportTo(path, shown ? *shown : m_table, IsFiltered(shown.get()))) {
        return;
    }
    TellIfFiltered(shown.get());
    if (QFile::exists(file)) {
        OpenOrTell(m_hooks, &m_frame, QUrl::fromLocalFile(file));
    }
}

bool CReportCommands::WriteHtmlReportTo(const std::string& path, const CResultTable& table,
                                        bool bFiltered) {
    std::string date;
    CDateStamp().Format(date);
    const std::string templatePath = m_strInstallDir + kPathSeparator + "report.html";
    const CRunVerdicts* verdicts = m_verdicts ? m_verdicts() : nullptr;
    std::string verdictHtml =
        verdicts == nullptr ? std::string() : BuildVerdictHtml(*verdicts, m_chLanguage);
    // A reader of a filtered report learns it in the page too (where the template shows verdicts).
    if (bFiltered) {
        verdictHtml = "<p class=\"filter\">" +
                      FilteredText(table).toHtmlEscaped().toUtf8().toStdString() + "</p>\n" +
                      verdictHtml;
    }
    const CReportResult result = WriteHtmlReport(table, templatePath, m_project.GetTitle(), date,
                                                 path, verdictHtml, m_chLanguage);
    if (!result.Ok()) {
        ReportFailure(result.GetError());
    }
    return result.Ok();
}

void CReportCommands::ReportFailure(const SReportError& error) {
    const QString path = NativePath(error.detail.strPath);
    switch (error.eCode) {
    case EReportError::None:
        return;
    case EReportError::TemplateMissing:
        ShowMessage(tr("The report template %1 is missing.").arg(path));
        return;
    case EReportError::TemplateInvalid:
        ShowMessage(
            tr("The report template %1 cannot be used: it lacks the table markers.").arg(path));
        return;
    case EReportError::WriteFailed:
        ShowMessage(tr("The report could not be written to %1.").arg(path));
        return;
    }
}

void CReportCommands::ShowMessage(const QString& text) {
    m_hooks.messageBox(&m_frame, QMessageBox::Warning, text, QMessageBox::Ok);
}

} // namespace tessaray
