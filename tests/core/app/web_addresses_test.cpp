#include "core/app/web_addresses.h"

#include <string>

#include <gtest/gtest.h>

namespace tessaray {
namespace {

bool EndsWith(std::string_view text, std::string_view end) {
    return text.size() >= end.size() && text.substr(text.size() - end.size()) == end;
}

TEST(WebAddresses, GermanForGOnlyAndAllUnderAReservedDomain) {
    const WebAddress all[] = {WebAddress::ProductHome, WebAddress::CompanySite,
                              WebAddress::ContactPage, WebAddress::DownloadPage,
                              WebAddress::Homepage,    WebAddress::SupportMail};
    for (const WebAddress which : all) {
        for (const char letter : {'G', 'E', 'F'}) {
            const std::string_view address = GetWebAddress(which, letter);
            const bool bReserved = address.find(".example.com/") != std::string_view::npos ||
                                   EndsWith(address, ".example.com");
            EXPECT_TRUE(bReserved) << address;
        }
    }
    EXPECT_NE(GetWebAddress(WebAddress::ProductHome, 'G'),
              GetWebAddress(WebAddress::ProductHome, 'E'));
    EXPECT_EQ(GetWebAddress(WebAddress::ProductHome, 'F'),
              GetWebAddress(WebAddress::ProductHome, 'E'));
    EXPECT_TRUE(EndsWith(GetWebAddress(WebAddress::ContactPage, 'G'), "/contact.htm"));
    EXPECT_TRUE(EndsWith(GetWebAddress(WebAddress::ContactPage, 'E'), "/contact.htm"));
    EXPECT_TRUE(EndsWith(GetWebAddress(WebAddress::DownloadPage, 'G'), "/tessaray_download.htm"));
    EXPECT_TRUE(EndsWith(GetWebAddress(WebAddress::DownloadPage, 'E'), "/tessaray_download.htm"));
    EXPECT_TRUE(EndsWith(GetWebAddress(WebAddress::Homepage, 'G'), "/"));
    EXPECT_NE(GetWebAddress(WebAddress::SupportMail, 'G').find('@'), std::string_view::npos);
}

} // namespace
} // namespace tessaray
