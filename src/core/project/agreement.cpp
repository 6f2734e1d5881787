#include "core/project/agreement.h"

#include "core/util/ascii.h"

#include <chrono>

namespace tessaray {

std::optional<EAgreedFollow> ParseAgreedFollow(std::string_view code) {
    code = TrimView(code);
    for (const EAgreedFollow eFollow : {EAgreedFollow::Any, EAgreedFollow::Required}) {
        if (EqualsNoCase(code, AgreedFollowCode(eFollow))) {
            return eFollow;
        }
    }
    return std::nullopt;
}

std::optional<int> AgreementDay(std::string_view date) {
    if (date.size() != 10 || date[4] != '-' || date[7] != '-') {
        return std::nullopt;
    }
    int fields[3] = {0, 0, 0};
    const std::size_t starts[3] = {0, 5, 8};
    const std::size_t lengths[3] = {4, 2, 2};
    for (int i = 0; i < 3; ++i) {
        for (const char c : date.substr(starts[i], lengths[i])) {
            if (!IsAsciiDigit(c)) {
                return std::nullopt;
            }
            fields[i] = fields[i] * 10 + (c - '0');
        }
    }
    const std::chrono::year_month_day day{std::chrono::year(fields[0]),
                                          std::chrono::month(static_cast<unsigned>(fields[1])),
                                          std::chrono::day(static_cast<unsigned>(fields[2]))};
    if (!day.ok()) {
        return std::nullopt;
    }
    return static_cast<int>(std::chrono::sys_days(day).time_since_epoch().count());
}

} // namespace tessaray
