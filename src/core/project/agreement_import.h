#pragma once

#include "core/project/project.h"

#include <string>
#include <string_view>
#include <vector>

namespace tessaray {

// Why an agreement cannot be stored: its target is no web address (a trailing "*" aside) or its
// end date no "YYYY-MM-DD" day. "" when it can.
std::string AgreementProblem(const SAgreement& agreement);

// What an import of agreements did.
struct SAgreementImport {
    int nImported = 0;
    // Why lines were not imported ("line 3: unknown partner http://x.example"), in English like
    // the command line; for a malformed file why it is, and nothing was imported.
    std::vector<std::string> problems;
    bool bMalformed = false;
    // The lines imported: "line 2: http://a.example/links".
    std::vector<std::string> imported;
};

// Imports agreements from CSV text: a header row naming the columns (partner, target, anchor,
// follow, until, contact, note; any order, partner required, without regard to case), then one
// agreement per row. Fields follow RFC 4180 (quoted fields may hold separators, quotes written
// twice and line ends); the separator is ";" when the header uses it and no ",", else ",". A
// UTF-8 byte-order mark is skipped; text that is not UTF-8 is read as windows-1252. Each row sets
// the fields of the header's columns of the partner's agreement (an empty or missing cell empties a
// field) and leaves the others. Rows naming no partner of the project or holding a bad value are
// left out with a problem; a malformed file (unknown or repeated column, no partner column, an open
// quote, text after a closing quote, more fields than the header) changes nothing.
SAgreementImport ImportAgreementsCsv(CProject& project, std::string_view csvText);

} // namespace tessaray
