#include "core/partner/partner_cells.h"

namespace tessaray {

namespace {

// The Follow(Meta) cell says "Nofollow": the robots meta tags hold a "follow" word and nofollow.
bool MetaSaysNofollow(const SPartnerResult& partner) {
    return partner.bMetaFollow && partner.pageSignals.bMetaNofollow;
}

// Follow(Meta): "NA" without a "follow" word in the robots meta tag, "Nofollow" when it says
// nofollow, else "Follow".
std::string_view MetaFollowText(const SPartnerResult& partner) {
    if (!partner.bMetaFollow) {
        return kCellNoFollowWord;
    }
    return MetaSaysNofollow(partner) ? kCellNofollow : kCellFollow;
}

std::string_view GoogleText(EGoogleListed eGoogle) {
    switch (eGoogle) {
    case EGoogleListed::Yes:
        return kCellYes;
    case EGoogleListed::No:
        return kCellNo;
    case EGoogleListed::NotApplicable:
        break;
    }
    return kCellNotApplicable;
}

} // namespace

SLinkValueFlags LinkValueFlags(const SPartnerResult& partner, const SLinkResult* link) {
    if (link == nullptr) {
        return {};
    }
    return {true, !MetaSaysNofollow(partner), !link->bNofollow, partner.bRobotsAllow};
}

SPartnerCells CellsOf(const SPartnerResult& partner) {
    SPartnerCells cells;
    cells.pServerHeader = partner.pHeader;
    const int count = partner.RowCount();
    cells.rows.resize(static_cast<std::size_t>(count));
    for (int index = 0; index < count; ++index) {
        CellRow& row = cells.rows[static_cast<std::size_t>(index)];
        const SLinkResult* link =
            partner.links.empty() ? nullptr : &partner.links[static_cast<std::size_t>(index)];
        row[kColNo] = std::to_string(partner.nFirstRow + index);
        row[kColPartnerUrl] = partner.strUrl;
        row[kColStatusCode] = std::to_string(partner.nStatus);
        row[kColBytes] = std::to_string(partner.nPageSize);
        row[kColIntLinks] = std::to_string(partner.nInternalLinks);
        row[kColExtLinks] = std::to_string(partner.nExternalLinks);
        row[kColGoogle] = GoogleText(partner.eGoogle);
        // The comment stands in the partner's first row only.
        if (index == 0) {
            row[kColComment] = partner.strComment;
        }
        if (link != nullptr) {
            row[kColYourUrl] = link->strUrl;
            row[kColAnchorText] = link->strText;
            row[kColListed] = kCellYes;
            row[kColFollowMeta] = MetaFollowText(partner);
            row[kColFollowLink] = link->bNofollow ? kCellNofollow : kCellFollow;
            row[kColRobotsAllow] = partner.bRobotsAllow ? kCellAllow : kCellDisallow;
        } else {
            row[kColListed] = kCellNo;
        }
        // No rank is ever read, so the link value is the empty text when all four conditions
        // hold and 0 otherwise.
        if (!LinkValueFlags(partner, link).All()) {
            row[kColR3].assign(1, '0');
        }
    }
    return cells;
}

} // namespace tessaray
