#include "http_test_server.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <stdexcept>

namespace tessaray::test {

namespace {

// The tests talk to 127.0.0.1 only: keep a proxy from the environment out of the way.
void KeepLoopbackOffProxy() {
    static std::once_flag once;
    std::call_once(once, [] {
        ::setenv("no_proxy", "127.0.0.1,localhost", 1);
        ::setenv("NO_PROXY", "127.0.0.1,localhost", 1);
    });
}

struct KeyDeleter {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct CertDeleter {
    void operator()(X509* cert) const { X509_free(cert); }
};
using KeyPtr = std::unique_ptr<EVP_PKEY, KeyDeleter>;
using CertPtr = std::unique_ptr<X509, CertDeleter>;

void Check(bool ok, const char* what) {
    if (!ok) {
        throw std::runtime_error(std::string("test certificates: ") + what);
    }
}

void AddExtension(X509* cert, X509* issuer, int nid, const char* value) {
    X509V3_CTX ctx;
    X509V3_set_ctx(&ctx, issuer, cert, nullptr, nullptr, 0);
    X509_EXTENSION* extension = X509V3_EXT_conf_nid(nullptr, &ctx, nid, value);
    Check(extension != nullptr && X509_add_ext(cert, extension, -1) == 1, "extension");
    X509_EXTENSION_free(extension);
}

// A certificate for key named commonName, signed by issuerKey (issuer == nullptr: self-signed).
CertPtr MakeCertificate(EVP_PKEY* key, const char* commonName, long serial, X509* issuer,
                        EVP_PKEY* issuerKey) {
    CertPtr cert(X509_new());
    Check(cert != nullptr, "X509_new");
    X509_set_version(cert.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), serial);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -24L * 3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), 20L * 365 * 24 * 3600);
    X509_set_pubkey(cert.get(), key);
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC,
                               reinterpret_cast<const unsigned char*>(commonName), -1, -1, 0);
    X509* signer = issuer != nullptr ? issuer : cert.get();
    X509_set_issuer_name(cert.get(), X509_get_subject_name(signer));
    AddExtension(cert.get(), signer, NID_subject_key_identifier, "hash");
    if (issuer == nullptr) {
        AddExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:TRUE");
        AddExtension(cert.get(), signer, NID_key_usage, "critical,keyCertSign,cRLSign");
    } else {
        AddExtension(cert.get(), signer, NID_basic_constraints, "critical,CA:FALSE");
        AddExtension(cert.get(), signer, NID_authority_key_identifier, "keyid");
        AddExtension(cert.get(), signer, NID_subject_alt_name, "IP:127.0.0.1,DNS:localhost");
        AddExtension(cert.get(), signer, NID_ext_key_usage, "serverAuth");
    }
    Check(X509_sign(cert.get(), issuerKey, EVP_sha256()) > 0, "X509_sign");
    return cert;
}

void WritePem(const std::string& path, X509* cert, EVP_PKEY* key) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    Check(file != nullptr, "cannot write a PEM file");
    const bool ok = cert != nullptr ? PEM_write_X509(file, cert) == 1
                                    : PEM_write_PrivateKey(file, key, nullptr, nullptr, 0, nullptr,
                                                           nullptr) == 1;
    std::fclose(file);
    Check(ok, "PEM write");
}

int BindLoopback(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        throw std::runtime_error("socket failed");
    }
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
        ::close(fd);
        throw std::runtime_error("bind to 127.0.0.1 failed");
    }
    port = ntohs(address.sin_port);
    return fd;
}

// Waits until fd is readable, the server stops or the deadline passes; true when readable.
bool WaitReadable(int fd, const std::atomic<bool>& stopping,
                  std::chrono::steady_clock::time_point deadline) {
    while (!stopping && std::chrono::steady_clock::now() < deadline) {
        pollfd entry{fd, POLLIN, 0};
        const int ready = ::poll(&entry, 1, 20);
        if (ready > 0) {
            return true;
        }
        if (ready < 0) {
            return false;
        }
    }
    return false;
}

} // namespace

TestCertificates MakeTestCertificates(const std::string& folder) {
    KeyPtr caKey(EVP_EC_gen("P-256"));
    KeyPtr serverKey(EVP_EC_gen("P-256"));
    Check(caKey != nullptr && serverKey != nullptr, "key generation");
    CertPtr ca = MakeCertificate(caKey.get(), "Tessaray Test CA", 1, nullptr, caKey.get());
    CertPtr server = MakeCertificate(serverKey.get(), "127.0.0.1", 2, ca.get(), caKey.get());

    TestCertificates files{folder + "/ca.pem", folder + "/server.pem", folder + "/server.key"};
    WritePem(files.strCaFile, ca.get(), nullptr);
    WritePem(files.strCertFile, server.get(), nullptr);
    WritePem(files.strKeyFile, nullptr, serverKey.get());
    return files;
}

int UnusedPort() {
    int port = 0;
    ::close(BindLoopback(port));
    return port;
}

HttpTestServer::HttpTestServer() : m_pServer(std::make_unique<httplib::Server>()) {
    KeepLoopbackOffProxy();
}

HttpTestServer::HttpTestServer(const TestCertificates& tls)
    : m_pServer(
          std::make_unique<httplib::SSLServer>(tls.strCertFile.c_str(), tls.strKeyFile.c_str())),
      m_bTls(true) {
    KeepLoopbackOffProxy();
    if (!m_pServer->is_valid()) {
        throw std::runtime_error("the TLS test server rejects its certificate");
    }
}

HttpTestServer::~HttpTestServer() {
    m_pServer->stop();
    if (m_thread.joinable()) {
        m_thread.join();
    }
}

void HttpTestServer::Start() {
    m_nPort = m_pServer->bind_to_any_port("127.0.0.1");
    if (m_nPort <= 0) {
        throw std::runtime_error("the test server cannot bind to 127.0.0.1");
    }
    m_thread = std::thread([this] { m_pServer->listen_after_bind(); });
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!m_pServer->is_running() && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    if (!m_pServer->is_running()) {
        throw std::runtime_error("the test server does not start");
    }
}

std::string HttpTestServer::Url(std::string_view path) const {
    return (m_bTls ? "https://127.0.0.1:" : "http://127.0.0.1:") + std::to_string(m_nPort) +
           std::string(path);
}

std::string RawTestServer::Connection::ReadRequest() {
    std::string request;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (request.find("\r\n\r\n") == std::string::npos) {
        if (!WaitReadable(m_fd, m_stopping, deadline)) {
            return {};
        }
        char chunk[4096];
        const ssize_t got = ::recv(m_fd, chunk, sizeof chunk, 0);
        if (got <= 0) {
            return {};
        }
        request.append(chunk, static_cast<std::size_t>(got));
    }
    return request;
}

bool RawTestServer::Connection::Send(std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t sent = ::send(m_fd, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent <= 0) {
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

void RawTestServer::Connection::Reset() {
    linger option{1, 0};
    ::setsockopt(m_fd, SOL_SOCKET, SO_LINGER, &option, sizeof option);
}

void RawTestServer::Connection::WaitUntilStopped() {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (!m_stopping && std::chrono::steady_clock::now() < deadline) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
}

RawTestServer::RawTestServer(Session session) : m_session(std::move(session)) {
    KeepLoopbackOffProxy();
    m_listenFd = BindLoopback(m_nPort);
    if (::listen(m_listenFd, 16) != 0) {
        ::close(m_listenFd);
        throw std::runtime_error("listen failed");
    }
    m_acceptThread = std::thread([this] { AcceptLoop(); });
}

RawTestServer::~RawTestServer() {
    m_bStopping = true;
    m_acceptThread.join();
    {
        // Wakes sessions blocked in send or recv.
        std::lock_guard lock(m_mutex);
        for (int fd : m_openFds) {
            ::shutdown(fd, SHUT_RDWR);
        }
    }
    for (std::thread& session : m_sessions) {
        session.join();
    }
    ::close(m_listenFd);
}

std::string RawTestServer::Url(std::string_view path) const {
    return "http://127.0.0.1:" + std::to_string(m_nPort) + std::string(path);
}

void RawTestServer::AcceptLoop() {
    const auto forever = std::chrono::steady_clock::time_point::max();
    while (WaitReadable(m_listenFd, m_bStopping, forever)) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC);
        if (fd < 0) {
            continue;
        }
        ++m_nConnections;
        std::lock_guard lock(m_mutex);
        m_openFds.push_back(fd);
        m_sessions.emplace_back([this, fd] {
            Connection connection(fd, m_bStopping);
            m_session(connection);
            std::lock_guard closing(m_mutex);
            std::erase(m_openFds, fd);
            ::close(fd);
        });
    }
}

} // namespace tessaray::test
