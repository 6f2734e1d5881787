#include "core/fetch/read_rank.h"

#include "core/project/url_rules.h"

namespace tessaray {

int ReadRank(std::string_view response) {
    if (response.size() < 10) {
        return -1;
    }
    if (ToLowerAscii(response).find("rank_") == std::string::npos) {
        return -1;
    }
    for (std::size_t i = response.size() - 1; i >= 1; --i) {
        if (response[i] >= '0' && response[i] <= '9') {
            return response[i] - '0';
        }
    }
    return -1;
}

} // namespace tessaray
