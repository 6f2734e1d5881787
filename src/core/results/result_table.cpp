#include "core/results/result_table.h"

#include "core/project/line_list.h"
#include "core/project/project.h"
#include "core/project/url_rules.h"
#include "core/util/ascii.h"
#include "core/util/core_texts.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <numeric>
#include <unordered_set>

namespace tessaray {

namespace {

constexpr EColumnAlign L = EColumnAlign::Left;
constexpr EColumnAlign R = EColumnAlign::Right;
constexpr ESortType kInt = ESortType::Integer;
constexpr ESortType kText = ESortType::Text;
constexpr ESortType kDec = ESortType::Decimal;

// The text read as a long integer the way atol does (leading white space, a sign, then digits),
// saturating instead of overflowing.
long ParseLong(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long value = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        const int digit = text[i] - '0';
        if (value > (LONG_MAX - digit) / 10) {
            return negative ? LONG_MIN : LONG_MAX;
        }
        value = value * 10 + digit;
    }
    return negative ? -value : value;
}

// The text read as a floating-point number the way atof does, independent of the locale; text
// that is not a number, and "nan", read as 0 so that every value has a place in the order.
double ParseDouble(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i])) {
        ++i;
    }
    if (i < text.size() && text[i] == '+') {
        ++i;
    }
    double value = 0;
    const auto [ptr, ec] = std::from_chars(text.data() + i, text.data() + text.size(), value);
    (void)ptr;
    if (ec != std::errc() || std::isnan(value)) {
        return 0;
    }
    return value;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const auto ca = static_cast<unsigned char>(LowerAscii(a[i]));
        const auto cb = static_cast<unsigned char>(LowerAscii(b[i]));
        if (ca != cb) {
            return ca < cb ? -1 : 1;
        }
    }
    return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

template <typename T> int Compare3(T a, T b) {
    return a < b ? -1 : (b < a ? 1 : 0);
}

} // namespace

namespace {

struct SColumnLayout {
    ETextId eTitle;
    int nWidth;
    EColumnAlign eAlign;
    ESortType eSortType;
};

constexpr std::array<SColumnLayout, kColumnCount> kColumnLayout = {{
    {ETextId::ColumnNo, 40, R, kInt},
    {ETextId::ColumnPartnerUrl, 200, L, kText},
    {ETextId::ColumnR1, 25, L, kInt},
    {ETextId::ColumnStatusCode, 60, L, kInt},
    {ETextId::ColumnBytes, 60, L, kInt},
    {ETextId::ColumnIntLinks, 55, L, kInt},
    {ETextId::ColumnExtLinks, 55, L, kInt},
    {ETextId::ColumnYourUrl, 200, L, kText},
    {ETextId::ColumnR2, 25, L, kText},
    {ETextId::ColumnAnchorText, 200, L, kText},
    {ETextId::ColumnListed, 50, L, kText},
    {ETextId::ColumnFollowMeta, 80, L, kText},
    {ETextId::ColumnFollowLink, 80, L, kText},
    {ETextId::ColumnRobotsAllow, 80, L, kText},
    {ETextId::ColumnR3, 25, L, kDec},
    {ETextId::ColumnGoogle, 50, L, kText},
    {ETextId::ColumnComment, 200, L, kText},
    {ETextId::ColumnServerHeader, 2000, L, kText},
}};

// The columns with their titles in one language (the catalogue's texts are NUL-terminated
// literals, so their data serve as C strings).
ColumnTable MakeColumns(char chLanguage) {
    ColumnTable columns{};
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const SColumnLayout& layout = kColumnLayout[i];
        columns[i] = {CoreText(layout.eTitle, chLanguage).data(), layout.nWidth, layout.eAlign,
                      layout.eSortType};
    }
    return columns;
}

} // namespace

const ColumnTable g_englishColumns = MakeColumns('E');
const ColumnTable g_germanColumns = MakeColumns('G');

const ColumnTable& GetColumnTable(char chLanguage) {
    return chLanguage == 'G' ? g_germanColumns : g_englishColumns;
}

std::string BuildColumnHeader(const ColumnTable& columns) {
    std::string header;
    for (const SColumnInfo& column : columns) {
        header += column.pszTitle;
        header += '\t';
    }
    return header;
}

int CompareCellTexts(ESortType eType, std::string_view a, std::string_view b) {
    switch (eType) {
    case ESortType::Integer:
        return Compare3(ParseLong(a), ParseLong(b));
    case ESortType::Decimal:
        return Compare3(ParseDouble(a), ParseDouble(b));
    case ESortType::Text:
        break;
    }
    return CompareNoCase(a, b);
}

CResultTable::CResultTable(char chLanguage) {
    SetupColumns(chLanguage);
}

void CResultTable::SetupColumns(char chLanguage) {
    m_pColumns = &GetColumnTable(chLanguage);
    m_strColumnHeader = BuildColumnHeader(*m_pColumns);
}

bool CResultTable::IsCell(int nRow, int nCol) const {
    return nRow >= 0 && nRow < GetRowCount() && nCol >= 0 && nCol < kColumnCount;
}

void CResultTable::DeleteAllRows() {
    if (m_pListener) {
        m_pListener->OnBeginReset();
    }
    m_rows.clear();
    if (m_pListener) {
        m_pListener->OnEndReset();
    }
}

int CResultTable::InsertRow(int nRow) {
    if (nRow < 0) {
        return -1;
    }
    nRow = std::min(nRow, GetRowCount());
    if (m_pListener) {
        m_pListener->OnBeginInsertRow(nRow);
    }
    m_rows.insert(m_rows.begin() + nRow, SStoredRow{});
    if (m_pListener) {
        m_pListener->OnEndInsertRow(nRow);
    }
    return nRow;
}

bool CResultTable::SetCellText(int nRow, int nCol, std::string_view text) {
    if (!IsCell(nRow, nCol)) {
        return false;
    }
    SStoredRow& row = m_rows[static_cast<std::size_t>(nRow)];
    row.cells[static_cast<std::size_t>(nCol)] = text;
    if (row.nSharedCol == nCol) {
        row.pShared.reset();
        row.nSharedCol = -1;
    }
    if (m_pListener) {
        m_pListener->OnCellChanged(nRow, nCol);
    }
    return true;
}

bool CResultTable::GetCellText(int nRow, int nCol, std::string& out) const {
    out.clear();
    if (!IsCell(nRow, nCol)) {
        return false;
    }
    out = GetCellView(nRow, nCol).substr(0, kMaxCellTextLength);
    return true;
}

std::string_view CResultTable::GetCellView(int nRow, int nCol) const {
    if (!IsCell(nRow, nCol)) {
        return {};
    }
    const SStoredRow& row = m_rows[static_cast<std::size_t>(nRow)];
    if (row.nSharedCol == nCol) {
        return *row.pShared;
    }
    return row.cells[static_cast<std::size_t>(nCol)];
}

bool CResultTable::SetSharedCellText(int nRow, int nCol, std::shared_ptr<const std::string> text) {
    if (!IsCell(nRow, nCol) || !text) {
        return false;
    }
    SStoredRow& row = m_rows[static_cast<std::size_t>(nRow)];
    row.cells[static_cast<std::size_t>(nCol)].clear();
    row.pShared = std::move(text);
    row.nSharedCol = nCol;
    if (m_pListener) {
        m_pListener->OnCellChanged(nRow, nCol);
    }
    return true;
}

void CResultTable::SetRowKey(int nRow, SRowKey key) {
    if (nRow >= 0 && nRow < GetRowCount()) {
        m_rows[static_cast<std::size_t>(nRow)].key = key;
    }
}

SRowKey CResultTable::GetRowKey(int nRow) const {
    return nRow >= 0 && nRow < GetRowCount() ? m_rows[static_cast<std::size_t>(nRow)].key
                                             : SRowKey{};
}

bool CResultTable::DeleteRow(int nRow) {
    if (nRow < 0 || nRow >= GetRowCount()) {
        return false;
    }
    if (m_pListener) {
        m_pListener->OnBeginReset();
    }
    m_rows.erase(m_rows.begin() + nRow);
    if (m_pListener) {
        m_pListener->OnEndReset();
    }
    return true;
}

CResultTable CResultTable::CopyRows(const std::vector<int>& rows) const {
    CResultTable copy;
    copy.m_pColumns = m_pColumns;
    copy.m_strColumnHeader = m_strColumnHeader;
    copy.m_rows.reserve(rows.size());
    for (const int row : rows) {
        if (row >= 0 && row < GetRowCount()) {
            copy.m_rows.push_back(m_rows[static_cast<std::size_t>(row)]);
        }
    }
    return copy;
}

std::size_t CResultTable::GetStoredBytes() const {
    std::size_t bytes = m_rows.capacity() * sizeof(SStoredRow);
    std::unordered_set<const std::string*> shared;
    for (const SStoredRow& row : m_rows) {
        for (const std::string& cell : row.cells) {
            bytes += cell.capacity() > sizeof(std::string) ? cell.capacity() : 0;
        }
        if (row.pShared && shared.insert(row.pShared.get()).second) {
            bytes += row.pShared->capacity();
        }
    }
    return bytes;
}

bool CResultTable::FillList(const std::string& domain, const std::vector<std::string>& entries,
                            bool bShowDomain) {
    if (domain.empty() || entries.empty() || entries.front().empty()) {
        return false;
    }
    if (m_pListener) {
        m_pListener->OnBeginReset();
    }
    m_rows.clear();
    const std::size_t limit =
        std::min(entries.size(), static_cast<std::size_t>(CProject::MaxPartnerLinks));
    for (std::size_t i = 0; i < limit && !entries[i].empty(); ++i) {
        Row& row = m_rows.emplace_back().cells;
        row[kColNo] = std::to_string(i + 1);
        SplitPartnerEntry(entries[i], row[kColPartnerUrl], row[kColComment]);
        // A password in an older project's URL is never shown nor exported.
        row[kColPartnerUrl] = WithoutUserInfo(row[kColPartnerUrl]);
        if (bShowDomain) {
            row[kColYourUrl] = domain;
        }
    }
    if (m_pListener) {
        m_pListener->OnEndReset();
    }
    return true;
}

bool CResultTable::FillList(const CProject& project, bool bShowDomain) {
    CLineList entries;
    project.CopyPartnersTo(entries);
    return FillList(project.GetDomain(), entries.Entries(), bShowDomain);
}

bool CResultTable::SortColumn(int nCol, bool bAscending) {
    if (nCol < 0 || nCol >= kColumnCount) {
        return false;
    }
    const ESortType eType = (*m_pColumns)[static_cast<std::size_t>(nCol)].eSortType;

    std::vector<int> oldRowOf(m_rows.size());
    std::iota(oldRowOf.begin(), oldRowOf.end(), 0);
    // stable_sort with a strict weak order: equal values keep their order in either direction.
    std::stable_sort(oldRowOf.begin(), oldRowOf.end(), [&](int a, int b) {
        const int result = CompareCellTexts(eType, GetCellView(a, nCol), GetCellView(b, nCol));
        return bAscending ? result < 0 : result > 0;
    });

    if (m_pListener) {
        m_pListener->OnBeginReorder();
    }
    std::vector<SStoredRow> sorted;
    sorted.reserve(m_rows.size());
    for (const int old : oldRowOf) {
        sorted.push_back(std::move(m_rows[static_cast<std::size_t>(old)]));
    }
    m_rows = std::move(sorted);
    if (m_pListener) {
        m_pListener->OnEndReorder(oldRowOf);
    }
    return true;
}

} // namespace tessaray
