#pragma once
// The one rule by which stored bytes become text: bytes that are valid UTF-8 are UTF-8, anything
// else is windows-1252 (what older project files and imported lists hold).

#include <cstddef>
#include <string>
#include <string_view>

namespace tessaray {

bool IsValidUtf8(std::string_view text);
// How many bytes at the start of the text are ASCII (below 0x80); the size when all are.
std::size_t AsciiPrefixLength(std::string_view text);
void AppendUtf8(char32_t code, std::string& out);

// Every byte read as windows-1252, as UTF-8.
std::string Windows1252ToUtf8(std::string_view bytes);

// The bytes as they are when they are valid UTF-8, else read as windows-1252; linear in the size.
std::string TextAsUtf8(std::string_view bytes);

} // namespace tessaray
