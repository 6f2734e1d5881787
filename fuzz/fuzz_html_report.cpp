// The HTML report builder and the server-header shortening, with template, project name and
// report text (rows of tab-separated cells) from the input. The project name and the cells are the
// outsider's part: the page built from them must have exactly the markup of the page built from the
// same input with each of & < > " ' replaced by a letter, so no value can add a tag, an attribute
// or a quote.
#include "core/partner/cells.h"
#include "core/results/html_report.h"
#include "core/results/report_text.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// text with the characters that carry markup replaced by 'x'.
std::string Neutral(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (std::string_view("&<>\"'").find(c) != std::string_view::npos) {
            c = 'x';
        }
    }
    return out;
}

// The rows of the report text: one per line ended by CR LF, its cells split at tabs (as many as
// a result row has, the missing ones empty); the first row is the header row.
std::vector<std::array<std::string, tessaray::kColumnCount>> Rows(std::string_view reportText) {
    std::vector<std::array<std::string, tessaray::kColumnCount>> rows;
    for (std::size_t end = reportText.find("\r\n"); end != std::string_view::npos;
         end = reportText.find("\r\n")) {
        std::string_view line = reportText.substr(0, end);
        reportText.remove_prefix(end + 2);
        auto& row = rows.emplace_back();
        for (std::size_t col = 0; col < row.size() && !line.empty(); ++col) {
            const std::size_t tab = line.find('\t');
            row[col] = line.substr(0, tab);
            line = tab == std::string_view::npos ? std::string_view() : line.substr(tab + 1);
        }
    }
    return rows;
}

std::string Page(std::string_view templateText, const std::string& project,
                 std::string_view reportText) {
    tessaray::CHtmlReport report;
    report.Init(project, "2026-01-01");
    std::string page;
    if (report.LoadTemplateText(templateText)) {
        bool bHeader = true;
        for (const auto& row : Rows(reportText)) {
            report.AddRow(row, bHeader);
            bHeader = false;
        }
        report.GetPage(page);
    }
    return page;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Template, project name and report text, separated by NUL bytes.
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    const std::size_t first = input.find('\0');
    const std::string_view templateText = input.substr(0, first);
    const std::string_view rest = first == std::string_view::npos ? "" : input.substr(first + 1);
    const std::size_t second = rest.find('\0');
    const std::string project(rest.substr(0, second));
    const std::string_view reportText =
        second == std::string_view::npos ? "" : rest.substr(second + 1);

    for (const int lines : {-1, 0, 1, 2, 7}) {
        std::string header(reportText);
        tessaray::ShortenServerHeader(header, lines);
        if (lines >= 0) {
            Check(header.size() <= 2046);
            Check(header.find_first_of("\r\n\t") == std::string::npos);
        }
    }

    const std::string page = Page(templateText, project, reportText);
    const std::string neutral = Page(templateText, Neutral(project), Neutral(reportText));
    // Character references only lengthen the text: the markup characters stay exactly those of
    // the template and the generated table, in the same order.
    std::string markupOfPage;
    std::string markupOfNeutral;
    std::copy_if(page.begin(), page.end(), std::back_inserter(markupOfPage),
                 [](char c) { return c == '<' || c == '>' || c == '"' || c == '\''; });
    std::copy_if(neutral.begin(), neutral.end(), std::back_inserter(markupOfNeutral),
                 [](char c) { return c == '<' || c == '>' || c == '"' || c == '\''; });
    Check(markupOfPage == markupOfNeutral);
    return 0;
}
