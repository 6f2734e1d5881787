#include "core/app/language_info.h"

#include "core/util/ascii.h"

namespace tessaray {

CLanguageInfo::CLanguageInfo(const std::string& systemLanguageName)
    : m_strLanguage(systemLanguageName.empty() ? "ENGLISH" : systemLanguageName) {
    m_strLanguage = ToUpperAscii(m_strLanguage);
    // The C/POSIX locale names no language; its texts are English.
    if (m_strLanguage == "C" || m_strLanguage == "POSIX") {
        m_strLanguage = "ENGLISH";
    }
}

char InterfaceLanguageLetter(const CLanguageInfo& system, std::string_view chosen) {
    const bool bGerman =
        chosen == "de" || (chosen != "en" && IsGermanLetter(system.GetLanguageLetter()));
    return bGerman ? 'G' : 'E';
}

} // namespace tessaray
