#include "core/util/file_util.h"

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstddef>
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

std::string ReadFailureReason(const SReadError& error) {
    switch (error.eCode) {
    case EReadError::None:
        return {};
    case EReadError::Folder:
        return "is a folder, not a file";
    case EReadError::Fifo:
        return "is a FIFO (named pipe), not a file";
    case EReadError::Device:
        return "is a device, not a file";
    case EReadError::Socket:
        return "is a socket, not a file";
    case EReadError::TooLarge:
        return "is larger than " + std::to_string(error.detail.nLimit >> 20) + " MiB";
    case EReadError::CannotOpen:
    case EReadError::ReadFailed:
        break;
    }
    return std::strerror(error.detail.nErrno != 0 ? error.detail.nErrno : EIO);
}

std::string ReadFailureReason(const CReadResult& result) {
    return result.Ok() ? std::string() : ReadFailureReason(result.GetError());
}

CResult<int, EReadError, SReadFailure> OpenInputFile(const std::string& strPath,
                                                     std::size_t nLimit) {
    const int fd = ::open(strPath.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) {
        const int error = errno;
        return SReadError{error == EISDIR ? EReadError::Folder : EReadError::CannotOpen, {error}};
    }
    struct stat info {};
    SReadError failure;
    if (::fstat(fd, &info) != 0) {
        failure = {EReadError::CannotOpen, {errno}};
    } else if (S_ISDIR(info.st_mode)) {
        failure.eCode = EReadError::Folder;
    } else if (S_ISFIFO(info.st_mode)) {
        failure.eCode = EReadError::Fifo;
    } else if (S_ISCHR(info.st_mode) || S_ISBLK(info.st_mode)) {
        failure.eCode = EReadError::Device;
    } else if (S_ISSOCK(info.st_mode) || !S_ISREG(info.st_mode)) {
        failure.eCode = EReadError::Socket;
    } else if (static_cast<unsigned long long>(info.st_size) > nLimit) {
        failure = {EReadError::TooLarge, {0, nLimit}};
    } else {
        ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
        return fd;
    }
    ::close(fd);
    return failure;
}

CReadResult ReadInputFile(const std::string& strPath, std::size_t nLimit, std::string& bytes) {
    bytes.clear();
    const auto opened = OpenInputFile(strPath, nLimit);
    if (!opened.Ok()) {
        return opened.GetError();
    }
    const int fd = opened.Value();
    CReadResult result;
    struct stat info {};
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        // Room for the whole file at once: growing the string as it fills copies it again and
        // again (it may still grow, below, if the file does).
        bytes.reserve(std::min(static_cast<std::size_t>(info.st_size), nLimit));
    }
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got == 0) {
            break;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            result = SReadError{EReadError::ReadFailed, {errno}};
            break;
        }
        // The file may have grown since it was measured.
        if (bytes.size() + static_cast<std::size_t>(got) > nLimit) {
            result = SReadError{EReadError::TooLarge, {0, nLimit}};
            break;
        }
        bytes.append(buffer, static_cast<std::size_t>(got));
    }
    ::close(fd);
    if (!result.Ok()) {
        bytes.clear();
    }
    return result;
}

bool ReadFileToString(std::string strPath, std::string& strText, bool bReplaceNul,
                      std::size_t nLimit) {
    StripQuotes(strPath);
    std::string data;
    if (!ReadInputFile(strPath, nLimit, data).Ok()) {
        return false;
    }
    auto nul = data.find('\0'); // a fast search first: most files hold none
    if (bReplaceNul && nul != std::string::npos) {
        std::replace(data.begin() + static_cast<std::ptrdiff_t>(nul), data.end(), '\0', '\1');
        nul = std::string::npos;
    }
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
