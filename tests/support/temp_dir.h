#pragma once

#include <string>
#include <string_view>

namespace tessaray::test {

// A fresh folder below the system's temporary folder, removed with everything in it on destruction.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& Path() const { return m_strPath; }
    // Path of a file inside the folder.
    std::string File(std::string_view name) const;
    // Writes bytes to a file inside the folder and returns its path.
    std::string Write(std::string_view name, std::string_view bytes) const;

private:
    std::string m_strPath;
};

// Reads a whole file as bytes; "" when it cannot be read.
std::string ReadAll(const std::string& path);

} // namespace tessaray::test
