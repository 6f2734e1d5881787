#pragma once

#include "core/partner/verdict.h"
#include "core/results/report_text.h"

#include <iosfwd>
#include <string>
#include <string_view>

namespace tessaray {

class CResultTable;
class CRunVerdicts;

// The heading of a JSON report.
struct SJsonReportInfo {
    std::string strProject;
    std::string strDomain;
    char chLanguage = 'E'; // the language of the reason sentences
};

// Writes the whole result of a run as JSON: the project, every partner with its fetch, robots.txt
// verdict, links (each with its eighteen cells), verdict and reasons, and the summary. Of the
// links, those a row of the table shows (by its key: a filtered view's copy leaves some out).
// False when the stream fails.
bool WriteJsonReport(std::ostream& out, const CResultTable& table, const CRunVerdicts& verdicts,
                     const SJsonReportInfo& info);

// The same into a file, created or truncated.
CReportResult WriteJsonReportFile(const std::string& strPath, const CResultTable& table,
                                  const CRunVerdicts& verdicts, const SJsonReportInfo& info);

// The times of a run as every JSON output writes them, after an earlier field of its object:
// ', "started": "...", "finished": "...", "completed": true'.
void WriteRunTimesJson(std::ostream& out, std::string_view started, std::string_view finished,
                       bool bCompleted);
// The summary of a run as a JSON object: {"partners": 10, "counts": 5, "does_not_count": 3,
// "missing": 1, "unreachable": 1}.
void WriteSummaryJson(std::ostream& out, const SRunSummary& summary);

// text as a JSON string literal with its quotes: UTF-8 kept, control characters, quote and
// backslash escaped; a byte that is not part of valid UTF-8 is read as Latin-1.
std::string JsonString(std::string_view text);

} // namespace tessaray
