#pragma once

#include "core/partner/verdict.h"
#include "core/results/report_text.h"
#include "core/util/file_util.h"

#include <string>
#include <string_view>
#include <utility>

namespace tessaray {

// Builds the HTML report: pours the report text into a page template as table rows. Lives for
// one report; call Init, LoadTemplate and, only when that succeeded, AddTable and Write.
//
// The template carries a header block "<!--TABLEHEADER-->...<!--/TABLEHEADER-->" and, after it,
// a row block "<!--TABLEROW-->...<!--/TABLEROW-->", each non-empty and not at the very start of
// the file (markers are case-sensitive). The generated rows take the place of both blocks; the
// text between them is dropped. "%PROJECT%" and "%DATE%" are filled in everywhere, and the first
// "</table>" after the row block gets two line breaks after it.
class CHtmlReport {
public:
    // chSeparator separates the cells of the report text (the reports use tab).
    void Init(char chSeparator, const std::string& strProject, const std::string& strDate);
    // The verdict part of the page: replaces "%VERDICT%" wherever the template asks for it (the
    // templates of old do not). Set before LoadTemplate.
    void SetVerdictHtml(std::string strHtml) { m_strVerdictHtml = std::move(strHtml); }
    // Reads and prepares the template file and starts the page. False when the file cannot be
    // read (GetReadResult tells why), is empty or lacks the blocks.
    bool LoadTemplate(const std::string& strPath);
    const CReadResult& GetReadResult() const { return m_readResult; }
    // The same for a template given as text (up to its first NUL byte).
    bool LoadTemplateText(std::string_view text);
    // Appends the table rows: the report text's first line as the header row, every further line
    // as a data row. Only lines ended by CR LF count; an empty line gives no row.
    void AddTable(std::string_view strReportText);
    // The finished page; false when no template was loaded.
    bool GetPage(std::string& strPage) const;
    // Writes the finished page to a file; false when no template was loaded or the write fails.
    bool Write(const std::string& strPath) const;

private:
    // One table row of the report text's line; every cell escaped, a link cell also as a link.
    void AddRow(std::string_view line, bool bHeader);

    bool m_bValid = false;
    CReadResult m_readResult;
    char m_chSeparator = ';';
    std::string m_strTemplate;
    std::string m_strHeaderTemplate;
    std::string m_strRowTemplate;
    std::string m_strOutput; // the page so far
    std::string m_strTail;   // the template after the rows
    std::string m_strProject;
    std::string m_strDate;
    std::string m_strVerdictHtml;
};

// A data cell shown as a link: it begins with "http://" or "https://", has a '.' after its first
// character and is at least 12 characters long.
bool IsLinkCell(std::string_view cell);

// text as UTF-8 (bytes that are not UTF-8 read as windows-1252) with '&', '<', '>', '"' and '\''
// replaced by their character references, so that it stays text in an element and in a quoted
// attribute.
std::string EscapeHtml(std::string_view text);

// Builds the HTML report from the report text with the template at strTemplatePath and writes it
// to strOutputPath, with strVerdictHtml where the template has "%VERDICT%". Fails with
// TemplateMissing when the template does not exist, TemplateInvalid when it cannot be used,
// WriteFailed when the output cannot be written.
CReportResult WriteHtmlReport(const std::string& strReportText, const std::string& strTemplatePath,
                              const std::string& strProject, const std::string& strDate,
                              const std::string& strOutputPath,
                              const std::string& strVerdictHtml = {});

// The verdict part of the HTML report: the summary and a table of the partners with their
// verdicts (a class per verdict, for colours) and reasons. Inert: every text is escaped and no
// "%" is left that a placeholder could be made of.
std::string BuildVerdictHtml(const CRunVerdicts& verdicts, char chLanguage);

} // namespace tessaray
