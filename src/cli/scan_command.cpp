// tessaray-cli scan: runs the page scanner on a saved page and prints what the analysis would see.
#include "cli/commands.h"

#include "core/page/scanned_page.h"
#include "core/util/file_util.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace tessaray::cli {

namespace {

struct ScanOptions {
    std::string strPageFile;
    std::string strBaseUrl;
    std::string strDomain;
    std::string strCharset; // empty: sniffed from the page
    bool bJson = false;
};

struct FoundLink {
    std::string strUrl;
    std::string strText;
    int nNofollow = 0;
};

const char* YesNo(int flag) {
    return flag ? "yes" : "no";
}

const char* TrueFalse(int flag) {
    return flag ? "true" : "false";
}

// A JSON string literal of UTF-8 text.
std::string JsonString(std::string_view text) {
    std::string out = "\"";
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
            out += escape;
        } else {
            out += c;
        }
    }
    return out + '"';
}

int RunScan(const ScanOptions& options) {
    if (options.strBaseUrl.empty() || options.strDomain.empty()) {
        std::fprintf(stderr, "tessaray-cli: --base and --domain must not be empty\n");
        return kExitUsage;
    }
    std::string page;
    if (!ReadFileToString(options.strPageFile, page, true)) {
        // An empty file reads as false too; only a file that cannot be opened is an error.
        if (!std::ifstream(options.strPageFile, std::ios::binary)) {
            std::fprintf(stderr, "tessaray-cli: cannot read %s: %s\n", options.strPageFile.c_str(),
                         std::strerror(errno));
            return kExitUsage;
        }
        page.clear();
    }
    const std::size_t bytes = page.size();
    SScannedPage scanned =
        ScanPageBytes(std::move(page), {}, options.strCharset, options.strBaseUrl);
    const std::string& charset = scanned.strCharset;
    CPageAnalyzer& analyzer = scanned.analyzer;

    int robots = 0, index = 0, noindex = 0, follow = 0, nofollow = 0;
    analyzer.GetMetaFlags(robots, index, noindex, follow, nofollow);
    std::vector<FoundLink> links;
    FoundLink link;
    while (
        analyzer.NextLinkToDomain(options.strDomain, link.strUrl, link.strText, link.nNofollow)) {
        links.push_back(link);
    }

    if (options.bJson) {
        std::string json = "{\"page\": " + JsonString(options.strPageFile) +
                           ", \"bytes\": " + std::to_string(bytes) +
                           ", \"charset\": " + JsonString(charset) +
                           ", \"base\": " + JsonString(options.strBaseUrl) +
                           ", \"domain\": " + JsonString(options.strDomain) + ",\n";
        json += std::string(" \"meta\": {\"robots\": ") + TrueFalse(robots) +
                ", \"index\": " + TrueFalse(index) + ", \"noindex\": " + TrueFalse(noindex) +
                ", \"follow\": " + TrueFalse(follow) + ", \"nofollow\": " + TrueFalse(nofollow) +
                "},\n";
        json += " \"internal_links\": " + std::to_string(analyzer.GetInternalCount()) +
                ", \"external_links\": " + std::to_string(analyzer.GetExternalCount()) +
                ",\n \"links\": [";
        for (std::size_t i = 0; i < links.size(); ++i) {
            json += std::string(i ? ",\n" : "\n") + "  {\"url\": " + JsonString(links[i].strUrl) +
                    ", \"text\": " + JsonString(links[i].strText) +
                    ", \"nofollow\": " + TrueFalse(links[i].nNofollow) + "}";
        }
        json += links.empty() ? "]}\n" : "\n ]}\n";
        std::fputs(json.c_str(), stdout);
        return 0;
    }
    std::printf("Page             %s (%zu bytes, %zu without comments)\n",
                options.strPageFile.c_str(), bytes, scanned.nTextBytes);
    std::printf("Base URL         %s\n", options.strBaseUrl.c_str());
    std::printf("Domain           %s\n", options.strDomain.c_str());
    if (robots) {
        std::printf("Meta robots      index: %s  noindex: %s  follow: %s  nofollow: %s\n",
                    YesNo(index), YesNo(noindex), YesNo(follow), YesNo(nofollow));
    } else {
        std::printf("Meta robots      none\n");
    }
    std::printf("Internal links   %d\n", analyzer.GetInternalCount());
    std::printf("External links   %d\n", analyzer.GetExternalCount());
    std::printf("Links to domain  %zu\n", links.size());
    if (links.empty()) {
        return 0;
    }

    std::size_t urlWidth = 3;
    for (const FoundLink& found : links) {
        urlWidth = std::max(urlWidth, found.strUrl.size());
    }
    const std::size_t width = std::min<std::size_t>(urlWidth, 80);
    // One aligned line per link, written at once: a large page has thousands.
    std::string table;
    const auto cell = [&table](std::string_view text, std::size_t cellWidth) {
        table += text;
        table.append(cellWidth > text.size() ? cellWidth - text.size() : 0, ' ');
    };
    table += "\nNo.  Nofollow  ";
    cell("URL", width);
    table += "  Anchor text\n";
    for (std::size_t i = 0; i < links.size(); ++i) {
        cell(std::to_string(i + 1), 4);
        table += ' ';
        cell(YesNo(links[i].nNofollow), 8);
        table += "  ";
        cell(links[i].strUrl, width);
        table += "  ";
        table += links[i].strText;
        table += '\n';
    }
    std::fwrite(table.data(), 1, table.size(), stdout);
    return 0;
}

} // namespace

void RegisterScan(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<ScanOptions>();
    CLI::App* scan = app.add_subcommand(
        "scan", "Scan a saved page for its robots meta tag, link counts and links to a domain");
    scan->add_option("PAGE_FILE", options->strPageFile, "the page, as saved from the server")
        ->required();
    scan->add_option("--base", options->strBaseUrl, "the page's site, e.g. http://partner.example")
        ->required();
    scan->add_option("--domain", options->strDomain, "your domain, e.g. http://my.example")
        ->required();
    scan->add_option("--charset", options->strCharset,
                     "the page's character set (default: from <meta>, else UTF-8 when valid, "
                     "else windows-1252)");
    scan->add_flag("--json", options->bJson,
                   "print the findings as JSON: meta flags, link counts, links to the domain");
    scan->callback([options, &exitCode] { exitCode = RunScan(*options); });
}

} // namespace tessaray::cli
