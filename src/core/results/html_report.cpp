#include "core/results/html_report.h"

#include "core/project/url_rules.h"
#include "core/results/result_table.h"
#include "core/util/core_texts.h"
#include "core/util/file_util.h"
#include "core/util/string_util.h"
#include "core/util/utf8_text.h"

#include <algorithm>
#include <cerrno>
#include <optional>
#include <vector>

namespace tessaray {

namespace {

constexpr std::string_view kHeaderBegin = "<!--TABLEHEADER-->";
constexpr std::string_view kHeaderEnd = "<!--/TABLEHEADER-->";
constexpr std::string_view kRowBegin = "<!--TABLEROW-->";
constexpr std::string_view kRowEnd = "<!--/TABLEROW-->";
constexpr std::string_view kHeaderPlaceholder = "%TABLEHEADER%";
constexpr std::string_view kRowPlaceholder = "%TABLEROW%";
constexpr std::string_view kTableEnd = "</table>";
constexpr std::string_view kTableEndSpaced = "</table><BR><BR>\r\n\r\n";
constexpr std::string_view kLineEnd = "\r\n";

// Finds the block begin...end in text. True when both markers are found at positions > 0 with
// begin's end not after end; then inner is the text between them and [first, last) the block.
bool FindBlock(const std::string& text, std::string_view begin, std::string_view end,
               std::string& inner, std::size_t& first, std::size_t& last) {
    first = text.find(begin);
    const std::size_t endPos = text.find(end);
    if (first == std::string::npos || first == 0 || endPos == std::string::npos || endPos == 0 ||
        endPos < first + begin.size()) {
        return false;
    }
    inner = text.substr(first + begin.size(), endPos - first - begin.size());
    last = endPos + end.size();
    return true;
}

// Text escaped, with no "%" left that a placeholder could be made of.
std::string InertHtml(std::string_view raw) {
    std::string html = EscapeHtml(raw);
    for (std::size_t pos = html.find('%'); pos != std::string::npos;
         pos = html.find('%', pos + 5)) {
        html.replace(pos, 1, "&#37;");
    }
    return html;
}

} // namespace

bool IsLinkCell(std::string_view cell) {
    if (!cell.starts_with(kHttp) && !cell.starts_with(kHttps)) {
        return false;
    }
    const std::size_t dot = cell.find('.');
    return dot != std::string_view::npos && dot > 0 && cell.size() >= 12;
}

std::string EscapeHtml(std::string_view text) {
    // The page is UTF-8: 8-bit text (a comment from an older project) is read as windows-1252.
    std::string converted;
    if (!IsValidUtf8(text)) {
        converted = Windows1252ToUtf8(text);
        text = converted;
    }
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        switch (c) {
        case '&':
            out += "&amp;";
            break;
        case '<':
            out += "&lt;";
            break;
        case '>':
            out += "&gt;";
            break;
        case '"':
            out += "&quot;";
            break;
        case '\'':
            out += "&#39;";
            break;
        default:
            out += c;
        }
    }
    return out;
}

void CHtmlReport::Init(const std::string& strProject, const std::string& strDate, char chLanguage) {
    m_strProject = strProject;
    m_strDate = strDate;
    m_chLanguage = chLanguage;
}

bool CHtmlReport::LoadTemplate(const std::string& strPath) {
    std::string text;
    m_readResult = ReadInputFile(strPath, kTemplateFileLimit, text);
    // An unreadable template is as unusable as an empty one.
    return LoadTemplateText(text);
}

bool CHtmlReport::LoadTemplateText(std::string_view text) {
    m_bValid = false;
    m_strTemplate = TextAsUtf8(text.substr(0, text.find('\0')));
    m_strHeaderTemplate.clear();
    m_strRowTemplate.clear();
    m_strOutput.clear();
    m_strTail.clear();

    std::size_t first = 0;
    std::size_t last = 0;
    if (FindBlock(m_strTemplate, kHeaderBegin, kHeaderEnd, m_strHeaderTemplate, first, last)) {
        m_strTemplate = m_strTemplate.substr(0, first) + std::string(kHeaderPlaceholder) +
                        m_strTemplate.substr(last);
    }
    if (FindBlock(m_strTemplate, kRowBegin, kRowEnd, m_strRowTemplate, first, last)) {
        std::string tail = m_strTemplate.substr(last);
        ReplaceFirst(tail, kTableEnd, kTableEndSpaced);
        m_strTemplate = m_strTemplate.substr(0, first) + std::string(kRowPlaceholder) + tail;
    }
    if (m_strHeaderTemplate.empty() || m_strRowTemplate.empty() || m_strTemplate.empty() ||
        m_strTemplate.find(kHeaderPlaceholder) == std::string::npos ||
        m_strTemplate.find(kRowPlaceholder) == std::string::npos) {
        return false;
    }

    // The page is the template up to the header's place, the rows, and the template after the
    // rows' place. Further placeholders in the template stand for nothing. The values go in last
    // and as text, so neither a project named like markup nor one named like a placeholder
    // changes the page's structure.
    m_strOutput = m_strTemplate.substr(0, m_strTemplate.find(kHeaderPlaceholder));
    m_strTail = m_strTemplate.substr(m_strTemplate.find(kRowPlaceholder) + kRowPlaceholder.size());
    const auto words = [this](ETextId id) {
        return EscapeHtml(FormatText(CoreText(id, m_chLanguage), {m_strDate}));
    };
    for (std::string* part : {&m_strOutput, &m_strTail}) {
        ReplaceAll(*part, kHeaderPlaceholder, "");
        ReplaceAll(*part, kRowPlaceholder, "");
        ReplaceAll(*part, "%LANG%", words(ETextId::ReportLanguageCode));
        ReplaceAll(*part, "%REPORT_TITLE%", words(ETextId::ReportTitle));
        ReplaceAll(*part, "%REPORT_INTRO%", words(ETextId::ReportIntro));
        ReplaceAll(*part, "%VERDICT_TITLE%", words(ETextId::ReportVerdictTitle));
        ReplaceAll(*part, "%REPORT_FOOTER%", words(ETextId::ReportFooter));
        ReplaceAll(*part, "%PROJECT%", EscapeHtml(m_strProject));
        ReplaceAll(*part, "%DATE%", EscapeHtml(m_strDate));
        // The verdict table is markup we built from escaped values.
        ReplaceAll(*part, "%VERDICT%", m_strVerdictHtml);
    }
    m_bValid = true;
    return true;
}

void CHtmlReport::AddRow(std::span<const std::string> cells, bool bHeader) {
    const std::string_view cellTag = bHeader ? "th" : "td";
    m_strOutput += "<tr>";
    m_strOutput += kLineEnd;
    for (const std::string& cell : cells) {
        m_strOutput += '<';
        m_strOutput += cellTag;
        m_strOutput += '>';
        if (!bHeader && IsLinkCell(cell)) {
            const std::string escaped = EscapeHtml(cell);
            m_strOutput.append("<a href=\"")
                .append(escaped)
                .append("\" TARGET=\"_blank\">")
                .append(escaped)
                .append("</a>");
        } else {
            m_strOutput += EscapeHtml(cell);
        }
        m_strOutput += "</";
        m_strOutput += cellTag;
        m_strOutput += '>';
        m_strOutput += kLineEnd;
    }
    m_strOutput += "</tr>";
    m_strOutput += kLineEnd;
}

void CHtmlReport::AddTable(const CResultTable& table) {
    if (table.GetRowCount() <= 0) {
        return;
    }
    std::vector<std::string> titles;
    for (const SColumnInfo& column : table.GetColumns()) {
        titles.emplace_back(column.pszTitle);
    }
    AddRow(titles, true);
    for (int row = 0; row < table.GetRowCount(); ++row) {
        AddRow(ReportRow(table, row, kReportHeaderLines), false);
    }
}

bool CHtmlReport::GetPage(std::string& strPage) const {
    strPage.clear();
    if (!m_bValid) {
        return false;
    }
    strPage = m_strOutput;
    strPage += m_strTail;
    strPage += kLineEnd;
    return true;
}

bool CHtmlReport::Write(const std::string& strPath) const {
    std::string page;
    return GetPage(page) && WriteStringToFile(strPath, page);
}

CReportResult WriteHtmlReport(const CResultTable& table, const std::string& strTemplatePath,
                              const std::string& strProject, const std::string& strDate,
                              const std::string& strOutputPath, const std::string& strVerdictHtml,
                              char chLanguage) {
    if (!FileExists(strTemplatePath)) {
        return SReportError{EReportError::TemplateMissing, {strTemplatePath, ""}};
    }
    CHtmlReport report;
    report.Init(strProject, strDate, chLanguage);
    report.SetVerdictHtml(strVerdictHtml);
    if (!report.LoadTemplate(strTemplatePath)) {
        return SReportError{EReportError::TemplateInvalid,
                            {strTemplatePath, ReadFailureReason(report.GetReadResult())}};
    }
    report.AddTable(table);
    errno = 0;
    if (!report.Write(strOutputPath)) {
        return ReportWriteFailure(strOutputPath, errno);
    }
    return {};
}

std::string BuildVerdictHtml(const CRunVerdicts& verdicts, char chLanguage) {
    const auto head = [chLanguage](ETextId id) { return std::string(CoreText(id, chLanguage)); };
    // The columns of the exchange appear only in runs that know an agreement or the user's link
    // pages, so the reports of other projects stay as they were.
    const std::vector<SPartnerResult>& partners = verdicts.Partners();
    const bool bAgreements = std::any_of(partners.begin(), partners.end(),
                                         [](const SPartnerResult& p) { return p.agreement; });
    const SRunSummary summary = verdicts.Summary();
    std::string html =
        "<p class=\"summary\">" + InertHtml(SummaryText(verdicts, chLanguage)) + "</p>";
    if (summary.bReciprocity) {
        html += "\r\n<p class=\"summary\">" +
                InertHtml(TakeWithoutGivingText(summary.nOneSided, chLanguage)) + "</p>";
    }
    html += "\r\n<table class=\"verdict\">\r\n<tr><th>" + head(ETextId::VerdictTableNo) +
            "</th><th>" + head(ETextId::VerdictTablePartner) + "</th><th>" +
            head(ETextId::VerdictTableVerdict) + "</th><th>" + head(ETextId::VerdictTableReasons) +
            "</th>";
    if (bAgreements) {
        html += "<th>" + head(ETextId::VerdictTableAgreement) + "</th>";
    }
    if (summary.bReciprocity) {
        html += "<th>" + head(ETextId::VerdictTableYouLink) + "</th>";
    }
    html += "</tr>\r\n";
    for (const SPartnerResult& partner : partners) {
        const EVerdict eVerdict = partner.verdict.eVerdict;
        std::string reasons;
        for (const SReason& reason : partner.verdict.reasons) {
            reasons += (reasons.empty() ? "" : "<br>") + InertHtml(ReasonText(reason, chLanguage));
        }
        if (partner.eRendered != ERendered::No) {
            const std::string line =
                partner.eRendered == ERendered::Yes
                    ? head(ETextId::ReportRendered)
                    : FormatText(head(ETextId::ReportRenderFailed), {partner.strRenderError});
            reasons += (reasons.empty() ? "" : "<br>") + InertHtml(line);
        }
        html += "<tr class=\"" + std::string(VerdictCode(eVerdict)) + "\"><td>" +
                std::to_string(partner.nFirstRow) + "</td><td>" + InertHtml(partner.strUrl) +
                "</td><td>" + InertHtml(VerdictText(eVerdict, chLanguage)) + "</td><td>" + reasons +
                "</td>";
        if (bAgreements) {
            const std::optional<bool> met = partner.AgreementMet();
            html += "<td>" +
                    (met ? head(*met ? ETextId::AgreementMet : ETextId::AgreementDiffers) : "") +
                    "</td>";
        }
        if (summary.bReciprocity) {
            const SReciprocal you = partner.reciprocal.value_or(SReciprocal{});
            html += "<td>" + InertHtml(YouLinkText(you.eYouLink, chLanguage));
            if (!you.strFrom.empty()) {
                html += "<br>" + InertHtml(you.strFrom);
            }
            html += "</td>";
        }
        html += "</tr>\r\n";
    }
    return html + "</table>";
}

} // namespace tessaray
