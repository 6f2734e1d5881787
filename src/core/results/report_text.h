#pragma once

#include "core/partner/cells.h"
#include "core/util/result.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace tessaray {

class CResultTable;

// The line count every report passes to ShortenServerHeader.
inline constexpr int kReportHeaderLines = 2;

// The report text: columnHeader and CR LF, then one line per row in the table's current order,
// each cell (read with GetCellText) followed by a tab, each line ended by CR LF. With
// nHeaderLines >= 0 the Server Header cell is put through ShortenServerHeader first. A tab or line
// end inside a cell (CR LF, CR or LF) is written as one blank, so each row is one line of
// eighteen fields. Empty when the table has no rows.
std::string BuildReportText(const CResultTable& table, const std::string& columnHeader,
                            int nHeaderLines);

// The cells of a row as the report text shows them (see BuildReportText), for reports that take
// cells.
CellRow ReportRow(const CResultTable& table, int nRow, int nHeaderLines);

// The report text as the CSV report writes it: BuildReportText with the table's column header,
// and every cell whose text comes from outside (partner URL, link URL, anchor text, comment,
// server header) put through GuardCsvCell (before its tabs and line ends become blanks), so that
// a spreadsheet opening the file shows it as text instead of running it as a formula.
std::string BuildCsvText(const CResultTable& table, int nHeaderLines);

// Prefixes a "'" to a cell that starts with '=', '+', '-', '@', a tab or a carriage return, so a
// spreadsheet shows it as text instead of running it as a formula. A number ("-20") stays as it
// is unless bQuoteNumbers (the changes table quotes it too).
void GuardCsvCell(std::string& cell, bool bQuoteNumbers = false);

// Shortens a raw response header to its first nLines pieces: of its first 2046 bytes, with every
// byte below 32 as a signed char (control characters, CR, LF, bytes from 0x80) turned into '|',
// keeps the pieces up to and including each of the first nLines "||". A negative nLines leaves
// str unchanged; 0 empties it.
void ShortenServerHeader(std::string& str, int nLines);

// The Server Header cell as the reports show it (ShortenServerHeader with kReportHeaderLines),
// read from the header's first bytes only: a huge header shared by many rows is never copied whole.
std::string ReportServerHeader(std::string_view header);

// Why writing a report failed.
enum class EReportError {
    None,
    TemplateMissing, // the HTML template file does not exist
    TemplateInvalid, // the HTML template cannot be read or lacks its blocks
    WriteFailed,     // the output cannot be written
};

// What a report failure is about: the file (template or output) and, when known, why the system
// or the reader refused it ("No such file or directory", "is larger than 16 MiB").
struct SReportFailure {
    std::string strPath;
    std::string strCause;
};

using SReportError = SError<EReportError, SReportFailure>;
using CReportResult = CResult<void, EReportError, SReportFailure>;

// The English reason naming the file, for the command line ("Cannot write the report out.csv: No
// such file or directory"); the desktop program words its own message from the code and the path.
std::string ReportFailureText(const SReportError& error);

// Writes the CSV text of the table (BuildCsvText) to out. False when the stream fails.
bool WriteReportText(std::ostream& out, const CResultTable& table, int nHeaderLines);

// Writes the CSV text of the table (BuildCsvText) to a file, created or truncated.
CReportResult WriteCsvReport(const std::string& strPath, const CResultTable& table,
                             int nHeaderLines = kReportHeaderLines);

// Which report a temporary file is for ("Open report in Excel" / "Open report in Html Browser").
enum class EReportKind { Csv, Html };

// strPath := the fixed file of that report kind ("tessaray-report.csv", "tessaray-report.html")
// in this user's private temporary folder. False with strPath empty when there is no such folder.
bool GetTempReportPath(EReportKind eKind, std::string& strPath);

// The failure to write the report strPath, with the system's text of errnum (none for 0).
SReportError ReportWriteFailure(const std::string& strPath, int errnum);

} // namespace tessaray
