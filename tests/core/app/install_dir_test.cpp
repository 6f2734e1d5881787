#include "core/app/install_dir.h"

#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

namespace tessaray {
namespace {

// An exists-check over a fixed set of paths that records what it was asked.
struct FakeFileSystem {
    std::set<std::string> paths;
    std::vector<std::string> asked;

    ExistsCheck Check() {
        return [this](const std::string& path) {
            asked.push_back(path);
            return paths.count(path) != 0;
        };
    }
};

TEST(InstallDir, ProgramFileFolderWins) {
    FakeFileSystem fs{{"/opt/tools/tessaray/tessaray", "/stored"}, {}};
    EXPECT_EQ(FindInstallDir("/opt/tools/tessaray/tessaray", fs.Check(), "/stored"),
              "/opt/tools/tessaray");
    // A program file directly below the root has no folder part.
    fs.paths.insert("/tessaray");
    EXPECT_EQ(FindInstallDir("/tessaray", fs.Check(), "/stored"), "");
}

TEST(InstallDir, MovedProgramIsLookedUpBelowTheProgramFolder) {
    FakeFileSystem fs{{"/opt/tessaray/tessaray", "/stored"}, {}};
    // "/home/tessaray/tessaray" is missing; "/opt/" + "tessaray/tessaray" exists, and the answer is
    // the folder of the program path (not of the candidate).
    EXPECT_EQ(FindInstallDir("/home/tessaray/tessaray", fs.Check(), "/stored"), "/home/tessaray");
    EXPECT_EQ(fs.asked,
              (std::vector<std::string>{"/home/tessaray/tessaray", "/opt/tessaray/tessaray"}));
    // Without a first folder to drop there is no candidate: the stored setting decides.
    EXPECT_EQ(FindInstallDir("/tessaray", fs.Check(), "/stored"), "/stored");
    EXPECT_EQ(FindInstallDir("//tessaray", fs.Check(), "/stored"), "/stored");
}

TEST(InstallDir, StoredSettingIsTheFallback) {
    FakeFileSystem fs{{"/usr/local/tessaray"}, {}};
    // Relative program path: no root prefix, so the stored value is used, trailing '/' removed.
    EXPECT_EQ(FindInstallDir("bin/tessaray", fs.Check(), "/usr/local/tessaray/"),
              "/usr/local/tessaray");
    EXPECT_EQ(FindInstallDir("", fs.Check(), "/usr/local/tessaray"), "/usr/local/tessaray");
    // Missing program, no candidate below /opt and a stored folder that is gone: nothing.
    EXPECT_EQ(FindInstallDir("/gone/bin/tessaray", fs.Check(), "/gone/bin"), "");
    EXPECT_EQ(FindInstallDir("/gone/bin/tessaray", fs.Check(), ""), "");
}

TEST(InstallDir, RuntimeFilesBesideTheProgramElseThePackageLayout) {
    FakeFileSystem fs{{"/home/u/tessaray/report.html", "/usr/share/tessaray",
                       "/usr/share/tessaray/report.html", "/share/tessaray"},
                      {}};
    EXPECT_EQ(FindRuntimeFolder("/home/u/tessaray", fs.Check()), "/home/u/tessaray");
    EXPECT_EQ(FindRuntimeFolder("/usr/bin", fs.Check()), "/usr/share/tessaray");
    EXPECT_EQ(FindRuntimeFolder("/bin", fs.Check()), "/share/tessaray");
    // The stored folder of an earlier start of the package holds the files itself.
    EXPECT_EQ(FindRuntimeFolder("/usr/share/tessaray", fs.Check()), "/usr/share/tessaray");
    // Neither: the program's folder stays, and so does "" (nothing found).
    EXPECT_EQ(FindRuntimeFolder("/usr/local/bin", fs.Check()), "/usr/local/bin");
    EXPECT_EQ(FindRuntimeFolder("", fs.Check()), "");
}

} // namespace
} // namespace tessaray
