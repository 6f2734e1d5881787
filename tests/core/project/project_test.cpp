#include "core/project/project.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <unistd.h>
#include <utility>

namespace tessaray {
namespace {

using test::ReadAll;
using test::TempDir;

const std::string kHeader = "[APPLICATION]\r\nNAME=Tessaray\r\nVERSION=010000\r\nINTERNET=" +
                            std::string(CProject::kInternet) +
                            "\r\nCOPYRIGHT=" + CProject::kCopyright + "\r\n";

CProject MakeProject(int partners = 1) {
    CProject project;
    project.StartNew("Shop.Example/");
    for (int i = 0; i < partners; ++i) {
        project.AddPartnerUrl("http://p" + std::to_string(i) + ".example/links.html");
    }
    return project;
}

std::vector<std::string> Partners(CProject& project) {
    std::vector<std::string> out;
    std::string entry;
    project.RewindPartners();
    while (project.GetNextPartner(entry)) {
        out.push_back(entry);
    }
    return out;
}

TEST(Project, NewProjectStateAndTitle) {
    CProject project;
    EXPECT_EQ(project.GetPath(), "");
    EXPECT_EQ(project.GetTitle(), "_UNTITLED");
    EXPECT_FALSE(project.IsModified());
    EXPECT_FALSE(project.IsReady());

    project.Reset();
    EXPECT_EQ(project.GetPath(), "Unbekannt");
    EXPECT_EQ(project.GetTitle(), "Unbekannt");

    project.StartNew("  Shop.Example.COM/Path/  ");
    EXPECT_EQ(project.GetDomain(), "http://shop.example.com/path");
    EXPECT_TRUE(project.IsModified());
    EXPECT_FALSE(project.IsReady()); // no partner yet
    project.AddPartnerUrl("http://Shop.Example/Links.html - Swap since 2008");
    EXPECT_TRUE(project.IsReady());
    // The entry keeps its case: paths are case-sensitive on many servers.
    EXPECT_EQ(Partners(project),
              std::vector<std::string>{"http://Shop.Example/Links.html - Swap since 2008"});
}

TEST(Project, ClearPartnersKeepsModifiedAndSetDomainSetsIt) {
    TempDir dir;
    CProject project = MakeProject(3);
    ASSERT_TRUE(project.Save(dir.File("p.tsrp")));
    project.ClearPartnerUrls();
    EXPECT_EQ(project.GetPartnerCount(), 0);
    EXPECT_FALSE(project.IsModified());
    project.AddPartnerUrl("a.example");
    ASSERT_TRUE(project.Save(dir.File("p.tsrp")));
    project.SetDomain("other.example");
    EXPECT_EQ(project.GetPartnerCount(), 0);
    EXPECT_TRUE(project.IsModified());
    EXPECT_EQ(project.GetDomain(), "http://other.example");
}

TEST(Project, CursorStopsAtTheFirstFreeEntryAndAtCapacity) {
    CProject project = MakeProject(2);
    std::string entry = "stale";
    std::string domain;
    int count = 0;
    ASSERT_TRUE(project.GetRunInput(domain, count, entry));
    EXPECT_EQ(domain, "http://shop.example");
    EXPECT_EQ(count, 2);
    EXPECT_EQ(entry, "http://p0.example/links.html");
    EXPECT_TRUE(project.GetNextPartner(entry));
    EXPECT_FALSE(project.GetNextPartner(entry));
    EXPECT_EQ(entry, "");

    CProject full = MakeProject(CProject::MaxPartnerLinks);
    full.AddPartnerUrl("http://one-too-many.example"); // ignored without a message
    EXPECT_EQ(full.GetPartnerCount(), CProject::MaxPartnerLinks);
    full.RewindPartners();
    for (int i = 0; i < CProject::MaxPartnerLinks; ++i) {
        ASSERT_TRUE(full.GetNextPartner(entry));
    }
    EXPECT_FALSE(full.GetNextPartner(entry));
    EXPECT_FALSE(full.GetNextPartner(entry));
    EXPECT_EQ(entry, "");
}

TEST(Project, ExternalLinksAreCutAt500Characters) {
    CProject project = MakeProject();
    CLineList links;
    links.Add("http://a.example");
    links.Add("http://a.example"); // duplicates stay
    links.Add(std::string(600, 'x'));
    project.SetExternalLinks(links);
    CLineList copy;
    project.CopyExternalLinksTo(copy);
    ASSERT_EQ(copy.GetCount(), 3);
    EXPECT_EQ(copy.At(1), "http://a.example");
    EXPECT_EQ(copy.At(2), std::string(500, 'x') + "...");
}

TEST(Project, TitleIsTheFileNameWithoutFolderAndExtension) {
    TempDir dir;
    CProject project = MakeProject();
    ASSERT_TRUE(project.Save(dir.File("site.old.tsrp")));
    EXPECT_EQ(project.GetTitle(), "site.old");
}

TEST(ProjectSave, WritesTheLayoutByteForByte) {
    TempDir dir;
    CProject project;
    project.StartNew("http://shop.example");
    project.AddPartnerUrl("http://a.example/links.html - swap");
    project.AddPartnerUrl("b.example");
    CLineList links;
    links.Add("http://x.example/page");
    project.SetExternalLinks(links);
    project.SetPageRankOption(true);
    const std::string path = dir.File("shop.tsrp");
    ASSERT_TRUE(project.Save(path));
    EXPECT_EQ(ReadAll(path), kHeader + "[SETTINGS]\r\nOPTION05=1\r\n"
                                       "[YOURDOMAIN]\r\nURL=http://shop.example\r\n"
                                       "[PARTNERLINKS]\r\n"
                                       "URL0000=http://a.example/links.html - swap\r\n"
                                       "URL0001=http://b.example\r\n"
                                       "[EXTLINKS]\r\nURL0000=http://x.example/page\r\n");
    EXPECT_EQ(project.GetPath(), path);
    EXPECT_FALSE(project.IsModified());
}

TEST(ProjectSave, OnePartnerAndNoExternalLinksGiveFourSections) {
    TempDir dir;
    CProject project = MakeProject();
    ASSERT_TRUE(project.Save(dir.File("p.tsrp")));
    EXPECT_EQ(ReadAll(dir.File("p.tsrp")),
              kHeader + "[SETTINGS]\r\nOPTION05=0\r\n[YOURDOMAIN]\r\nURL=http://shop.example\r\n"
                        "[PARTNERLINKS]\r\nURL0000=http://p0.example/links.html\r\n");
}

TEST(ProjectSave, AlertSettingsFollowTheOtherSectionsAndComeBack) {
    TempDir dir;
    CProject project = MakeProject();
    const SAlertSettings alerts{"me@shop.example",         "smtp://mail.example:587", "me",
                                "/home/me/.smtp-password", "https://hooks.example/x", true};
    project.SetAlertSettings(alerts);
    const std::string path = dir.File("p.tsrp");
    ASSERT_TRUE(project.Save(path));
    EXPECT_EQ(ReadAll(path),
              kHeader + "[SETTINGS]\r\nOPTION05=0\r\n[YOURDOMAIN]\r\nURL=http://shop.example\r\n"
                        "[PARTNERLINKS]\r\nURL0000=http://p0.example/links.html\r\n"
                        "[ALERTS]\r\nMAILTO=me@shop.example\r\nSMTP=smtp://mail.example:587\r\n"
                        "SMTPUSER=me\r\nSMTPPASSWORDFILE=/home/me/.smtp-password\r\n"
                        "WEBHOOK=https://hooks.example/x\r\nNOTIFY=1\r\n");
    CProject loaded;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(loaded.GetAlertSettings(), alerts);
    // Without alerts the section goes again; a file without it loads none.
    loaded.SetAlertSettings({});
    EXPECT_TRUE(loaded.IsModified());
    ASSERT_TRUE(loaded.Save(path));
    EXPECT_EQ(ReadAll(path).find("[ALERTS]"), std::string::npos);
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_TRUE(loaded.GetAlertSettings().IsEmpty());
}

TEST(ProjectSave, AgreementsAndLinkPagesRoundTripByteForByte) {
    TempDir dir;
    const std::string path = dir.Write(
        "p.tsrp",
        kHeader +
            "[SETTINGS]\r\nOPTION05=0\r\n[YOURDOMAIN]\r\nURL=http://shop.example\r\n"
            "[PARTNERLINKS]\r\nURL0000=http://a.example/links - swap\r\n"
            "URL0001=http://b.example\r\n"
            "[AGREEMENTS]\r\nMYPAGE0000=https://shop.example/partners\r\n"
            "MYPAGE0001=https://shop.example/blogroll\r\n"
            "PARTNER0000=http://a.example/links - swap\r\nTARGET0000=https://shop.example/*\r\n"
            "ANCHOR0000=*Cheap Flights*\r\nFOLLOW0000=required\r\nUNTIL0000=2027-01-31\r\n"
            "CONTACT0000=ann@a.example\r\n"
            "NOTE0000=\\qline one\\q\\nline two in C:\\\\links\\s\r\n"
            // A partner no longer in the list keeps its agreement until the editor drops it.
            "PARTNER0001=http://gone.example\r\nUNTIL0001=2026-12-31\r\n");
    CProject project;
    ASSERT_TRUE(project.Load(path));
    EXPECT_EQ(project.GetMyLinkPages(),
              (std::vector<std::string>{"https://shop.example/partners",
                                        "https://shop.example/blogroll"}));
    const SAgreement* pAgreement = project.FindAgreement("http://a.example/links - swap");
    ASSERT_NE(pAgreement, nullptr);
    EXPECT_EQ(*pAgreement,
              (SAgreement{"https://shop.example/*", "*Cheap Flights*", EAgreedFollow::Required,
                          "2027-01-31", "ann@a.example", "\"line one\"\nline two in C:\\links "}));
    EXPECT_EQ(project.GetAgreements().size(), 2U);
    const std::string before = ReadAll(path);
    ASSERT_TRUE(project.Save(path));
    EXPECT_EQ(ReadAll(path), before);

    // Without agreements and link pages the section goes, and a new project starts without them.
    project.SetAgreement("http://a.example/links - swap", {});
    project.SetAgreement("http://gone.example", {});
    project.SetMyLinkPages({});
    ASSERT_TRUE(project.Save(path));
    EXPECT_EQ(ReadAll(path).find("[AGREEMENTS]"), std::string::npos);
    SAgreement note;
    note.strNote = "x";
    project.SetAgreement("http://a.example/links - swap", note);
    project.StartNew("shop.example");
    EXPECT_TRUE(project.GetAgreements().empty());
}

// The render mode lives in a section of our own, written only when it is not auto, so older
// files stay byte for byte; a mode this version does not know reads as auto.
TEST(ProjectSave, RenderModeIsStoredOnlyWhenNotAuto) {
    TempDir dir;
    CProject project = MakeProject();
    const std::string path = dir.File("p.tsrp");
    ASSERT_TRUE(project.Save(path));
    const std::string plain = ReadAll(path);
    project.SetRenderMode(ERenderMode::Off);
    EXPECT_TRUE(project.IsModified());
    ASSERT_TRUE(project.Save(path));
    EXPECT_EQ(ReadAll(path), plain + "[OPTIONS]\r\nRENDER=off\r\n");
    CProject loaded;
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(loaded.GetRenderMode(), ERenderMode::Off);
    WriteStringToFile(path, plain + "[OPTIONS]\r\nRENDER=sometimes\r\n");
    ASSERT_TRUE(loaded.Load(path));
    EXPECT_EQ(loaded.GetRenderMode(), ERenderMode::Auto);
    ASSERT_TRUE(loaded.Save(path));
    EXPECT_EQ(ReadAll(path), plain);
}

TEST(ProjectSave, StoresAtMost2000ExternalLinks) {
    TempDir dir;
    CProject project = MakeProject();
    CLineList links;
    for (int i = 0; i < 2500; ++i) {
        links.Add("http://l" + std::to_string(i) + ".example");
    }
    project.SetExternalLinks(links);
    ASSERT_TRUE(project.Save(dir.File("p.tsrp")));
    const std::string text = ReadAll(dir.File("p.tsrp"));
    EXPECT_NE(text.find("URL1999=http://l1999.example\r\n"), std::string::npos);
    EXPECT_EQ(text.find("URL2000="), std::string::npos);
    CProject loaded;
    ASSERT_TRUE(loaded.Load(dir.File("p.tsrp")));
    EXPECT_EQ(loaded.GetExternalLinkCount(), 2000);
}

TEST(ProjectSave, NotReadyWritesNothing) {
    TempDir dir;
    CProject project;
    project.StartNew("shop.example");
    const CProjectResult saved = project.Save(dir.File("p.tsrp"));
    ASSERT_FALSE(saved.Ok());
    EXPECT_EQ(saved.Code(), EProjectError::NotReady);
    EXPECT_FALSE(ProjectErrorText(saved.GetError()).empty());
    EXPECT_FALSE(std::filesystem::exists(dir.File("p.tsrp")));
    EXPECT_EQ(project.GetPath(), "Unbekannt");
}

TEST(ProjectSave, KeepsTheFirstVersionAsBackupOnlyOnce) {
    TempDir dir;
    const std::string path = dir.Write("shop.tsrp", "before the first save");
    CProject project = MakeProject(1);
    ASSERT_TRUE(project.Save(path));
    project.AddPartnerUrl("second.example");
    ASSERT_TRUE(project.Save(path));
    EXPECT_EQ(ReadAll(dir.File("shop.bak")), "before the first save");
    EXPECT_NE(ReadAll(path).find("URL0001=http://second.example"), std::string::npos);
}

// A save that cannot write fails with a reason and keeps the old file, path and modified flag.
void ExpectFailedSaveKeepsEverything(CProject& project, const std::string& path,
                                     const std::string& oldContent) {
    const std::string oldPath = project.GetPath();
    ASSERT_TRUE(project.IsModified());
    const CProjectResult saved = project.Save(path);
    ASSERT_FALSE(saved.Ok());
    EXPECT_NE(saved.Code(), EProjectError::None);
    EXPECT_EQ(saved.GetError().detail.strPath, path);
    EXPECT_FALSE(ProjectErrorText(saved.GetError()).empty());
    EXPECT_TRUE(project.IsModified());
    EXPECT_EQ(project.GetPath(), oldPath);
    if (!oldContent.empty()) {
        EXPECT_EQ(ReadAll(path), oldContent);
    }
}

TEST(ProjectSave, FailsIntoAMissingFolderOrWithoutFolder) {
    TempDir dir;
    CProject project = MakeProject();
    ExpectFailedSaveKeepsEverything(project, dir.File("missing/p.tsrp"), "");
    ExpectFailedSaveKeepsEverything(project, "bare.tsrp", "");
    EXPECT_FALSE(std::filesystem::exists("bare.tsrp"));
}

TEST(ProjectSave, FailsIntoAReadOnlyFolder) {
    if (::geteuid() == 0) {
        GTEST_SKIP() << "permission bits do not stop root";
    }
    TempDir dir;
    const std::string path = dir.Write("p.tsrp", "old");
    std::filesystem::permissions(dir.Path(), std::filesystem::perms(0555));
    CProject project = MakeProject();
    ExpectFailedSaveKeepsEverything(project, path, "old");
}

TEST(ProjectSave, AWriteThatDiesMidwayKeepsTheOldFile) {
    TempDir dir;
    CProject saved = MakeProject(3);
    const std::string path = dir.File("p.tsrp");
    ASSERT_TRUE(saved.Save(path));
    const std::string before = ReadAll(path);

    CProject project = MakeProject(500);
    project.SetFileWriter([](int fd, std::string_view bytes) {
        EXPECT_GT(::write(fd, bytes.data(), bytes.size() / 3), 0);
        errno = ENOSPC;
        return false;
    });
    ExpectFailedSaveKeepsEverything(project, path, before);
    CProject reloaded;
    ASSERT_TRUE(reloaded.Load(path));
    EXPECT_EQ(reloaded.GetPartnerCount(), 3);
}

TEST(ProjectSave, SaveAsTakesThePathFromTheChooser) {
    TempDir dir;
    CProject project = MakeProject();
    EXPECT_FALSE(project.SaveAs([] { return std::string(); })); // cancelled
    EXPECT_TRUE(project.IsModified());
    EXPECT_EQ(project.GetPath(), "Unbekannt");
    EXPECT_FALSE(project.SaveAs(nullptr));
    EXPECT_TRUE(project.SaveAs([&] { return dir.File("chosen.tsrp"); }));
    EXPECT_EQ(project.GetPath(), dir.File("chosen.tsrp"));
    EXPECT_EQ(project.GetTitle(), "chosen");
}

TEST(ProjectLoad, RoundTripNormalisesPartnersAndClosesGaps) {
    TempDir dir;
    const std::string path =
        dir.Write("p.tsrp", kHeader + "[SETTINGS]\r\nOPTION05=1\r\n"
                                      "[YOURDOMAIN]\r\nURL=HTTP://Shop.Example/\r\n"
                                      "[PARTNERLINKS]\r\nURL0000=Shop.Example/\r\n"
                                      "URL0002=http://b.example/Dir/ - Comment\r\n"
                                      "URL0003=http://c.example/links.html - swap\r\n"
                                      "URL10000=http://beyond.example\r\n"
                                      "[EXTLINKS]\r\nURL0001=http://Ext.example\r\n");
    CProject project;
    ASSERT_TRUE(project.Load(path));
    EXPECT_EQ(project.GetDomain(), "HTTP://Shop.Example/"); // taken as stored
    EXPECT_FALSE(project.GetPageRankOption());              // OPTION05 is not read back
    EXPECT_FALSE(project.IsModified());
    EXPECT_EQ(project.GetPath(), path);
    // Entries keep their case and a path's "/"; those of older files (lower case) are unchanged.
    EXPECT_EQ(Partners(project),
              (std::vector<std::string>{"http://Shop.Example", "http://b.example/Dir/ - Comment",
                                        "http://c.example/links.html - swap"}));
    CLineList links;
    project.CopyExternalLinksTo(links);
    ASSERT_EQ(links.GetCount(), 1);
    EXPECT_EQ(links.At(0), "http://Ext.example"); // external links as stored

    ASSERT_TRUE(project.Save(path));
    const std::string text = ReadAll(path);
    EXPECT_NE(text.find("URL0000=http://Shop.Example\r\nURL0001=http://b.example/Dir/ - "
                        "Comment\r\nURL0002=http://c.example/links.html - swap\r\n"),
              std::string::npos);
    EXPECT_EQ(text.find("URL0003"), std::string::npos);
}

TEST(ProjectLoad, ReadsFilesOfOtherEditors) {
    TempDir dir;
    const std::string path = dir.Write("p.tsrp", "[application]\n name = Tessaray \nINTERNET=\"" +
                                                     std::string(CProject::kInternet) +
                                                     "\"\ncopyright=" + CProject::kCopyright +
                                                     "\n\n[PartnerLinks]\nurl0000 = a.example\n"
                                                     "[yourdomain]\nurl=http://shop.example\n");
    CProject project;
    ASSERT_TRUE(project.Load(path));
    EXPECT_EQ(project.GetDomain(), "http://shop.example");
    EXPECT_EQ(Partners(project), std::vector<std::string>{"http://a.example"});
}

TEST(ProjectLoad, RefusesWhatIsNotAProjectAndKeepsEverything) {
    TempDir dir;
    CProject project = MakeProject(2);
    const std::string path = dir.File("mine.tsrp");
    ASSERT_TRUE(project.Save(path));
    project.AddPartnerUrl("unsaved.example");
    ASSERT_TRUE(project.IsModified());

    std::string good = ReadAll(path);
    std::string oneCharOff = good;
    oneCharOff.replace(oneCharOff.find("Dalvero"), 1, "d");
    std::string noName = good;
    noName.replace(noName.find("NAME=Tessaray"), 13, "NAME=Tessaray2");
    const std::pair<std::string, EProjectError> candidates[] = {
        {dir.Write("copyright.tsrp", oneCharOff), EProjectError::NotAProject},
        {dir.Write("name.tsrp", noName), EProjectError::NotAProject},
        {dir.Write("other.ini", "[Other]\r\nkey=value\r\n"), EProjectError::NotAProject},
        {dir.Write("empty.tsrp", ""), EProjectError::NotAProject},
        {dir.File("missing.tsrp"), EProjectError::FileMissing},
        {dir.File("no/folder.tsrp"), EProjectError::FolderMissing},
        {"folderless.tsrp", EProjectError::NoFolder},
        {dir.Path(), EProjectError::CannotRead}};
    for (const auto& [candidate, eError] : candidates) {
        const CProjectResult loaded = project.Load(candidate);
        ASSERT_FALSE(loaded.Ok()) << candidate;
        EXPECT_EQ(loaded.Code(), eError) << candidate;
        EXPECT_EQ(loaded.GetError().detail.strPath, candidate);
        EXPECT_NE(ProjectErrorText(loaded.GetError()).find(candidate), std::string::npos)
            << candidate;
        EXPECT_EQ(project.GetPath(), path);
        EXPECT_TRUE(project.IsModified());
        EXPECT_EQ(project.GetPartnerCount(), 3);
        EXPECT_EQ(project.GetDomain(), "http://shop.example");
    }
}

TEST(ProjectLoad, VersionIsNotCompared) {
    TempDir dir;
    CProject project = MakeProject();
    ASSERT_TRUE(project.Save(dir.File("p.tsrp")));
    std::string text = ReadAll(dir.File("p.tsrp"));
    text.replace(text.find("VERSION=010000"), 14, "VERSION=999999");
    CProject loaded;
    EXPECT_TRUE(loaded.Load(dir.Write("q.tsrp", text)));
}

} // namespace
} // namespace tessaray
