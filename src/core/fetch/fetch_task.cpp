#include "core/fetch/fetch_task.h"

#include "core/fetch/curl_handle.h"
#include "core/fetch/site_credentials.h"
#include "core/project/url_rules.h"
#include "core/util/url.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
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

} // namespace

// One request/response exchange, filled by libcurl's header and body callbacks.
struct CRequest {
    enum class EBody { Abort, Discard, Read };

    std::string strUrl;
    bool bMayPrompt = false;      // a 401 is answered by a log-in prompt: its body is not read
    bool bAuthRetry = false;      // the repeat with credentials
    bool bFollowRedirect = false; // a 30x answer with a usable Location is followed
    std::size_t nBodyCap = 0;
    const CFetchTask::BodyGate* pGate = nullptr; // asked before body bytes are kept
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
        const bool bBodyWanted =
            nStatus != 404 && !(nStatus == 401 && bMayPrompt) && strRedirect.empty();
        // With a length the body is read whatever the status; without one only for a 200.
        body = bBodyWanted && (contentLength > 0 || nStatus == 200) ? EBody::Read : EBody::Abort;
        // libcurl may answer a challenge itself within the repeated request: let it go on.
        if (body == EBody::Abort && bAuthRetry && nStatus == 401) {
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

namespace {

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
    // The gate is asked for the memory the text's buffer grows by (it doubles, up to the cap), so
    // that what the budget counts is what the bodies hold.
    std::string& text = request.strText;
    const std::size_t capacity = text.capacity();
    std::size_t grown = capacity;
    if (text.size() + take > capacity) {
        grown = std::min(std::max(text.size() + take, 2 * capacity), request.nBodyCap);
    }
    if (grown > capacity && request.pGate != nullptr && *request.pGate &&
        !(*request.pGate)(grown - capacity)) {
        return CURL_WRITEFUNC_PAUSE; // offered again once resumed
    }
    text.reserve(grown);
    request.AppendBody(data, take);
    request.bCapReached = take < length;
    return take; // less than offered stops the transfer at the cap
}

} // namespace

CFetchTask::CFetchTask(const CFetchSettings& settings, std::string url, int nMaxRedirects,
                       std::size_t nBodyCap, std::chrono::steady_clock::time_point deadline)
    : m_settings(settings), m_strUrl(std::move(url)), m_nRedirectsLeft(nMaxRedirects),
      m_nBodyCap(nBodyCap), m_deadline(deadline), m_pRequest(std::make_unique<CRequest>()),
      m_strAccept(CFetchSettings::kAcceptHeader), m_pHeaders(nullptr, &curl_slist_free_all),
      m_strFinalUrl(m_strUrl) {}

CFetchTask::~CFetchTask() = default;

CFetchTask::EStep CFetchTask::Start(CURL* easy) {
    if (!ResolveHttpUrl({}, m_strUrl, m_strRequestUrl)) {
        m_nResult = kFetchErrorInternal;
        return EStep::Done;
    }
    return Send(easy, m_strRequestUrl, EKind::First, nullptr, nullptr, false);
}

CFetchTask::EStep CFetchTask::Finish(CURLcode code, CURL* easy) {
    m_pRequest->code = code;
    return Conclude(easy);
}

CFetchTask::EStep CFetchTask::Answer(bool bAnswered, const std::string& user,
                                     const std::string& password, CURL* easy) {
    m_deadline += std::chrono::steady_clock::now() - m_asked;
    if (!bAnswered) {
        m_nResult = kFetchAuthRefused;
        return EStep::Done;
    }
    return Send(easy, m_strRequestUrl, EKind::AuthRetry, &user, &password, m_challenge.bPlainBasic);
}

const std::string& CFetchTask::GetRequestUrl() const {
    return m_pRequest->strUrl;
}

void CFetchTask::Postpone(std::chrono::steady_clock::duration waited, CURL* easy) {
    m_deadline += waited;
    const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(
        m_deadline - std::chrono::steady_clock::now());
    curl_easy_setopt(easy, CURLOPT_TIMEOUT_MS, std::max(1L, static_cast<long>(remaining.count())));
}

CFetchTask::EStep CFetchTask::Send(CURL* easy, const std::string& url, EKind kind,
                                   const std::string* user, const std::string* password,
                                   bool bBasicAgreed) {
    CRequest& request = *m_pRequest;
    request = CRequest{};
    request.strUrl = url;
    request.bMayPrompt = kind == EKind::First;
    request.bAuthRetry = kind == EKind::AuthRetry;
    request.bFollowRedirect = m_nRedirectsLeft > 0;
    request.nBodyCap = m_nBodyCap;
    request.pGate = &m_bodyGate;

    const auto remaining = std::chrono::duration_cast<std::chrono::milliseconds>(
        m_deadline - std::chrono::steady_clock::now());
    if (!m_pHeaders) {
        m_pHeaders.reset(curl_slist_append(nullptr, m_strAccept.c_str()));
    }
    if (remaining.count() <= 0) {
        request.code = CURLE_OPERATION_TIMEDOUT;
        return Conclude(easy);
    }
    if (easy == nullptr || !m_pHeaders) {
        request.code = CURLE_FAILED_INIT;
        return Conclude(easy);
    }

    CURL* h = easy;
    curl_easy_reset(h);
    curl_easy_setopt(h, CURLOPT_URL, url.c_str());
    curl_easy_setopt(h, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(h, CURLOPT_FOLLOWLOCATION, 0L);
    curl_easy_setopt(h, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
    curl_easy_setopt(h, CURLOPT_USERAGENT, m_settings.m_strUserAgent.c_str());
    curl_easy_setopt(h, CURLOPT_HTTPHEADER, m_pHeaders.get());
    curl_easy_setopt(h, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    curl_easy_setopt(h, CURLOPT_SUPPRESS_CONNECT_HEADERS, 1L);
    curl_easy_setopt(h, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(h, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(m_settings.m_connectTimeout.count()));
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_LIMIT, CFetchSettings::kLowSpeedLimit);
    curl_easy_setopt(h, CURLOPT_LOW_SPEED_TIME,
                     static_cast<long>(m_settings.m_lowSpeedTime.count()));
    curl_easy_setopt(h, CURLOPT_TIMEOUT_MS, static_cast<long>(remaining.count()));
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
    return EStep::Transfer;
}

CFetchTask::EStep CFetchTask::Conclude(CURL* easy) {
    CRequest& request = *m_pRequest;
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
    if (!request.bHeadersDone) {
        m_nResult = FailureResult(request);
        return EStep::Done;
    }
    m_nStatus = request.nStatus;

    if (request.bMayPrompt && request.nStatus == 401) {
        m_challenge.strUrl = m_strRequestUrl;
        m_challenge.strOrigin = UrlOrigin(m_strRequestUrl);
        m_challenge.strRealm = request.strRealm;
        m_challenge.bPlainBasic = request.bOnlyBasic && m_strRequestUrl.starts_with(kHttp);
        m_asked = std::chrono::steady_clock::now();
        return EStep::Prompt;
    }
    if (request.bMayPrompt || request.bAuthRetry) {
        m_strHeader = request.strHeader; // the first response's block, not a redirect's
    }
    if (!request.strRedirect.empty()) {
        // Credentials are never sent along: the target may be another origin.
        const std::string target = std::move(request.strRedirect);
        --m_nRedirectsLeft;
        m_strFinalUrl = target;
        return Send(easy, target, EKind::Redirected, nullptr, nullptr, false);
    }
    m_strFinalHeader = request.strHeader;
    if (request.nStatus == 404) {
        m_nResult = kFetchNotFound;
        return EStep::Done;
    }
    // A transfer that broke off inside the body still counts as a response.
    m_strBody = std::move(request.strText);
    m_nByteCount = request.nByteCount;
    m_nResult = kFetchOk;
    return EStep::Done;
}

} // namespace tessaray
