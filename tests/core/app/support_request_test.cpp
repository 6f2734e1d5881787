#include "core/app/support_request.h"

#include "core/app/os_name.h"
#include "core/app/web_addresses.h"

#include <gtest/gtest.h>

namespace tessaray {
namespace {

TEST(SupportRequest, GermanSystemOnWindowsXp) {
    const std::string subject = MakeSupportSubject("010102", "GERMAN", "WinXP 5.1");
    EXPECT_EQ(subject, "Dalvero-Tessaray-Support%20-%20Vers-010102-GERMAN%20-%20WinXP%205.1");
    const std::string body = MakeSupportBody("010102", "GERMAN", "WinXP 5.1");
    EXPECT_EQ(body, "Tessaray\r\nFileversion: 010102\r\nLanguage: GERMAN\r\nOS: WinXP 5.1\r\n");

    EXPECT_EQ(MakeMailSubject(subject), "Dalvero-Tessaray-Support-Vers-010102-GERMAN-WinXP_5.1");
    EXPECT_EQ(MakeMailBody(body), "Tessaray%0d%0aFileversion%3A%20010102%0d%0aLanguage%3A%20GERMAN"
                                  "%0d%0aOS%3A%20WinXP%205.1%0d%0a");
    EXPECT_EQ(MakeSupportMailLink("support@dalvero.example.com", subject, body),
              "mailto:support@dalvero.example.com"
              "?subject=Dalvero-Tessaray-Support-Vers-010102-GERMAN-WinXP_5.1"
              "&body=Tessaray%0d%0aFileversion%3A%20010102%0d%0aLanguage%3A%20GERMAN"
              "%0d%0aOS%3A%20WinXP%205.1%0d%0a%0d%0a");
}

TEST(SupportRequest, LinuxSystem) {
    const std::string os = "Debian GNU/Linux 12 (bookworm), Linux 6.1.0-18-amd64";
    const std::string subject = MakeSupportSubject("010102", "ENGLISH", os);
    EXPECT_EQ(MakeMailSubject(subject), "Dalvero-Tessaray-Support-Vers-010102-ENGLISH-Debian_GNU/"
                                        "Linux_12_(bookworm),_Linux_6.1.0-18-amd64");
    EXPECT_EQ(MakeMailBody(MakeSupportBody("010102", "ENGLISH", os)),
              "Tessaray%0d%0aFileversion%3A%20010102%0d%0aLanguage%3A%20ENGLISH%0d%0aOS%3A%20"
              "Debian%20GNU/Linux%2012%20(bookworm),%20Linux%206.1.0-18-amd64%0d%0a");

    // The running system's link holds no blank and no line end, whatever its name is.
    std::string running;
    GetOsName(running);
    const std::string link = MakeSupportMailLink(GetWebAddress(WebAddress::SupportMail, 'E'),
                                                 MakeSupportSubject("010102", "ENGLISH", running),
                                                 MakeSupportBody("010102", "ENGLISH", running));
    EXPECT_EQ(link.rfind("mailto:support@dalvero.example.com?subject=", 0), 0u) << link;
    EXPECT_EQ(link.find_first_of(" \r\n"), std::string::npos) << link;
}

TEST(SupportRequest, EmptySystemName) {
    EXPECT_EQ(MakeMailSubject(MakeSupportSubject("", "GERMAN", "")),
              "Dalvero-Tessaray-Support-Vers--GERMAN-");
    EXPECT_EQ(MakeSupportBody("", "GERMAN", ""),
              "Tessaray\r\nFileversion: \r\nLanguage: GERMAN\r\nOS: \r\n");
}

TEST(EscapeMailText, GermanLettersInCodePage1252AndUtf8) {
    EXPECT_EQ(EscapeMailText("\xE4\xF6\xFC\xC4\xD6\xDC\xDF:"), "%E4%F6%FC%C4%D6%DC%DF%3A");
    EXPECT_EQ(EscapeMailText("\xC3\xA4\xC3\xB6\xC3\xBC\xC3\x84\xC3\x96\xC3\x9C\xC3\x9F"),
              "%E4%F6%FC%C4%D6%DC%DF");
    EXPECT_EQ(EscapeMailText("Gr\xC3\xBC\xC3\x9F"
                             "e: Stra\xDF"
                             "e"),
              "Gr%FC%DFe%3A Stra%DFe");
    // Other UTF-8 characters are kept whole, even when their first byte is a 1252 letter
    // (U+0101 is C4 81, U+4E2D is E4 B8 AD).
    EXPECT_EQ(EscapeMailText("\xC4\x81 \xE4\xB8\xAD \xC3\xA9"), "\xC4\x81 \xE4\xB8\xAD \xC3\xA9");
    // A lone or cut-off byte is a 1252 character.
    EXPECT_EQ(EscapeMailText("\xE4\xB8"), "%E4\xB8");
    EXPECT_EQ(EscapeMailText("x\xC3"), "x\xC3");
    EXPECT_EQ(EscapeMailText(""), "");
}

TEST(ReplaceUntilNone, SearchesAgainFromTheBeginning) {
    std::string text = "abb";
    ReplaceUntilNone(text, "ab", "a"); // "abb" -> "ab" -> "a": a second occurrence forms
    EXPECT_EQ(text, "a");
    text = "xaaabbby";
    ReplaceUntilNone(text, "ab", "");
    EXPECT_EQ(text, "xy");
    text = "%20%20-%20-%20";
    ReplaceUntilNone(text, "%20-%20", "-");
    EXPECT_EQ(text, "%20--%20");
    // A replacement that contains what it replaces would never end: each occurrence once.
    text = "a b  c";
    ReplaceUntilNone(text, " ", "  ");
    EXPECT_EQ(text, "a  b    c");
    text = "abc";
    ReplaceUntilNone(text, "", "x");
    EXPECT_EQ(text, "abc");
}

} // namespace
} // namespace tessaray
