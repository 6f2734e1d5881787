// Parses the input as a robots.txt and tests URLs cut from it; every lower-case entry must
// disallow the URL built from it (unless it starts with "/": the URL's path loses its leading "/").
#include "core/robots/robots_rules.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    tessaray::CRobotsRules rules;
    rules.Parse(text);

    // URLs cut from the input: every line and every tail after a blank, bounded in number.
    int tested = 0;
    for (const std::string& line : rules.GetLines().Entries()) {
        if (++tested > 64) {
            break;
        }
        rules.IsAllowed(line);
        const std::size_t blank = line.find(' ');
        if (blank != std::string::npos) {
            rules.IsAllowed(std::string_view(line).substr(blank + 1));
        }
    }
    rules.IsAllowed(text);

    tested = 0;
    for (const std::string& entry : rules.GetDisallowed().Entries()) {
        if (++tested > 64) {
            break;
        }
        // Capitals never match the lower-cased URL; a leading "/" is dropped from the URL's path.
        if (entry.starts_with('/') ||
            std::any_of(entry.begin(), entry.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) {
            continue;
        }
        if (rules.IsAllowed("http://host/" + entry) || rules.IsAllowed("HTTPS://host/" + entry)) {
            std::abort();
        }
    }
    return 0;
}
