#pragma once

#include "core/project/line_list.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessaray {

// Lowest and highest column a CSV import accepts.
inline constexpr int kMinCsvColumn = 1;
inline constexpr int kMaxCsvColumn = 100;

// The field of line in the given 1-based column, with no quoting: a separator always separates.
// False when the line is empty or has no such column. Column 1 of a line without separator is
// the whole line.
bool ExtractField(std::string_view line, int column, char separator, std::string& field);

// Reads one column of a CSV file.
class CCsvColumnReader {
public:
    CCsvColumnReader() = default;

    // Reads the whole file, one entry per line. True when it holds at least one line (a readable
    // file always gives one); IsReadable tells apart a file that could not be read, GetReadResult
    // tells why.
    bool Open(const std::string& path);
    bool IsReadable() const { return m_readResult.Ok(); }
    const CReadResult& GetReadResult() const { return m_readResult; }
    int GetLineCount() const { return m_nLineCount; }
    // Appends the field of every line that has the column (clamped to 1..100) to out, empty
    // fields included, and returns out's count; then, with bCutLong, cuts out's entries longer
    // than 500 characters. 0 when nothing was read.
    int ReadColumn(char separator, int column, CLineList& out, bool bCutLong = true);

private:
    CLineList m_lines;
    int m_nLineCount = 0;
    CReadResult m_readResult{SReadError{EReadError::CannotOpen, {}}};
};

// What an import did with the valid URLs of its file.
struct SImportTally {
    int nTaken = 0;      // added to the list
    int nDuplicates = 0; // already in the list, or earlier in the file
    int nOverLimit = 0;  // left out: the list was full
    int nUserInfo = 0;   // a user name or password in the address
    int nTooLong = 0;    // longer than kMaxPartnerEntryLength
};

// Appends to out those of imported that pass CheckPartnerEntry and are neither in listed nor
// earlier in imported (compared by UrlComparisonKey), as long as listed and out together hold
// fewer than capacity entries; the rest is counted. Linear in the number of entries.
SImportTally TakeImported(const std::vector<std::string>& listed, const CLineList& imported,
                          int capacity, CLineList& out);

// The three bulk imports of the project editor. Each returns false when the file could not be
// read (see ReadInputFile; *pResult then tells why, for the caller's message); out is replaced by
// what the editor appends: the lines IsValidUrl accepts, normalised, in file order.
//
// A text file with one URL per line; lines not starting with a letter are comments.
bool ImportTextList(const std::string& path, CLineList& out, CReadResult* pResult = nullptr);
// One column of a CSV file; fields are taken whole (a URL cut short would name another page).
bool ImportCsvColumn(const std::string& path, char separator, int column, CLineList& out,
                     CReadResult* pResult = nullptr);
// The external-link table of Google Search Console: the valid URLs of the column in lower
// case, each once, at most as many as a project keeps (CProject::MaxExternalLinks), entries
// longer than 500 characters cut. *pTally (when given) says what was taken and left out.
bool ImportGoogleTable(const std::string& path, char separator, int column, CLineList& out,
                       CReadResult* pResult = nullptr, SImportTally* pTally = nullptr);

} // namespace tessaray
