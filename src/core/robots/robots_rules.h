#pragma once

#include "core/project/line_list.h"

#include <string>
#include <string_view>

namespace tessaray {

// The disallowed paths of a site's robots.txt and the test of one URL against them. Only Disallow
// lines count, whatever user agent their group names, and a URL is disallowed only when its path
// equals an entry exactly.
class CRobotsRules {
public:
    // Replaces the rules by those of text; an empty text gives none. A last line without a line
    // end counts like the others.
    void Parse(std::string_view text);
    // True unless the URL's path (lower-cased, without the leading "/") equals a disallowed entry.
    bool IsAllowed(std::string_view url) const;

    // The robots text split into lines, and one entry per usable Disallow line: the text after
    // its first "/", case kept.
    const CLineList& GetLines() const { return m_lines; }
    const CLineList& GetDisallowed() const { return m_disallowed; }

private:
    CLineList m_lines;
    CLineList m_disallowed;
};

} // namespace tessaray
