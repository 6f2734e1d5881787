#include "core/project/link_import.h"

#include "core/project/url_rules.h"

#include <algorithm>

namespace tessaray {

namespace {

// Reads the column and hands each valid, normalised URL to add.
template <typename Add>
bool ImportColumn(const std::string& path, char separator, int column, SReadResult* pResult,
                  Add add) {
    CCsvColumnReader reader;
    CLineList fields;
    if (reader.Open(path) && reader.ReadColumn(separator, column, fields) > 0) {
        for (std::string field : fields.Entries()) {
            if (IsValidUrl(field)) {
                add(field);
            }
        }
    }
    if (pResult != nullptr) {
        *pResult = reader.GetReadResult();
    }
    return reader.IsReadable();
}

} // namespace

bool ExtractField(std::string_view line, int column, char separator, std::string& field) {
    field.clear();
    if (line.empty()) {
        return false;
    }
    // Each further column drops the text up to the first separator; bounded by the line's length.
    for (; column > 1; --column) {
        const std::size_t pos = line.find(separator);
        if (pos == std::string_view::npos) {
            return false;
        }
        line.remove_prefix(pos + 1);
    }
    field.assign(line.substr(0, line.find(separator)));
    return true;
}

bool CCsvColumnReader::Open(const std::string& path) {
    m_nLineCount = 0;
    if (m_lines.LoadFromFile(path, false, &m_readResult)) {
        m_nLineCount = m_lines.GetCount();
    }
    return m_nLineCount > 0;
}

int CCsvColumnReader::ReadColumn(char separator, int column, CLineList& out) {
    column = std::clamp(column, kMinCsvColumn, kMaxCsvColumn);
    if (m_nLineCount == 0) {
        return 0;
    }
    std::string field;
    for (const std::string& line : m_lines.Entries()) {
        if (ExtractField(line, column, separator, field)) {
            out.Add(field);
        }
    }
    const int count = out.GetCount();
    out.TruncateLongEntries();
    return count;
}

bool ImportTextList(const std::string& path, CLineList& out, SReadResult* pResult) {
    out.RemoveAll();
    CLineList lines;
    if (!lines.LoadFromFile(path, false, pResult)) {
        return false;
    }
    for (std::string line : lines.Entries()) {
        if (IsValidUrl(line)) {
            out.Add(line);
        }
    }
    return true;
}

bool ImportCsvColumn(const std::string& path, char separator, int column, CLineList& out,
                     SReadResult* pResult) {
    out.RemoveAll();
    return ImportColumn(path, separator, column, pResult,
                        [&out](const std::string& url) { out.Add(url); });
}

bool ImportGoogleTable(const std::string& path, char separator, int column, CLineList& out,
                       SReadResult* pResult) {
    out.RemoveAll();
    const bool readable =
        ImportColumn(path, separator, column, pResult,
                     [&out](const std::string& url) { out.Add(ToLowerAscii(url)); });
    out.TruncateLongEntries();
    return readable;
}

} // namespace tessaray
