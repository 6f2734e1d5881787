#pragma once

#include <string>
#include <string_view>

namespace tessaray {

// Replaces occurrences of from by to until none is left: the first occurrence is replaced and the
// search starts again from the beginning of the result. When to itself contains from, that would
// never end, so each original occurrence is replaced once instead.
void ReplaceUntilNone(std::string& text, std::string_view from, std::string_view to);

// The subject of a support request, as the support dialog holds it:
// "Dalvero-Tessaray-Support%20-%20Vers-<version>-<language>%20-%20<os>", blanks as "%20".
std::string MakeSupportSubject(std::string_view versionCode, std::string_view language,
                               std::string_view osName);

// The body of a support request: product, file version, language and system, one per CR LF line.
std::string MakeSupportBody(std::string_view versionCode, std::string_view language,
                            std::string_view osName);

// Escapes the German letters ä ö ü Ä Ö Ü ß as %E4 %F6 %FC %C4 %D6 %DC %DF and ':' as %3A for a mail
// link. The letters are recognised both as the single bytes of Windows code page 1252 and in their
// UTF-8 two-byte form (our texts are UTF-8 on Linux); both give the code page 1252 escape. A byte
// that begins a UTF-8 multi-byte sequence is taken as UTF-8 and that sequence is copied unchanged.
std::string EscapeMailText(std::string_view text);

// The subject as sent in the mail link: "%20-%20" becomes "-", then every other "%20" becomes "_".
std::string MakeMailSubject(std::string_view subject);

// The body as sent in the mail link: CR LF as "%0d%0a", then EscapeMailText, then blanks as "%20".
std::string MakeMailBody(std::string_view body);

// "mailto:" + address + "?subject=" + MakeMailSubject + "&body=" + MakeMailBody + "%0d%0a".
std::string MakeSupportMailLink(std::string_view address, std::string_view subject,
                                std::string_view body);

} // namespace tessaray
