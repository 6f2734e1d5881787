#include "core/project/profile_file.h"

#include "core/project/url_rules.h"
#include "core/util/file_util.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaray {

namespace {

constexpr const char* kAppSection = "APPLICATION";

std::string ErrnoText(int error) {
    return std::strerror(error);
}

bool WriteAll(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// A name for a temporary file beside path that no other save of this process uses.
std::string TempPathBeside(const std::string& path, int attempt) {
    static std::atomic<unsigned> counter{0};
    return path + ".tmp" + std::to_string(::getpid()) + "-" + std::to_string(counter++) + "-" +
           std::to_string(attempt);
}

// Creates a new file beside path and returns its descriptor (-1 with errno set on failure).
int CreateTempBeside(const std::string& path, std::string& tempPath) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        tempPath = TempPathBeside(path, attempt);
        const int fd = ::open(tempPath.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

// Makes the folder's entries (a rename) durable; a failure only weakens crash safety.
void SyncFolderOf(const std::string& path) {
    std::string folder = ".";
    GetFolderPart(path, folder);
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        ::fsync(fd);
        ::close(fd);
    }
}

// Writes bytes to a fresh file beside path, flushes it to disk and renames it over path.
bool ReplaceFileAtomically(const std::string& path, std::string_view bytes,
                           const FileWriter& writer, std::string* pReason) {
    auto fail = [&](const std::string& what, int error) {
        if (pReason != nullptr) {
            *pReason = what + " \"" + path + "\": " + ErrnoText(error);
        }
        return false;
    };
    std::string tempPath;
    const int fd = CreateTempBeside(path, tempPath);
    if (fd < 0) {
        return fail("Cannot create a file beside", errno);
    }
    // A replaced file keeps its permissions.
    struct stat old {};
    if (::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode)) {
        ::fchmod(fd, old.st_mode & 07777);
    }
    errno = EIO;
    const bool written = writer ? writer(fd, bytes) : WriteAll(fd, bytes);
    int error = errno;
    bool ok = written && ::fsync(fd) == 0;
    if (written && !ok) {
        error = errno;
    }
    if (::close(fd) != 0 && ok) {
        ok = false;
        error = errno;
    }
    if (!ok) {
        ::unlink(tempPath.c_str());
        return fail("Cannot write", error);
    }
    if (::rename(tempPath.c_str(), path.c_str()) != 0) {
        error = errno;
        ::unlink(tempPath.c_str());
        return fail("Cannot replace", error);
    }
    SyncFolderOf(path);
    return true;
}

enum class EBackup { Kept, Exists, Failed };

// Keeps the file at path under backup unless backup exists: a hard link when the file system
// has them, else a copy that appears under its name only when complete.
EBackup KeepBackup(const std::string& path, const std::string& backup, std::string* pReason) {
    if (backup.empty()) {
        return EBackup::Failed;
    }
    if (::link(path.c_str(), backup.c_str()) == 0) {
        return EBackup::Kept;
    }
    if (errno == EEXIST) {
        return EBackup::Exists;
    }
    std::string bytes;
    if (const CReadResult read = ReadInputFile(path, kProjectFileLimit, bytes); !read.Ok()) {
        if (pReason != nullptr) {
            *pReason = ReadFailureReason(read);
        }
        return EBackup::Failed;
    }
    std::string tempPath;
    const int fd = CreateTempBeside(backup, tempPath);
    if (fd < 0) {
        if (pReason != nullptr) {
            *pReason = std::strerror(errno);
        }
        return EBackup::Failed;
    }
    bool ok = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int error = errno;
    ::close(fd);
    // Fails, as wanted, when the backup appeared meanwhile.
    if (ok && ::link(tempPath.c_str(), backup.c_str()) != 0) {
        ok = false;
        error = errno;
    }
    ::unlink(tempPath.c_str());
    if (ok) {
        return EBackup::Kept;
    }
    if (error == EEXIST) {
        return EBackup::Exists;
    }
    if (pReason != nullptr) {
        *pReason = std::strerror(error);
    }
    return EBackup::Failed;
}

} // namespace

CProfileFile::CProfileFile() : m_strInternet(kMakerInternet), m_strCopyright(kMakerCopyright) {}

bool CProfileFile::Open(const std::string& path, const std::string& name, std::size_t nSizeLimit) {
    m_bOpen = false;
    m_strPath.clear();
    m_strName = name;
    m_strReadError.clear();
    Clear();
    const std::size_t separator = path.rfind(kPathSeparator);
    if (separator == std::string::npos || separator == 0) {
        return false;
    }
    std::string folder;
    GetFolderPart(path, folder);
    struct stat info {};
    if (::stat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode)) {
        return false;
    }
    m_strPath = path;
    m_bOpen = true;
    if (FileExists(path)) {
        std::string text;
        if (const CReadResult result = ReadInputFile(path, nSizeLimit, text); result.Ok()) {
            ParseText(text);
        } else {
            m_strReadError = ReadFailureReason(result);
        }
    }
    return true;
}

bool CProfileFile::WasReadable(std::string* pReason) const {
    if (pReason != nullptr) {
        *pReason = m_strReadError;
    }
    return m_strReadError.empty();
}

void CProfileFile::SetAppInfo(const std::string& version, const std::string& internet,
                              const std::string& copyright) {
    m_strVersion = version;
    m_strInternet = internet;
    m_strCopyright = copyright;
}

void CProfileFile::WriteAppInfo() {
    const std::pair<const char*, const std::string*> keys[] = {{"NAME", &m_strName},
                                                               {"VERSION", &m_strVersion},
                                                               {"INTERNET", &m_strInternet},
                                                               {"COPYRIGHT", &m_strCopyright}};
    for (const auto& [key, value] : keys) {
        if (!value->empty()) {
            WriteString(kAppSection, key, *value);
        }
    }
}

void CProfileFile::ReadAppInfo() {
    ReadString(kAppSection, "NAME", "", m_strName);
    ReadString(kAppSection, "VERSION", "", m_strVersion);
    ReadString(kAppSection, "INTERNET", "", m_strInternet);
    ReadString(kAppSection, "COPYRIGHT", "", m_strCopyright);
}

std::string CProfileFile::BackupPathOf(const std::string& path) {
    const std::size_t dot = path.rfind('.');
    // A dot in a folder name is no extension: the backup would land beside the folder.
    const std::size_t separator = path.rfind(kPathSeparator);
    if (dot == std::string::npos || dot == 0 ||
        (separator != std::string::npos && dot < separator)) {
        return "";
    }
    return path.substr(0, dot + 1) + "bak";
}

std::string KeepNumberedBackup(const std::string& path, std::string* pReason) {
    std::string base = CProfileFile::BackupPathOf(path);
    if (base.empty()) {
        base = path + ".bak";
    }
    // Bounded: a folder with this many backups of one file is full of them, not of free names.
    constexpr int kMaxBackups = 10000;
    for (int number = 0; number < kMaxBackups; ++number) {
        std::string backup = base;
        if (number > 0) {
            backup.append(".").append(std::to_string(number));
        }
        std::string reason;
        switch (KeepBackup(path, backup, &reason)) {
        case EBackup::Kept:
            return backup;
        case EBackup::Exists:
            continue;
        case EBackup::Failed:
            if (pReason != nullptr) {
                *pReason = "Cannot keep a copy as \"";
                pReason->append(backup).append("\": ").append(reason);
            }
            return {};
        }
    }
    if (pReason != nullptr) {
        *pReason = "No free backup name beside \"" + path + "\"";
    }
    return {};
}

bool CProfileFile::PrepareNewFile() {
    if (!m_bOpen || m_strPath.empty()) {
        return false;
    }
    // The old file stays in place until Flush renames the new one over it.
    if (FileExists(m_strPath)) {
        KeepBackup(m_strPath, BackupPathOf(m_strPath), nullptr);
    }
    Clear();
    WriteAppInfo();
    return true;
}

void CProfileFile::Clear() {
    m_sections.clear();
    m_sectionIndex.clear();
}

const CProfileFile::CSection* CProfileFile::FindSection(std::string_view section) const {
    const auto it = m_sectionIndex.find(ToLowerAscii(TrimView(section)));
    return it == m_sectionIndex.end() ? nullptr : &m_sections[it->second];
}

CProfileFile::CSection& CProfileFile::GetOrAddSection(std::string_view section) {
    const auto [it, added] =
        m_sectionIndex.try_emplace(ToLowerAscii(TrimView(section)), m_sections.size());
    if (added) {
        m_sections.push_back(CSection{std::string(TrimView(section)), {}, {}});
    }
    return m_sections[it->second];
}

std::size_t CProfileFile::ReadString(std::string_view section, std::string_view key,
                                     std::string_view defaultValue, std::string& out) const {
    std::string_view value = defaultValue;
    if (const CSection* found = FindSection(section)) {
        const auto it = found->index.find(ToLowerAscii(TrimView(key)));
        if (it != found->index.end()) {
            value = found->entries[it->second].strValue;
        }
    }
    out.assign(value.substr(0, kMaxValueLength));
    return out.size();
}

int CProfileFile::ReadInt(std::string_view section, std::string_view key, int defaultValue) const {
    std::string value;
    if (ReadString(section, key, "", value) == 0) {
        return defaultValue;
    }
    std::string_view text = TrimView(value);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    // Wraps around modulo 2^32, as the stored numbers are 32-bit, without overflow.
    std::uint32_t number = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') {
            break;
        }
        number = number * 10u + static_cast<std::uint32_t>(c - '0');
    }
    if (negative) {
        number = 0u - number;
    }
    return static_cast<int>(number);
}

void CProfileFile::WriteString(std::string_view section, std::string_view key,
                               std::string_view value) {
    // A line end inside a value would split it and could forge further keys or sections.
    std::string line(value);
    std::replace_if(
        line.begin(), line.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    CSection& target = GetOrAddSection(section);
    const auto [it, added] =
        target.index.try_emplace(ToLowerAscii(TrimView(key)), target.entries.size());
    if (added) {
        target.entries.push_back(CEntry{std::string(TrimView(key)), std::move(line)});
    } else {
        target.entries[it->second].strValue = std::move(line);
    }
}

void CProfileFile::WriteBool(std::string_view section, std::string_view key, bool flag) {
    WriteString(section, key, flag ? "1" : "0");
}

void CProfileFile::ParseText(std::string_view text) {
    Clear();
    // Files saved by editors may begin with a UTF-8 byte-order mark.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        text.remove_prefix(3);
    }
    CSection* current = nullptr;
    while (!text.empty()) {
        const std::size_t end = text.find_first_of("\r\n");
        std::string_view line = TrimView(text.substr(0, end));
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            line.remove_prefix(1);
            const std::size_t close = line.find(']');
            const std::string_view name = TrimView(line.substr(0, close));
            const auto [it, added] = m_sectionIndex.try_emplace(ToLowerAscii(name), 0);
            if (added) {
                it->second = m_sections.size();
                m_sections.push_back(CSection{std::string(name), {}, {}});
                current = &m_sections.back();
            } else {
                // A repeated section is never found; its keys are skipped.
                current = nullptr;
            }
            continue;
        }
        const std::size_t equals = line.find('=');
        if (current == nullptr || equals == std::string_view::npos) {
            continue;
        }
        const std::string_view key = TrimView(line.substr(0, equals));
        std::string_view value = TrimView(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
            value.back() == value.front()) {
            value = value.substr(1, value.size() - 2);
        }
        const auto [it, added] = current->index.try_emplace(ToLowerAscii(key), 0);
        if (added) {
            it->second = current->entries.size();
            current->entries.push_back(CEntry{std::string(key), std::string(value)});
        }
    }
}

std::string CProfileFile::FormatText() const {
    std::size_t size = 0;
    for (const CSection& section : m_sections) {
        size += section.strName.size() + 4;
        for (const CEntry& entry : section.entries) {
            size += entry.strKey.size() + entry.strValue.size() + 3;
        }
    }
    std::string text;
    text.reserve(size);
    for (const CSection& section : m_sections) {
        text.append("[").append(section.strName).append("]\r\n");
        for (const CEntry& entry : section.entries) {
            text.append(entry.strKey).append("=").append(entry.strValue).append("\r\n");
        }
    }
    return text;
}

bool CProfileFile::Flush(std::string* pReason, const FileWriter& writer) const {
    if (!m_bOpen || m_strPath.empty()) {
        if (pReason != nullptr) {
            *pReason = "No file to write to";
        }
        return false;
    }
    return ReplaceFileAtomically(m_strPath, FormatText(), writer, pReason);
}

} // namespace tessaray
