#pragma once
// The core keeps text and file names as byte strings; these convert them at the Qt edge. Bytes
// become text by one rule (valid UTF-8 is UTF-8, anything else windows-1252); text the user typed
// goes back as UTF-8.

#include "core/util/file_util.h"

#include <QString>

#include <string>
#include <string_view>

namespace tessaray {

// Core text shown in a widget, and widget text handed to the core.
QString FromBytes(std::string_view text);
std::string ToBytes(const QString& text);
// The original bytes while the text still reads as they do, else the text as UTF-8: what the user
// did not edit keeps its bytes.
std::string ToBytesKeeping(const QString& text, const std::string& original);

// A file name as the core opens it, and back.
std::string ToPath(const QString& path);
QString FromPath(const std::string& path);

// Text for a tool tip that is shown as it is: text that Qt would take for markup (a partner page's
// anchor text, say) is turned into escaped markup.
QString PlainToolTip(const QString& text);

// A reason of the core's ReadFailureReason ("is a FIFO (named pipe), not a file") in the
// interface's language; a reason it does not know as it is.
QString ReadReasonText(const std::string& reason);

// "The file PATH cannot be read.", followed by what the file is when it is no regular file or too
// large, in the interface's language.
QString ReadFailureText(const QString& path, const CReadResult& read);

} // namespace tessaray
