#include "core/fetch/page_fetcher.h"

#include "core/fetch/curl_handle.h"
#include "core/fetch/site_credentials.h"
#include "core/project/url_rules.h"
#include "core/util/url.h"

#include <algorithm>
#include <array>
#include <atomic>
#include <charconv>
#include <cstring>
#include <limits>
#include <mutex>
#include <utility>

namespace tessaray {

namespace {

constexpr bool IsRedirectStatus(int status) {
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

// Value of the first header line of block named name (compared without regard to case), without
// the blanks around it; "" when there is none.
std::string HeaderValue(std::string_view block, std::string_view name) {
    std::size_t pos = block.find('\n'); // skip the status line
    while (pos != std::string_view::npos && pos + 1 < block.size()) {
        const std::size_t start = pos + 1;
        pos = block.find('\n', start);
        const std::string_view line =
            block.substr(start, pos == std::string_view::npos ? block.npos : pos - start);
        const std::size_t colon = line.find(':');
        if (colon == std::string_view::npos || colon != name.size() ||
            ToLowerAscii(line.substr(0, colon)) != ToLowerAscii(name)) {
            continue;
        }
        std::string value(line.substr(colon + 1));
        Trim(value);
        return value;
    }
    return {};
}

// The status code of a status line "HTTP/1.1 200 OK"; 0 when it has none.
int ParseStatus(std::string_view line) {
    const std::size_t blank = line.find(' ');
    if (blank == std::string_view::npos) {
        return 0;
    }
    int status = 0;
    const char* first = line.data() + blank + 1;
    std::from_chars(first, line.data() + line.size(), status);
    return status;
}

// Content-Length as a number; -1 when missing or not a decimal number.
long long ParseContentLength(const std::string& value) {
    if (value.empty() || value.find_first_not_of("0123456789") != std::string::npos) {
        return -1;
    }
    long long length = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), length);
    (void)end;
    return error == std::errc() ? length : std::numeric_limits<long long>::max();
}

// The realm of a WWW-Authenticate challenge: quoted, or up to the next comma or blank.
std::string ParseRealm(const std::string& challenge) {
    const std::string lower = ToLowerAscii(challenge);
    std::size_t pos = lower.find("realm=");
    if (pos == std::string::npos) {
        return {};
    }
    pos += 6;
    if (pos < challenge.size() && challenge[pos] == '"') {
        const std::size_t end = challenge.find('"', pos + 1);
        return challenge.substr(pos + 1, end == std::string::npos ? end : end - pos - 1);
    }
    const std::size_t end = challenge.find_first_of(", \t", pos);
    return challenge.substr(pos, end == std::string::npos ? end : end - pos);
}

// Whether the WWW-Authenticate lines of a header block offer Basic only: no Digest, NTLM or
// Negotiate, which would not reveal the password. A realm naming one of them errs on the safe
// side: the password is then sent only by those schemes.
bool OffersOnlyBasic(std::string_view block) {
    const std::string lower = ToLowerAscii(block);
    bool bSafe = false;
    for (std::size_t pos = lower.find("\nwww-authenticate:"); pos != std::string::npos;
         pos = lower.find("\nwww-authenticate:", pos + 1)) {
        const std::size_t end = lower.find('\n', pos + 1);
        const std::string_view line = std::string_view(lower).substr(pos, end - pos);
        bSafe = bSafe || line.find("digest") != std::string_view::npos ||
                line.find("ntlm") != std::string_view::npos ||
                line.find("negotiate") != std::string_view::npos;
    }
    return !bSafe;
}

// Resolves ref against base (or takes ref alone when base is empty) and accepts the result only
// for http and https, so no redirect can make the fetcher read a local file or speak another
// protocol. A URL without scheme is taken as http; blanks and 8-bit bytes are percent-encoded,
// since servers and users write them raw. A user name and password in the URL are dropped:
// libcurl would send them, readable over plain http, to whatever host the URL or a Location
// names; credentials come only from the log-in callback. The resolution is libcurl's own, so
// that the address checked here is the one libcurl requests.
bool ResolveHttpUrl(const std::string& base, const std::string& ref, std::string& out) {
    // A reference that names a scheme is absolute, though libcurl takes "javascript:x" (no "//")
    // as a relative path: such a Location must not become a request to the same host.
    const std::string_view refScheme = std::string_view(ref).substr(0, SchemeLength(ref));
    if (!base.empty() && !refScheme.empty() && !EqualsNoCase(refScheme, "http") &&
        !EqualsNoCase(refScheme, "https")) {
        return false;
    }
    CCurlUrl url(curl_url());
    if (!url) {
        return false;
    }
    if (!base.empty() && curl_url_set(url.Get(), CURLUPART_URL, base.c_str(), 0) != CURLUE_OK) {
        return false;
    }
    if (curl_url_set(url.Get(), CURLUPART_URL, ref.c_str(), CURLU_GUESS_SCHEME | CURLU_URLENCODE) !=
        CURLUE_OK) {
        return false;
    }
    for (const CURLUPart part : {CURLUPART_USER, CURLUPART_PASSWORD, CURLUPART_OPTIONS}) {
        curl_url_set(url.Get(), part, nullptr, 0);
    }
    char* scheme = nullptr;
    if (curl_url_get(url.Get(), CURLUPART_SCHEME, &scheme, 0) != CURLUE_OK) {
        return false;
    }
    const bool httpScheme = std::strcmp(scheme, "http") == 0 || std::strcmp(scheme, "https") == 0;
    curl_free(scheme);
    char* full = nullptr;
    if (!httpScheme || curl_url_get(url.Get(), CURLUPART_URL, &full, 0) != CURLUE_OK) {
        return false;
    }
    out = full;
    curl_free(full);
    return true;
}

// The WinInet-style number of a transfer that failed before a response arrived.
int MapCurlError(CURLcode code) {
    switch (code) {
    case CURLE_COULDNT_RESOLVE_HOST:
    case CURLE_COULDNT_RESOLVE_PROXY:
        return kFetchErrorNameNotResolved;
    case CURLE_COULDNT_CONNECT:
        return kFetchErrorCannotConnect;
    case CURLE_OPERATION_TIMEDOUT:
        return kFetchErrorTimeout;
    case CURLE_OK:                   // the connection ended without a final response
    case CURLE_UNSUPPORTED_PROTOCOL: // after our own scheme check: an HTTP/0.9-style answer
    case CURLE_WEIRD_SERVER_REPLY:
    case CURLE_GOT_NOTHING:
    case CURLE_HTTP2:
    case CURLE_HTTP2_STREAM:
    case CURLE_HTTP3:
    case CURLE_BAD_CONTENT_ENCODING:
        return kFetchErrorInvalidResponse;
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CERTPROBLEM:
    case CURLE_SSL_CIPHER:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_ISSUER_ERROR:
    case CURLE_SSL_INVALIDCERTSTATUS:
    case CURLE_SSL_PINNEDPUBKEYNOTMATCH:
    case CURLE_SSL_CRL_BADFILE:
    case CURLE_SSL_SHUTDOWN_FAILED:
    case CURLE_SSL_ENGINE_NOTFOUND:
    case CURLE_SSL_ENGINE_SETFAILED:
    case CURLE_SSL_ENGINE_INITFAILED:
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_CLIENTCERT:
        return kFetchErrorSecureFailure;
    default:
        return kFetchErrorInternal;
    }
}

enum class ERequestKind { First, AuthRetry, Redirected };

// One request/response exchange, filled by libcurl's header and body callbacks.
struct CRequest {
    enum class EBody { Abort, Discard, Read };

    std::string strUrl;
    ERequestKind kind = ERequestKind::First;
    bool bFollowRedirect = false; // a 30x answer with a usable Location is followed
    std::size_t nBodyCap = 0;
    CURLcode code = CURLE_OK;

    std::string strBlock; // header lines of the response being received
    bool bHeadersDone = false;
    int nStatus = 0;
    std::string strHeader;   // the final response's header block
    std::string strRedirect; // resolved Location to follow, or ""
    std::string strRealm;
    bool bOnlyBasic = false; // the 401 offered no authentication scheme but Basic
    EBody body = EBody::Abort;

    std::string strText;
    std::size_t nByteCount = 0;
    bool bCapReached = false;
    char errorText[CURL_ERROR_SIZE] = {};

    void BeginResponse(std::string_view statusLine) {
        strBlock.assign(statusLine);
        nStatus = ParseStatus(statusLine);
        bHeadersDone = false;
        strHeader.clear();
        strRedirect.clear();
        strRealm.clear();
        bOnlyBasic = false;
        strText.clear();
        nByteCount = 0;
    }

    // The empty line ended a header block; decides what becomes of the body. False stops the
    // transfer.
    bool EndHeaders() {
        if (nStatus >= 100 && nStatus < 200) { // an interim response: the real one follows
            strBlock.clear();
            return true;
        }
        strHeader = std::move(strBlock);
        strBlock.clear();
        bHeadersDone = true;
        const long long contentLength =
            ParseContentLength(HeaderValue(strHeader, "Content-Length"));
        if (bFollowRedirect && IsRedirectStatus(nStatus)) {
            const std::string location = HeaderValue(strHeader, "Location");
            if (!location.empty() && !ResolveHttpUrl(strUrl, location, strRedirect)) {
                strRedirect.clear(); // an unusable target: the response is final
            }
        }
        if (nStatus == 401) {
            strRealm = ParseRealm(HeaderValue(strHeader, "WWW-Authenticate"));
            bOnlyBasic = OffersOnlyBasic(strHeader);
        }

        // No body for a 404, for a 401 that is asked again and for a redirect that is followed.
        const bool bBodyWanted = nStatus != 404 &&
                                 !(nStatus == 401 && kind == ERequestKind::First) &&
                                 strRedirect.empty();
        // With a length the body is read whatever the status; without one only for a 200.
        body = bBodyWanted && (contentLength > 0 || nStatus == 200) ? EBody::Read : EBody::Abort;
        // libcurl may answer a challenge itself within the repeated request: let it go on.
        if (body == EBody::Abort && kind == ERequestKind::AuthRetry && nStatus == 401) {
            body = EBody::Discard;
        }
        return body != EBody::Abort;
    }

    // Appends received body bytes, NUL bytes included: they are data, not the end of the page.
    void AppendBody(const char* data, std::size_t size) {
        nByteCount += size;
        strText.append(data, size);
    }
};

// The result of a request that ended without a complete response.
int FailureResult(const CRequest& request) {
    // libcurl reports a header beyond its size limit as running out of memory.
    if (request.code == CURLE_OUT_OF_MEMORY && request.nStatus != 0) {
        return kFetchErrorInvalidResponse;
    }
    return MapCurlError(request.code);
}

// libcurl hands over one complete header line per call, status lines of every response included.
std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
    auto& request = *static_cast<CRequest*>(user);
    const std::size_t length = size * count;
    const std::string_view line(data, length);
    if (line.starts_with("HTTP/")) {
        request.BeginResponse(line);
        return length;
    }
    if (request.bHeadersDone) { // trailer lines after a chunked body
        return length;
    }
    request.strBlock.append(line);
    if (line == "\r\n" || line == "\n") {
        return request.EndHeaders() ? length : 0;
    }
    return length;
}

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto& request = *static_cast<CRequest*>(user);
    const std::size_t length = size * count;
    if (!request.bHeadersDone || request.body != CRequest::EBody::Read) {
        return length;
    }
    const std::size_t take = std::min(length, request.nBodyCap - request.nByteCount);
    request.AppendBody(data, take);
    request.bCapReached = take < length;
    return take; // less than offered stops the transfer at the cap
}

} // namespace

struct CPageFetcher::CImpl {
    explicit CImpl(CFetchSettings settings) : m_settings(std::move(settings)) {}

    // Runs one request on the libcurl easy handle until it completes, fails or is cancelled.
    void Perform(CRequest& request, CURL* easy);
    // One request; credentials only for the repeat of a 401 (bBasicAgreed: Basic over plain
    // http was agreed to).
    CRequest Request(const std::string& url, ERequestKind kind, const std::string* user,
                     const std::string* password, bool bBasicAgreed);
    // Records how the request whose body was read (or that failed) ended.
    void NoteOutcome(const CRequest& request);

    CFetchSettings m_settings;
    AuthCallback m_authCallback;
    std::string m_strHeader;
    int m_nStatus = 0;
    ETransferOutcome m_eOutcome = ETransferOutcome::Other;
    std::string m_strFinalUrl;
    std::string m_strFinalHeader;
    int m_nRedirectsLeft = 0; // of the running fetch
    std::chrono::steady_clock::time_point m_deadline;
    bool m_bBudget = false; // m_deadline was set by BeginBudget, not per fetch
    std::shared_ptr<CConnectionShare> m_pShare;

    std::mutex m_cancelMutex;  // guards m_pMulti against Cancel from another thread
    CURLM* m_pMulti = nullptr; // the running transfer's multi handle, to wake it on Cancel
    std::atomic<bool> m_bCancelled{false};
};

struct CConnectionShare::CImpl {
    // One lock per kind of shared data, as libcurl asks.
    std::array<std::mutex, CURL_LOCK_DATA_LAST> m_locks;
    CURLSH* m_pShare = nullptr;

    static void Lock(CURL*, curl_lock_data data, curl_lock_access, void* user) {
        static_cast<CImpl*>(user)->m_locks[static_cast<std::size_t>(data)].lock();
    }
    static void Unlock(CURL*, curl_lock_data data, void* user) {
        static_cast<CImpl*>(user)->m_locks[static_cast<std::size_t>(data)].unlock();
    }
};

CConnectionShare::CConnectionShare() : m_pImpl(std::make_unique<CImpl>()) {
    EnsureCurlInitialised();
    CURLSH* share = curl_share_init();
    if (share == nullptr) {
        return; // the fetchers then keep their own connections
    }
    curl_share_setopt(share, CURLSHOPT_LOCKFUNC, &CImpl::Lock);
    curl_share_setopt(share, CURLSHOPT_UNLOCKFUNC, &CImpl::Unlock);
    curl_share_setopt(share, CURLSHOPT_USERDATA, m_pImpl.get());
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_CONNECT);
    curl_share_setopt(share, CURLSHOPT_SHARE, CURL_LOCK_DATA_DNS);
    m_pImpl->m_pShare = share;
}

CConnectionShare::~CConnectionShare() {
    if (m_pImpl->m_pShare != nullptr) {
        curl_share_cleanup(m_pImpl->m_pShare);
    }
}

CPageFetcher::CPageFetcher(CFetchSettings settings)
    : m_pImpl(std::make_unique<CImpl>(std::move(settings))) {
    EnsureCurlInitialised();
}

CPageFetcher::~CPageFetcher() = default;

void CPageFetcher::SetAuthCallback(AuthCallback callback) {
    m_pImpl->m_authCallback = std::move(callback);
}

void CPageFetcher::SetShare(std::shared_ptr<CConnectionShare> share) {
    m_pImpl->m_pShare = std::move(share);
}

void CPageFetcher::BeginBudget() {
    m_pImpl->m_bBudget = true;
    m_pImpl->m_deadline = std::chrono::steady_clock::now() + m_pImpl->m_settings.m_totalTimeout;
}

const std::string& CPageFetcher::GetHeader() const {
    return m_pImpl->m_strHeader;
}

int CPageFetcher::GetStatus() const {
    return m_pImpl->m_nStatus;
}

ETransferOutcome CPageFetcher::GetOutcome() const {
    return m_pImpl->m_eOutcome;
}

const std::string& CPageFetcher::GetFinalUrl() const {
    return m_pImpl->m_strFinalUrl;
}

const std::string& CPageFetcher::GetFinalHeader() const {
    return m_pImpl->m_strFinalHeader;
}

void CPageFetcher::Cancel() {
    std::lock_guard lock(m_pImpl->m_cancelMutex);
    m_pImpl->m_bCancelled = true;
    if (m_pImpl->m_pMulti != nullptr) {
        curl_multi_wakeup(m_pImpl->m_pMulti);
    }
}

int CPageFetcher::Fetch(const std::string& url, std::string& buffer, std::size_t& byteCount,
                        int nMaxRedirects) {
    CImpl& impl = *m_pImpl;
    impl.m_nRedirectsLeft = nMaxRedirects;
    impl.m_strHeader.clear();
    impl.m_nStatus = 0;
    buffer.clear();
    byteCount = 0;
    if (!impl.m_bBudget) {
        impl.m_deadline = std::chrono::steady_clock::now() + impl.m_settings.m_totalTimeout;
    }
    impl.m_eOutcome = ETransferOutcome::Other;
    impl.m_strFinalUrl = url;
    impl.m_strFinalHeader.clear();

    std::string requestUrl;
    if (!ResolveHttpUrl({}, url, requestUrl)) {
        return kFetchErrorInternal;
    }
    CRequest response = impl.Request(requestUrl, ERequestKind::First, nullptr, nullptr, false);
    impl.NoteOutcome(response);
    if (!response.bHeadersDone) {
        return FailureResult(response);
    }
    impl.m_nStatus = response.nStatus;

    if (response.nStatus == 401) {
        SAuthChallenge challenge;
        challenge.strUrl = requestUrl;
        challenge.strOrigin = UrlOrigin(requestUrl);
        challenge.strRealm = response.strRealm;
        challenge.bPlainBasic = response.bOnlyBasic && requestUrl.starts_with(kHttp);
        std::string user;
        std::string password;
        const auto asked = std::chrono::steady_clock::now();
        const bool answered = impl.m_authCallback && impl.m_authCallback(challenge, user, password);
        // The user's time is not ours.
        impl.m_deadline += std::chrono::steady_clock::now() - asked;
        if (!answered) {
            return kFetchAuthRefused;
        }
        response = impl.Request(requestUrl, ERequestKind::AuthRetry, &user, &password,
                                challenge.bPlainBasic);
        impl.NoteOutcome(response);
        if (!response.bHeadersDone) {
            return FailureResult(response);
        }
        impl.m_nStatus = response.nStatus;
    }
    impl.m_strHeader = response.strHeader;

    while (!response.strRedirect.empty()) {
        // Credentials are never sent along: the target may be another origin.
        const std::string target = response.strRedirect;
        --impl.m_nRedirectsLeft;
        response = impl.Request(target, ERequestKind::Redirected, nullptr, nullptr, false);
        impl.m_strFinalUrl = target;
        impl.NoteOutcome(response);
        if (!response.bHeadersDone) {
            return FailureResult(response);
        }
        impl.m_nStatus = response.nStatus;
    }
    impl.m_strFinalHeader = response.strHeader;
    if (response.nStatus == 404) {
        return kFetchNotFound;
    }
    // A transfer that broke off inside the body still counts as a response.
    buffer = std::move(response.strText);
    byteCount = response.nByteCount;
    return kFetchOk;
}

void CPageFetcher::CImpl::NoteOutcome(const CRequest& request) {
    STransferFacts facts;
    facts.nCurlCode = request.code;
    facts.nFetchError = MapCurlError(request.code);
    facts.bHeadersDone = request.bHeadersDone;
    facts.nStatus = request.nStatus;
    facts.bCapReached = request.bCapReached;
    // A time-out this close to the deadline is the limit of the whole fetch, not a stall.
    facts.bTotalTimeUsedUp =
        std::chrono::steady_clock::now() + std::chrono::milliseconds(200) >= m_deadline;
    facts.errorText = request.errorText;
    m_eOutcome = ClassifyTransfer(facts);
}

CRequest CPageFetcher::CImpl::Request(const std::string& url, ERequestKind kind,
                                      const std::string* user, const std::string* password,
                                      bool bBasicAgreed) {
    CRequest request;
    request.strUrl = url;
    request.kind = kind;
    request.bFollowRedirect = m_nRedirectsLeft > 0;
    request.nBodyCap = m_settings.m_nBodyCap;

    const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(
        m_deadline - std::chrono::steady_clock::now());
    CCurlEasy easy(curl_easy_init());
    const std::string accept(CFetchSettings::kAcceptHeader);
    CCurlList headers(curl_slist_append(nullptr, accept.c_str()));
    if (remaining.count() <= 0) {
        request.code = CURLE_OPERATION_TIMEDOUT;
        return request;
    }
    if (!easy || !headers) {
        request.code = CURLE_FAILED_INIT;
        return request;
    }

    CURL* h = easy.Get();
    const std::string userAgent(CFetchSettings::kUserAgent);
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(h, CURLOPT_USERAGENT, userAgent.c_str());
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, headers.Get());
    curl_easy_setopt(h, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    curl_easy_setopt(h, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(m_settings.m_connectTimeout.count()));
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, CFetchSettings::kLowSpeedLimit);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME,
                     static_cast<long>(m_settings.m_lowSpeedTime.count()));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(remaining.count()));
    if (m_pShare && m_pShare->m_pImpl->m_pShare != nullptr) {
        curl_easy_setopt(h, CURLOPT_SHARE, m_pShare->m_pImpl->m_pShare);
    }
    if (!m_settings.m_strCaFile.empty()) {
        curl_easy_setopt(h, CURLOPT_CAINFO, m_settings.m_strCaFile.c_str());
    }
    if (user != nullptr && password != nullptr) {
        curl_easy_setopt(h, CURLOPT_USERNAME, user->c_str());
        curl_easy_setopt(h, CURLOPT_PASSWORD, password->c_str());
        // Over plain http only schemes that keep the password hidden, unless Basic was agreed.
        const bool bPlain = url.starts_with(kHttp);
        curl_easy_setopt(h, CURLOPT_HTTPAUTH,
                         bPlain && !bBasicAgreed ? CURLAUTH_ANYSAFE : CURLAUTH_ANY);
    }
    curl_easy_setopt(h, CURLOPT_HEADERFUNCTION, &OnHeader);
    curl_easy_setopt(h, CURLOPT_HEADERDATA, &request);
    curl_easy_setopt(h, CURLOPT_WRITEFUNCTION, &OnBody);
    curl_easy_setopt(h, CURLOPT_WRITEDATA, &request);
    curl_easy_setopt(h, CURLOPT_ERRORBUFFER, request.errorText);

    Perform(request, h);
    return request;
}

void CPageFetcher::CImpl::Perform(CRequest& request, CURL* easy) {
    CCurlMulti multi(curl_multi_init());
    // A multi handle with one transfer keeps only four idle connections; with a connection cache
    // shared by many fetchers and sites that would close every kept-alive connection before its
    // site comes round again.
    constexpr long kIdleConnections = 256;
    if (multi) {
        curl_multi_setopt(multi.Get(), CURLMOPT_MAXCONNECTS, kIdleConnections);
    }
    if (!multi || curl_multi_add_handle(multi.Get(), easy) != CURLM_OK) {
        request.code = CURLE_FAILED_INIT;
        return;
    }
    {
        std::lock_guard lock(m_cancelMutex);
        m_pMulti = multi.Get();
    }
    // The same loop as curl_easy_perform, except that Cancel can wake the wait at once.
    request.code = CURLE_OK;
    for (;;) {
        if (m_bCancelled) {
            request.code = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        int running = 0;
        if (curl_multi_perform(multi.Get(), &running) != CURLM_OK) {
            request.code = CURLE_FAILED_INIT;
            break;
        }
        if (running == 0) {
            int queued = 0;
            while (CURLMsg* message = curl_multi_info_read(multi.Get(), &queued)) {
                if (message->msg == CURLMSG_DONE) {
                    request.code = message->data.result;
                }
            }
            break;
        }
        if (curl_multi_poll(multi.Get(), nullptr, 0, 1000, nullptr) != CURLM_OK) {
            request.code = CURLE_FAILED_INIT;
            break;
        }
    }
    {
        std::lock_guard lock(m_cancelMutex);
        m_pMulti = nullptr;
    }
    curl_multi_remove_handle(multi.Get(), easy);
}

} // namespace tessaray
