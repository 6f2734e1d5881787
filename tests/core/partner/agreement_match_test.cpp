#include "core/partner/agreement_match.h"

#include "core/partner/evaluate_partner.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace tessaray {
namespace {

using enum EReason;

SAgreement Agreed(std::string target, std::string anchor = {},
                  EAgreedFollow eFollow = EAgreedFollow::Any, std::string until = {}) {
    SAgreement agreement;
    agreement.strTarget = std::move(target);
    agreement.strAnchor = std::move(anchor);
    agreement.eFollow = eFollow;
    agreement.strUntil = std::move(until);
    return agreement;
}

// One link judged against one agreement on 2027-01-01: its verdict and reasons.
TEST(AgreementMatch, LinksAgainstTheAgreementAndItsEnd) {
    struct Case {
        const char* what;
        SAgreement agreement;
        std::string strUrl;
        std::string strText;
        std::vector<std::string> rel;
        EVerdict verdict;
        std::vector<SReason> reasons;
    };
    const std::string page = "https://shop.test/garden/roses";
    const SAgreement target = Agreed(page);
    const SAgreement prefix = Agreed("https://shop.test/garden/*");
    const SAgreement exact = Agreed("", "Old Roses");
    const SAgreement contains = Agreed("", "*roses*");
    const SAgreement followed = Agreed("", "", EAgreedFollow::Required);
    const auto until = [](const char* date) { return Agreed("", "", EAgreedFollow::Any, date); };
    const std::vector<Case> cases = {
        {"same page", target, page, "x", {}, EVerdict::Counts, {}},
        {"scheme, www, host case and fragment alike",
         target,
         "http://WWW.Shop.test/garden/roses#top",
         "x",
         {},
         EVerdict::Counts,
         {}},
        {"the path's case differs",
         target,
         "https://shop.test/Garden/roses",
         "x",
         {},
         EVerdict::DoesNotCount,
         {{WrongTarget, page}}},
        {"another page",
         target,
         "https://shop.test/garden/",
         "x",
         {},
         EVerdict::DoesNotCount,
         {{WrongTarget, page}}},
        {"root with and without /",
         Agreed("https://shop.test/"),
         "https://shop.test",
         "x",
         {},
         EVerdict::Counts,
         {}},
        {"under the prefix",
         prefix,
         "https://shop.test/garden/tulips?x=1",
         "x",
         {},
         EVerdict::Counts,
         {}},
        {"outside the prefix",
         prefix,
         "https://shop.test/kitchen",
         "x",
         {},
         EVerdict::DoesNotCount,
         {{WrongTarget, prefix.strTarget}}},
        {"another site under the same path",
         prefix,
         "https://shop.test.evil/garden/x",
         "x",
         {},
         EVerdict::DoesNotCount,
         {{WrongTarget, prefix.strTarget}}},
        {"exact anchor, case and white space",
         exact,
         page,
         "  old\n\tROSES\xC2\xA0",
         {},
         EVerdict::Counts,
         {}},
        {"Latin-1 capitals fold",
         Agreed("", "\xC3\x84pfel"),
         page,
         "\xC3\xA4PFEL",
         {},
         EVerdict::Counts,
         {}},
        {"exact anchor is not a part",
         exact,
         page,
         "Old Roses Shop",
         {},
         EVerdict::DoesNotCount,
         {{WrongAnchor, "Old Roses"}}},
        {"anchor contained", contains, page, "Buy ROSES here", {}, EVerdict::Counts, {}},
        {"anchor not contained",
         contains,
         page,
         "Tulips",
         {},
         EVerdict::DoesNotCount,
         {{WrongAnchor, "*roses*"}}},
        {"followed as agreed", followed, page, "x", {"noopener"}, EVerdict::Counts, {}},
        {"nofollow against followed",
         followed,
         page,
         "x",
         {"nofollow"},
         EVerdict::DoesNotCount,
         {{RelNofollow, ""}, {WrongRel, "nofollow"}}},
        {"sponsored against followed",
         followed,
         page,
         "x",
         {"sponsored"},
         EVerdict::DoesNotCount,
         {{RelSponsored, ""}, {WrongRel, "sponsored"}}},
        {"ugc against followed",
         followed,
         page,
         "x",
         {"ugc"},
         EVerdict::DoesNotCount,
         {{RelUgc, ""}, {WrongRel, "ugc"}}},
        {"nofollow without follow agreed",
         Agreed("", "", EAgreedFollow::Any, "2099-01-01"),
         page,
         "x",
         {"nofollow"},
         EVerdict::DoesNotCount,
         {{RelNofollow, ""}}},
        {"everything wrong at once",
         SAgreement{"https://shop.test/a", "A", EAgreedFollow::Required, "", "", ""},
         page,
         "B",
         {"ugc"},
         EVerdict::DoesNotCount,
         {{RelUgc, ""},
          {WrongTarget, "https://shop.test/a"},
          {WrongAnchor, "A"},
          {WrongRel, "ugc"}}},
        {"ends in 31 days", until("2027-02-01"), page, "x", {}, EVerdict::Counts, {}},
        {"ends in 30 days",
         until("2027-01-31"),
         page,
         "x",
         {},
         EVerdict::Counts,
         {{AgreementEndsSoon, "2027-01-31"}}},
        {"ends today",
         until("2027-01-01"),
         page,
         "x",
         {},
         EVerdict::Counts,
         {{AgreementEndsSoon, "2027-01-01"}}},
        {"ended yesterday",
         until("2026-12-31"),
         page,
         "x",
         {},
         EVerdict::Counts,
         {{AgreementEnded, "2026-12-31"}}},
        {"no calendar day", until("2027-02-30"), page, "x", {}, EVerdict::Counts, {}},
    };
    for (const Case& c : cases) {
        SPartnerResult partner;
        partner.nStatus = 200;
        partner.eOutcome = ETransferOutcome::Complete;
        partner.nRobotsStatus = 200;
        partner.agreement = c.agreement;
        partner.agreementDaysLeft = AgreementDaysLeft(c.agreement, "2027-01-01");
        SLinkResult link;
        link.strUrl = c.strUrl;
        link.strText = c.strText;
        link.rel = c.rel;
        link.bNofollow = !c.rel.empty() && c.rel.front() != "noopener";
        const SVerdict verdict = JudgeLink(partner, &link);
        EXPECT_EQ(verdict.eVerdict, c.verdict) << c.what;
        EXPECT_EQ(verdict.reasons, c.reasons) << c.what;
    }
}

// The partner counts only through a link that counts and matches; the page-level warning is on
// the row without link too; without agreement nothing changes.
TEST(AgreementMatch, PartnerVerdictNeedsAMatchingLink) {
    SPartnerFetch fetched;
    fetched.strUrl = "http://partner.test/links.html";
    fetched.strPage = "<a href=\"https://shop.test/\">Shop</a>"
                      "<a href=\"https://shop.test/garden\">Garden shop</a>";
    fetched.nPageStatus = 200;
    fetched.nRobotsStatus = 200;
    fetched.nPageBytes = fetched.strPage.size();
    fetched.ePageOutcome = ETransferOutcome::Complete;
    SAgreement agreement = Agreed("", "*garden*", EAgreedFollow::Any, "2027-01-10");
    SPartnerContext context{0, "http://shop.test", "", nullptr, &agreement, "2027-01-01"};

    SPartnerResult partner = EvaluatePartner(fetched, context);
    ASSERT_EQ(partner.links.size(), 2U);
    EXPECT_EQ(partner.agreement, agreement);
    EXPECT_FALSE(partner.links[0].bMatchesAgreement);
    EXPECT_TRUE(partner.links[1].bMatchesAgreement);
    EXPECT_EQ(partner.verdict.eVerdict, EVerdict::Counts);
    EXPECT_EQ(partner.verdict.reasons, (std::vector<SReason>{{AgreementEndsSoon, "2027-01-10"}}));

    agreement.strAnchor = "Flowers";
    partner = EvaluatePartner(fetched, context);
    EXPECT_EQ(partner.verdict.eVerdict, EVerdict::DoesNotCount);
    EXPECT_EQ(partner.verdict.reasons,
              (std::vector<SReason>{{WrongAnchor, "Flowers"}, {AgreementEndsSoon, "2027-01-10"}}));

    fetched.strPage = "<p>no link</p>";
    partner = EvaluatePartner(fetched, context);
    EXPECT_EQ(partner.verdict.eVerdict, EVerdict::Missing);
    EXPECT_EQ(partner.verdict.reasons, (std::vector<SReason>{{AgreementEndsSoon, "2027-01-10"}}));

    context.pAgreement = nullptr;
    partner = EvaluatePartner(fetched, context);
    EXPECT_FALSE(partner.agreement);
    EXPECT_TRUE(partner.verdict.reasons.empty());
}

} // namespace
} // namespace tessaray
