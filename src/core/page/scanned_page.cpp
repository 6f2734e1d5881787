#include "core/page/scanned_page.h"

#include "core/page/page_charset.h"

#include <utility>

namespace tessaray {

SScannedPage ScanPageBytes(std::string bytes, std::string_view headerBlock,
                           std::string_view charset, std::string_view siteUrl,
                           std::string_view listDomain) {
    SScannedPage page;
    page.strCharset = charset.empty() ? SniffCharset(headerBlock, bytes) : std::string(charset);
    ConvertToUtf8InPlace(bytes, page.strCharset);
    const std::size_t size = bytes.size();
    page.analyzer.ListLinksTo(listDomain);
    page.analyzer.LoadText(siteUrl, std::move(bytes));
    page.nTextBytes = size - page.analyzer.GetCommentBytes();
    return page;
}

} // namespace tessaray
