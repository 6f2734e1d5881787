#include "core/app/version_code.h"

#include <climits>
#include <cstdio>
#include <string_view>

#if !defined(TESSARAY_VERSION_TEXT) || !defined(TESSARAY_VERSION)
#error "the build must define TESSARAY_VERSION_TEXT and TESSARAY_VERSION"
#endif

namespace tessaray {

namespace {

// The C runtime's atoi: leading white space skipped, an optional sign, then decimal digits; clamped
// instead of overflowing.
int ParseDecimal(std::string_view text) {
    std::size_t pos = 0;
    while (pos < text.size() && (text[pos] == ' ' || (text[pos] >= '\t' && text[pos] <= '\r'))) {
        ++pos;
    }
    bool negative = false;
    if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
        negative = text[pos++] == '-';
    }
    long long value = 0;
    for (; pos < text.size() && text[pos] >= '0' && text[pos] <= '9'; ++pos) {
        value = value * 10 + (text[pos] - '0');
        if (value > INT_MAX) {
            return negative ? INT_MIN : INT_MAX;
        }
    }
    return static_cast<int>(negative ? -value : value);
}

} // namespace

std::string MakeVersionCode(const char* fileVersionText) {
    if (fileVersionText == nullptr) {
        return "";
    }
    std::string_view rest = fileVersionText;
    int numbers[3] = {0, 0, 0};
    for (int& number : numbers) {
        const auto comma = rest.find(',');
        // A comma first or none at all leaves this number and the following ones 0.
        if (comma == std::string_view::npos || comma == 0) {
            break;
        }
        number = ParseDecimal(rest.substr(0, comma));
        rest.remove_prefix(comma + 1);
    }
    char code[48];
    std::snprintf(code, sizeof code, "%02d%02d%02d", numbers[0], numbers[1], numbers[2]);
    return code;
}

std::string BuiltVersionCode() {
    return MakeVersionCode(TESSARAY_VERSION_TEXT);
}

std::string VersionLine(const char* programName) {
    return std::string(programName) + " " + TESSARAY_VERSION;
}

} // namespace tessaray
