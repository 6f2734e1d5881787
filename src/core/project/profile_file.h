#pragma once

#include "core/util/file_util.h"

#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace tessaray {

// Writes bytes to an open file descriptor; false when not all of them could be written. Saving
// goes through one of these so that tests can make a write fail halfway.
using FileWriter = std::function<bool(int fd, std::string_view bytes)>;

// The maker's web address and copyright text: the identity a new profile starts with, and the one
// project files carry.
inline constexpr const char* kMakerInternet = "http://tessaray.example.com";
inline constexpr const char* kMakerCopyright = "Copyright (c) Dalvero Works";

// An INI ("profile") file bound to one path and stamped with an identity section "APPLICATION".
//
// The file is parsed once when it is opened and kept in memory; reads follow the Windows profile
// rules (section and key names without regard to case, blanks around names and values ignored, a
// value in matching quotes loses them, the first matching section and key win, values cut to
// 4093 characters). Writes change the in-memory copy only; Flush writes the whole file at once,
// through a temporary file in the same folder that is renamed over the target, so the file on
// disk is always either the old or the new complete one.
class CProfileFile {
public:
    // Longest value ReadString hands back.
    static constexpr std::size_t kMaxValueLength = 4093;

    CProfileFile();

    // Binds the profile to path when its folder (the text before the last separator, which must
    // not be the first character) exists, and reads the file when there is one. NAME := name.
    // The file itself need not exist; one that is no regular file or is larger than nSizeLimit
    // counts as unreadable. Returns whether the profile is open.
    bool Open(const std::string& path, const std::string& name,
              std::size_t nSizeLimit = kProjectFileLimit);
    bool IsOpen() const { return m_bOpen; }
    const std::string& GetPath() const { return m_strPath; }
    // False when a file existed at Open but could not be read; strReason then tells why.
    bool WasReadable(std::string* pReason = nullptr) const;

    void SetAppInfo(const std::string& version, const std::string& internet,
                    const std::string& copyright);
    // Writes NAME, VERSION, INTERNET and COPYRIGHT to "APPLICATION", each only when non-empty.
    void WriteAppInfo();
    // Reads the four identity values from "APPLICATION" (default "").
    void ReadAppInfo();
    const std::string& GetName() const { return m_strName; }
    const std::string& GetVersion() const { return m_strVersion; }
    const std::string& GetInternet() const { return m_strInternet; }
    const std::string& GetCopyright() const { return m_strCopyright; }

    // Starts a new file: keeps an existing file as the backup (path up to and including its last
    // '.' followed by "bak"; an existing backup is never replaced), empties the in-memory profile
    // and writes the identity. False when not open.
    bool PrepareNewFile();

    // out := the value (cut to 4093 characters) or the default; returns out's length.
    std::size_t ReadString(std::string_view section, std::string_view key,
                           std::string_view defaultValue, std::string& out) const;
    // The value read as an integer: optional blanks and sign, then the leading digits (0 when
    // there are none); the default when the key is missing or empty.
    int ReadInt(std::string_view section, std::string_view key, int defaultValue) const;
    // Replaces the value of an existing key, else appends the key to its section, else appends
    // the section with the key. CR and LF in the value are stored as blanks.
    void WriteString(std::string_view section, std::string_view key, std::string_view value);
    void WriteBool(std::string_view section, std::string_view key, bool flag);

    // Writes the whole profile to the path (see the class comment). False with a reason when the
    // file could not be written; the old file is then left as it was.
    bool Flush(std::string* pReason = nullptr, const FileWriter& writer = {}) const;

    // Replaces the in-memory profile by the sections and keys of text.
    void ParseText(std::string_view text);
    // The profile as a file: "[section]" and "key=value" lines, each ended by CR LF.
    std::string FormatText() const;

    // The backup name of a path: up to and including its last '.' followed by "bak"; "" when
    // the last '.' is missing, the first character or in a folder name.
    static std::string BackupPathOf(const std::string& path);

private:
    struct CEntry {
        std::string strKey;
        std::string strValue;
    };
    struct CSection {
        std::string strName;
        std::vector<CEntry> entries;
        // Lower-case key -> index of its first entry.
        std::unordered_map<std::string, std::size_t> index;
    };

    const CSection* FindSection(std::string_view section) const;
    CSection& GetOrAddSection(std::string_view section);
    void Clear();

    bool m_bOpen = false;
    std::string m_strPath;
    std::string m_strName;
    std::string m_strVersion;
    std::string m_strInternet;
    std::string m_strCopyright;
    std::string m_strReadError; // why the existing file could not be read; "" when it could

    std::vector<CSection> m_sections;
    // Lower-case section name -> index of its first section.
    std::unordered_map<std::string, std::size_t> m_sectionIndex;
};

// Keeps the file at path under the first free one of the names BackupPathOf(path) (path + ".bak"
// when that is empty), then that name followed by ".1", ".2", ... An existing file is never
// replaced. Returns the name used; "" with the reason in *pReason when no copy could be kept.
std::string KeepNumberedBackup(const std::string& path, std::string* pReason = nullptr);

} // namespace tessaray
