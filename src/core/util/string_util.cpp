#include "core/util/string_util.h"

namespace tessaray {

bool ReplaceFirst(std::string& str, std::string_view strWhat, std::string_view strWith) {
    if (strWhat.empty()) {
        return false;
    }
    const std::size_t pos = str.find(strWhat);
    if (pos == std::string::npos) {
        return false;
    }
    str.replace(pos, strWhat.size(), strWith);
    return true;
}

bool ReplaceAll(std::string& str, std::string_view strWhat, std::string_view strWith) {
    if (strWhat.empty()) {
        return false;
    }
    std::size_t pos = str.find(strWhat);
    if (pos == std::string::npos) {
        return false;
    }
    // Built anew in one pass, so the work stays linear however many occurrences there are.
    std::string out;
    std::size_t from = 0;
    while (pos != std::string::npos) {
        out.append(str, from, pos - from);
        out += strWith;
        from = pos + strWhat.size();
        pos = str.find(strWhat, from);
    }
    out.append(str, from, std::string::npos);
    str = std::move(out);
    return true;
}

} // namespace tessaray
