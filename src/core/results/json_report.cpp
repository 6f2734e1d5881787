#include "core/results/json_report.h"

#include "core/partner/partner_cells.h"
#include "core/partner/partner_result.h"
#include "core/results/report_text.h"
#include "core/results/result_table.h"
#include "core/util/file_util.h"

#include <cerrno>
#include <optional>
#include <ostream>
#include <set>
#include <sstream>

namespace tessaray {

namespace {

// The length of the valid UTF-8 sequence at text[pos], 0 when there is none.
std::size_t Utf8Length(std::string_view text, std::size_t pos) {
    const auto lead = static_cast<unsigned char>(text[pos]);
    std::size_t length = 0;
    unsigned min = 0;
    unsigned value = 0;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        value = lead & 0x1Fu;
        min = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        value = lead & 0x0Fu;
        min = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        value = lead & 0x07u;
        min = 0x10000;
    } else {
        return 0;
    }
    if (pos + length > text.size()) {
        return 0;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto c = static_cast<unsigned char>(text[pos + i]);
        if ((c & 0xC0u) != 0x80u) {
            return 0;
        }
        value = (value << 6u) | (c & 0x3Fu);
    }
    const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
    return value < min || value > 0x10FFFF || surrogate ? 0 : length;
}

void WriteReasons(std::ostream& out, const SVerdict& verdict, char chLanguage) {
    out << "\"verdict\": " << JsonString(VerdictCode(verdict.eVerdict)) << ", \"reasons\": [";
    const char* separator = "";
    for (const SReason& reason : verdict.reasons) {
        out << separator << "{\"code\": " << JsonString(ReasonCode(reason.eCode))
            << ", \"text\": " << JsonString(ReasonText(reason, chLanguage)) << "}";
        separator = ", ";
    }
    out << "]";
}

// What was agreed with the partner and whether some link of the page is that.
void WriteAgreement(std::ostream& out, const SPartnerResult& partner) {
    const SAgreement& agreement = *partner.agreement;
    const std::optional<bool> met = partner.AgreementMet();
    out << "\"agreement\": {\"target\": " << JsonString(agreement.strTarget)
        << ", \"anchor\": " << JsonString(agreement.strAnchor) << ", \"follow\": "
        << (agreement.eFollow == EAgreedFollow::Required ? "\"required\"" : "\"any\"")
        << ", \"until\": " << JsonString(agreement.strUntil)
        << ", \"contact\": " << JsonString(agreement.strContact)
        << ", \"note\": " << JsonString(agreement.strNote) << ", \"met\": "
        << (!met   ? "null"
            : *met ? "true"
                   : "false")
        << "}, ";
}

} // namespace

std::string JsonString(std::string_view text) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string out = "\"";
    out.reserve(text.size() + 2);
    for (std::size_t pos = 0; pos < text.size(); ++pos) {
        const auto c = static_cast<unsigned char>(text[pos]);
        if (c == '"' || c == '\\') {
            out += '\\';
            out += static_cast<char>(c);
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c == '\t') {
            out += "\\t";
        } else if (c < 0x20 || c == 0x7F) {
            out += "\\u00";
            out += kHex[c >> 4u];
            out += kHex[c & 0x0Fu];
        } else if (c < 0x80) {
            out += static_cast<char>(c);
        } else if (const std::size_t length = Utf8Length(text, pos); length > 0) {
            out.append(text.substr(pos, length));
            pos += length - 1;
        } else {
            out += static_cast<char>(0xC0u | (c >> 6u)); // the byte as Latin-1
            out += static_cast<char>(0x80u | (c & 0x3Fu));
        }
    }
    out += '"';
    return out;
}

void WriteRunTimesJson(std::ostream& out, std::string_view started, std::string_view finished,
                       bool bCompleted) {
    out << ", \"started\": " << JsonString(started) << ", \"finished\": " << JsonString(finished)
        << ", \"completed\": " << (bCompleted ? "true" : "false");
}

void WriteSummaryJson(std::ostream& out, const SRunSummary& summary) {
    out << "{\"partners\": " << summary.nPartners << ", \"counts\": " << summary.nCounts
        << ", \"does_not_count\": " << summary.nDoesNotCount
        << ", \"missing\": " << summary.nMissing << ", \"unreachable\": " << summary.nUnreachable;
    if (summary.bReciprocity) {
        out << ", \"one_sided\": " << summary.nOneSided;
    }
    out << "}";
}

bool WriteJsonReport(std::ostream& out, const CResultTable& table, const CRunVerdicts& verdicts,
                     const SJsonReportInfo& info) {
    std::set<SRowKey> shown;
    for (int row = 0; row < table.GetRowCount(); ++row) {
        shown.insert(table.GetRowKey(row));
    }
    const char chLanguage = info.chLanguage;
    out << "{\"project\": " << JsonString(info.strProject)
        << ", \"domain\": " << JsonString(info.strDomain);
    WriteRunTimesJson(out, verdicts.GetStarted(), verdicts.GetFinished(), !verdicts.IsStopped());
    out << ",\n \"partners\": [";
    const char* partnerSeparator = "\n  ";
    for (const SPartnerResult& partner : verdicts.Partners()) {
        out << partnerSeparator << "{\"url\": " << JsonString(partner.strUrl)
            << ", \"status\": " << partner.nStatus << ", \"bytes\": " << partner.nBytes
            << ", \"outcome\": " << JsonString(OutcomeCode(partner.eOutcome))
            << ", \"final_url\": " << JsonString(partner.strFinalUrl)
            << ", \"robots_txt\": {\"status\": " << partner.nRobotsStatus
            << ", \"googlebot_allowed\": " << (partner.bGooglebotAllowed ? "true" : "false")
            << "}, \"rendered\": " << JsonString(RenderedCode(partner.eRendered));
        if (partner.eRendered == ERendered::Failed) {
            out << ", \"render_error\": " << JsonString(partner.strRenderError);
        }
        out << ",\n   \"links\": [";
        partnerSeparator = ",\n  ";
        const SPartnerCells cells = CellsOf(partner);
        const std::string header = ReportServerHeader(*cells.pServerHeader);
        const char* linkSeparator = "";
        for (const SLinkResult& link : partner.links) {
            if (!shown.contains(partner.KeyOfRow(link.nId))) {
                continue;
            }
            out << linkSeparator << "\n    {\"row\": " << partner.nFirstRow + link.nId
                << ", \"url\": " << JsonString(link.strUrl)
                << ", \"text\": " << JsonString(link.strText) << ", \"rel\": [";
            const char* relSeparator = "";
            for (const std::string& token : link.rel) {
                out << relSeparator << JsonString(token);
                relSeparator = ", ";
            }
            out << "], \"script_inserted\": " << (link.bScriptInserted ? "true" : "false")
                << ", \"hidden\": " << JsonString(link.strHidden) << ", ";
            WriteReasons(out, link.verdict, chLanguage);
            out << ",\n     \"cells\": [";
            const CellRow& row = cells.rows[static_cast<std::size_t>(link.nId)];
            for (int col = 0; col < kColumnCount; ++col) {
                out << (col == 0 ? "" : ", ")
                    << JsonString(col == kColServerHeader ? header
                                                          : row[static_cast<std::size_t>(col)]);
            }
            out << "]}";
            linkSeparator = ",";
        }
        out << "],\n   ";
        if (partner.nLinksNotListed > 0) {
            out << "\"links_not_listed\": " << partner.nLinksNotListed << ", ";
        }
        if (partner.confirmed) {
            // Fetched once more after a pause; the first answer was this.
            out << "\"confirmed\": true, \"first_answer\": {\"status\": "
                << partner.confirmed->nStatus
                << ", \"outcome\": " << JsonString(OutcomeCode(partner.confirmed->eOutcome))
                << ", ";
            WriteReasons(out, partner.confirmed->verdict, chLanguage);
            out << "}, ";
        }
        if (partner.agreement) {
            WriteAgreement(out, partner);
        }
        if (partner.reciprocal) {
            out << "\"reciprocal\": {\"you_link\": "
                << JsonString(YouLinkCode(partner.reciprocal->eYouLink))
                << ", \"from\": " << JsonString(partner.reciprocal->strFrom) << "}, ";
        }
        WriteReasons(out, partner.verdict, chLanguage);
        out << "}";
    }
    out << "\n ],\n \"summary\": ";
    WriteSummaryJson(out, verdicts.Summary());
    out << "}\n";
    return static_cast<bool>(out);
}

CReportResult WriteJsonReportFile(const std::string& strPath, const CResultTable& table,
                                  const CRunVerdicts& verdicts, const SJsonReportInfo& info) {
    std::ostringstream text;
    WriteJsonReport(text, table, verdicts, info);
    errno = 0;
    if (!WriteStringToFile(strPath, text.str())) {
        return ReportWriteFailure(strPath, errno);
    }
    return {};
}

} // namespace tessaray
