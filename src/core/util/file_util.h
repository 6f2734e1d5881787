#pragma once

#include "core/util/result.h"

#include <cstddef>
#include <ctime>
#include <string>
#include <string_view>

namespace tessaray {

// Separator of path components on this platform.
inline constexpr char kPathSeparator = '/';

// strFolder := the text before the last separator; unchanged when the last separator is missing or
// is the first character (so callers preset it).
void GetFolderPart(const std::string& strPath, std::string& strFolder);
// strName := the text after the last separator; the whole path when it is missing or first.
void GetFileNamePart(const std::string& strPath, std::string& strName);
// GetFileNamePart, then cut at the last '.' (a name starting with '.' becomes empty).
void GetFileTitlePart(const std::string& strPath, std::string& strTitle);

// True when something (file or folder) exists at the path.
bool FileExists(const std::string& strPath);

// Removes a leading and, independently, a trailing double quote from texts of 3 or more characters.
void StripQuotes(std::string& str);

// Size limits of the files we read, one per kind: far above what a real file of the kind holds
// (a project keeps at most 12000 values of at most 4093 bytes), low enough that a wrong file or a
// link to a device cannot exhaust memory.
inline constexpr std::size_t kProjectFileLimit = 64u << 20;
inline constexpr std::size_t kImportFileLimit = 64u << 20;
inline constexpr std::size_t kTemplateFileLimit = 16u << 20;
inline constexpr std::size_t kTipsFileLimit = 4u << 20;
inline constexpr std::size_t kSettingsFileLimit = 1u << 20;

// Why an input file could not be opened or read.
enum class EReadError {
    None,
    CannotOpen, // missing, no permission, ...: nErrno tells
    Folder,
    Fifo,
    Device,
    Socket,
    TooLarge,   // above the limit of its kind
    ReadFailed, // a read failed midway: nErrno tells
};

// The details of a read error: the system's error number (CannotOpen, ReadFailed) and the limit
// a TooLarge file exceeded.
struct SReadFailure {
    int nErrno = 0;
    std::size_t nLimit = 0;
};

using SReadError = SError<EReadError, SReadFailure>;
// Reading an input file: success, or why it failed.
using CReadResult = CResult<void, EReadError, SReadFailure>;

// What went wrong in English, for a message after the file's name: "is a FIFO (named pipe),
// not a file", "is larger than 16 MiB", or the system's text; empty on success.
std::string ReadFailureReason(const SReadError& error);
std::string ReadFailureReason(const CReadResult& result);

// Opens an input file for reading: only a regular file of at most nLimit bytes. Opened without
// blocking, so a FIFO in its place cannot hang the program; the descriptor is blocking again once
// the file is known to be regular. The descriptor, or why the file cannot be used.
CResult<int, EReadError, SReadFailure> OpenInputFile(const std::string& strPath,
                                                     std::size_t nLimit);

// Reads the whole input file (see OpenInputFile) as bytes, NUL bytes included.
CReadResult ReadInputFile(const std::string& strPath, std::size_t nLimit, std::string& bytes);

// Reads a whole file (its path may be quoted) of at most nLimit bytes. The text ends at its first
// NUL byte; with bReplaceNul every NUL becomes byte 1 first. False, with strText untouched, when
// the file cannot be read; false too when the resulting text is empty.
bool ReadFileToString(std::string strPath, std::string& strText, bool bReplaceNul,
                      std::size_t nLimit = kTemplateFileLimit);

// Creates or truncates the file and writes exactly the bytes of strText. False when the file
// cannot be opened or the bytes cannot all be written.
bool WriteStringToFile(const std::string& strPath, std::string_view strText);

// The temporary folder: TEMP, else TMP, else TMPDIR, else /tmp, when it is writable. strRaw is the
// value found, strResolved its canonical form when that is writable too, else strRaw. False with
// both empty when there is no writable temporary folder.
bool GetTempFolder(std::string& strRaw, std::string& strResolved);

// The canonical form of a folder path (symbolic links and "." / ".." resolved). False, with
// strLong empty, when the path has no separator or cannot be resolved.
bool GetLongFolderName(const std::string& strPath, std::string& strLong);

// A folder only this user can use, below the resolved temporary folder ("tessaray-<uid>", mode
// 0700, owned by us, not a symbolic link), created when missing. Report files are written there
// so that no other user can plant a file or link under their fixed names. False when it cannot be
// had safely.
bool GetPrivateTempFolder(std::string& strFolder);

// The current local date.
class CDateStamp {
public:
    // str := today's local date as "%04d-%02d-%02d".
    void Format(std::string& str);

private:
    std::time_t m_time = 0;
    std::tm m_local{};
};

} // namespace tessaray
