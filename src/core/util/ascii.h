#pragma once

#include <algorithm>
#include <string>
#include <string_view>

namespace tessaray {

// The ASCII helpers of the whole core. Case folding is ASCII only: the bytes of pages and files
// are never decoded for it. White space is blank, tab, CR, LF, VT and FF.

constexpr bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

constexpr bool IsAsciiLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

constexpr bool IsAsciiDigit(char c) {
    return c >= '0' && c <= '9';
}

constexpr bool IsAsciiAlnum(char c) {
    return IsAsciiLetter(c) || IsAsciiDigit(c);
}

// The value of a hex digit of either case; -1 for any other byte.
constexpr int HexDigitValue(char c) {
    if (IsAsciiDigit(c)) {
        return c - '0';
    }
    if ((c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F')) {
        return (c | 0x20) - 'a' + 10;
    }
    return -1;
}

constexpr bool IsAsciiHexDigit(char c) {
    return HexDigitValue(c) >= 0;
}

constexpr char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

constexpr char UpperAscii(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - ('a' - 'A')) : c;
}

inline std::string ToLowerAscii(std::string_view text) {
    std::string lower(text);
    for (char& c : lower) {
        c = LowerAscii(c);
    }
    return lower;
}

inline std::string ToUpperAscii(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        c = UpperAscii(c);
    }
    return upper;
}

// True when text equals the lower-case word, ASCII letters of either case alike.
constexpr bool EqualsNoCase(std::string_view text, std::string_view lowerWord) {
    return text.size() == lowerWord.size() &&
           std::equal(text.begin(), text.end(), lowerWord.begin(),
                      [](char a, char b) { return LowerAscii(a) == b; });
}

constexpr std::string_view TrimView(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

inline void TrimLeft(std::string& text) {
    text.erase(text.begin(), std::find_if_not(text.begin(), text.end(), IsBlank));
}

inline void TrimRight(std::string& text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.pop_back();
    }
}

inline void Trim(std::string& text) {
    TrimRight(text);
    TrimLeft(text);
}

} // namespace tessaray
