#pragma once

#include "core/history/run_changes.h"

#include <string>
#include <vector>

namespace tessaray {

// The changes of a recorded run that alert: SHistoryRecord::alerting, the links lost and the
// verdicts that got worse as AlertingChanges sees them (an unreachable page only once its outage
// persists, a blocked page never), the same changes that make 'analyze' exit with 3. Empty when
// there is no completed run to compare with (a first run, a stopped run, a history that is off):
// nothing is sent then.
std::vector<SRunChange> AlertChanges(const SHistoryRecord& history);

// What an alert says: a title ("2 partners lost their link to shop.example"), the text (the title,
// then one line per change) and the changes as JSON (as 'tessaray-cli history --changes --json'
// writes them).
struct SAlert {
    std::string strTitle;
    std::string strText;
    std::string strJson;
};

// The alert of changes (from AlertChanges, not empty) of the run newer against older, for the
// project's domain, in the language of chLanguage ('G' German, else English).
SAlert MakeAlert(const std::vector<SRunChange>& changes, const SRunInfo& older,
                 const SRunInfo& newer, const std::string& strDomain, char chLanguage);

} // namespace tessaray
