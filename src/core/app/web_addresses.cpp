#include "core/app/web_addresses.h"

#include "core/app/language_info.h"

#include <iterator>

namespace tessaray {

namespace {

struct AddressVariants {
    std::string_view german;
    std::string_view english;
};

// Indexed by WebAddress.
constexpr AddressVariants kAddresses[] = {
    {"https://tessaray.example.com/de", "https://tessaray.example.com/en"},
    {"https://dalvero.example.com/de", "https://dalvero.example.com/en"},
    {"https://dalvero.example.com/de/contact.htm", "https://dalvero.example.com/en/contact.htm"},
    {"https://tessaray.example.com/de/tessaray_download.htm",
     "https://tessaray.example.com/en/tessaray_download.htm"},
    {"https://tessaray.example.com/", "https://tessaray.example.com/"},
    {"support@dalvero.example.com", "support@dalvero.example.com"},
};
static_assert(std::size(kAddresses) == static_cast<std::size_t>(WebAddress::SupportMail) + 1);

} // namespace

std::string_view GetWebAddress(WebAddress which, char chLanguage) {
    const AddressVariants& variants = kAddresses[static_cast<int>(which)];
    return IsGermanLetter(chLanguage) ? variants.german : variants.english;
}

} // namespace tessaray
