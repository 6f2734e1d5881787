#include "core/page/page_charset.h"

#include <gtest/gtest.h>

#include <string>

namespace tessaray {
namespace {

TEST(PageCharsetTest, SniffsLikeABrowser) {
    const struct {
        const char* header;
        const char* page;
        const char* charset;
    } cases[] = {
        {"HTTP/1.1 200 OK\r\nContent-Type: text/html; charset=\"ISO-8859-2\"\r\n",
         "<meta charset=utf-8>", "ISO-8859-2"},
        // After a redirect the last response's header counts.
        {"HTTP/1.1 301 Moved\r\ncontent-type: text/html; charset=koi8-r\r\n\r\n"
         "HTTP/1.1 200 OK\r\nCONTENT-TYPE: text/html;charset=utf-8\r\n",
         "\xFC", "UTF-8"},
        {"Content-Type: text/html\r\n", "<head><META CHARSET='Shift_JIS'></head>", "SHIFT_JIS"},
        {"", "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">",
         "WINDOWS-1252"},
        {"", "<meta charset=utf-16le>", "UTF-8"},
        {"", "</head><meta charset=koi8-r>\xC3\xA4", "UTF-8"}, // the <meta> is past the head
        {"", "Gr\xC3\xBCn", "UTF-8"},
        {"", "Gr\xFCn", "WINDOWS-1252"},
        {"", "\xED\xA0\x80", "WINDOWS-1252"}, // a surrogate is no UTF-8
        {"", "\xC0\xAF", "WINDOWS-1252"},     // nor is an overlong form
        // A byte-order mark goes before every label (UTF-16 pages read as windows-1252 lost
        // every link).
        {"Content-Type: text/html; charset=utf-8\r\n", "\xFF\xFE<\0a\0", "UTF-16LE"},
        {"", "\xFE\xFF\0<\0a", "UTF-16BE"},
        {"Content-Type: text/html; charset=iso-8859-1\r\n", "\xEF\xBB\xBF\xC3\xA4", "UTF-8"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SniffCharset(c.header, c.page), c.charset) << c.header << c.page;
    }
}

TEST(PageCharsetTest, UndecodablePages) {
    const struct {
        const char* header;
        const char* page;
        const char* charset;
        const char* reason;
    } cases[] = {
        {"HTTP/1.1 200 OK\r\nContent-Encoding: gzip\r\n", "\x1F\x8B", "UTF-8",
         "Content-Encoding: gzip"},
        {"HTTP/1.1 200 OK\r\ncontent-encoding: identity\r\n", "<a>", "UTF-8", ""},
        {"", "\xA4\xA4", "X-NO-SUCH", "charset X-NO-SUCH"},
        {"", "<a href=/x>plain ASCII</a>", "X-NO-SUCH", ""}, // reads the same in any charset
        {"", "\xA4\xA4", "KOI8-R", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(UndecodableReason(c.header, c.page, c.charset), c.reason) << c.header << c.page;
    }
}

TEST(PageCharsetTest, ConvertsWithIconv) {
    EXPECT_EQ(ConvertToUtf8("Gr\xFCn \x80", "WINDOWS-1252"), "Gr\xC3\xBCn \xE2\x82\xAC");
    EXPECT_EQ(ConvertToUtf8("\xC6\xD2\xC5", "KOI8-R"), "\xD1\x84\xD1\x80\xD0\xB5");
    // Valid UTF-8 stays as it is; bytes the charset does not allow become U+FFFD.
    EXPECT_EQ(ConvertToUtf8("Gr\xC3\xBCn", "utf-8"), "Gr\xC3\xBCn");
    EXPECT_EQ(ConvertToUtf8("a\xFF"
                            "b\xC3",
                            "UTF-8"),
              "a\xEF\xBF\xBD"
              "b\xEF\xBF\xBD");
    // A charset iconv does not know: UTF-8 when valid, else windows-1252.
    EXPECT_EQ(ConvertToUtf8("\xC3\xBC", "X-NO-SUCH"), "\xC3\xBC");
    EXPECT_EQ(ConvertToUtf8("\xFC", "X-NO-SUCH"), "\xC3\xBC");
    // In place, as pages are read; a page that is valid UTF-8 already is not copied.
    std::string page = "Gr\xFCner Tee aus dem Garten";
    ConvertToUtf8InPlace(page, "WINDOWS-1252");
    EXPECT_EQ(page, "Gr\xC3\xBCner Tee aus dem Garten");
    const char* const bytes = page.data();
    ConvertToUtf8InPlace(page, "UTF-8");
    EXPECT_EQ(page, "Gr\xC3\xBCner Tee aus dem Garten");
    EXPECT_EQ(page.data(), bytes);
}

} // namespace
} // namespace tessaray
