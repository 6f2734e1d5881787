#pragma once

#include <cstdint>
#include <cstdio>
#include <ctime>
#include <string>
#include <string_view>

namespace tessaray {

// The settings the tip of the day keeps (the desktop program stores them in section "Tip" as
// "StartUp", "FilePos" and "TimeStamp").
class ITipSettings {
public:
    virtual ~ITipSettings() = default;
    virtual int ReadStartUp() = 0;           // 0 when missing
    virtual std::int64_t ReadFilePos() = 0;  // 0 when missing
    virtual std::string ReadTimeStamp() = 0; // "" when missing
    virtual void WriteStartUp(int value) = 0;
    virtual void WriteFilePos(std::int64_t value) = 0;
    virtual void WriteTimeStamp(const std::string& value) = 0;
};

// The C runtime's ctime text of a local time without its line end: "Thu Jan  1 00:00:00 1970"
// (English names whatever the locale); "" when the time cannot be converted.
std::string FormatCtime(std::time_t time);

// The stamp of an open file that tells a replaced tips file from the old one: FormatCtime of its
// creation (birth) time where the file system records one, else of its last status change, which
// a newly written file also renews. "" when neither can be read.
std::string GetFileCreationStamp(std::FILE* file);

// Reads the tips file "tips.txt" of a folder, one tip at a time, for the tip of the day. A line
// whose first character is a blank, a tab, a line feed or ';' is skipped; every other line is a
// tip, with its line end. Lines longer than 999 characters are read in pieces of 999 characters,
// each counting as a line. CR LF reads as LF, as in the C runtime's text mode. After the last tip
// the search starts again at the top; a file without any tip ends the search after one pass.
class CTipsReader {
public:
    static constexpr std::size_t kMaxPiece = 999;

    enum class State {
        Ready,       // a tip was found
        NoFile,      // the tips file cannot be opened ("Tips file does not exist ...")
        ReadTrouble, // seeking or reading failed ("Trouble reading the tips file")
        NoTips,      // the file holds no tip at all
    };

    // Reads the settings, opens folder + "/" + fileName, restarts at the top when the file's stamp
    // differs from the stored one (storing the new stamp), seeks to the stored position and reads
    // the first tip (GetTip).
    CTipsReader(const std::string& folder, ITipSettings& settings,
                std::string_view fileName = "tips.txt");
    // Writes the current file position to the settings when the file is open.
    ~CTipsReader();
    CTipsReader(const CTipsReader&) = delete;
    CTipsReader& operator=(const CTipsReader&) = delete;

    // True when "StartUp" was 0 or missing.
    bool IsShowAtStartup() const { return m_bShowAtStartup; }
    // What closing the dialog with its Close button stores: "StartUp" 0 to show, 1 not to.
    void WriteShowAtStartup(bool bShow);

    bool HasFile() const { return m_file != nullptr; }
    State GetState() const { return m_state; }
    // The tip found last ("" when none was found).
    const std::string& GetTip() const { return m_strTip; }

    // Finds the next tip into out (GetTip follows). False, with out unchanged, when the file holds
    // no tip or cannot be read; GetState says which.
    bool GetNextTip(std::string& out);

    // The byte offset where the next search begins, -1 without file.
    std::int64_t GetPosition() const;
    // Moves to a byte offset from the start; false (state ReadTrouble) when that fails.
    bool Seek(std::int64_t position);

private:
    // Reads one line of at most kMaxPiece characters; false at end of file or on error.
    bool ReadPiece(std::string& out);

    ITipSettings& m_settings;
    std::FILE* m_file = nullptr;
    bool m_bShowAtStartup = true;
    State m_state = State::NoFile;
    std::string m_strTip;
};

} // namespace tessaray
