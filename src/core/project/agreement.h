#pragma once

#include <string>

namespace tessaray {

// Whether the agreed link must be followed.
enum class EAgreedFollow { Any, Required };

// What was agreed with a partner: the link the partner gives. Every part is optional; an empty
// one agrees to anything.
struct SAgreement {
    // The page of the user's site the link goes to: the exact URL, or a prefix ending in "*".
    std::string strTarget;
    // The link's text, compared without regard to case: exact, or contained when written
    // between two "*" ("*cheap flights*").
    std::string strAnchor;
    EAgreedFollow eFollow = EAgreedFollow::Any;
    std::string strUntil;   // the last day of the agreement, "YYYY-MM-DD"
    std::string strContact; // whom to ask at the partner (a mail address, say)
    std::string strNote;

    bool IsEmpty() const { return *this == SAgreement{}; }
    bool operator==(const SAgreement&) const = default;
};

} // namespace tessaray
