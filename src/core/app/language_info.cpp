#include "core/app/language_info.h"

namespace tessaray {

CLanguageInfo::CLanguageInfo(const std::string& systemLanguageName)
    : m_strLanguage(systemLanguageName.empty() ? "ENGLISH" : systemLanguageName) {
    for (char& c : m_strLanguage) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    // The C/POSIX locale names no language; its texts are English.
    if (m_strLanguage == "C" || m_strLanguage == "POSIX") {
        m_strLanguage = "ENGLISH";
    }
}

char InterfaceLanguageLetter(const CLanguageInfo& language, bool bEnglishLoaded) {
    return bEnglishLoaded ? 'E' : language.GetLanguageLetter();
}

} // namespace tessaray
