#include "core/util/file_util.h"

#include "temp_dir.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaray {
namespace {

std::string FolderOf(const std::string& path, std::string preset = "preset") {
    GetFolderPart(path, preset);
    return preset;
}

std::string NameOf(const std::string& path) {
    std::string name = "stale";
    GetFileNamePart(path, name);
    return name;
}

std::string TitleOf(const std::string& path) {
    std::string title = "stale";
    GetFileTitlePart(path, title);
    return title;
}

std::string Stripped(std::string text) {
    StripQuotes(text);
    return text;
}

TEST(PathPartsTest, FolderNameAndTitle) {
    EXPECT_EQ(FolderOf("/a/b.txt"), "/a");
    EXPECT_EQ(FolderOf("home/a/b/c.txt"), "home/a/b");
    // A bare name or a separator at position 0 leaves the output as it was.
    EXPECT_EQ(FolderOf("b.txt"), "preset");
    EXPECT_EQ(FolderOf("/b.txt"), "preset");

    EXPECT_EQ(NameOf("/a/b.txt"), "b.txt");
    EXPECT_EQ(NameOf("/b.txt"), "/b.txt");
    EXPECT_EQ(NameOf("b.txt"), "b.txt");
    EXPECT_EQ(NameOf("/a/"), "");

    EXPECT_EQ(TitleOf("/a.b/c"), "c");
    EXPECT_EQ(TitleOf("/x/archive.tar.gz"), "archive.tar");
    EXPECT_EQ(TitleOf("/x/.hidden"), "");
    EXPECT_EQ(TitleOf("/Projects/site.old.tsrp"), "site.old");
}

TEST(StripQuotesTest, Rules) {
    EXPECT_EQ(Stripped("\"/tmp/a b.txt\""), "/tmp/a b.txt");
    EXPECT_EQ(Stripped("\"\""), "\"\"");
    EXPECT_EQ(Stripped("\"a"), "\"a");
    EXPECT_EQ(Stripped("ab"), "ab");
    EXPECT_EQ(Stripped("abc\""), "abc");
    EXPECT_EQ(Stripped("\"abc"), "abc");
    // Three characters: the leading quote goes, then the new last one.
    EXPECT_EQ(Stripped("\"a\""), "a");
    EXPECT_EQ(Stripped("\"\"\""), "\"");
}

TEST(FileReadWriteTest, ReadFileToStringNulRules) {
    test::TempDir dir;
    const std::string path = dir.Write("nul.bin", std::string("ab\0cd", 5));
    std::string text;
    ASSERT_TRUE(ReadFileToString(path, text, false));
    EXPECT_EQ(text, "ab");
    ASSERT_TRUE(ReadFileToString(path, text, true));
    EXPECT_EQ(text, "ab\1cd");
    // A quoted path is read too.
    ASSERT_TRUE(ReadFileToString("\"" + path + "\"", text, true));
    EXPECT_EQ(text, "ab\1cd");

    // NUL first: empty without replacement, which counts as failure.
    const std::string lead = dir.Write("lead.bin", std::string("\0x", 2));
    EXPECT_FALSE(ReadFileToString(lead, text, false));
    EXPECT_EQ(text, "");
}

TEST(FileReadWriteTest, ReadFileToStringFailures) {
    test::TempDir dir;
    std::string text = "kept";
    EXPECT_FALSE(ReadFileToString(dir.File("missing"), text, false));
    EXPECT_EQ(text, "kept");
    EXPECT_FALSE(ReadFileToString(dir.Path(), text, false));
    EXPECT_EQ(text, "kept");
    // An empty file opens, but the empty result is reported as failure.
    EXPECT_FALSE(ReadFileToString(dir.Write("empty", ""), text, false));
    EXPECT_EQ(text, "");
}

TEST(FileReadWriteTest, WriteStringToFile) {
    test::TempDir dir;
    const std::string path = dir.Write("out.txt", "a much longer old content");
    const std::string bytes("x\0y\r\n\xff", 6);
    ASSERT_TRUE(WriteStringToFile(path, bytes));
    EXPECT_EQ(test::ReadAll(path), bytes); // truncated, bytes exactly, no terminator
    ASSERT_TRUE(WriteStringToFile(path, ""));
    EXPECT_EQ(test::ReadAll(path), "");
    EXPECT_TRUE(FileExists(path));

    EXPECT_FALSE(WriteStringToFile(dir.File("no/such/folder"), "x"));
    EXPECT_FALSE(WriteStringToFile(dir.Path(), "x"));
    EXPECT_FALSE(WriteStringToFile("", "x"));
}

TEST(FileExistsTest, FilesAndFolders) {
    test::TempDir dir;
    EXPECT_TRUE(FileExists(dir.Path()));
    EXPECT_TRUE(FileExists(dir.Write("f", "1")));
    EXPECT_FALSE(FileExists(dir.File("g")));
    EXPECT_FALSE(FileExists(""));
}

// Sets or removes the temporary-folder variables for one test and restores them afterwards.
class TempEnvTest : public ::testing::Test {
protected:
    static constexpr const char* kNames[] = {"TEMP", "TMP", "TMPDIR"};

    void SetUp() override {
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            const char* value = std::getenv(kNames[i]);
            m_saved[i] = value ? std::optional<std::string>(value) : std::nullopt;
            ::unsetenv(kNames[i]);
        }
    }
    void TearDown() override {
        for (std::size_t i = 0; i < std::size(kNames); ++i) {
            if (m_saved[i]) {
                ::setenv(kNames[i], m_saved[i]->c_str(), 1);
            } else {
                ::unsetenv(kNames[i]);
            }
        }
    }
    static std::pair<std::string, std::string> Temp(bool expected = true) {
        std::string raw = "stale";
        std::string resolved = "stale";
        EXPECT_EQ(GetTempFolder(raw, resolved), expected);
        return {raw, resolved};
    }

    test::TempDir m_dir;

private:
    std::optional<std::string> m_saved[std::size(kNames)];
};

TEST_F(TempEnvTest, VariableOrder) {
    const std::string a = m_dir.Path() + "/a";
    const std::string b = m_dir.Path() + "/b";
    const std::string c = m_dir.Path() + "/c";
    for (const std::string& folder : {a, b, c}) {
        ASSERT_EQ(::mkdir(folder.c_str(), 0700), 0);
    }

    EXPECT_EQ(Temp().first, "/tmp");
    ::setenv("TMPDIR", c.c_str(), 1);
    EXPECT_EQ(Temp().first, c);
    ::setenv("TMP", b.c_str(), 1);
    EXPECT_EQ(Temp().first, b);
    ::setenv("TEMP", a.c_str(), 1);
    EXPECT_EQ(Temp(), std::make_pair(a, a));
    // An empty value counts as unset.
    ::setenv("TEMP", "", 1);
    EXPECT_EQ(Temp().first, b);
}

TEST_F(TempEnvTest, MissingFolderFailsAndLinkIsResolved) {
    ::setenv("TEMP", (m_dir.Path() + "/missing").c_str(), 1);
    ::setenv("TMP", m_dir.Path().c_str(), 1); // not consulted once TEMP is set
    EXPECT_EQ(Temp(false), std::make_pair(std::string(), std::string()));

    const std::string real = m_dir.Path() + "/real";
    const std::string link = m_dir.Path() + "/link";
    ASSERT_EQ(::mkdir(real.c_str(), 0700), 0);
    ASSERT_EQ(::symlink(real.c_str(), link.c_str()), 0);
    std::string canonical;
    ASSERT_TRUE(GetLongFolderName(real, canonical));
    ::setenv("TEMP", (link + "/").c_str(), 1);
    EXPECT_EQ(Temp(), std::make_pair(link + "/", canonical));

    std::string out = "stale";
    EXPECT_FALSE(GetLongFolderName("relative", out));
    EXPECT_EQ(out, "");
    EXPECT_FALSE(GetLongFolderName(m_dir.Path() + "/missing", out));
    EXPECT_EQ(out, "");
}

TEST_F(TempEnvTest, PrivateFolderIsOursAlone) {
    ::setenv("TEMP", m_dir.Path().c_str(), 1);
    std::string canonical;
    ASSERT_TRUE(GetLongFolderName(m_dir.Path(), canonical));
    std::string folder;
    ASSERT_TRUE(GetPrivateTempFolder(folder));
    EXPECT_EQ(folder, canonical + "/tessaray-" + std::to_string(::getuid()));
    struct stat info {};
    ASSERT_EQ(::lstat(folder.c_str(), &info), 0);
    EXPECT_TRUE(S_ISDIR(info.st_mode));
    EXPECT_EQ(info.st_mode & 0777, 0700u);

    // A folder of ours left open to others is closed again; a second call reuses it.
    ASSERT_EQ(::chmod(folder.c_str(), 0777), 0);
    std::string again;
    ASSERT_TRUE(GetPrivateTempFolder(again));
    EXPECT_EQ(again, folder);
    ASSERT_EQ(::lstat(folder.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & 0777, 0700u);
}

TEST_F(TempEnvTest, PlantedLinkOrFileIsRefused) {
    ::setenv("TEMP", m_dir.Path().c_str(), 1);
    const std::string name = "tessaray-" + std::to_string(::getuid());
    const std::string link = m_dir.File(name);
    const std::string target = m_dir.Path() + "/elsewhere";
    ASSERT_EQ(::mkdir(target.c_str(), 0700), 0);
    ASSERT_EQ(::symlink(target.c_str(), link.c_str()), 0);
    std::string folder = "stale";
    EXPECT_FALSE(GetPrivateTempFolder(folder));
    EXPECT_EQ(folder, "");

    ASSERT_EQ(::unlink(link.c_str()), 0);
    m_dir.Write(name, "a file");
    EXPECT_FALSE(GetPrivateTempFolder(folder));
}

TEST_F(TempEnvTest, SomeoneElsesFolderIsRefused) {
    if (::getuid() != 0) {
        GTEST_SKIP() << "only root can make a folder that belongs to another user";
    }
    ::setenv("TEMP", m_dir.Path().c_str(), 1);
    const std::string name = m_dir.Path() + "/tessaray-0";
    ASSERT_EQ(::mkdir(name.c_str(), 0700), 0);
    ASSERT_EQ(::chown(name.c_str(), 65534, 65534), 0);
    std::string folder;
    EXPECT_FALSE(GetPrivateTempFolder(folder));
}

TEST(DateStampTest, TodayAsIsoDate) {
    CDateStamp stamp;
    std::string text;
    // Bounded retry: the date may change between the two reads at midnight.
    for (int attempt = 0; attempt < 3; ++attempt) {
        stamp.Format(text);
        const std::time_t now = std::time(nullptr);
        std::tm local{};
        ::localtime_r(&now, &local);
        char expected[16];
        std::strftime(expected, sizeof expected, "%Y-%m-%d", &local);
        if (text == expected) {
            return;
        }
    }
    ADD_FAILURE() << "CDateStamp::Format gave " << text;
}

} // namespace
} // namespace tessaray
