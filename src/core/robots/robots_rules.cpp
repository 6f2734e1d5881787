#include "core/robots/robots_rules.h"

#include "core/project/url_rules.h"

#include <algorithm>

namespace tessaray {

void CRobotsRules::Parse(std::string_view text) {
    m_lines.RemoveAll();
    m_disallowed.RemoveAll();
    // The line splitter drops a last line without a line end; give it one so that line counts.
    if (!text.empty() && text.back() != '\r' && text.back() != '\n') {
        m_lines.SetText(std::string(text) + '\n');
    } else {
        m_lines.SetText(text);
    }
    m_lines.TruncateLongEntries();

    constexpr std::string_view kDisallow = "disallow";
    for (const std::string& entry : m_lines.Entries()) {
        std::string_view line(entry);
        const auto first = std::find_if_not(line.begin(), line.end(), IsBlank);
        line.remove_prefix(static_cast<std::size_t>(first - line.begin()));
        if (ToLowerAscii(line.substr(0, kDisallow.size())) != kDisallow) {
            continue;
        }
        const std::size_t slash = line.find('/', kDisallow.size());
        if (slash != std::string_view::npos) {
            m_disallowed.Add(line.substr(slash + 1));
        }
    }
    m_disallowed.TruncateLongEntries();
}

bool CRobotsRules::IsAllowed(std::string_view url) const {
    std::string path(url);
    TrimLeft(path);
    path = ToLowerAscii(path);
    // After a scheme, the path is what follows the host's "/".
    std::size_t start = path.starts_with(kHttps)  ? kHttps.size()
                        : path.starts_with(kHttp) ? kHttp.size()
                                                  : 0;
    if (start > 0) {
        const std::size_t slash = path.find('/', start);
        if (slash != std::string::npos && slash > start) {
            start = slash + 1;
        }
    }
    if (start < path.size() && path[start] == '/') {
        ++start;
    }
    const std::string_view p = std::string_view(path).substr(start);
    const auto& entries = m_disallowed.Entries();
    return std::find(entries.begin(), entries.end(), p) == entries.end();
}

} // namespace tessaray
