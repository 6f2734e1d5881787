#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

namespace tessaray::bench {

// A fresh folder for a benchmark's files, removed at the end.
class BenchFolder {
public:
    BenchFolder() {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "tessaray-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) != nullptr) {
            m_strPath = pattern;
        }
    }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(m_strPath, ignored);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;
    std::string File(const std::string& name) const { return m_strPath + "/" + name; }

private:
    std::string m_strPath;
};

} // namespace tessaray::bench
