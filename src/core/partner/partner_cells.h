#pragma once

#include "core/partner/cells.h"
#include "core/partner/partner_result.h"

#include <memory>
#include <string>
#include <vector>

namespace tessaray {

// The result rows of a partner, one per link (one without link), in the order of its links. The
// server header cell of every row is left empty: the rows share pServerHeader.
struct SPartnerCells {
    std::vector<CellRow> rows;
    std::shared_ptr<const std::string> pServerHeader;
};

// The four conditions the link value (R3) of a row asks for: a link is listed, the robots meta
// tag does not say nofollow, the link is no nofollow link, robots.txt allows the page (the
// literal rule). The value is 0 unless all four hold.
struct SLinkValueFlags {
    bool b1 = false;
    bool b2 = false;
    bool b3 = false;
    bool b4 = false;
    bool All() const { return b1 && b2 && b3 && b4; }
};
SLinkValueFlags LinkValueFlags(const SPartnerResult& partner, const SLinkResult* link);

// The eighteen cells of each result row of a partner.
SPartnerCells CellsOf(const SPartnerResult& partner);

} // namespace tessaray
