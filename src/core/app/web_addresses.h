#pragma once

#include <string_view>

namespace tessaray {

// The fixed web and mail addresses the program opens. They lie under example.com, a domain
// reserved for documentation, so nothing real is ever contacted.
enum class WebAddress {
    ProductHome,  // About box button
    CompanySite,  // About box button
    ContactPage,  // About box button
    DownloadPage, // update check and update command
    Homepage,     // the Homepage command: the product home page with trailing "/"
    SupportMail,  // recipient of the support request
};

// The address in the variant of the interface language letter: German for 'G', English otherwise
// (addresses with one variant give it for every letter).
std::string_view GetWebAddress(WebAddress which, char chLanguage);

} // namespace tessaray
