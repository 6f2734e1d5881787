#include "core/partner/partner_result.h"

#include "core/util/core_texts.h"

#include <algorithm>

namespace tessaray {

namespace {

std::size_t BytesOf(const std::vector<std::string>& texts) {
    std::size_t bytes = texts.size() * sizeof(std::string);
    for (const std::string& text : texts) {
        bytes += text.size();
    }
    return bytes;
}

std::size_t BytesOf(const SVerdict& verdict) {
    std::size_t bytes = verdict.reasons.size() * sizeof(SReason);
    for (const SReason& reason : verdict.reasons) {
        bytes += reason.strDetail.size();
    }
    return bytes;
}

} // namespace

std::string_view YouLinkCode(EYouLink eYouLink) {
    switch (eYouLink) {
    case EYouLink::None:
        return "none";
    case EYouLink::Nofollow:
        return "nofollow";
    case EYouLink::Followed:
        return "followed";
    case EYouLink::Unknown:
        break;
    }
    return "unknown";
}

std::string YouLinkText(EYouLink eYouLink, char chLanguage) {
    static constexpr ETextId kTexts[] = {ETextId::YouLinkUnknown, ETextId::YouLinkNone,
                                         ETextId::YouLinkNofollow, ETextId::YouLinkFollowed};
    return std::string(CoreText(kTexts[static_cast<int>(eYouLink)], chLanguage));
}

std::optional<bool> SPartnerResult::AgreementMet() const {
    if (!agreement || verdict.eVerdict == EVerdict::Unreachable) {
        return std::nullopt;
    }
    return std::any_of(links.begin(), links.end(),
                       [](const SLinkResult& link) { return link.bMatchesAgreement; });
}

std::size_t SPartnerResult::ApproximateBytes() const {
    const SPageSignals& signals = pageSignals;
    std::size_t bytes = sizeof(SPartnerResult) + strUrl.size() + strComment.size() +
                        strFinalUrl.size() + (pHeader ? pHeader->size() : 0) +
                        strUndecodable.size() + strBlockedBy.size() +
                        BytesOf(signals.metaContents) + BytesOf(signals.headerContents) +
                        signals.strCanonical.size() + signals.strRedirectFrom.size() +
                        signals.strRedirectTo.size() + BytesOf(verdict);
    for (const SLinkResult& link : links) {
        bytes += sizeof(SLinkResult) + link.strUrl.size() + link.strText.size() +
                 BytesOf(link.rel) + BytesOf(link.verdict);
    }
    return bytes;
}

void CRunVerdicts::Clear() {
    m_partners.clear();
    m_strStarted.clear();
    m_strFinished.clear();
    m_bStopped = false;
    m_nPartnerCount = 0;
}

void CRunVerdicts::Add(SPartnerResult result) {
    m_partners.push_back(std::move(result));
}

void CRunVerdicts::SetVerdict(SRowKey key, SVerdict verdict) {
    if (m_partners.empty() || m_partners.back().nId != key.nPartner) {
        return;
    }
    SPartnerResult& partner = m_partners.back();
    if (key.nLink < 0) {
        partner.verdict = std::move(verdict);
        return;
    }
    while (static_cast<int>(partner.links.size()) <= key.nLink) {
        partner.links.emplace_back().nId = static_cast<int>(partner.links.size()) - 1;
    }
    partner.links[static_cast<std::size_t>(key.nLink)].verdict = std::move(verdict);
}

const SPartnerResult* CRunVerdicts::FindPartner(int nId) const {
    const auto it =
        std::lower_bound(m_partners.begin(), m_partners.end(), nId,
                         [](const SPartnerResult& partner, int id) { return partner.nId < id; });
    return it != m_partners.end() && it->nId == nId ? &*it : nullptr;
}

const SVerdict* CRunVerdicts::FindVerdict(SRowKey key) const {
    const SPartnerResult* partner = FindPartner(key.nPartner);
    if (partner == nullptr) {
        return nullptr;
    }
    if (key.nLink < 0) {
        return partner->links.empty() ? &partner->verdict : nullptr;
    }
    const auto link = static_cast<std::size_t>(key.nLink);
    return link < partner->links.size() ? &partner->links[link].verdict : nullptr;
}

CRunVerdicts::SSummary CRunVerdicts::Summary() const {
    SSummary summary;
    for (const SPartnerResult& partner : m_partners) {
        ++summary.nPartners;
        if (partner.reciprocal) {
            summary.bReciprocity = true;
            summary.nOneSided += std::any_of(
                partner.verdict.reasons.begin(), partner.verdict.reasons.end(),
                [](const SReason& reason) { return reason.eCode == EReason::OneSided; });
        }
        switch (partner.verdict.eVerdict) {
        case EVerdict::Counts:
            ++summary.nCounts;
            break;
        case EVerdict::DoesNotCount:
            ++summary.nDoesNotCount;
            break;
        case EVerdict::Missing:
            ++summary.nMissing;
            break;
        case EVerdict::Unreachable:
            ++summary.nUnreachable;
            break;
        }
    }
    return summary;
}

} // namespace tessaray
