#pragma once
// The rules of one fetch as a step machine, private to the fetcher's sources: the synchronous
// fetcher and the pool's engine both drive it, so a fetch is made the same way by either.

#include "core/fetch/page_fetcher.h"

#include <curl/curl.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace tessaray {

struct CRequest; // one request/response exchange, filled by libcurl's callbacks

// One fetch of one URL: the first request, an authenticated repeat after a 401 and the redirects
// it follows (each only to http or https, never with credentials), the body cap per response and
// one deadline for them all. The driver owns the libcurl easy handle and runs each transfer; the
// task sets the handle up for the next request and says what a finished one leads to. The task
// must stay where it is while a transfer it set up runs (the handle points into it).
class CFetchTask {
public:
    enum class EStep {
        Transfer, // the easy handle is set up: run it, then call Finish
        Prompt,   // a server asks for a log-in: answer GetChallenge through Answer
        Done,     // the result is ready
    };
    // Asked before body bytes are kept; false pauses the transfer (CURL_WRITEFUNC_PAUSE) and the
    // same bytes are offered again once the driver resumes it.
    using BodyGate = std::function<bool(std::size_t nBytes)>;

    CFetchTask(const CFetchSettings& settings, std::string url, int nMaxRedirects,
               std::size_t nBodyCap, std::chrono::steady_clock::time_point deadline);
    ~CFetchTask();
    CFetchTask(const CFetchTask&) = delete;
    CFetchTask& operator=(const CFetchTask&) = delete;

    void SetBodyGate(BodyGate gate) { m_bodyGate = std::move(gate); }

    // The first request, set up on easy (Transfer), or Done for an unusable URL.
    EStep Start(CURL* easy);
    // The transfer of the last request ended with code; easy is no longer running it.
    EStep Finish(CURLcode code, CURL* easy);
    // The answer to the log-in prompt. The time since the prompt began is added to the deadline:
    // the user's time is not the server's.
    EStep Answer(bool bAnswered, const std::string& user, const std::string& password, CURL* easy);
    const SAuthChallenge& GetChallenge() const { return m_challenge; }
    // The URL of the request set up last.
    const std::string& GetRequestUrl() const;
    // The set-up request waited this long before it could start (for a connection to its host):
    // the wait is not counted, and easy's time-out is set anew.
    void Postpone(std::chrono::steady_clock::duration waited, CURL* easy);

    // Results, valid once Done (see the getters of CPageFetcher).
    int GetResult() const { return m_nResult; }
    const std::string& GetHeader() const { return m_strHeader; }
    int GetStatus() const { return m_nStatus; }
    ETransferOutcome GetOutcome() const { return m_eOutcome; }
    const std::string& GetFinalUrl() const { return m_strFinalUrl; }
    const std::string& GetFinalHeader() const { return m_strFinalHeader; }
    // Body bytes received; the body itself is handed over once by TakeBody.
    std::size_t GetByteCount() const { return m_nByteCount; }
    std::string TakeBody() { return std::move(m_strBody); }
    // The deadline, moved on by the time spent in log-in prompts.
    std::chrono::steady_clock::time_point GetDeadline() const { return m_deadline; }

private:
    enum class EKind { First, AuthRetry, Redirected };

    // Sets easy up for a request to url; Done when none can be made (time used up).
    EStep Send(CURL* easy, const std::string& url, EKind kind, const std::string* user,
               const std::string* password, bool bBasicAgreed);
    // What the ended request leads to.
    EStep Conclude(CURL* easy);

    CFetchSettings m_settings;
    std::string m_strUrl;        // as given
    std::string m_strRequestUrl; // the first request's URL, resolved
    int m_nRedirectsLeft = 0;
    std::size_t m_nBodyCap = 0;
    std::chrono::steady_clock::time_point m_deadline;
    std::chrono::steady_clock::time_point m_asked; // when the running prompt began
    BodyGate m_bodyGate;
    std::unique_ptr<CRequest> m_pRequest;
    std::string m_strAccept;
    std::unique_ptr<curl_slist, void (*)(curl_slist*)> m_pHeaders;
    SAuthChallenge m_challenge;

    int m_nResult = kFetchErrorInternal;
    std::string m_strHeader;
    int m_nStatus = 0;
    ETransferOutcome m_eOutcome = ETransferOutcome::Other;
    std::string m_strFinalUrl;
    std::string m_strFinalHeader;
    std::string m_strBody;
    std::size_t m_nByteCount = 0;
};

} // namespace tessaray
