#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string>
#include <vector>

namespace tessaray {

// The DevTools protocol on a browser's pipes: JSON messages, each ended by a NUL byte. Commands
// are numbered here and queued; the owner's poll loop says when the pipes are ready.
class CDevToolsPipe {
public:
    // A message longer than this is an error of the browser's, not something to hold.
    static constexpr std::size_t kMaxMessage = std::size_t{64} << 20;

    void Attach(int readFd, int writeFd);
    // Queues a command (to a page's session when session is not empty); returns its id.
    int Send(const std::string& method, nlohmann::json params, const std::string& session = {});
    bool WantsWrite() const { return m_nSent < m_outbox.size(); }
    // Writes what the pipe takes now. False (with error) when the browser no longer reads.
    bool Write(std::string& error);
    // Reads what has arrived and appends the whole messages to messages. False (with error)
    // when the browser closed its end or sent something that is no message.
    bool Read(std::vector<nlohmann::json>& messages, std::string& error);

private:
    int m_readFd = -1;
    int m_writeFd = -1;
    int m_nNextId = 1;
    std::string m_outbox;
    std::size_t m_nSent = 0;
    std::string m_inbox;
    std::size_t m_nScanned = 0; // bytes of m_inbox known to hold no NUL
};

} // namespace tessaray
