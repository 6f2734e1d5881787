#include "core/project/agreement_import.h"

#include "core/project/url_rules.h"
#include "core/util/ascii.h"
#include "core/util/utf8_text.h"

#include <algorithm>
#include <array>
#include <optional>
#include <unordered_map>

namespace tessaray {

namespace {

enum class EColumn { Partner, Target, Anchor, Follow, Until, Contact, Note };
constexpr std::array<std::string_view, 7> kColumnNames = {"partner", "target",  "anchor", "follow",
                                                          "until",   "contact", "note"};

struct SRecord {
    int nLine = 0; // the line it begins on, from 1
    std::vector<std::string> fields;
};

// The records of RFC 4180 text, or why it is malformed. Records end at CR LF, LF or CR; empty
// lines are no records.
struct SParsed {
    std::vector<SRecord> records;
    std::string strError;
};

SParsed ParseCsv(std::string_view text, char separator) {
    SParsed parsed;
    SRecord record;
    std::string field;
    int nLine = 1;
    bool bFieldStarted = false; // the record has a field (an empty line has none)
    const auto endField = [&] {
        record.fields.push_back(std::move(field));
        field.clear();
    };
    const auto endRecord = [&] {
        if (bFieldStarted || !field.empty()) {
            endField();
            parsed.records.push_back(std::move(record));
        }
        record = {};
        bFieldStarted = false;
    };
    std::size_t i = 0;
    while (i < text.size()) {
        if (!bFieldStarted && field.empty()) {
            record.nLine = nLine;
        }
        const char c = text[i];
        if (c == '"' && field.empty()) {
            // A quoted field: up to the quote that is not doubled.
            const int nStart = nLine;
            ++i;
            bool bClosed = false;
            while (i < text.size()) {
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    bClosed = true;
                    ++i;
                    break;
                }
                if (text[i] == '\n' ||
                    (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] != '\n'))) {
                    ++nLine;
                }
                field += text[i++];
            }
            if (!bClosed) {
                parsed.strError =
                    "line " + std::to_string(nStart) + ": a quoted field is not closed";
                return parsed;
            }
            if (i < text.size() && text[i] != separator && text[i] != '\r' && text[i] != '\n') {
                parsed.strError =
                    "line " + std::to_string(nLine) + ": text after the closing quote of a field";
                return parsed;
            }
            bFieldStarted = true;
            // A quoted empty field is a field: keep it apart from an empty line.
            continue;
        }
        if (c == separator) {
            endField();
            bFieldStarted = true;
            ++i;
        } else if (c == '\r' || c == '\n') {
            endRecord();
            i += c == '\r' && i + 1 < text.size() && text[i + 1] == '\n' ? 2 : 1;
            ++nLine;
        } else {
            field += c;
            ++i;
        }
    }
    endRecord();
    return parsed;
}

// The separator the header row uses: ";" when it has one and no ",".
char SeparatorOf(std::string_view text) {
    const std::string_view header = text.substr(0, text.find_first_of("\r\n"));
    return header.find(';') != std::string_view::npos && header.find(',') == std::string_view::npos
               ? ';'
               : ',';
}

std::string Quoted(std::string_view text) {
    return "\"" + std::string(text) + "\"";
}

} // namespace

std::string AgreementProblem(const SAgreement& agreement) {
    std::string target(TrimView(agreement.strTarget));
    if (!target.empty() && target.back() == '*') {
        target.pop_back();
    }
    if (!agreement.strTarget.empty() && (!IsValidUrl(target) || HasUserInfo(target))) {
        return "the target is no web address: " + Quoted(agreement.strTarget);
    }
    if (!agreement.strUntil.empty() && !AgreementDay(agreement.strUntil)) {
        return "the end date is no day YYYY-MM-DD: " + Quoted(agreement.strUntil);
    }
    return {};
}

SAgreementImport ImportAgreementsCsv(CProject& project, std::string_view csvText) {
    SAgreementImport result;
    const std::string text =
        TextAsUtf8(csvText.starts_with("\xEF\xBB\xBF") ? csvText.substr(3) : csvText);
    const auto malformed = [&result](std::string problem) {
        result.bMalformed = true;
        result.problems.push_back(std::move(problem) + "; nothing was imported");
        return result;
    };
    SParsed parsed = ParseCsv(text, SeparatorOf(text));
    if (!parsed.strError.empty()) {
        return malformed(parsed.strError);
    }
    if (parsed.records.empty()) {
        return malformed("the file has no header row");
    }

    // The header: which column each field fills.
    std::vector<EColumn> columns;
    for (const std::string& name : parsed.records.front().fields) {
        const std::string lower = ToLowerAscii(TrimView(name));
        std::size_t index = 0;
        while (index < kColumnNames.size() && kColumnNames[index] != lower) {
            ++index;
        }
        if (index == kColumnNames.size()) {
            return malformed("unknown column " + Quoted(name) +
                             " (the columns are partner, target, anchor, follow, until, contact, "
                             "note)");
        }
        const auto eColumn = static_cast<EColumn>(index);
        if (std::find(columns.begin(), columns.end(), eColumn) != columns.end()) {
            return malformed("the column " + Quoted(lower) + " is named twice");
        }
        columns.push_back(eColumn);
    }
    if (std::find(columns.begin(), columns.end(), EColumn::Partner) == columns.end()) {
        return malformed("the header row names no column \"partner\"");
    }
    for (std::size_t row = 1; row < parsed.records.size(); ++row) {
        if (parsed.records[row].fields.size() > columns.size()) {
            return malformed("line " + std::to_string(parsed.records[row].nLine) + ": " +
                             std::to_string(parsed.records[row].fields.size()) +
                             " fields, but the header names " + std::to_string(columns.size()));
        }
    }

    // The partner entries by the URL they compare by (the first of equal ones, as
    // CProject::FindPartnerEntry finds it), once for all rows.
    std::unordered_map<std::string, std::string> entries;
    CLineList partners;
    project.CopyPartnersTo(partners);
    for (const std::string& entry : partners.Entries()) {
        entries.try_emplace(UrlComparisonKey(entry), entry);
    }
    for (std::size_t row = 1; row < parsed.records.size(); ++row) {
        const SRecord& record = parsed.records[row];
        const std::string line = "line " + std::to_string(record.nLine) + ": ";
        std::string partner;
        for (std::size_t i = 0; i < record.fields.size(); ++i) {
            if (columns[i] == EColumn::Partner) {
                partner = TrimView(record.fields[i]);
            }
        }
        if (partner.empty()) {
            result.problems.push_back(line + "no partner");
            continue;
        }
        const auto found = entries.find(UrlComparisonKey(partner));
        if (found == entries.end()) {
            result.problems.push_back(line);
            result.problems.back().append("unknown partner ").append(partner);
            continue;
        }
        const std::string& entry = found->second;
        const SAgreement* pOld = project.FindAgreement(entry);
        SAgreement agreement = pOld != nullptr ? *pOld : SAgreement{};
        std::string problem;
        // Missing fields at the end of a row are empty cells.
        for (std::size_t i = 0; i < columns.size() && problem.empty(); ++i) {
            std::string value = i < record.fields.size() ? record.fields[i] : std::string();
            if (columns[i] != EColumn::Note) {
                value = TrimView(value);
            }
            switch (columns[i]) {
            case EColumn::Partner:
                break;
            case EColumn::Target:
                agreement.strTarget = std::move(value);
                break;
            case EColumn::Anchor:
                agreement.strAnchor = std::move(value);
                break;
            case EColumn::Follow:
                if (const auto eFollow = ParseAgreedFollow(value.empty() ? "any" : value)) {
                    agreement.eFollow = *eFollow;
                } else {
                    problem = "follow is \"required\" or \"any\", not " + Quoted(value);
                }
                break;
            case EColumn::Until:
                agreement.strUntil = std::move(value);
                break;
            case EColumn::Contact:
                agreement.strContact = std::move(value);
                break;
            case EColumn::Note:
                agreement.strNote = std::move(value);
                break;
            }
        }
        if (problem.empty()) {
            problem = AgreementProblem(agreement);
        }
        if (!problem.empty()) {
            result.problems.push_back(line + problem);
            continue;
        }
        project.SetAgreement(entry, agreement);
        result.imported.push_back(line + entry);
        ++result.nImported;
    }
    return result;
}

} // namespace tessaray
