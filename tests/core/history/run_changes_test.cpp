#include "core/history/run_changes.h"

#include <gtest/gtest.h>

#include <optional>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

namespace tessaray {
namespace {

using enum EVerdict;

// A stored row of a partner page with a link to linkUrl (empty: the row of a page without one).
SStoredRow Row(const std::string& partner, const std::string& link, EVerdict verdict,
               const std::string& status = "200", const std::string& anchor = "Our site") {
    SStoredRow row;
    row.cells[kColPartnerUrl] = partner;
    row.cells[kColYourUrl] = link;
    row.cells[kColStatusCode] = status;
    row.cells[kColAnchorText] = link.empty() ? "" : anchor;
    row.eVerdict = verdict;
    if (verdict == DoesNotCount) {
        row.reasons = {{EReason::RelNofollow, ""}};
    }
    return row;
}

// The row of a partner page a bot protection answered for.
SStoredRow Blocked(const std::string& partner) {
    SStoredRow row = Row(partner, "", EVerdict::Unreachable, "403");
    row.reasons = {{EReason::Blocked, "cloudflare-challenge"}};
    return row;
}

// The row with the exchange kept on it: the user's link back and whether the agreement is met.
SStoredRow Exchange(SStoredRow row, const std::string& youLink, std::optional<bool> met = {}) {
    row.strYouLink = youLink;
    row.agreementMet = met;
    return row;
}

// The row of a link people cannot see.
SStoredRow Hidden(const std::string& partner, const std::string& link) {
    SStoredRow row = Row(partner, link, EVerdict::DoesNotCount);
    row.reasons = {{EReason::Hidden, "same-colour"}};
    return row;
}

SStoredRun RunOf(std::vector<SStoredRow> rows, bool bCompleted = true) {
    SStoredRun run;
    run.info.bCompleted = bCompleted;
    run.rows = std::move(rows);
    return run;
}

constexpr const char* kA = "http://a.test/links.html";
constexpr const char* kB = "http://b.test/";
constexpr const char* kHome = "http://mysite.test/";
constexpr const char* kShop = "http://mysite.test/shop";

TEST(RunChangesTest, EachKindOfChange) {
    struct Case {
        const char* what;
        SStoredRun older;
        SStoredRun newer;
        // kind, class, link URL, old and new verdict of every change, in order
        std::vector<std::tuple<EChangeKind, EChangeClass, std::string, EVerdict, EVerdict>> want;
        bool alarming;
    };
    using K = EChangeKind;
    using C = EChangeClass;
    const std::vector<Case> cases = {
        {"nothing changed",
         RunOf({Row(kA, kHome, Counts)}),
         RunOf({Row(kA, kHome, Counts)}),
         {},
         false},
        {"link removed, page still there",
         RunOf({Row(kA, kHome, Counts)}),
         RunOf({Row(kA, "", Missing)}),
         {{K::LinkLost, C::Lost, kHome, Counts, Missing}},
         true},
        {"one of two links removed",
         RunOf({Row(kA, kHome, Counts), Row(kA, kShop, Counts)}),
         RunOf({Row(kA, kShop, Counts)}),
         {{K::LinkLost, C::Lost, kHome, Counts, Missing}},
         true},
        {"link added beside another",
         RunOf({Row(kA, kHome, Counts)}),
         RunOf({Row(kA, kHome, Counts), Row(kA, kShop, DoesNotCount)}),
         {{K::LinkGained, C::New, kShop, Missing, DoesNotCount}},
         false},
        {"link appears on a page that had none",
         RunOf({Row(kA, "", Missing)}),
         RunOf({Row(kA, kHome, Counts)}),
         {{K::LinkGained, C::New, kHome, Missing, Counts}},
         false},
        {"link turned nofollow",
         RunOf({Row(kA, kHome, Counts)}),
         RunOf({Row(kA, kHome, DoesNotCount)}),
         {{K::VerdictChanged, C::Worse, kHome, Counts, DoesNotCount}},
         true},
        {"link hidden from people (a browser saw it)",
         RunOf({Row(kA, kHome, Counts)}),
         RunOf({Hidden(kA, kHome)}),
         {{K::VerdictChanged, C::Worse, kHome, Counts, DoesNotCount}},
         true},
        {"nofollow dropped",
         RunOf({Row(kA, kHome, DoesNotCount)}),
         RunOf({Row(kA, kHome, Counts)}),
         {{K::VerdictChanged, C::Better, kHome, DoesNotCount, Counts}},
         false},
        {"page gone: the link's verdict gets worse, it was not removed",
         RunOf({Row(kA, kHome, Counts)}),
         RunOf({Row(kA, "", Unreachable, "404")}),
         {{K::StatusChanged, C::Worse, "", Counts, Unreachable},
          {K::VerdictChanged, C::Worse, kHome, Counts, Unreachable}},
         true},
        {"page without link comes back",
         RunOf({Row(kA, "", Unreachable, "0")}),
         RunOf({Row(kA, "", Missing)}),
         {{K::StatusChanged, C::Better, "", Unreachable, Missing},
          {K::VerdictChanged, C::Better, "", Unreachable, Missing}},
         false},
        {"status changed otherwise",
         RunOf({Row(kA, "", Unreachable, "404")}),
         RunOf({Row(kA, "", Unreachable, "500")}),
         {{K::StatusChanged, C::TextChanged, "", Unreachable, Unreachable}},
         false},
        {"anchor text changed",
         RunOf({Row(kA, kHome, Counts)}),
         RunOf({Row(kA, kHome, Counts, "200", "Best shop")}),
         {{K::AnchorTextChanged, C::TextChanged, kHome, Counts, Counts}},
         false},
        {"the same link twice, the second removed",
         RunOf({Row(kA, kHome, Counts), Row(kA, kHome, DoesNotCount)}),
         RunOf({Row(kA, kHome, Counts)}),
         {{K::LinkLost, C::Lost, kHome, DoesNotCount, Missing}},
         true},
        {"blocked is unknown, neither worse nor better",
         RunOf({Row(kA, kHome, Counts), Blocked(kB)}),
         RunOf({Blocked(kA), Row(kB, "", Missing)}),
         {},
         false},
        {"partners added and removed (no alarm: the user edited the list)",
         RunOf({Row(kA, kHome, Counts)}),
         RunOf({Row(kB, "", Missing)}),
         {{K::PartnerAdded, C::New, "", Missing, Missing},
          {K::PartnerRemoved, C::Lost, "", Counts, Missing}},
         false},
        {"a partner the stopped older run never reached is not new",
         RunOf({Row(kA, kHome, Counts)}, false),
         RunOf({Row(kA, kHome, Counts), Row(kB, "", Missing)}),
         {},
         false},
        {"a partner the stopped newer run never reached is not lost",
         RunOf({Row(kA, kHome, Counts), Row(kB, kHome, Counts)}),
         RunOf({Row(kA, kHome, DoesNotCount)}, false),
         {{K::VerdictChanged, C::Worse, kHome, Counts, DoesNotCount}},
         true},
        // The exchange: the user's own link going is a change, but no alarm; an agreement no
        // longer met is the partner getting worse.
        {"you no longer link back",
         RunOf({Exchange(Row(kA, kHome, Counts), "followed")}),
         RunOf({Exchange(Row(kA, kHome, Counts), "none")}),
         {{K::YouLinkChanged, C::Worse, "", Counts, Counts}},
         false},
        {"you link back followed again, and the agreement is met again",
         RunOf({Exchange(Row(kA, kHome, Counts), "nofollow", false)}),
         RunOf({Exchange(Row(kA, kHome, Counts), "followed", true)}),
         {{K::YouLinkChanged, C::Better, "", Counts, Counts},
          {K::AgreementChanged, C::Better, "", Counts, Counts}},
         false},
        {"agreement met, then differs",
         RunOf({Exchange(Row(kA, kHome, Counts), "", true)}),
         RunOf({Exchange(Row(kA, kShop, DoesNotCount), "", false)}),
         {{K::LinkGained, C::New, kShop, Missing, DoesNotCount},
          {K::LinkLost, C::Lost, kHome, Counts, Missing},
          {K::AgreementChanged, C::Worse, "", Counts, DoesNotCount}},
         true},
        {"an unread link page or partner page, or no link pages, change nothing",
         RunOf({Exchange(Row(kA, kHome, Counts), "followed", true), Row(kB, "", Missing)}),
         RunOf({Exchange(Row(kA, kHome, Counts), "unknown"),
                Exchange(Row(kB, "", Missing), "none", false)}),
         {},
         false},
    };
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        const std::vector<SRunChange> changes = CompareRuns(test.older, test.newer);
        ASSERT_EQ(changes.size(), test.want.size());
        for (std::size_t i = 0; i < changes.size(); ++i) {
            const auto& [kind, klass, link, oldVerdict, newVerdict] = test.want[i];
            EXPECT_EQ(ChangeKindCode(changes[i].eKind), ChangeKindCode(kind)) << i;
            EXPECT_EQ(ChangeClassCode(changes[i].eClass), ChangeClassCode(klass)) << i;
            EXPECT_EQ(changes[i].strLinkUrl, link) << i;
            EXPECT_EQ(changes[i].eOldVerdict, oldVerdict) << i;
            EXPECT_EQ(changes[i].eNewVerdict, newVerdict) << i;
        }
        EXPECT_EQ(IsAlarming(changes), test.alarming);
    }
}

TEST(RunChangesTest, ChangesCarryRowsAndBothSidesTexts) {
    const std::vector<SRunChange> changes =
        CompareRuns(RunOf({Row(kB, "", Missing), Row(kA, kHome, Counts, "200", "old")}),
                    RunOf({Row(kA, kHome, DoesNotCount, "200", "new"), Row(kB, "", Missing)}));
    ASSERT_EQ(changes.size(), 2U);
    EXPECT_EQ(changes[0].strPartnerUrl, kA);
    EXPECT_EQ(changes[0].nOldRow, 1);
    EXPECT_EQ(changes[0].nNewRow, 0);
    EXPECT_TRUE(changes[0].oldReasons.empty());
    EXPECT_EQ(changes[0].newReasons, (std::vector<SReason>{{EReason::RelNofollow, ""}}));
    EXPECT_EQ(changes[1].strOld, "old");
    EXPECT_EQ(changes[1].strNew, "new");
}

TEST(RunChangesTest, CsvTableKeepsEachChangeOnOneInertLine) {
    const std::vector<SRunChange> changes =
        CompareRuns(RunOf({Row(kA, kHome, Counts, "200", "-20")}),
                    RunOf({Row(kA, kHome, DoesNotCount, "200", "=HYPERLINK(\"x\")\tnew\nline")}));
    // Unlike the report, the changes table quotes a number too.
    std::ostringstream out;
    ASSERT_TRUE(WriteChangesCsv(out, changes));
    EXPECT_EQ(out.str(),
              "Change\tKind\tPartner URL\tLink URL\tOld verdict\tNew verdict\tOld text\tNew text\n"
              "worse\tverdict-changed\thttp://a.test/links.html\thttp://mysite.test/\tcounts\t"
              "does-not-count (rel-nofollow)\t\t\n"
              "text-changed\tanchor-text-changed\thttp://a.test/links.html\thttp://mysite.test/\t"
              "counts\tdoes-not-count (rel-nofollow)\t'-20\t'=HYPERLINK(\"x\") new line\n");
    // In German only the title line changes: the codes below it are for programs.
    std::ostringstream german;
    ASSERT_TRUE(WriteChangesCsv(german, changes, 'G'));
    EXPECT_EQ(german.str().substr(0, german.str().find('\n')),
              "Änderung\tArt\tPartner-URL\tLink-URL\tBewertung vorher\tBewertung nachher\t"
              "Text vorher\tText nachher");
    EXPECT_EQ(german.str().substr(german.str().find('\n')), out.str().substr(out.str().find('\n')));
}

TEST(RunChangesTest, EachRowShowsItsMostSeriousChange) {
    SStoredRun older = RunOf({Row(kA, kHome, Counts), Row(kB, kHome, Counts, "200", "old")});
    SStoredRun newer = RunOf({Row(kA, "", Missing, "404"), Row(kB, kHome, Counts, "200", "new"),
                              Row("http://c.test/", "", Missing)});
    // Rows read back are keyed by their partners' rows: a row without link is a partner alone.
    KeyStoredRows(newer);
    const auto byRow = ChangesByRow(newer, CompareRuns(older, newer));
    // Row 1: status worse and link lost; row 2: anchor text; row 3: a new partner.
    ASSERT_EQ(byRow.size(), 3U);
    EXPECT_EQ(byRow.at({0, -1}), EChangeClass::Lost);
    EXPECT_EQ(byRow.at({1, 0}), EChangeClass::TextChanged);
    EXPECT_EQ(byRow.at({2, -1}), EChangeClass::New);
}

} // namespace
} // namespace tessaray
