#include "core/util/file_util.h"

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaray {

void GetFolderPart(const std::string& strPath, std::string& strFolder) {
    const auto pos = strPath.rfind(kPathSeparator);
    if (pos != std::string::npos && pos > 0) {
        strFolder = strPath.substr(0, pos);
    }
}

void GetFileNamePart(const std::string& strPath, std::string& strName) {
    const auto pos = strPath.rfind(kPathSeparator);
    if (pos != std::string::npos && pos > 0) {
        strName = strPath.substr(pos + 1);
    } else {
        strName = strPath;
    }
}

void GetFileTitlePart(const std::string& strPath, std::string& strTitle) {
    GetFileNamePart(strPath, strTitle);
    const auto dot = strTitle.rfind('.');
    if (dot != std::string::npos) {
        strTitle.resize(dot);
    }
}

bool FileExists(const std::string& strPath) {
    return ::access(strPath.c_str(), F_OK) == 0;
}

void StripQuotes(std::string& str) {
    if (str.size() < 3) {
        return;
    }
    if (str.front() == '"') {
        str.erase(0, 1);
    }
    if (!str.empty() && str.back() == '"') {
        str.pop_back();
    }
}

bool ReadFileToString(std::string strPath, std::string& strText, bool bReplaceNul) {
    StripQuotes(strPath);
    std::FILE* file = std::fopen(strPath.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    std::string data;
    struct stat info {};
    // A folder opens on this platform but is no file; a file above 2 GiB is refused.
    if (::fstat(::fileno(file), &info) != 0 || S_ISDIR(info.st_mode) || info.st_size > 0x7FFFFFFF) {
        std::fclose(file);
        return false;
    }
    if (S_ISREG(info.st_mode)) {
        data.reserve(static_cast<std::size_t>(info.st_size));
    }
    char buffer[65536];
    std::size_t got = 0;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        data.append(buffer, got);
        if (data.size() > 0x7FFFFFFF) {
            std::fclose(file);
            return false;
        }
    }
    std::fclose(file);
    if (bReplaceNul) {
        for (char& c : data) {
            if (c == '\0') {
                c = '\1';
            }
        }
    }
    const auto nul = data.find('\0');
    if (nul != std::string::npos) {
        data.resize(nul);
    }
    strText = std::move(data);
    return !strText.empty();
}

bool WriteStringToFile(const std::string& strPath, std::string_view strText) {
    const int fd = ::open(strPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (fd < 0) {
        return false;
    }
    const char* data = strText.data();
    std::size_t left = strText.size();
    bool ok = true;
    while (left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            ok = false;
            break;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    if (::close(fd) != 0) {
        ok = false;
    }
    return ok;
}

bool GetLongFolderName(const std::string& strPath, std::string& strLong) {
    strLong.clear();
    if (strPath.find(kPathSeparator) == std::string::npos) {
        return false;
    }
    char resolved[PATH_MAX];
    if (::realpath(strPath.c_str(), resolved) == nullptr) {
        return false;
    }
    strLong = resolved;
    return true;
}

bool GetTempFolder(std::string& strRaw, std::string& strResolved) {
    strRaw.clear();
    strResolved.clear();
    std::string value = "/tmp";
    for (const char* name : {"TEMP", "TMP", "TMPDIR"}) {
        const char* found = std::getenv(name);
        if (found != nullptr && *found != '\0') {
            value = found;
            break;
        }
    }
    if (::access(value.c_str(), W_OK) != 0) {
        return false;
    }
    strRaw = value;
    std::string longForm;
    if (GetLongFolderName(strRaw, longForm) && ::access(longForm.c_str(), W_OK) == 0) {
        strResolved = longForm;
    } else {
        strResolved = strRaw;
    }
    return true;
}

bool GetPrivateTempFolder(std::string& strFolder) {
    strFolder.clear();
    std::string raw;
    std::string resolved;
    if (!GetTempFolder(raw, resolved)) {
        return false;
    }
    const std::string folder = resolved + kPathSeparator + "tessaray-" + std::to_string(::getuid());
    if (::mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) {
        return false;
    }
    struct stat info {};
    // lstat: a symbolic link planted under our name is refused, not followed.
    if (::lstat(folder.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) ||
        info.st_uid != ::getuid()) {
        return false;
    }
    if ((info.st_mode & 0077) != 0 && ::chmod(folder.c_str(), 0700) != 0) {
        return false;
    }
    strFolder = folder;
    return true;
}

void CDateStamp::Format(std::string& str) {
    m_time = std::time(nullptr);
    ::localtime_r(&m_time, &m_local);
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", m_local.tm_year + 1900,
                  m_local.tm_mon + 1, m_local.tm_mday);
    str = buffer;
}

} // namespace tessaray
