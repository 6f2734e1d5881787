#include "core/util/utf8_text.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

namespace tessaray {

namespace {

// windows-1252 at 0x80..0x9F; the five bytes the code page leaves free keep their C1 code, as
// browsers read them.
constexpr std::array<char16_t, 32> kCp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The first byte at or after i that is not ASCII, or n. Sixteen bytes are tested at a time: most
// pages are mostly ASCII, and every fetched page is validated.
std::size_t SkipAscii(const unsigned char* p, std::size_t i, std::size_t n) {
    constexpr std::uint64_t kHighBits = 0x8080808080808080ULL;
    while (n - i >= 16) {
        std::uint64_t first = 0;
        std::uint64_t second = 0;
        std::memcpy(&first, p + i, 8);
        std::memcpy(&second, p + i + 8, 8);
        if (((first | second) & kHighBits) != 0) {
            if constexpr (std::endian::native == std::endian::little) {
                // The lowest high bit is the first byte that is not ASCII.
                const std::uint64_t high = first & kHighBits;
                return i + (high != 0 ? std::countr_zero(high) / 8
                                      : 8 + std::countr_zero(second & kHighBits) / 8);
            }
            break;
        }
        i += 16;
    }
    while (i < n && p[i] < 0x80) {
        ++i;
    }
    return i;
}

} // namespace

std::size_t AsciiPrefixLength(std::string_view text) {
    return SkipAscii(reinterpret_cast<const unsigned char*>(text.data()), 0, text.size());
}

bool IsValidUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    for (std::size_t i = SkipAscii(p, 0, n); i < n; i = SkipAscii(p, i, n)) {
        std::size_t length = 0;
        char32_t code = 0;
        if (p[i] >= 0xC2 && p[i] <= 0xDF) {
            length = 2;
            code = p[i] & 0x1F;
        } else if (p[i] >= 0xE0 && p[i] <= 0xEF) {
            length = 3;
            code = p[i] & 0x0F;
        } else if (p[i] >= 0xF0 && p[i] <= 0xF4) {
            length = 4;
            code = p[i] & 0x07;
        } else {
            return false;
        }
        if (n - i < length) {
            return false;
        }
        for (std::size_t k = 1; k < length; ++k) {
            if ((p[i + k] & 0xC0) != 0x80) {
                return false;
            }
            code = (code << 6) | (p[i + k] & 0x3F);
        }
        // Overlong forms, surrogates and values beyond Unicode are not UTF-8.
        if ((length == 3 && code < 0x800) || (length == 4 && code < 0x10000) || code > 0x10FFFF ||
            (code >= 0xD800 && code <= 0xDFFF)) {
            return false;
        }
        i += length;
    }
    return true;
}

void AppendUtf8(char32_t code, std::string& out) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else if (code < 0x10000) {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (code >> 18));
        out += static_cast<char>(0x80 | ((code >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

std::string Windows1252ToUtf8(std::string_view bytes) {
    std::string out;
    out.reserve(bytes.size() + bytes.size() / 2);
    for (const char ch : bytes) {
        const auto byte = static_cast<unsigned char>(ch);
        if (byte < 0x80) {
            out += ch;
        } else if (byte < 0xA0) {
            AppendUtf8(kCp1252High[byte - 0x80], out);
        } else {
            AppendUtf8(byte, out);
        }
    }
    return out;
}

std::string TextAsUtf8(std::string_view bytes) {
    return IsValidUtf8(bytes) ? std::string(bytes) : Windows1252ToUtf8(bytes);
}

} // namespace tessaray
