#include "core/util/utf8_text.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaray {
namespace {

TEST(Utf8TextTest, ValidUtf8StaysAndEverythingElseIsWindows1252) {
    struct SCase {
        std::string bytes;
        std::string text;
    };
    const SCase cases[] = {
        {"", ""},
        {"plain ascii", "plain ascii"},
        {"M\xC3\xA4rz", "M\xC3\xA4rz"},                         // UTF-8 kept
        {"M\xE4rz", "M\xC3\xA4rz"},                             // windows-1252 ä
        {"\x80 \x9F \x81", "\xE2\x82\xAC \xC5\xB8 \xC2\x81"},   // euro, Ÿ, a free byte
        {"\xC3\xA4 and \xFC", "\xC3\x83\xC2\xA4 and \xC3\xBC"}, // mixed: all read as 1252
        {"cut \xE2\x82", "cut \xC3\xA2\xE2\x80\x9A"},           // a cut UTF-8 sequence
        {"\xED\xA0\x80", "\xC3\xAD\xC2\xA0\xE2\x82\xAC"},       // a surrogate is not UTF-8
        // Long ASCII runs are read sixteen bytes at a time: a sequence across such a block, a
        // stray byte after one.
        {"0123456789abcde\xC3\xA4 and more text", "0123456789abcde\xC3\xA4 and more text"},
        {"0123456789abcdef0123\xFC!", "0123456789abcdef0123\xC3\xBC!"},
    };
    for (const SCase& c : cases) {
        EXPECT_EQ(TextAsUtf8(c.bytes), c.text) << c.bytes;
        EXPECT_TRUE(IsValidUtf8(TextAsUtf8(c.bytes))) << c.bytes;
    }
}

} // namespace
} // namespace tessaray
