// tessaray-demo-site: serves the demo web of partner sites on 127.0.0.1.
//
// Every site is a folder below the root, named after its host without ".localhost"
// (http://blog.partner-one.localhost:PORT/links.html is ROOT/blog.partner-one/links.html), so the
// sites can be edited as plain files. "@PORT@" in a served file becomes the port the site listens
// on, so pages can link to the demo shop. A file NAME.redirect holding a path answers NAME with a
// 301 to that path; a file NAME.headers adds its "Name: value" lines to the response of NAME (a
// line "Status: CODE" sets its status, so a page can answer as a bot protection would); with
// a file NAME.silent beside it, NAME is announced whole but only its first half is sent, then the
// server goes silent (until the client gives up). A second port is bound but never listened on: a
// partner named on it has a server that does not answer (the connection is refused). With
// --switch-file FILE, while FILE exists a page NAME that has a NAME.switched beside it is answered
// from that file instead (with the headers of NAME.switched.headers), so a partner can change its
// page between two runs.
#include <httplib.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <pthread.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

constexpr std::string_view kHostSuffix = ".localhost";

void PrintUsage() {
    std::fprintf(stderr,
                 "usage: tessaray-demo-site [--root DIR] [--port N] [--port-file FILE]\n"
                 "                          [--switch-file FILE]\n"
                 "  --root DIR       folder of the demo sites (default: the source tree's)\n"
                 "  --port N         port to listen on (default: any free port)\n"
                 "  --port-file FILE write the port and the port of the silent server\n"
                 "                   there, one a line, once the site is listening\n"
                 "  --switch-file FILE while FILE exists, serve NAME.switched for NAME\n");
}

bool ReadFile(const fs::path& path, std::string& out) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    std::ostringstream buffer;
    buffer << in.rdbuf();
    out = buffer.str();
    return true;
}

void ReplaceAll(std::string& text, std::string_view what, std::string_view with) {
    for (std::size_t pos = text.find(what); pos != std::string::npos;
         pos = text.find(what, pos + with.size())) {
        text.replace(pos, what.size(), with);
    }
}

// The site folder of a Host header value ("blog.partner-one.localhost:8080" → "blog.partner-one");
// "" for hosts outside the demo or with characters a folder name must not have.
std::string SiteOf(std::string host) {
    const std::size_t colon = host.find(':');
    if (colon != std::string::npos) {
        host.erase(colon);
    }
    for (char& c : host) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    if (host.size() <= kHostSuffix.size() || !host.ends_with(kHostSuffix)) {
        return "";
    }
    host.erase(host.size() - kHostSuffix.size());
    for (const char c : host) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.';
        if (!ok) {
            return "";
        }
    }
    if (host.front() == '.' || host.find("..") != std::string::npos) {
        return "";
    }
    return host;
}

constexpr std::string_view kRedirectSuffix = ".redirect";
constexpr std::string_view kHeadersSuffix = ".headers";
constexpr std::string_view kSilentSuffix = ".silent";
constexpr std::string_view kSwitchedSuffix = ".switched";

// Set when the server stops, so a silent response ends too.
std::atomic<bool> g_stopping{false};

// True for request paths that stay inside a site folder and do not name a side file.
bool IsSafePath(const std::string& path) {
    return !path.empty() && path.front() == '/' && path.find("..") == std::string::npos &&
           path.find('\\') == std::string::npos && path.find('\0') == std::string::npos &&
           !path.ends_with(kRedirectSuffix) && !path.ends_with(kHeadersSuffix) &&
           !path.ends_with(kSilentSuffix) && !path.ends_with(kSwitchedSuffix);
}

// Adds the "Name: value" lines of a headers side file to the response.
void AddHeaders(const std::string& lines, httplib::Response& res) {
    std::istringstream in(lines);
    std::string line;
    while (std::getline(in, line)) {
        const std::size_t colon = line.find(':');
        if (colon == std::string::npos) {
            continue;
        }
        std::string value = line.substr(colon + 1);
        value.erase(0, value.find_first_not_of(' '));
        while (!value.empty() && (value.back() == '\r' || value.back() == ' ')) {
            value.pop_back();
        }
        const std::string name = line.substr(0, colon);
        if (name == "Status") {
            res.status = std::atoi(value.c_str());
        } else {
            res.set_header(name, value);
        }
    }
}

// Announces body whole, sends its first half and then nothing more, until the client closes the
// connection or the server stops (at most two minutes).
void ServeThenFallSilent(std::string body, const std::string& type, httplib::Response& res) {
    const std::size_t size = body.size();
    res.set_content_provider(
        size, type,
        [body = std::move(body)](std::size_t offset, std::size_t, httplib::DataSink& sink) {
            const std::size_t half = body.size() / 2;
            if (offset < half) {
                sink.write(body.data() + offset, half - offset);
                return true;
            }
            const auto deadline = std::chrono::steady_clock::now() + std::chrono::minutes(2);
            while (!g_stopping && sink.is_writable() &&
                   std::chrono::steady_clock::now() < deadline) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
            return false;
        });
}

std::string ContentTypeOf(const fs::path& path) {
    const std::string ext = path.extension().string();
    if (ext == ".html" || ext == ".htm") {
        return "text/html";
    }
    return "text/plain";
}

// A socket bound to a free loopback port that never listens: connecting to it is refused at once.
int BindSilentPort(int& port) {
    const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd < 0) {
        return -1;
    }
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    socklen_t len = sizeof(addr);
    if (::bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof(addr)) != 0 ||
        ::getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
        ::close(fd);
        return -1;
    }
    port = ntohs(addr.sin_port);
    return fd;
}

} // namespace

int main(int argc, char** argv) {
    fs::path root = TESSARAY_DEMO_SITES_DIR;
    int port = 0;
    std::string portFile;
    std::string switchFile;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--root" && hasValue) {
            root = argv[++i];
        } else if (arg == "--port" && hasValue) {
            port = std::atoi(argv[++i]);
            if (port <= 0 || port > 65535) {
                std::fprintf(stderr, "tessaray-demo-site: invalid port %s\n", argv[i]);
                return 2;
            }
        } else if (arg == "--port-file" && hasValue) {
            portFile = argv[++i];
        } else if (arg == "--switch-file" && hasValue) {
            switchFile = argv[++i];
        } else {
            PrintUsage();
            return 2;
        }
    }
    if (!fs::is_directory(root)) {
        std::fprintf(stderr, "tessaray-demo-site: no demo sites in %s\n", root.c_str());
        return 2;
    }

    // SIGINT and SIGTERM are taken by a thread of their own that stops the server cleanly.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    int silentPort = 0;
    const int silentFd = BindSilentPort(silentPort);
    if (silentFd < 0) {
        std::fprintf(stderr, "tessaray-demo-site: cannot reserve a port: %s\n",
                     std::strerror(errno));
        return 1;
    }

    httplib::Server server;
    if (port == 0) {
        port = server.bind_to_any_port("127.0.0.1");
    } else if (!server.bind_to_port("127.0.0.1", port)) {
        port = -1;
    }
    if (port <= 0) {
        std::fprintf(stderr, "tessaray-demo-site: cannot listen on 127.0.0.1: %s\n",
                     std::strerror(errno));
        return 1;
    }
    const std::string portText = std::to_string(port);

    server.Get(".*", [&](const httplib::Request& req, httplib::Response& res) {
        const std::string site = SiteOf(req.get_header_value("Host"));
        if (site.empty() || !IsSafePath(req.path) || !fs::is_directory(root / site)) {
            res.status = 404;
            res.set_content("No such demo site.\n", "text/plain");
            return;
        }
        fs::path file = root / site / req.path.substr(1);
        if (req.path.back() == '/') {
            file /= "index.html";
        }
        std::string body;
        if (ReadFile(file.string() + std::string(kRedirectSuffix), body)) {
            while (!body.empty() && (body.back() == '\n' || body.back() == '\r')) {
                body.pop_back();
            }
            res.status = 301;
            res.set_header("Location", body);
            res.set_content("Moved.\n", "text/plain");
            return;
        }
        fs::path source = file;
        const fs::path switched = file.string() + std::string(kSwitchedSuffix);
        std::error_code error;
        if (!switchFile.empty() && fs::exists(switchFile, error) &&
            fs::is_regular_file(switched, error)) {
            source = switched;
        }
        if (!fs::is_regular_file(source) || !ReadFile(source, body)) {
            res.status = 404;
            res.set_content("<html><body><h1>404 Not Found</h1></body></html>\n", "text/html");
            return;
        }
        ReplaceAll(body, "@PORT@", portText);
        std::string headers;
        if (ReadFile(source.string() + std::string(kHeadersSuffix), headers)) {
            AddHeaders(headers, res);
        }
        if (fs::exists(file.string() + std::string(kSilentSuffix))) {
            ServeThenFallSilent(std::move(body), ContentTypeOf(file), res);
            return;
        }
        res.set_content(body, ContentTypeOf(file));
    });
    server.set_default_headers({{"Server", "tessaray-demo-site"}});

    if (!portFile.empty()) {
        // Written to a temporary name and renamed, so a reader never sees half of it.
        const std::string tmp = portFile + ".tmp";
        std::ofstream out(tmp, std::ios::trunc);
        out << port << '\n' << silentPort << '\n';
        out.close();
        if (!out || std::rename(tmp.c_str(), portFile.c_str()) != 0) {
            std::fprintf(stderr, "tessaray-demo-site: cannot write %s\n", portFile.c_str());
            return 1;
        }
    }
    std::printf("tessaray-demo-site: http://shop.localhost:%d/ (silent server on port %d)\n", port,
                silentPort);
    std::fflush(stdout);

    std::thread stopper([&] {
        int signal = 0;
        sigwait(&stopSignals, &signal);
        g_stopping = true;
        server.stop();
    });
    const bool ok = server.listen_after_bind();
    // listen ended by itself (an error): wake the stopper so it can be joined.
    pthread_kill(stopper.native_handle(), SIGTERM);
    stopper.join();
    ::close(silentFd);
    return ok ? 0 : 1;
}
