#pragma once

#include <cstddef>
#include <string_view>

namespace tessaray {

// Whether an answer is a bot-protection wall (a challenge or block page of a CDN or web
// application firewall) instead of the page: the name of the first rule of the table in
// bot_challenge.cpp that matches ("cloudflare-challenge", ...), or "" when none does. header is
// the raw header block of the response the body came with; only the body's first
// kBotChallengeSniff bytes are searched.
std::string_view BotChallengeRule(int nStatus, std::string_view header, std::string_view body);

inline constexpr std::size_t kBotChallengeSniff = std::size_t{64} << 10;

} // namespace tessaray
