#include "core/results/json_report.h"

#include "core/partner/verdict.h"
#include "core/results/report_text.h"
#include "core/results/result_table.h"
#include "core/util/file_util.h"

#include <cerrno>
#include <cstdlib>
#include <map>
#include <ostream>
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

bool WriteJsonReport(std::ostream& out, const CResultTable& table, const CRunVerdicts& verdicts,
                     const SJsonReportInfo& info) {
    // Rows by their number, wherever sorting has put them.
    std::map<int, int> indexOfNumber;
    for (int index = 0; index < table.GetRowCount(); ++index) {
        indexOfNumber.emplace(std::atoi(std::string(table.GetCellView(index, kColNo)).c_str()),
                              index);
    }
    const char chLanguage = info.chLanguage;
    out << "{\"project\": " << JsonString(info.strProject)
        << ", \"domain\": " << JsonString(info.strDomain)
        << ", \"started\": " << JsonString(verdicts.GetStarted())
        << ", \"finished\": " << JsonString(verdicts.GetFinished())
        << ", \"completed\": " << (verdicts.IsStopped() ? "false" : "true")
        << ",\n \"partners\": [";
    const char* partnerSeparator = "\n  ";
    for (const CRunVerdicts::SPartner& partner : verdicts.Partners()) {
        const SPartnerFacts& facts = partner.facts;
        out << partnerSeparator << "{\"url\": " << JsonString(facts.strUrl)
            << ", \"status\": " << facts.nStatus << ", \"bytes\": " << facts.nBytes
            << ", \"outcome\": " << JsonString(OutcomeCode(facts.eOutcome))
            << ", \"final_url\": " << JsonString(facts.strFinalUrl)
            << ", \"robots_txt\": {\"status\": " << facts.nRobotsStatus
            << ", \"googlebot_allowed\": " << (facts.bGooglebotAllowed ? "true" : "false")
            << "},\n   \"links\": [";
        partnerSeparator = ",\n  ";
        const char* linkSeparator = "";
        for (const int number : partner.bHasLink ? partner.rowNumbers : std::vector<int>{}) {
            const CRunVerdicts::SRow* row = verdicts.FindRow(number);
            const auto found = indexOfNumber.find(number);
            if (row == nullptr || found == indexOfNumber.end()) {
                continue;
            }
            const int index = found->second;
            out << linkSeparator << "\n    {\"row\": " << number
                << ", \"url\": " << JsonString(table.GetCellView(index, kColYourUrl))
                << ", \"text\": " << JsonString(table.GetCellView(index, kColAnchorText))
                << ", \"rel\": [";
            const char* relSeparator = "";
            for (const std::string& token : row->rel) {
                out << relSeparator << JsonString(token);
                relSeparator = ", ";
            }
            out << "], ";
            WriteReasons(out, row->verdict, chLanguage);
            out << ",\n     \"cells\": [";
            for (int col = 0; col < kColumnCount; ++col) {
                const std::string_view cell = table.GetCellView(index, col);
                out << (col == 0 ? "" : ", ")
                    << JsonString(col == kColServerHeader ? ReportServerHeader(cell) : cell);
            }
            out << "]}";
            linkSeparator = ",";
        }
        out << "],\n   ";
        WriteReasons(out, partner.verdict, chLanguage);
        out << "}";
    }
    const CRunVerdicts::SSummary summary = verdicts.Summary();
    out << "\n ],\n \"summary\": {\"partners\": " << summary.nPartners
        << ", \"counts\": " << summary.nCounts << ", \"does_not_count\": " << summary.nDoesNotCount
        << ", \"missing\": " << summary.nMissing << ", \"unreachable\": " << summary.nUnreachable
        << "}}\n";
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
