#include "core/app/language_info.h"

namespace tessaray {

CLanguageInfo::CLanguageInfo(const std::string& systemLanguageName)
    : m_strLanguage(systemLanguageName.empty() ? "ENGLISH" : systemLanguageName) {
    for (char& c : m_strLanguage) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
}

char InterfaceLanguageLetter(const CLanguageInfo& language, bool bEnglishLoaded) {
    return bEnglishLoaded ? 'E' : language.GetLanguageLetter();
}

} // namespace tessaray
