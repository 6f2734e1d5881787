#include "core/alert/alert.h"

#include "core/partner/verdict.h"
#include "core/util/core_texts.h"

#include <sstream>

namespace tessaray {

namespace {

// "http://shop.example/" -> "shop.example": the domain as users name it.
std::string BareDomain(std::string domain) {
    if (const std::size_t scheme = domain.find("://"); scheme != std::string::npos) {
        domain.erase(0, scheme + 3);
    }
    while (!domain.empty() && domain.back() == '/') {
        domain.pop_back();
    }
    return domain;
}

} // namespace

std::vector<SRunChange> AlertChanges(const SHistoryRecord& history) {
    // The run's own alert rule (RecordRun's AlertingChanges), so what is sent is exactly what
    // makes 'analyze' exit with 3.
    if (history.nPreviousId == 0) {
        return {};
    }
    return history.alerting;
}

SAlert MakeAlert(const std::vector<SRunChange>& changes, const SRunInfo& older,
                 const SRunInfo& newer, const std::string& strDomain, char chLanguage) {
    // Partners counted once however many of their links changed; changes of a partner follow
    // each other.
    std::size_t nPartners = 0;
    for (std::size_t i = 0; i < changes.size(); ++i) {
        nPartners += i == 0 || changes[i].strPartnerUrl != changes[i - 1].strPartnerUrl;
    }
    const std::string domain = BareDomain(strDomain);
    SAlert alert;
    alert.strTitle = nPartners == 1
                         ? FormatText(CoreText(ETextId::AlertTitleOne, chLanguage), {domain})
                         : FormatText(CoreText(ETextId::AlertTitleMany, chLanguage),
                                      {std::to_string(nPartners), domain});
    alert.strText = alert.strTitle + "\n\n";
    for (const SRunChange& change : changes) {
        alert.strText += change.strPartnerUrl;
        if (!change.strLinkUrl.empty()) {
            alert.strText += " -> " + change.strLinkUrl;
        }
        alert.strText += ": " + VerdictText(change.eOldVerdict, chLanguage) + " -> " +
                         VerdictText(change.eNewVerdict, chLanguage);
        const char* separator = " (";
        for (const SReason& reason : change.newReasons) {
            alert.strText.append(separator).append(ReasonCode(reason.eCode));
            separator = ", ";
        }
        alert.strText += change.newReasons.empty() ? "\n" : ")\n";
    }
    std::ostringstream json;
    WriteChangesJson(json, older, newer, changes);
    alert.strJson = json.str();
    return alert;
}

} // namespace tessaray
