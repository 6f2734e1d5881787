#include "core/util/message_sink.h"

#include <cstdio>
#include <mutex>
#include <utility>

namespace tessaray {

namespace {
std::mutex g_mutex;
MessageHandler g_handler;
} // namespace

MessageHandler SetMessageHandler(MessageHandler handler) {
    std::lock_guard lock(g_mutex);
    return std::exchange(g_handler, std::move(handler));
}

void ShowMessage(const std::string& text) {
    MessageHandler handler;
    {
        std::lock_guard lock(g_mutex);
        handler = g_handler;
    }
    if (handler) {
        handler(text);
    } else {
        std::fprintf(stderr, "%s\n", text.c_str());
    }
}

} // namespace tessaray
