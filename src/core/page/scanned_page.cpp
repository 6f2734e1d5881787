#include "core/page/scanned_page.h"

#include "core/page/page_charset.h"

#include <utility>

namespace tessaray {

SScannedPage ScanPageBytes(std::string bytes, std::string_view headerBlock,
                           std::string_view charset, std::string_view siteUrl) {
    SScannedPage page;
    page.strCharset = charset.empty() ? SniffCharset(headerBlock, bytes) : std::string(charset);
    std::string text = ConvertToUtf8(bytes, page.strCharset);
    CPageAnalyzer::RemoveComments(text);
    page.nTextBytes = text.size();
    page.analyzer.Load(siteUrl, text);
    return page;
}

} // namespace tessaray
