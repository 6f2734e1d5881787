#pragma once

#include "core/partner/partner_result.h"
#include "core/results/report_text.h"
#include "core/util/file_util.h"

#include <span>
#include <string>
#include <string_view>
#include <utility>

namespace tessaray {

class CResultTable;

// Builds the HTML report: pours the rows of the result table into a page template as table rows.
// Lives for one report; call Init, LoadTemplate and, only when that succeeded, AddTable (or
// AddRow) and Write.
//
// The template carries a header block "<!--TABLEHEADER-->...<!--/TABLEHEADER-->" and, after it,
// a row block "<!--TABLEROW-->...<!--/TABLEROW-->", each non-empty and not at the very start of
// the file (markers are case-sensitive). The generated rows take the place of both blocks; the
// text between them is dropped. "%PROJECT%" and "%DATE%" are filled in everywhere, and so are the
// report's own words in its language: "%LANG%" (the language code for the page's lang attribute),
// "%REPORT_TITLE%", "%REPORT_INTRO%", "%VERDICT_TITLE%" and "%REPORT_FOOTER%". The first
// "</table>" after the row block gets two line breaks after it.
class CHtmlReport {
public:
    // chLanguage: 'G' German, else English (the report's own words).
    void Init(const std::string& strProject, const std::string& strDate, char chLanguage = 'E');
    // The verdict part of the page: replaces "%VERDICT%" wherever the template asks for it (the
    // templates of old do not). Set before LoadTemplate.
    void SetVerdictHtml(std::string strHtml) { m_strVerdictHtml = std::move(strHtml); }
    // Reads and prepares the template file and starts the page. False when the file cannot be
    // read (GetReadResult tells why), is empty or lacks the blocks.
    bool LoadTemplate(const std::string& strPath);
    const CReadResult& GetReadResult() const { return m_readResult; }
    // The same for a template given as text (up to its first NUL byte).
    bool LoadTemplateText(std::string_view text);
    // Appends the table of the results: the column titles as the header row, then every row of
    // the table, its cells as the report text shows them (ReportRow); nothing for a table without
    // rows.
    void AddTable(const CResultTable& table);
    // Appends one table row; every cell escaped, a data cell that is a link also as a link.
    void AddRow(std::span<const std::string> cells, bool bHeader);
    // The finished page; false when no template was loaded.
    bool GetPage(std::string& strPage) const;
    // Writes the finished page to a file; false when no template was loaded or the write fails.
    bool Write(const std::string& strPath) const;

private:
    bool m_bValid = false;
    CReadResult m_readResult;
    std::string m_strTemplate;
    std::string m_strHeaderTemplate;
    std::string m_strRowTemplate;
    std::string m_strOutput; // the page so far
    std::string m_strTail;   // the template after the rows
    std::string m_strProject;
    std::string m_strDate;
    char m_chLanguage = 'E';
    std::string m_strVerdictHtml;
};

// A data cell shown as a link: it begins with "http://" or "https://", has a '.' after its first
// character and is at least 12 characters long.
bool IsLinkCell(std::string_view cell);

// text as UTF-8 (bytes that are not UTF-8 read as windows-1252) with '&', '<', '>', '"' and '\''
// replaced by their character references, so that it stays text in an element and in a quoted
// attribute.
std::string EscapeHtml(std::string_view text);

// Builds the HTML report of the table with the template at strTemplatePath and writes it to
// strOutputPath, with strVerdictHtml where the template has "%VERDICT%" and the report's words in
// the language of chLanguage. Fails with
// TemplateMissing when the template does not exist, TemplateInvalid when it cannot be used,
// WriteFailed when the output cannot be written.
CReportResult WriteHtmlReport(const CResultTable& table, const std::string& strTemplatePath,
                              const std::string& strProject, const std::string& strDate,
                              const std::string& strOutputPath,
                              const std::string& strVerdictHtml = {}, char chLanguage = 'E');

// The verdict part of the HTML report: the summary and a table of the partners with their
// verdicts (a class per verdict, for colours) and reasons. Inert: every text is escaped and no
// "%" is left that a placeholder could be made of.
std::string BuildVerdictHtml(const CRunVerdicts& verdicts, char chLanguage);

} // namespace tessaray
