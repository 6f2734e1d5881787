// Parses the input as a robots.txt for search engines and asks for URLs cut from it. Beyond not
// crashing: /robots.txt is always allowed, an answer does not depend on what the rules held
// before, and a URL means the same with one of its letters percent-encoded.
#include "core/robots/robots_rfc_rules.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

namespace {

// "%61" for the path's first 'a' (that is no hex digit of an escape): an escape of an unreserved
// character, which must not change what the path means.
std::string EncodeFirstLetter(std::string url) {
    const std::size_t path = url.find('/', 7);
    for (std::size_t i = path == std::string::npos ? url.size() : path; i < url.size(); ++i) {
        const char c = url[i];
        const bool inEscape = url[i - 1] == '%' || url[i - 2] == '%';
        if (((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) && !inEscape) {
            static constexpr char kHex[] = "0123456789ABCDEF";
            const auto value = static_cast<unsigned char>(c);
            url.replace(i, 1, {'%', kHex[value >> 4], kHex[value & 0x0F]});
            break;
        }
    }
    return url;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);

    // URLs from the values of the first lines, at most ten.
    std::vector<std::string> urls{"http://h/", "http://h/robots.txt"};
    std::string_view rest = text;
    while (!rest.empty() && urls.size() < 10) {
        const std::size_t end = rest.find_first_of("\r\n");
        const std::string_view line = rest.substr(0, end);
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        const std::size_t colon = line.find(':');
        const std::string_view value =
            colon == std::string_view::npos ? line : line.substr(colon + 1);
        if (!value.empty() && value.size() <= 4096) {
            urls.push_back("http://h" + std::string(value));
        }
    }

    tessaray::CRobotsRfcRules rules;
    rules.Parse(text);
    tessaray::CRobotsRfcRules reused;
    reused.Parse("User-agent: *\nDisallow: /\nUser-agent: googlebot\nAllow: /x\n");
    reused.Parse(text);

    for (const char* crawler : {"Googlebot", "bingbot"}) {
        if (!rules.IsAllowed(crawler, "http://h/robots.txt")) {
            std::abort();
        }
        for (const std::string& url : urls) {
            const bool allowed = rules.IsAllowed(crawler, url);
            if (reused.IsAllowed(crawler, url) != allowed ||
                rules.IsAllowed(crawler, EncodeFirstLetter(url)) != allowed) {
                std::abort();
            }
        }
    }
    return 0;
}
