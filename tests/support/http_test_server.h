#pragma once
// Local servers for network tests: a cpp-httplib server (HTTP or HTTPS) and a raw-socket server
// for peers that misbehave in ways httplib will not. Both listen on 127.0.0.1 with an ephemeral
// port and stop in their destructors.

#include <httplib.h>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace tessaray::test {

// A certificate authority and a server certificate for 127.0.0.1 and localhost signed by it, as
// PEM files; valid for twenty years.
struct TestCertificates {
    std::string strCaFile;
    std::string strCertFile;
    std::string strKeyFile;
};
// Creates fresh keys and certificates in folder. Throws std::runtime_error on failure.
TestCertificates MakeTestCertificates(const std::string& folder);

// A port on 127.0.0.1 that nothing listens on (bound once, then released).
int UnusedPort();

// A cpp-httplib server. Register handlers on Server(), then Start().
class HttpTestServer {
public:
    HttpTestServer();                                     // plain HTTP
    explicit HttpTestServer(const TestCertificates& tls); // HTTPS with tls's server certificate
    ~HttpTestServer();
    HttpTestServer(const HttpTestServer&) = delete;
    HttpTestServer& operator=(const HttpTestServer&) = delete;

    httplib::Server& Server() { return *m_pServer; }
    // Binds, starts listening on a background thread and waits (bounded) until it accepts.
    // Throws std::runtime_error when it cannot.
    void Start();
    int Port() const { return m_nPort; }
    // "http://127.0.0.1:PORT" (or https) followed by path.
    std::string Url(std::string_view path = "/") const;

private:
    std::unique_ptr<httplib::Server> m_pServer;
    std::thread m_thread;
    int m_nPort = 0;
    bool m_bTls = false;
};

// A server that hands every accepted connection to a session function on a thread of its own.
class RawTestServer {
public:
    class Connection {
    public:
        Connection(int fd, const std::atomic<bool>& stopping) : m_fd(fd), m_stopping(stopping) {}
        // Reads up to and including the empty line that ends the request head (at most 10 s);
        // "" when the peer closed first.
        std::string ReadRequest();
        // Sends all bytes; false when the peer is gone.
        bool Send(std::string_view bytes);
        // Makes the close after the session a reset (RST) instead of an orderly close; the
        // session returns right after.
        void Reset();
        // Blocks until the server is being destroyed (at most 60 s).
        void WaitUntilStopped();
        bool IsStopping() const { return m_stopping; }

    private:
        int m_fd;
        const std::atomic<bool>& m_stopping;
    };
    using Session = std::function<void(Connection&)>;

    explicit RawTestServer(Session session);
    ~RawTestServer();
    RawTestServer(const RawTestServer&) = delete;
    RawTestServer& operator=(const RawTestServer&) = delete;

    int Port() const { return m_nPort; }
    std::string Url(std::string_view path = "/") const;
    int ConnectionCount() const { return m_nConnections; }

private:
    void AcceptLoop();

    Session m_session;
    int m_listenFd = -1;
    int m_nPort = 0;
    std::atomic<bool> m_bStopping{false};
    std::atomic<int> m_nConnections{0};
    std::mutex m_mutex; // guards m_openFds and m_sessions
    std::vector<int> m_openFds;
    std::vector<std::thread> m_sessions;
    std::thread m_acceptThread;
};

} // namespace tessaray::test
