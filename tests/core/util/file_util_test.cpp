#include "core/util/file_util.h"

#include "core/app/tips_reader.h"
#include "core/app/trace_log.h"
#include "core/project/link_import.h"
#include "core/project/project.h"
#include "core/results/html_report.h"
#include "core/util/message_sink.h"
#include "temp_dir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <fcntl.h>
#include <functional>
#include <future>
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

TEST(FileReadWriteTest, ReadInputFileTakesRegularFilesUpToTheLimit) {
    test::TempDir dir;
    std::string bytes;
    const std::string path = dir.Write("f", std::string("a\0b", 3));
    EXPECT_TRUE(ReadInputFile(path, 3, bytes).Ok());
    EXPECT_EQ(bytes, std::string("a\0b", 3));
    const CReadResult large = ReadInputFile(path, 2, bytes);
    EXPECT_EQ(large.Code(), EReadError::TooLarge);
    EXPECT_EQ(bytes, "");
    EXPECT_EQ(ReadFailureReason(ReadInputFile(dir.File("none"), 9, bytes)),
              "No such file or directory");
}

// No-op tip settings for the tips reader.
struct NoTipSettings : ITipSettings {
    int ReadStartUp() override { return 0; }
    std::int64_t ReadFilePos() override { return 0; }
    std::string ReadTimeStamp() override { return ""; }
    void WriteStartUp(int) override {}
    void WriteFilePos(std::int64_t) override {}
    void WriteTimeStamp(const std::string&) override {}
};

// Every kind of file the program reads, by the path it reads in folder and how to read it;
// read returns the message or reason the user sees.
struct SInputKind {
    const char* pszName;
    const char* pszFile;
    std::function<std::string(const std::string& folder, const std::string& path)> read;
};

std::string ShownMessage(const std::function<void()>& action) {
    std::string shown;
    const MessageHandler previous =
        SetMessageHandler([&shown](const std::string& text) { shown += text; });
    action();
    SetMessageHandler(previous);
    return shown;
}

const std::vector<SInputKind>& InputKinds() {
    static const std::vector<SInputKind> kinds = {
        {"project", "p.tsrp",
         [](const std::string&, const std::string& path) {
             CProject project;
             const CProjectResult loaded = project.Load(path);
             EXPECT_FALSE(loaded.Ok());
             return loaded.Ok() ? std::string() : ProjectErrorText(loaded.GetError());
         }},
        {"text import", "list.txt",
         [](const std::string&, const std::string& path) {
             CLineList out;
             CReadResult read;
             EXPECT_FALSE(ImportTextList(path, out, &read));
             return ReadFailureReason(read);
         }},
        {"csv import", "list.csv",
         [](const std::string&, const std::string& path) {
             CLineList out;
             CReadResult read;
             EXPECT_FALSE(ImportCsvColumn(path, ',', 1, out, &read));
             return ReadFailureReason(read);
         }},
        {"google table", "table.csv",
         [](const std::string&, const std::string& path) {
             CLineList out;
             CReadResult read;
             EXPECT_FALSE(ImportGoogleTable(path, ',', 2, out, &read));
             return ReadFailureReason(read);
         }},
        {"template", "report.html",
         [](const std::string&, const std::string& path) {
             CHtmlReport report;
             EXPECT_FALSE(report.LoadTemplate(path));
             return ReadFailureReason(report.GetReadResult());
         }},
        {"tips", "tips.txt",
         [](const std::string& folder, const std::string&) {
             return ShownMessage([&folder] {
                 NoTipSettings settings;
                 const CTipsReader reader(folder, settings);
                 EXPECT_FALSE(reader.HasFile());
             });
         }},
        {"trace switch", "TSRAY/TSRAY.ini",
         [](const std::string& folder, const std::string&) {
             return ShownMessage([&folder] {
                 CTraceLog log(folder);
                 log.SetName("TSRAY");
                 EXPECT_FALSE(log.Init());
             });
         }},
    };
    return kinds;
}

TEST(InputFileTest, EveryKindRefusesFifosDevicesAndFoldersWithoutHanging) {
    for (const SInputKind& kind : InputKinds()) {
        for (const char* what : {"FIFO", "device", "folder"}) {
            SCOPED_TRACE(std::string(kind.pszName) + " / " + what);
            test::TempDir dir;
            ::mkdir(dir.File("TSRAY").c_str(), 0700);
            const std::string path = dir.File(kind.pszFile);
            if (std::string_view(what) == "FIFO") {
                ASSERT_EQ(::mkfifo(path.c_str(), 0600), 0);
            } else if (std::string_view(what) == "device") {
                ASSERT_EQ(::symlink("/dev/zero", path.c_str()), 0);
            } else {
                ASSERT_EQ(::mkdir(path.c_str(), 0700), 0);
            }
            auto reading = std::async(std::launch::async,
                                      [&kind, &dir, &path] { return kind.read(dir.Path(), path); });
            // A bound that only stops a hang: a reader blocked on the FIFO is released by a
            // writer that opens and closes it.
            if (reading.wait_for(std::chrono::seconds(20)) != std::future_status::ready) {
                ADD_FAILURE() << "the reader hangs";
                ::close(::open(path.c_str(), O_WRONLY | O_NONBLOCK));
            }
            EXPECT_NE(reading.get().find(what), std::string::npos);
        }
    }
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
