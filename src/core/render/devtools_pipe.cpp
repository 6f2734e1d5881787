#include "core/render/devtools_pipe.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>

#include <unistd.h>

namespace tessaray {

void CDevToolsPipe::Attach(int readFd, int writeFd) {
    m_readFd = readFd;
    m_writeFd = writeFd;
}

int CDevToolsPipe::Send(const std::string& method, nlohmann::json params,
                        const std::string& session) {
    const int nId = m_nNextId++;
    nlohmann::json message{{"id", nId}, {"method", method}, {"params", std::move(params)}};
    if (!session.empty()) {
        message["sessionId"] = session;
    }
    if (m_nSent == m_outbox.size()) {
        m_outbox.clear();
        m_nSent = 0;
    }
    m_outbox += message.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
    m_outbox.push_back('\0');
    return nId;
}

bool CDevToolsPipe::Write(std::string& error) {
    while (WantsWrite()) {
        const ssize_t n = ::write(m_writeFd, m_outbox.data() + m_nSent, m_outbox.size() - m_nSent);
        if (n > 0) {
            m_nSent += static_cast<std::size_t>(n);
            continue;
        }
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return true;
        }
        error = "the browser stopped reading its commands";
        if (errno == EPIPE) {
            // The calling thread blocks SIGPIPE; take the pending one so it does not stay.
            sigset_t pipe;
            sigemptyset(&pipe);
            sigaddset(&pipe, SIGPIPE);
            const timespec now{0, 0};
            sigtimedwait(&pipe, nullptr, &now);
        }
        return false;
    }
    return true;
}

bool CDevToolsPipe::Read(std::vector<nlohmann::json>& messages, std::string& error) {
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(m_readFd, buffer, sizeof buffer);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK)) {
            return true;
        }
        if (n <= 0) {
            error = "the browser closed its connection";
            return false;
        }
        m_inbox.append(buffer, static_cast<std::size_t>(n));
        std::size_t begin = 0;
        for (std::size_t end = m_inbox.find('\0', m_nScanned); end != std::string::npos;
             end = m_inbox.find('\0', begin)) {
            nlohmann::json message = nlohmann::json::parse(
                m_inbox.begin() + static_cast<std::ptrdiff_t>(begin),
                m_inbox.begin() + static_cast<std::ptrdiff_t>(end), nullptr, false);
            if (message.is_discarded() || !message.is_object()) {
                error = "the browser sent a message that is not JSON";
                return false;
            }
            messages.push_back(std::move(message));
            begin = end + 1;
        }
        m_inbox.erase(0, begin);
        m_nScanned = m_inbox.size();
        if (m_inbox.size() > kMaxMessage) {
            error = "the browser sent a message of more than 64 MiB";
            return false;
        }
    }
}

} // namespace tessaray
