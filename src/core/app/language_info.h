#pragma once

#include <string>
#include <string_view>

namespace tessaray {

// The system language as found at start: the English name of the system locale's language in upper
// case ("GERMAN" on a German system), "ENGLISH" when it could not be found
// or is the C/POSIX locale's "C".
class CLanguageInfo {
public:
    // systemLanguageName: the English name the platform gives (e.g. "German"); "" when the query
    // failed.
    explicit CLanguageInfo(const std::string& systemLanguageName);
    CLanguageInfo(const CLanguageInfo&) = default;
    CLanguageInfo& operator=(const CLanguageInfo&) = default;

    // The first character of the name ('G' for GERMAN).
    char GetLanguageLetter() const { return m_strLanguage[0]; }
    void GetLanguageName(std::string& out) const { out = m_strLanguage; }

private:
    std::string m_strLanguage;
};

// The interface language letter: 'G' (German) when the user chose "de" in the options, or chose
// nothing ("" follows the system) on a German system; 'E' (English) otherwise. Where the program
// is installed plays no part, so a portable or build folder speaks as the package does.
char InterfaceLanguageLetter(const CLanguageInfo& system, std::string_view chosen);

// True for the letter that selects German texts and web addresses.
inline bool IsGermanLetter(char chLanguage) {
    return chLanguage == 'G';
}

} // namespace tessaray
