#pragma once

#include "core/page/page_analyzer.h"

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaray {

// A fetched page as the analysis reads it: the charset, the size of the text, and its scan.
struct SScannedPage {
    std::string strCharset;     // the charset the bytes were read in
    std::size_t nTextBytes = 0; // the page as UTF-8 text, without its comments
    CPageAnalyzer analyzer;     // the links and metas of that text
};

// Reads the bytes of a fetched page: the charset (the one given, else sniffed from the raw header
// block and the page, see SniffCharset), the text as UTF-8, and the scan of it as a page of the
// site siteUrl (see CPageAnalyzer::Load); with a listDomain, only the links to it are kept (see
// CPageAnalyzer::ListLinksTo). The command line and the benchmarks read pages through here, so
// both measure and show what the analysis sees.
SScannedPage ScanPageBytes(std::string bytes, std::string_view headerBlock,
                           std::string_view charset, std::string_view siteUrl,
                           std::string_view listDomain = {});

} // namespace tessaray
