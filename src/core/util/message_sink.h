#pragma once

#include <functional>
#include <string>

namespace tessaray {

// Where the core's few user-facing messages go (the line list's "Out of memory", the file-open
// error). The desktop program connects a message box; without a handler they go to stderr.
using MessageHandler = std::function<void(const std::string& text)>;

// Installs the handler; an empty handler restores the stderr default. Returns the previous one.
MessageHandler SetMessageHandler(MessageHandler handler);

// Shows text through the installed handler.
void ShowMessage(const std::string& text);

} // namespace tessaray
