#include "core/results/report_text.h"

#include "core/results/result_table.h"
#include "core/util/file_util.h"

#include <cerrno>
#include <cstring>
#include <ostream>

namespace tessaray {

namespace {

constexpr std::size_t kMaxHeaderBytes = 2046;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kPieceEnd = "||";

// The cells whose text comes from partner pages, their servers or imported lists.
constexpr bool IsOutsideColumn(int col) {
    return col == kColPartnerUrl || col == kColYourUrl || col == kColAnchorText ||
           col == kColComment || col == kColServerHeader;
}

// A decimal number, optionally signed, with at most one '.' or ',' between digits.
bool IsNumber(std::string_view text) {
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        text.remove_prefix(1);
    }
    bool bDigit = false;
    bool bPoint = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c >= '0' && c <= '9') {
            bDigit = true;
        } else if ((c == '.' || c == ',') && !bPoint && bDigit && i + 1 < text.size()) {
            bPoint = true;
        } else {
            return false;
        }
    }
    return bDigit;
}

// The cell with each tab and line end (CR LF, CR or LF) as one blank, so every row stays one line
// of eighteen fields.
std::string BlankLineBreaks(std::string_view cell) {
    std::string text;
    text.reserve(cell.size());
    std::size_t start = 0; // the part from here on is not yet appended
    for (std::size_t i = 0; i < cell.size(); ++i) {
        const char c = cell[i];
        if (c != '\t' && c != '\r' && c != '\n') {
            continue;
        }
        text.append(cell.substr(start, i - start)) += ' ';
        if (c == '\r' && i + 1 < cell.size() && cell[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    text.append(cell.substr(start));
    return text;
}

CellRow RowCells(const CResultTable& table, int nRow, int nHeaderLines, bool bCsv) {
    CellRow cells;
    std::string cell;
    for (int col = 0; col < kColumnCount; ++col) {
        table.GetCellText(nRow, col, cell);
        if (col == kColServerHeader && nHeaderLines >= 0) {
            ShortenServerHeader(cell, nHeaderLines);
        }
        if (bCsv && IsOutsideColumn(col)) {
            GuardCsvCell(cell);
        }
        cells[static_cast<std::size_t>(col)] = BlankLineBreaks(cell);
    }
    return cells;
}

std::string BuildText(const CResultTable& table, const std::string& columnHeader, int nHeaderLines,
                      bool bCsv) {
    std::string text;
    const int rows = table.GetRowCount();
    if (rows <= 0) {
        return text;
    }
    text += columnHeader;
    text += kLineEnd;
    for (int row = 0; row < rows; ++row) {
        for (const std::string& cell : RowCells(table, row, nHeaderLines, bCsv)) {
            text += cell;
            text += '\t';
        }
        text += kLineEnd;
    }
    return text;
}

} // namespace

void GuardCsvCell(std::string& cell, bool bQuoteNumbers) {
    static constexpr std::string_view kFormulaStarts = "=+-@\t\r";
    if (!cell.empty() && kFormulaStarts.find(cell.front()) != std::string_view::npos &&
        (bQuoteNumbers || !IsNumber(cell))) {
        cell.insert(0, 1, '\'');
    }
}

std::string BuildCsvText(const CResultTable& table, int nHeaderLines) {
    return BuildText(table, table.GetColumnHeader(), nHeaderLines, true);
}

std::string BuildReportText(const CResultTable& table, const std::string& columnHeader,
                            int nHeaderLines) {
    return BuildText(table, columnHeader, nHeaderLines, false);
}

CellRow ReportRow(const CResultTable& table, int nRow, int nHeaderLines) {
    return RowCells(table, nRow, nHeaderLines, false);
}

void ShortenServerHeader(std::string& str, int nLines) {
    if (nLines < 0) {
        return;
    }
    std::string copy = str.substr(0, kMaxHeaderBytes);
    str.clear();
    if (nLines == 0) {
        return;
    }
    for (char& c : copy) {
        if (static_cast<signed char>(c) < 32) {
            c = '|';
        }
    }
    std::size_t start = 0;
    for (int piece = 0; piece < nLines; ++piece) {
        const std::size_t end = copy.find(kPieceEnd, start);
        if (end == std::string::npos) {
            break;
        }
        start = end + kPieceEnd.size();
    }
    str = copy.substr(0, start);
}

std::string ReportServerHeader(std::string_view header) {
    std::string text(header.substr(0, kMaxHeaderBytes));
    ShortenServerHeader(text, kReportHeaderLines);
    return text;
}

bool WriteReportText(std::ostream& out, const CResultTable& table, int nHeaderLines) {
    out << BuildCsvText(table, nHeaderLines);
    out.flush();
    return static_cast<bool>(out);
}

std::string ReportFailureText(const SReportError& error) {
    const SReportFailure& failure = error.detail;
    switch (error.eCode) {
    case EReportError::None:
        return {};
    case EReportError::TemplateMissing:
        return "The report template is missing: " + failure.strPath;
    case EReportError::TemplateInvalid:
        return "The report template cannot be read or lacks its table blocks: " + failure.strPath +
               (failure.strCause.empty() ? "" : ": it " + failure.strCause);
    case EReportError::WriteFailed:
        return "Cannot write the report " + failure.strPath +
               (failure.strCause.empty() ? "" : ": " + failure.strCause);
    }
    return {};
}

SReportError ReportWriteFailure(const std::string& strPath, int errnum) {
    return {EReportError::WriteFailed, {strPath, errnum == 0 ? "" : std::strerror(errnum)}};
}

CReportResult WriteCsvReport(const std::string& strPath, const CResultTable& table,
                             int nHeaderLines) {
    const std::string text = BuildCsvText(table, nHeaderLines);
    errno = 0;
    if (!WriteStringToFile(strPath, text)) {
        return ReportWriteFailure(strPath, errno);
    }
    return {};
}

bool GetTempReportPath(EReportKind eKind, std::string& strPath) {
    strPath.clear();
    std::string folder;
    if (!GetPrivateTempFolder(folder)) {
        return false;
    }
    strPath = folder + kPathSeparator +
              (eKind == EReportKind::Csv ? "tessaray-report.csv" : "tessaray-report.html");
    return true;
}

} // namespace tessaray
