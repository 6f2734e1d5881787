#include "core/project/link_import.h"

#include "core/project/project.h"
#include "core/project/url_rules.h"

#include <algorithm>
#include <unordered_set>

namespace tessaray {

namespace {

// Reads the column, its fields whole, and hands each valid, normalised URL to add.
template <typename Add>
bool ImportColumn(const std::string& path, char separator, int column, CReadResult* pResult,
                  Add add) {
    CCsvColumnReader reader;
    CLineList fields;
    if (reader.Open(path) && reader.ReadColumn(separator, column, fields, false) > 0) {
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

int CCsvColumnReader::ReadColumn(char separator, int column, CLineList& out, bool bCutLong) {
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
    if (bCutLong) {
        out.TruncateLongEntries();
    }
    return count;
}

bool ImportTextList(const std::string& path, CLineList& out, CReadResult* pResult) {
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
                     CReadResult* pResult) {
    out.RemoveAll();
    return ImportColumn(path, separator, column, pResult,
                        [&out](const std::string& url) { out.Add(url); });
}

SImportTally TakeImported(const std::vector<std::string>& listed, const CLineList& imported,
                          int capacity, CLineList& out) {
    SImportTally tally;
    std::unordered_set<std::string> seen;
    seen.reserve(listed.size() + static_cast<std::size_t>(imported.GetCount()));
    for (const std::string& entry : listed) {
        seen.insert(UrlComparisonKey(entry));
    }
    const std::size_t room =
        static_cast<std::size_t>(std::max(0, capacity - static_cast<int>(listed.size())));
    out.RemoveAll();
    for (const std::string& url : imported.Entries()) {
        const EEntryProblem problem = CheckPartnerEntry(url);
        if (problem == EEntryProblem::UserInfo) {
            ++tally.nUserInfo;
        } else if (problem == EEntryProblem::TooLong) {
            ++tally.nTooLong;
        } else if (!seen.insert(UrlComparisonKey(url)).second) {
            ++tally.nDuplicates;
        } else if (static_cast<std::size_t>(out.GetCount()) >= room) {
            ++tally.nOverLimit;
        } else {
            out.Add(url);
            ++tally.nTaken;
        }
    }
    return tally;
}

bool ImportGoogleTable(const std::string& path, char separator, int column, CLineList& out,
                       CReadResult* pResult, SImportTally* pTally) {
    CLineList urls;
    const bool readable =
        ImportColumn(path, separator, column, pResult,
                     [&urls](const std::string& url) { urls.Add(ToLowerAscii(url)); });
    const SImportTally tally = TakeImported({}, urls, CProject::MaxExternalLinks, out);
    if (pTally != nullptr) {
        *pTally = tally;
    }
    out.TruncateLongEntries();
    return readable;
}

} // namespace tessaray
