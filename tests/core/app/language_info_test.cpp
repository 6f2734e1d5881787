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

TEST(LanguageInfo, InterfaceLetterFollowsTheChoiceElseTheSystem) {
    const CLanguageInfo german("German");
    const CLanguageInfo french("French");
    const CLanguageInfo english("English");
    // Nothing chosen: German on a German system, English on every other.
    EXPECT_EQ(InterfaceLanguageLetter(german, ""), 'G');
    EXPECT_EQ(InterfaceLanguageLetter(french, ""), 'E');
    EXPECT_EQ(InterfaceLanguageLetter(english, ""), 'E');
    // A choice overrides the system; an unknown one counts as none.
    EXPECT_EQ(InterfaceLanguageLetter(german, "en"), 'E');
    EXPECT_EQ(InterfaceLanguageLetter(english, "de"), 'G');
    EXPECT_EQ(InterfaceLanguageLetter(german, "fr"), 'G');
    // The name of the system language is kept whatever the interface speaks.
    std::string name;
    german.GetLanguageName(name);
    EXPECT_EQ(name, "GERMAN");
}

} // namespace
} // namespace tessaray
