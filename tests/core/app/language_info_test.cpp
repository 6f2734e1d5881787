#include "core/app/language_info.h"

#include <gtest/gtest.h>

namespace tessaray {
namespace {

TEST(LanguageInfo, NameIsUpperCaseAndDefaultsToEnglish) {
    std::string name;
    CLanguageInfo german("German");
    german.GetLanguageName(name);
    EXPECT_EQ(name, "GERMAN");
    EXPECT_EQ(german.GetLanguageLetter(), 'G');

    for (const char* none : {"", "C", "POSIX"}) {
        CLanguageInfo failed(none);
        failed.GetLanguageName(name);
        EXPECT_EQ(name, "ENGLISH") << none;
        EXPECT_EQ(failed.GetLanguageLetter(), 'E') << none;
    }
}

TEST(LanguageInfo, InterfaceLetterFollowsTheEnglishTranslationFile) {
    const CLanguageInfo german("German");
    EXPECT_EQ(InterfaceLanguageLetter(german, false), 'G');
    EXPECT_TRUE(IsGermanLetter(InterfaceLanguageLetter(german, false)));
    // With the English file loaded the letter is 'E', but the language name stays GERMAN.
    EXPECT_EQ(InterfaceLanguageLetter(german, true), 'E');
    std::string name;
    german.GetLanguageName(name);
    EXPECT_EQ(name, "GERMAN");

    // A French system without the file gets 'F', which selects the English variants.
    const char french = InterfaceLanguageLetter(CLanguageInfo("French"), false);
    EXPECT_EQ(french, 'F');
    EXPECT_FALSE(IsGermanLetter(french));
}

} // namespace
} // namespace tessaray
