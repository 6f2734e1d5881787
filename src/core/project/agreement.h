#pragma once

#include <optional>
#include <string>
#include <string_view>

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

// "any", "required", as the command line, the CSV import and the project file write them.
constexpr std::string_view AgreedFollowCode(EAgreedFollow eFollow) {
    return eFollow == EAgreedFollow::Required ? "required" : "any";
}
// The follow value of a code, without regard to case and blanks around it; std::nullopt for
// anything else.
std::optional<EAgreedFollow> ParseAgreedFollow(std::string_view code);

// The day of a "YYYY-MM-DD" date as days since 1970-01-01; std::nullopt when the text is no such
// date of the calendar ("2027-02-30", "2027-2-3").
std::optional<int> AgreementDay(std::string_view date);

} // namespace tessaray
