#pragma once

#include "core/partner/cells.h"
#include "core/partner/partner_result.h"

#include <array>
#include <cstddef>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace tessaray {

class CProject;

// A cell read with GetCellText holds at most this many bytes (a 2000-byte buffer with its NUL).
inline constexpr std::size_t kMaxCellTextLength = 1999;

// How a column's texts compare when the table is sorted by it.
enum class ESortType {
    Integer, // leading digits read as a long integer; no digits count as 0
    Text,    // case-insensitive
    Decimal, // read as a floating-point number
};

enum class EColumnAlign { Left, Right };

struct SColumnInfo {
    const char* pszTitle;
    int nWidth; // in pixels
    EColumnAlign eAlign;
    ESortType eSortType;
};

using ColumnTable = std::array<SColumnInfo, kColumnCount>;

extern const ColumnTable g_englishColumns;
extern const ColumnTable g_germanColumns;

// The column table of an interface-language letter: 'G' German, anything else English.
const ColumnTable& GetColumnTable(char chLanguage);

// The report header line of a column table: every title followed by one tab, no line end.
std::string BuildColumnHeader(const ColumnTable& columns);

// Compares two cell texts as a column of the given type sorts them: negative, 0 or positive.
// Equal values give 0, so the order is a strict weak order.
int CompareCellTexts(ESortType eType, std::string_view a, std::string_view b);

// Told about every change of a CResultTable, so that a view can follow the table without copying
// it. The Begin/End pairs bracket changes of the row set (as Qt's item models need: the "Begin"
// call comes while the table still shows the old rows). All functions run on the thread that
// changes the table; a listener must not change the table from inside them.
class IResultTableListener {
public:
    virtual ~IResultTableListener() = default;
    // All rows are about to be replaced (deleted, or refilled by FillList).
    virtual void OnBeginReset() {}
    virtual void OnEndReset() {}
    // A row is about to be inserted at nRow / was inserted there.
    virtual void OnBeginInsertRow(int /*nRow*/) {}
    virtual void OnEndInsertRow(int /*nRow*/) {}
    // The text of one cell changed.
    virtual void OnCellChanged(int /*nRow*/, int /*nCol*/) {}
    // The rows are about to be reordered / were reordered by sorting: the row now at index i was
    // at index oldRowOf[i] before.
    virtual void OnBeginReorder() {}
    virtual void OnEndReorder(const std::vector<int>& /*oldRowOf*/) {}
};

// The results: the only store of the analysis results, rows of eighteen byte strings, with the
// columns of one interface language. Nothing of it is saved with the project.
class CResultTable {
public:
    using Row = CellRow;

    // Columns of the language letter chLanguage ('G' German, anything else English).
    explicit CResultTable(char chLanguage = 'E');

    // Chooses the column table of a language letter and rebuilds the header line.
    void SetupColumns(char chLanguage);
    const ColumnTable& GetColumns() const { return *m_pColumns; }
    // Every column title followed by one tab (eighteen tabs, no line end).
    const std::string& GetColumnHeader() const { return m_strColumnHeader; }

    // The listener told about every change, or nullptr for none. Not owned.
    void SetListener(IResultTableListener* pListener) { m_pListener = pListener; }

    int GetRowCount() const { return static_cast<int>(m_rows.size()); }
    void DeleteAllRows();
    // Inserts an empty row before nRow (an index at or past the end appends) and returns its
    // index; -1 for a negative index.
    int InsertRow(int nRow);
    // False when the cell does not exist.
    bool SetCellText(int nRow, int nCol, std::string_view text);
    // out := the cell's text, at most its first 1999 bytes. False with out empty when the cell
    // does not exist.
    bool GetCellText(int nRow, int nCol, std::string& out) const;
    // The whole stored text of a cell, for display; empty when the cell does not exist. Valid
    // until the table next changes.
    std::string_view GetCellView(int nRow, int nCol) const;
    // Sets a cell to a text that several rows share (the server header of a partner's rows), so
    // that it is stored once. Setting the cell's text otherwise ends the sharing.
    bool SetSharedCellText(int nRow, int nCol, std::shared_ptr<const std::string> text);
    // What a row shows (see SRowKey); kept with the row through sorting and deletions. A new row
    // has the key {-1, -1}.
    void SetRowKey(int nRow, SRowKey key);
    SRowKey GetRowKey(int nRow) const;
    // Removes a row; listeners see a reset. False for a row that does not exist.
    bool DeleteRow(int nRow);
    // The rows named by index, in that order, as a table of their own with the same columns and no
    // listener (indexes that do not exist are left out): the rows a sorted or filtered view shows.
    CResultTable CopyRows(const std::vector<int>& rows) const;
    // About the bytes the rows take in memory, a shared text counted once (for checking bounds).
    std::size_t GetStoredBytes() const;

    // Shows the project's partner list: one row per entry, up to CProject::MaxPartnerLinks entries
    // and up to the first empty one. Each entry is split into URL and comment at its first " - "
    // (when that is not at its start; the comment is trimmed), the URL normalised by IsValidUrl or
    // kept as it stands when invalid. A row holds its number (from 1), the URL, the comment and,
    // with bShowDomain, the domain in column 7. An incomplete project (no domain, or an empty first
    // entry) leaves the table unchanged and returns false; the caller clears its output log only
    // when this returns true.
    bool FillList(const std::string& domain, const std::vector<std::string>& entries,
                  bool bShowDomain);
    // FillList with the domain and partner entries of a project.
    bool FillList(const CProject& project, bool bShowDomain);

    // Sorts the rows by column nCol with that column's comparison type; equal rows keep their
    // order. False, with nothing changed, for a column that does not exist.
    bool SortColumn(int nCol, bool bAscending);

private:
    bool IsCell(int nRow, int nCol) const;

    struct SStoredRow {
        Row cells;
        // The text of column nSharedCol, shared with other rows; -1 for none.
        std::shared_ptr<const std::string> pShared;
        int nSharedCol = -1;
        SRowKey key;
    };

    const ColumnTable* m_pColumns = nullptr;
    std::string m_strColumnHeader;
    std::vector<SStoredRow> m_rows;
    IResultTableListener* m_pListener = nullptr;
};

} // namespace tessaray
