#include "core/project/link_import.h"

#include "core/project/project.h"
#include "core/project/url_rules.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace tessaray {
namespace {

using test::TempDir;

std::vector<std::string> Entries(const CLineList& list) {
    return list.Entries();
}

std::string Field(std::string_view line, int column, char separator) {
    std::string field = "stale";
    return ExtractField(line, column, separator, field) ? field : "<none>";
}

TEST(ExtractField, SplitsOnEverySeparatorWithoutQuoting) {
    EXPECT_EQ(Field("a.example;b.example;c.example", 1, ';'), "a.example");
    EXPECT_EQ(Field("a.example;b.example;c.example", 2, ';'), "b.example");
    EXPECT_EQ(Field("a.example;b.example;c.example", 3, ';'), "c.example");
    EXPECT_EQ(Field("a.example;b.example;c.example", 4, ';'), "<none>");
    EXPECT_EQ(Field("no separator", 1, ','), "no separator");
    EXPECT_EQ(Field("no separator", 2, ','), "<none>");
    EXPECT_EQ(Field("\"a,b\",c", 2, ','), "b\""); // a separator inside quotes still separates
    EXPECT_EQ(Field("a,,c", 2, ','), "");         // an empty field is a field
    EXPECT_EQ(Field("a,b,", 3, ','), "");
    EXPECT_EQ(Field("", 1, ','), "<none>"); // an empty line has no field
    EXPECT_EQ(Field("a\tb", 2, '\t'), "b");
}

TEST(CsvColumnReader, ReadsAColumnIncludingEmptyFields) {
    TempDir dir;
    CCsvColumnReader reader;
    EXPECT_FALSE(reader.Open(dir.File("missing.csv")));
    EXPECT_FALSE(reader.IsReadable());
    CLineList out;
    EXPECT_EQ(reader.ReadColumn(',', 1, out), 0);

    ASSERT_TRUE(reader.Open(dir.Write("t.csv", "h1,h2\r\nx,\r\ny\r\n,z\r\n")));
    EXPECT_EQ(reader.GetLineCount(), 5); // the text after the last line end is one more line
    EXPECT_EQ(reader.ReadColumn(',', 2, out), 3);
    EXPECT_EQ(Entries(out), (std::vector<std::string>{"h2", "", "z"}));
    out.RemoveAll();
    EXPECT_EQ(reader.ReadColumn(',', 0, out), 4); // clamped to column 1
    EXPECT_EQ(Entries(out), (std::vector<std::string>{"h1", "x", "y", ""}));
    out.RemoveAll();
    EXPECT_EQ(reader.ReadColumn(',', 500, out), 0); // clamped to 100: no line has it
}

TEST(CsvColumnReader, CutsLongFields) {
    TempDir dir;
    CCsvColumnReader reader;
    ASSERT_TRUE(reader.Open(dir.Write("t.csv", "a," + std::string(700, 'b') + "\n")));
    CLineList out;
    ASSERT_EQ(reader.ReadColumn(',', 2, out), 1);
    EXPECT_EQ(out.At(0), std::string(500, 'b') + "...");
}

TEST(TextImport, KeepsValidUrlsNormalisedInFileOrder) {
    TempDir dir;
    CLineList out;
    ASSERT_TRUE(ImportTextList(
        dir.Write("l.txt", "# partners\r\nshop.example/\r\n  Blog.Example/page  \r\n/* end */\r\n"
                           "https://secure.example/x\r\nshop.example/\r\n1bad.example\r\n"),
        out));
    EXPECT_EQ(Entries(out),
              (std::vector<std::string>{"http://shop.example", "http://Blog.Example/page",
                                        "https://secure.example/x", "http://shop.example"}));
}

TEST(TextImport, UnreadableFilesImportNothing) {
    TempDir dir;
    CLineList out;
    out.Add("old");
    EXPECT_FALSE(ImportTextList(dir.File("missing.txt"), out));
    EXPECT_EQ(out.GetCount(), 0);
    EXPECT_FALSE(ImportTextList(dir.Path(), out)); // a folder
    EXPECT_TRUE(ImportTextList(dir.Write("empty.txt", ""), out));
    EXPECT_EQ(out.GetCount(), 0);
}

TEST(CsvImport, FiltersOneColumn) {
    TempDir dir;
    const std::string path = dir.Write("l.csv", "Name;URL;Note\n"
                                                "One;a.example/x/;first\n"
                                                "Two;\"b.example\";quoted\n"
                                                "Three\n"
                                                "Four;C.Example;\n");
    CLineList out;
    ASSERT_TRUE(ImportCsvColumn(path, ';', 2, out));
    // The path's trailing "/" stays: "/x/" and "/x" are different addresses.
    EXPECT_EQ(Entries(out), (std::vector<std::string>{"http://a.example/x/", "http://C.Example"}));
    // Without the separator column 1 is the whole line, which passes the check when it starts
    // with a letter and has a dot.
    ASSERT_TRUE(ImportCsvColumn(path, ',', 1, out));
    EXPECT_EQ(Entries(out), (std::vector<std::string>{"http://One;a.example/x/;first",
                                                      "http://Two;\"b.example\";quoted",
                                                      "http://Four;C.Example;"}));
    ASSERT_TRUE(ImportCsvColumn(dir.Write("t.csv", "x\ta.example\n"), '\t', 2, out));
    EXPECT_EQ(Entries(out), std::vector<std::string>{"http://a.example"});
    // A long URL is taken whole: cut after 500 characters it named another page.
    const std::string longUrl = "http://a.example/" + std::string(600, 'p');
    ASSERT_TRUE(ImportCsvColumn(dir.Write("long.csv", "x;" + longUrl + "\n"), ';', 2, out));
    EXPECT_EQ(Entries(out), std::vector<std::string>{longUrl});
    EXPECT_FALSE(ImportCsvColumn(dir.File("missing.csv"), ',', 1, out));
}

TEST(TakeImported, CountsWhatItSkipsAndLeavesOut) {
    CLineList imported;
    for (const char* url : {"http://a.example/X", "HTTP://A.Example/X/", "https://a.example/X",
                            "http://A.EXAMPLE/X - other note", "http://b.example",
                            "http://a.example/x", "http://c.example", "http://d.example"}) {
        imported.Add(url);
    }
    imported.Add("http://bob:pw@e.example/");
    imported.Add("http://f.example/" + std::string(kMaxPartnerEntryLength, 'f'));
    CLineList out;
    // Listed: a.example/X (in other case of the host). Room for 3 more.
    SImportTally tally =
        TakeImported({"http://A.example/X - note", "http://z.example"}, imported, 5, out);
    EXPECT_EQ(Entries(out), (std::vector<std::string>{"HTTP://A.Example/X/", "https://a.example/X",
                                                      "http://b.example"}));
    EXPECT_EQ(tally.nTaken, 3);
    EXPECT_EQ(tally.nDuplicates, 2);
    EXPECT_EQ(tally.nOverLimit, 3); // a.example/x (the path differs in case), c, d
    EXPECT_EQ(tally.nUserInfo, 1);
    EXPECT_EQ(tally.nTooLong, 1);
}

TEST(GoogleImport, LowerCasesValidUrlsAndEmptiesOnUnreadableFile) {
    TempDir dir;
    const std::string path = dir.Write("g.csv", "Domain,Linked page,Date\n"
                                                "x,HTTP://Partner.Example/Links.html,2009\n"
                                                "y,Other.Example/,2009\n"
                                                "z,\"quoted.example\",2009\n");
    CLineList out;
    ASSERT_TRUE(ImportGoogleTable(path, ',', 2, out));
    EXPECT_EQ(Entries(out), (std::vector<std::string>{"http://partner.example/links.html",
                                                      "http://other.example"}));
    EXPECT_FALSE(ImportGoogleTable(dir.File("missing.csv"), ',', 2, out));
    EXPECT_EQ(out.GetCount(), 0);

    // Each link once, and no more than a project keeps, said rather than lost at the next save.
    std::string table = "x,HTTP://Partner.Example/Links.html\n";
    for (int i = 0; i <= CProject::MaxExternalLinks; ++i) {
        table += "x,http://p" + std::to_string(i) + ".example\n";
    }
    SImportTally tally;
    ASSERT_TRUE(
        ImportGoogleTable(dir.Write("big.csv", table + table), ',', 2, out, nullptr, &tally));
    EXPECT_EQ(out.GetCount(), CProject::MaxExternalLinks);
    EXPECT_EQ(tally.nTaken, CProject::MaxExternalLinks);
    EXPECT_EQ(tally.nDuplicates, CProject::MaxExternalLinks + 2);
    EXPECT_EQ(tally.nOverLimit, 2);
}

} // namespace
} // namespace tessaray
