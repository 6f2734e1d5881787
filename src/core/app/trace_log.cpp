#include "core/app/trace_log.h"

#include "core/util/file_util.h"
#include "core/util/message_sink.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace tessaray {

namespace {

constexpr std::string_view kSwitchIdentity = "Dalvero Works";

} // namespace

CTraceLog::CTraceLog(std::string baseFolder)
    : m_strBaseFolder(baseFolder.empty() ? DefaultBaseFolder() : std::move(baseFolder)),
      m_strFolder(m_strBaseFolder) {}

std::string CTraceLog::DefaultBaseFolder() {
    std::string home;
    if (const char* env = std::getenv("HOME"); env != nullptr && *env != '\0') {
        home = env;
    } else if (const passwd* user = ::getpwuid(::getuid()); user != nullptr) {
        home = user->pw_dir;
    }
    return home + "/Dalvero/TRACE";
}

bool CTraceLog::Init() {
    if (m_strName.empty()) {
        return m_bOn;
    }
    m_strFolder = m_strBaseFolder + kPathSeparator + m_strName;
    m_strSwitchFile = m_strFolder + kPathSeparator + m_strName + ".ini";
    m_strTraceFile = m_strFolder + kPathSeparator + m_strName + "_TRACE.txt";
    if (!FileExists(m_strSwitchFile)) {
        return m_bOn;
    }
    m_settings.Open(m_strSwitchFile, "", kSettingsFileLimit);
    if (std::string reason; !m_settings.WasReadable(&reason)) {
        ShowMessage(m_strSwitchFile + " " + reason + "; tracing stays off.");
        return m_bOn;
    }
    m_settings.ReadAppInfo();
    if (m_settings.GetCopyright().find(kSwitchIdentity) == std::string::npos) {
        return m_bOn;
    }
    if (m_settings.ReadInt("SETTINGS", "TRACE", 0) == 1) {
        m_bOn = true;
    }
    return m_bOn;
}

void CTraceLog::Begin() {
    m_lines.RemoveAll();
    if (m_bOn) {
        std::remove(m_strTraceFile.c_str());
    }
}

void CTraceLog::Line(std::string_view text) {
    if (m_bOn) {
        m_lines.Add(text);
    }
}

void CTraceLog::End() {
    if (!m_bOn) {
        return;
    }
    m_lines.SaveToFile(m_strTraceFile, true);
    m_lines.RemoveAll();
}

void CTraceLog::Page(const std::string& fileName, std::string_view text) {
    if (!m_bOn) {
        return;
    }
    std::string name = fileName;
    std::replace(name.begin(), name.end(), '\\', kPathSeparator);
    WriteStringToFile(m_strFolder + kPathSeparator + name, text);
}

void TraceBegin(CTraceLog& log, std::string_view version) {
    log.Begin();
    log.Line("Version=" + std::string(version));
    log.Line(std::string(80, '#'));
    log.Line(" ");
}

} // namespace tessaray
