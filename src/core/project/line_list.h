#pragma once

#include "core/util/file_util.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace tessaray {

// An ordered list of text lines with one read cursor, the line splitter that most of the program
// uses, and loading from and saving to text files. Entries may be empty and may repeat.
class CLineList {
public:
    // Largest number of entries; Add refuses more with "Max line count reached".
    static constexpr int kMaxCount = 2147483647;
    // Entries longer than this are cut by TruncateLongEntries.
    static constexpr std::size_t kMaxEntryLength = 500;
    // SaveToFile forces a line end once this many characters were written without one.
    static constexpr std::size_t kSaveRunLength = 2000;
    // LoadFromFile splits the file's bytes in chunks of this many bytes.
    static constexpr std::size_t kLoadChunk = 1999;

    CLineList() = default;
    CLineList(const CLineList&) = default;
    CLineList& operator=(const CLineList&) = default;
    CLineList(CLineList&&) noexcept = default;
    CLineList& operator=(CLineList&&) noexcept = default;

    // Removes every entry; clears the changed flag (the at-start flag is kept).
    void RemoveAll();
    // Appends a copy of text and sets the changed flag (also when the copy is refused).
    void Add(std::string_view text);
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    bool IsChanged() const { return m_bChanged; }

    // out := the first entry and the cursor moves to the second; false with "" on an empty list.
    bool GetFirst(std::string& out);
    // out := the entry at the cursor and the cursor moves on; false with "" after the last.
    bool GetNext(std::string& out);
    // The next GetNextAuto starts from the first entry.
    void Rewind() { m_bAtStart = true; }
    // GetFirst after a Rewind (or on a new list), GetNext otherwise.
    bool GetNextAuto(std::string& out);

    // Replaces the entries by a copy of the other list's.
    void CopyFrom(const CLineList& other);
    // Rewinds, then tells whether an entry equals text byte for byte.
    bool Contains(std::string_view text);

    // Replaces the entries by the lines of text; a last line without line end is dropped.
    void SetText(std::string_view text);
    // Replaces the entries by the lines of a file; whatever follows the last line end becomes the
    // last entry, even when empty. A NUL byte ends the data of its chunk. False when the file
    // cannot be read (see ReadInputFile; with a message when reportError is set), *pResult then
    // tells why.
    bool LoadFromFile(const std::string& path, bool reportError, CReadResult* pResult = nullptr);
    // Writes the entries to a new file (nothing for an empty list or path). With lineEnds every
    // entry ends in CR LF; without, entries follow one another, except that an entry that passes
    // 2000 characters since the last forced line end gets one.
    void SaveToFile(const std::string& path, bool lineEnds);
    // Cuts every entry longer than 500 characters to its first 500 followed by "...".
    void TruncateLongEntries();

    // Read access by index (0 <= index < GetCount()), for callers that walk the list without
    // disturbing its cursor.
    const std::string& At(int index) const { return m_entries[static_cast<std::size_t>(index)]; }
    const std::vector<std::string>& Entries() const { return m_entries; }

protected:
    // A list that holds at most nMaxCount entries (lets tests reach the limit).
    explicit CLineList(int nMaxCount) : m_nMaxCount(nMaxCount) {}

private:
    // Where the splitter stands in a text that may still grow at its end.
    struct SplitState {
        std::size_t pos = 0;        // start of the text not yet taken
        std::size_t searchFrom = 0; // the line-end search resumes here (bytes before hold none)
        bool bSkipping = false;     // inside the control characters that follow a line end
        bool bFirstSkipped = false; // the first of those characters was examined
    };
    // Takes every complete line off text[state.pos..] and appends it. Stops, with the state kept,
    // at the end of text, so text may grow and the call be repeated.
    void ExtractLines(std::string_view text, SplitState& state);

    static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

    std::vector<std::string> m_entries;
    std::size_t m_cursor = kNone; // index of the entry GetNext returns; kNone = none
    int m_nMaxCount = kMaxCount;
    bool m_bChanged = false;
    bool m_bAtStart = true;
};

} // namespace tessaray
