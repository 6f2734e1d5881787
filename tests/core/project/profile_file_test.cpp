#include "core/project/profile_file.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <unistd.h>

namespace tessaray {
namespace {

using test::ReadAll;
using test::TempDir;

std::string Read(const CProfileFile& file, std::string_view section, std::string_view key,
                 std::string_view defaultValue = "<none>") {
    std::string out;
    file.ReadString(section, key, defaultValue, out);
    return out;
}

TEST(ProfileFileRead, FollowsTheWindowsProfileRules) {
    CProfileFile file;
    file.ParseText("key=outside any section\r\n"
                   "  [ Settings ]  \r\n"
                   "  Trace  =  1  \r\n"
                   "Quoted=\"  keep blanks  \"\r\n"
                   "Single='x'\r\n"
                   "Unmatched=\"x'\r\n"
                   "Lone=\"\r\n"
                   "no equals sign here\r\n"
                   "; comment=line\r\n"
                   "Trace=2\r\n"
                   "Empty=\r\n"
                   "[settings]\r\n"
                   "Other=from a repeated section\r\n");
    EXPECT_EQ(Read(file, "SETTINGS", "TRACE"), "1"); // case, blanks, first key
    EXPECT_EQ(Read(file, "settings", " trace "), "1");
    EXPECT_EQ(Read(file, "Settings", "Quoted"), "  keep blanks  "); // matching quotes removed
    EXPECT_EQ(Read(file, "Settings", "Single"), "x");
    EXPECT_EQ(Read(file, "Settings", "Unmatched"), "\"x'");
    EXPECT_EQ(Read(file, "Settings", "Lone"), "\"");
    EXPECT_EQ(Read(file, "Settings", "Empty"), "");                     // present but empty
    EXPECT_EQ(Read(file, "Settings", "Missing"), "<none>");             // default
    EXPECT_EQ(Read(file, "Settings", "no equals sign here"), "<none>"); // not a key line
    EXPECT_EQ(Read(file, "Settings", "; comment"), "<none>");
    EXPECT_EQ(Read(file, "Settings", "Other"), "<none>"); // the first section wins
    EXPECT_EQ(Read(file, "", "key"), "<none>");           // no section, not found
    EXPECT_EQ(Read(file, "Nowhere", "Trace"), "<none>");
}

TEST(ProfileFileRead, AcceptsLfCrLfAndAByteOrderMark) {
    for (const char* text :
         {"[A]\nk=v\nl=w", "\xEF\xBB\xBF[A]\r\nk=v\r\nl=w\r\n", "[A]\rk=v\rl=w"}) {
        CProfileFile file;
        file.ParseText(text);
        EXPECT_EQ(Read(file, "A", "k"), "v") << text;
        EXPECT_EQ(Read(file, "A", "l"), "w") << text;
    }
}

TEST(ProfileFileRead, CutsValuesTo4093Characters) {
    CProfileFile file;
    file.ParseText("[A]\r\nk=" + std::string(5000, 'x') + "\r\n");
    std::string out;
    EXPECT_EQ(file.ReadString("A", "k", "", out), 4093u);
    EXPECT_EQ(out, std::string(4093, 'x'));
}

TEST(ProfileFileRead, ReadIntTakesSignAndLeadingDigits) {
    CProfileFile file;
    file.ParseText("[S]\nA=1\nB= -12abc\nC=+7\nD=abc\nE=\nF=4294967297\n");
    EXPECT_EQ(file.ReadInt("S", "A", 9), 1);
    EXPECT_EQ(file.ReadInt("S", "B", 9), -12);
    EXPECT_EQ(file.ReadInt("S", "C", 9), 7);
    EXPECT_EQ(file.ReadInt("S", "D", 9), 0);
    EXPECT_EQ(file.ReadInt("S", "E", 9), 9); // empty value: the default
    EXPECT_EQ(file.ReadInt("S", "F", 9), 1); // wraps like 32-bit arithmetic
    EXPECT_EQ(file.ReadInt("S", "Missing", 9), 9);
}

TEST(ProfileFileWrite, KeepsOrderOfFirstWriteAndWritesCrLf) {
    CProfileFile file;
    file.WriteString("B", "one", "1");
    file.WriteString("A", "x", "y");
    file.WriteString("b", "TWO", "2");
    file.WriteString("B", "ONE", "changed"); // replaces in place, keeps the first spelling
    file.WriteBool("A", "flag", true);
    file.WriteBool("A", "off", false);
    EXPECT_EQ(file.FormatText(),
              "[B]\r\none=changed\r\nTWO=2\r\n[A]\r\nx=y\r\nflag=1\r\noff=0\r\n");
}

TEST(ProfileFileWrite, ALineEndInAValueCannotForgeKeys) {
    CProfileFile file;
    file.WriteString("PARTNERLINKS", "URL0000", "http://a.example\r\n[EXTLINKS]\nURL0000=x");
    EXPECT_EQ(file.FormatText(),
              "[PARTNERLINKS]\r\nURL0000=http://a.example  [EXTLINKS] URL0000=x\r\n");
    CProfileFile reader;
    reader.ParseText(file.FormatText());
    EXPECT_EQ(Read(reader, "EXTLINKS", "URL0000"), "<none>");
}

TEST(ProfileFileWrite, WriteAppInfoSkipsEmptyValuesAndReadAppInfoReadsThemBack) {
    CProfileFile file;
    file.SetAppInfo("", "http://i.example", "(c) me");
    file.WriteAppInfo(); // NAME is "" before Open
    EXPECT_EQ(file.FormatText(),
              "[APPLICATION]\r\nINTERNET=http://i.example\r\nCOPYRIGHT=(c) me\r\n");

    CProfileFile reader;
    reader.ParseText("[application]\nname=N\nversion=V\n");
    reader.ReadAppInfo();
    EXPECT_EQ(reader.GetName(), "N");
    EXPECT_EQ(reader.GetVersion(), "V");
    EXPECT_EQ(reader.GetInternet(), "");
    EXPECT_EQ(reader.GetCopyright(), "");
}

TEST(ProfileFileOpen, NeedsAnExistingFolder) {
    TempDir dir;
    CProfileFile file;
    EXPECT_FALSE(file.Open("bare.tsrp", "N"));
    EXPECT_FALSE(file.Open("/root-level.tsrp", "N")); // separator at position 0
    EXPECT_FALSE(file.Open(dir.File("missing/x.tsrp"), "N"));
    EXPECT_FALSE(file.IsOpen());
    EXPECT_EQ(file.GetPath(), "");
    EXPECT_FALSE(file.PrepareNewFile());
    EXPECT_TRUE(file.Open(dir.File("new.tsrp"), "N")); // the file need not exist
    EXPECT_TRUE(file.WasReadable());
    EXPECT_EQ(file.GetName(), "N");
}

TEST(ProfileFileOpen, ReportsAFolderInPlaceOfTheFileAsUnreadable) {
    TempDir dir;
    std::filesystem::create_directory(dir.File("x.ini"));
    CProfileFile file;
    ASSERT_TRUE(file.Open(dir.File("x.ini"), ""));
    std::string reason;
    EXPECT_FALSE(file.WasReadable(&reason));
    EXPECT_FALSE(reason.empty());
}

TEST(ProfileFileSave, BackupIsMadeOnceAndNeverReplaced) {
    TempDir dir;
    const std::string path = dir.Write("shop.tsrp", "original");
    auto save = [&](const std::string& value) {
        CProfileFile file;
        ASSERT_TRUE(file.Open(path, "N"));
        ASSERT_TRUE(file.PrepareNewFile());
        file.WriteString("S", "k", value);
        ASSERT_TRUE(file.Flush());
    };
    save("first");
    save("second");
    EXPECT_EQ(ReadAll(dir.File("shop.bak")), "original");
    EXPECT_EQ(ReadAll(path), "[APPLICATION]\r\nNAME=N\r\nINTERNET=" + std::string(kMakerInternet) +
                                 "\r\nCOPYRIGHT=" + kMakerCopyright + "\r\n[S]\r\nk=second\r\n");
    // Nothing but the file and its backup is left in the folder.
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++count;
    }
    EXPECT_EQ(count, 2);
}

TEST(ProfileFileSave, BackupPathTakesTheLastDot) {
    EXPECT_EQ(CProfileFile::BackupPathOf("/sites/shop.tsrp"), "/sites/shop.bak");
    EXPECT_EQ(CProfileFile::BackupPathOf("/sites/shop.old.tsrp"), "/sites/shop.old.bak");
    EXPECT_EQ(CProfileFile::BackupPathOf("/sites/shop"), "");
    // Not "/my.bak" beside the folder, where another project's backup may already stand.
    EXPECT_EQ(CProfileFile::BackupPathOf("/my.sites/shop"), "");
    EXPECT_EQ(CProfileFile::BackupPathOf(".tsrp"), "");

    // Numbered backups of a name without extension: never one replaced.
    TempDir dir;
    dir.Write("shop", "v1");
    EXPECT_EQ(KeepNumberedBackup(dir.File("shop")), dir.File("shop.bak"));
    std::filesystem::remove(dir.File("shop")); // a save puts a new file in its place
    dir.Write("shop", "v2");
    EXPECT_EQ(KeepNumberedBackup(dir.File("shop")), dir.File("shop.bak.1"));
    EXPECT_EQ(ReadAll(dir.File("shop.bak")), "v1");
    EXPECT_EQ(ReadAll(dir.File("shop.bak.1")), "v2");
}

TEST(ProfileFileSave, AWriteThatFailsMidwayKeepsTheOldFile) {
    TempDir dir;
    const std::string path = dir.Write("shop.tsrp", "old content");
    CProfileFile file;
    ASSERT_TRUE(file.Open(path, "N"));
    file.WriteString("S", "k", std::string(10000, 'v'));
    // Writes half the bytes, then fails as a full disk would.
    const FileWriter halfThenFull = [](int fd, std::string_view bytes) {
        const auto half = static_cast<ssize_t>(bytes.size() / 2);
        EXPECT_EQ(::write(fd, bytes.data(), static_cast<std::size_t>(half)), half);
        errno = ENOSPC;
        return false;
    };
    std::string reason;
    EXPECT_FALSE(file.Flush(&reason, halfThenFull));
    EXPECT_NE(reason.find("No space left"), std::string::npos) << reason;
    EXPECT_EQ(ReadAll(path), "old content");
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path())) {
        ++count;
    }
    EXPECT_EQ(count, 1); // the temporary file is gone
}

TEST(ProfileFileSave, RoundTripKeepsValuesAndKeepsPermissions) {
    TempDir dir;
    const std::string path = dir.Write("p.ini", "");
    std::filesystem::permissions(path, std::filesystem::perms(0640));
    CProfileFile writer;
    ASSERT_TRUE(writer.Open(path, "N"));
    writer.WriteString("Sec", "Key", "value with = and ; inside");
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms(0640));
    CProfileFile reader;
    ASSERT_TRUE(reader.Open(path, ""));
    EXPECT_EQ(Read(reader, "SEC", "key"), "value with = and ; inside");
}

} // namespace
} // namespace tessaray
