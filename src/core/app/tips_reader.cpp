#include "core/app/tips_reader.h"

#include "core/util/file_util.h"
#include "core/util/message_sink.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaray {

namespace {

bool IsSkipped(char first) {
    return first == ' ' || first == '\t' || first == '\n' || first == ';';
}

} // namespace

std::string FormatCtime(std::time_t time) {
    static constexpr const char* kDays[] = {"Sun", "Mon", "Tue", "Wed", "Thu", "Fri", "Sat"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    std::tm local{};
    if (::localtime_r(&time, &local) == nullptr || local.tm_wday < 0 || local.tm_wday > 6 ||
        local.tm_mon < 0 || local.tm_mon > 11) {
        return "";
    }
    char text[64];
    std::snprintf(text, sizeof text, "%s %s %2d %02d:%02d:%02d %d", kDays[local.tm_wday],
                  kMonths[local.tm_mon], local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec,
                  local.tm_year + 1900);
    return text;
}

std::string GetFileCreationStamp(std::FILE* file) {
    struct statx status {};
    if (::statx(::fileno(file), "", AT_EMPTY_PATH, STATX_BTIME | STATX_CTIME, &status) != 0) {
        return "";
    }
    if ((status.stx_mask & STATX_BTIME) != 0) {
        return FormatCtime(static_cast<std::time_t>(status.stx_btime.tv_sec));
    }
    if ((status.stx_mask & STATX_CTIME) != 0) {
        return FormatCtime(static_cast<std::time_t>(status.stx_ctime.tv_sec));
    }
    return "";
}

CTipsReader::CTipsReader(const std::string& folder, ITipSettings& settings,
                         std::string_view fileName)
    : m_settings(settings) {
    m_bShowAtStartup = m_settings.ReadStartUp() == 0;
    std::int64_t position = m_settings.ReadFilePos();
    const std::string path = folder + "/" + std::string(fileName);
    const auto opened = OpenInputFile(path, kTipsFileLimit);
    if (!opened.Ok()) {
        // A missing tips file only means no tips; anything else in its place is worth a word.
        if (opened.Code() != EReadError::CannotOpen) {
            ShowMessage(path + " " + ReadFailureReason(opened.GetError()) + "; no tips are shown.");
        }
        return;
    }
    const int fd = opened.Value();
    m_file = ::fdopen(fd, "rb");
    if (m_file == nullptr) {
        ::close(fd);
        return;
    }
    const std::string stamp = GetFileCreationStamp(m_file);
    if (stamp != m_settings.ReadTimeStamp()) {
        m_settings.WriteTimeStamp(stamp);
        position = 0;
    }
    if (Seek(position)) {
        GetNextTip(m_strTip);
    }
}

CTipsReader::~CTipsReader() {
    if (m_file == nullptr) {
        return;
    }
    const std::int64_t position = GetPosition();
    if (position >= 0) {
        m_settings.WriteFilePos(position);
    }
    std::fclose(m_file);
}

void CTipsReader::WriteShowAtStartup(bool bShow) {
    m_bShowAtStartup = bShow;
    m_settings.WriteStartUp(bShow ? 0 : 1);
}

bool CTipsReader::ReadPiece(std::string& out) {
    out.clear();
    while (out.size() < kMaxPiece) {
        int c = std::getc(m_file);
        if (c == EOF) {
            break;
        }
        if (c == '\r') {
            const int next = std::getc(m_file);
            if (next == '\n') {
                c = '\n';
            } else if (next != EOF) {
                std::ungetc(next, m_file);
            }
        }
        out += static_cast<char>(c);
        if (c == '\n') {
            break;
        }
    }
    return !out.empty();
}

bool CTipsReader::GetNextTip(std::string& out) {
    if (m_file == nullptr) {
        return false;
    }
    std::string line;
    bool bWrapped = false;
    for (;;) {
        if (ReadPiece(line)) {
            if (IsSkipped(line[0])) {
                continue;
            }
            m_strTip = line;
            out = line;
            m_state = State::Ready;
            return true;
        }
        if (std::ferror(m_file) != 0) {
            std::clearerr(m_file);
            m_state = State::ReadTrouble;
            return false;
        }
        // A second end of file in one search means the whole file was read without a tip.
        if (bWrapped) {
            m_state = State::NoTips;
            return false;
        }
        if (!Seek(0)) {
            return false;
        }
        bWrapped = true;
    }
}

std::int64_t CTipsReader::GetPosition() const {
    return m_file == nullptr ? -1 : static_cast<std::int64_t>(std::ftell(m_file));
}

bool CTipsReader::Seek(std::int64_t position) {
    if (m_file == nullptr || std::fseek(m_file, static_cast<long>(position), SEEK_SET) != 0) {
        m_state = State::ReadTrouble;
        return false;
    }
    return true;
}

} // namespace tessaray
