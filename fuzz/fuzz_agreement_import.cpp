// The agreements' CSV import, and the matching of the agreements it stores against link text and
// URLs taken from the same input.
#include "core/partner/agreement_match.h"
#include "core/project/agreement_import.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tessaray::CProject project;
    project.StartNew("shop.example");
    project.AddPartnerUrl("a.example");
    project.AddPartnerUrl("b.example/links - swap");
    const tessaray::SAgreementImport result = tessaray::ImportAgreementsCsv(project, text);
    // A malformed file changes nothing.
    if (result.bMalformed && !project.GetAgreements().empty()) {
        std::abort();
    }
    tessaray::SLinkResult link;
    link.strUrl = text.substr(0, size / 2);
    link.strText = text.substr(size / 2);
    for (const auto& [entry, agreement] : project.GetAgreements()) {
        tessaray::AgreementMismatches(agreement, link);
        tessaray::AgreementDaysLeft(agreement, "2027-01-01");
    }
    return 0;
}
