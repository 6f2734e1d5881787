#pragma once

#include "core/project/line_list.h"
#include "core/project/profile_file.h"

#include <string>
#include <string_view>

namespace tessaray {

// The diagnostic record of an analysis run. Off unless the switch file <folder>/<name>/<name>.ini
// exists with a COPYRIGHT containing "Dalvero Works" and [SETTINGS] TRACE=1. When on, the lines
// of a run are collected in memory and written to <name>_TRACE.txt at its end; whole pages can be
// dumped into the same folder. The program never creates, changes or deletes the switch file or
// the folders.
class CTraceLog {
public:
    // baseFolder is where the per-name folders live; "" means $HOME/Dalvero/TRACE.
    explicit CTraceLog(std::string baseFolder = "");

    void SetName(const std::string& name) { m_strName = name; }
    // Reads the switch file and decides, once, whether tracing is on; returns that.
    bool Init();
    bool IsOn() const { return m_bOn; }

    // Empties the lines; when on, deletes the trace file.
    void Begin();
    // When on, collects text.
    void Line(std::string_view text);
    // When on, writes the collected lines (each ended by CR LF) to the trace file and empties them.
    void End();
    // When on, writes exactly the bytes of text to fileName in the trace folder. A '\\' in the
    // name separates folders like '/'; missing folders are not created and failures are ignored.
    void Page(const std::string& fileName, std::string_view text);

    const std::string& GetFolder() const { return m_strFolder; }
    const std::string& GetSwitchFile() const { return m_strSwitchFile; }
    const std::string& GetTraceFile() const { return m_strTraceFile; }

    // $HOME/Dalvero/TRACE (the home folder from the user database when HOME is unset).
    static std::string DefaultBaseFolder();

private:
    bool m_bOn = false;
    CLineList m_lines;
    std::string m_strBaseFolder;
    std::string m_strFolder;
    std::string m_strSwitchFile;
    std::string m_strTraceFile;
    std::string m_strName;
    CProfileFile m_settings;
};

// The header of a run: Begin, then "Version=" and the version code, 80 '#' and a single blank.
void TraceBegin(CTraceLog& log, std::string_view version);

} // namespace tessaray
