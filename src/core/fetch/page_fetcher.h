#pragma once

#include "core/fetch/transfer_outcome.h"

#include <chrono>
#include <cstddef>
#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace tessaray {

// The session settings of every fetch: what a request says about itself and the bounds that keep a
// hanging or hostile server from freezing a run or exhausting memory. The defaults are the
// production values; tests shorten them.
struct CFetchSettings {
    static constexpr std::string_view kUserAgent = "Mozilla/4.0";
    static constexpr std::string_view kAcceptHeader = "Accept: text/*";
    // A transfer slower than this many bytes per second for the low-speed window is aborted.
    static constexpr long kLowSpeedLimit = 1;
    static constexpr std::chrono::milliseconds kConnectTimeout{30'000};
    static constexpr std::chrono::seconds kLowSpeedTime{30};
    static constexpr std::chrono::milliseconds kTotalTimeout{120'000};
    static constexpr std::size_t kBodyCap = std::size_t{32} << 20;
    static constexpr std::size_t kBodyBudget = std::size_t{64} << 20;

    std::chrono::milliseconds m_connectTimeout = kConnectTimeout;
    std::chrono::seconds m_lowSpeedTime = kLowSpeedTime;
    // For the whole fetch: first request, authenticated repeat and redirect together (time spent
    // in the authentication callback is not counted).
    std::chrono::milliseconds m_totalTimeout = kTotalTimeout;
    std::size_t m_nBodyCap = kBodyCap;
    // The page bodies a pool holds at once, received or handed over and not yet dropped; a
    // transfer that would pass it waits (one always goes on, so it may be passed by one body).
    std::size_t m_nBodyBudget = kBodyBudget;
    // What every request says it is (User-Agent); see IsValidUserAgent.
    std::string m_strUserAgent{kUserAgent};
    // A PEM file of certificate authorities to trust instead of the system's store; empty means
    // the system's store. Meant for tests against a local TLS server; verification stays on.
    std::string m_strCaFile;
};

// Whether text may be sent as a User-Agent: 1 to 512 printable ASCII characters (blanks
// included), so that it can neither end the header line nor be empty.
bool IsValidUserAgent(std::string_view text);

// What a server that answered 401 asks for.
struct SAuthChallenge {
    std::string strUrl;    // the URL that answered
    std::string strOrigin; // its origin (see UrlOrigin): credentials belong to one
    std::string strRealm;
    // Plain http with Basic as the only scheme offered: the password would travel readable.
    bool bPlainBasic = false;
};

// Asked when a server answers 401: answers with user and password (true) or refuses (false).
// Called on the fetching thread. Answering a plain-Basic challenge agrees to send the password
// readable; otherwise only schemes that do not reveal it are used over plain http.
using AuthCallback =
    std::function<bool(const SAuthChallenge& challenge, std::string& user, std::string& password)>;

// The exception of a refused authentication (code 1). Fetch does not throw it: it returns the
// code as its result, like every other outcome.
class CSessionException : public std::exception {
public:
    explicit CSessionException(int code) : m_nCode(code) {}
    int GetCode() const { return m_nCode; }
    const char* what() const noexcept override { return "fetch session failed"; }

private:
    int m_nCode;
};

// One HTTP(S) GET of one URL, synchronously, following redirects by hand (one, unless asked for
// more).
class CPageFetcher {
public:
    explicit CPageFetcher(CFetchSettings settings = {});
    ~CPageFetcher();
    CPageFetcher(const CPageFetcher&) = delete;
    CPageFetcher& operator=(const CPageFetcher&) = delete;

    void SetAuthCallback(AuthCallback callback);
    // Starts a time budget: the later fetches together end within the total time-out from now,
    // instead of each having the whole time-out. Starting it again starts a new budget.
    void BeginBudget();

    // A robots.txt is followed through this many redirects (RFC 9309 asks for at least five); a
    // page through one.
    static constexpr int kRobotsRedirects = 5;
    // Only this much of a robots.txt is read, as Google's parser does (RFC 9309 asks for at least
    // 500 KiB); the rest is left unread, not taken as an error.
    static constexpr std::size_t kRobotsBodyCap = std::size_t{500} << 10;

    // Fetches url. buffer := the body bytes (NUL bytes included), byteCount := the body bytes
    // actually received. Returns a result code (see above). Up to nMaxRedirects redirects are
    // followed, each only to an http or https address and never with credentials; the body cap
    // (nBodyCap, or the settings' when 0) applies to each response and the time-out to them all.
    int Fetch(const std::string& url, std::string& buffer, std::size_t& byteCount,
              int nMaxRedirects = 1, std::size_t nBodyCap = 0);

    // Raw header block of the first response of the last fetch (status line and header lines
    // each ended by CR LF, then the empty line); a followed redirect does not replace it.
    const std::string& GetHeader() const;
    // HTTP status code of the last fetch; 0 when no response arrived.
    int GetStatus() const;
    // Whether the last fetch's page arrived whole, and if not why.
    ETransferOutcome GetOutcome() const;
    // The URL the last fetch's page came from: the redirect target when one was followed.
    const std::string& GetFinalUrl() const;
    // The header block of the response whose body was read (after a followed redirect, the
    // target's); GetHeader keeps the first one.
    const std::string& GetFinalHeader() const;

    // May be called from any thread: the running transfer stops at once and every later Fetch
    // fails. For shutting a worker down.
    void Cancel();

private:
    struct CImpl; // the session state and the libcurl handles
    std::unique_ptr<CImpl> m_pImpl;
};

} // namespace tessaray
