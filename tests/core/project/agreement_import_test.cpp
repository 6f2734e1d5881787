#include "core/project/agreement_import.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaray {
namespace {

// Each file imported into a project with the partners a.example/links (which has an agreement)
// and b.example: what it imported, its problems, and the first one's agreement afterwards.
TEST(AgreementImport, FilesAndTheirOutcome) {
    struct Case {
        const char* what;
        std::string strCsv;
        int nImported;
        std::vector<std::string> problems;
        SAgreement a; // a.example/links's agreement afterwards
    };
    SAgreement before;
    before.strAnchor = "Old";
    before.strNote = "kept";
    const auto agreed = [&](std::string target, std::string anchor, EAgreedFollow eFollow,
                            std::string until, std::string contact, std::string note) {
        return SAgreement{std::move(target), std::move(anchor),  eFollow,
                          std::move(until),  std::move(contact), std::move(note)};
    };
    const std::string nothing = "; nothing was imported";
    const std::vector<Case> cases = {
        {"every column, any order, other spellings of the partner",
         "Note,partner,TARGET,anchor,follow,until,contact\r\n"
         "\"Swap since 2008, renewed\",HTTP://A.example/links,https://shop.test/*,Shop,"
         "Required,2027-01-31,ann@a.example\r\n"
         "b note,b.example/,,,,,\r\n",
         2,
         {},
         agreed("https://shop.test/*", "Shop", EAgreedFollow::Required, "2027-01-31",
                "ann@a.example", "Swap since 2008, renewed")},
        {"columns left out keep their fields",
         "partner,target\na.example/links,https://shop.test/\n",
         1,
         {},
         agreed("https://shop.test/", "Old", EAgreedFollow::Any, "", "", "kept")},
        {"quotes doubled and a line end in a field, BOM, semicolons",
         "\xEF\xBB\xBFpartner;anchor;note\n"
         "a.example/links;\"Der \"\"beste\"\" Laden\";\"Zeile 1; mit Semikolon\nZeile 2\"\n",
         1,
         {},
         agreed("", "Der \"beste\" Laden", EAgreedFollow::Any, "", "",
                "Zeile 1; mit Semikolon\n"
                "Zeile 2")},
        {"windows-1252 from a spreadsheet",
         "partner;anchor\na.example/links;G\xE4rten\n",
         1,
         {},
         agreed("", "G\xC3\xA4rten", EAgreedFollow::Any, "", "", "kept")},
        {"bad lines are reported and left out, the others imported",
         "partner,until,follow,target\n"
         "c.example,,,\n"
         "a.example/links,2027-02-30,,\n"
         "a.example/links,,sometimes,\n"
         "a.example/links,,,not a url\n"
         ",2027-01-01,,\n"
         "b.example,2027-01-01,any,\n",
         1,
         {"line 2: unknown partner c.example",
          "line 3: the end date is no day YYYY-MM-DD: \"2027-02-30\"",
          "line 4: follow is \"required\" or \"any\", not \"sometimes\"",
          "line 5: the target is no web address: \"not a url\"", "line 6: no partner"},
         before},
        {"unknown column",
         "partner,anchor,colour\na.example/links,x,red\n",
         0,
         {"unknown column \"colour\" (the columns are partner, target, anchor, follow, until, "
          "contact, note)" +
          nothing},
         before},
        {"no partner column",
         "anchor\nx\n",
         0,
         {"the header row names no column \"partner\"" + nothing},
         before},
        {"a column twice",
         "partner,Anchor,anchor\n",
         0,
         {"the column \"anchor\" is named twice" + nothing},
         before},
        {"an open quote",
         "partner,note\nb.example,x\na.example/links,\"open\nstill open\n",
         0,
         {"line 3: a quoted field is not closed" + nothing},
         before},
        {"text after a closing quote",
         "partner,note\na.example/links,\"x\"y\n",
         0,
         {"line 2: text after the closing quote of a field" + nothing},
         before},
        {"more fields than columns",
         "partner,note\nb.example,x\na.example/links,one, two\n",
         0,
         {"line 3: 3 fields, but the header names 2" + nothing},
         before},
        {"empty file", "", 0, {"the file has no header row" + nothing}, before},
    };
    for (const Case& c : cases) {
        CProject project;
        project.StartNew("shop.test");
        project.AddPartnerUrl("http://a.example/links - since 2008");
        project.AddPartnerUrl("b.example");
        project.SetAgreement("http://a.example/links - since 2008", before);
        const SAgreementImport result = ImportAgreementsCsv(project, c.strCsv);
        EXPECT_EQ(result.nImported, c.nImported) << c.what;
        EXPECT_EQ(result.problems, c.problems) << c.what;
        EXPECT_EQ(result.bMalformed, result.problems.size() == 1 && c.nImported == 0 &&
                                         result.problems[0].ends_with(nothing))
            << c.what;
        const SAgreement* pA = project.FindAgreement("http://a.example/links - since 2008");
        ASSERT_NE(pA, nullptr) << c.what;
        EXPECT_EQ(*pA, c.a) << c.what;
        if (result.bMalformed) {
            EXPECT_EQ(project.FindAgreement("http://b.example"), nullptr) << c.what;
        }
    }
}

} // namespace
} // namespace tessaray
