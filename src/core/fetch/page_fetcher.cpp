#include "core/fetch/page_fetcher.h"

#include "core/fetch/curl_handle.h"
#include "core/fetch/fetch_task.h"

#include <algorithm>
#include <atomic>
#include <mutex>
#include <optional>
#include <utility>

namespace tessaray {

struct CPageFetcher::CImpl {
    explicit CImpl(CFetchSettings settings) : m_settings(std::move(settings)) {}

    // Runs the set-up transfer of easy until it completes, fails or is cancelled.
    CURLcode Perform();

    CFetchSettings m_settings;
    AuthCallback m_authCallback;
    std::optional<std::chrono::steady_clock::time_point> m_budgetEnd; // set by BeginBudget
    std::unique_ptr<CFetchTask> m_pTask; // the last fetch, for its results
    // Kept from one fetch to the next, so that robots.txt and page share a connection.
    CCurlEasy m_easy;
    CCurlMulti m_multi;

    std::mutex m_cancelMutex; // orders Cancel's wake-up against the creation of m_multi
    std::atomic<bool> m_bCancelled{false};
};

bool IsValidUserAgent(std::string_view text) {
    constexpr std::size_t kMaxLength = 512;
    return !text.empty() && text.size() <= kMaxLength &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= ' ' && c <= '~'; });
}

CPageFetcher::CPageFetcher(CFetchSettings settings)
    : m_pImpl(std::make_unique<CImpl>(std::move(settings))) {
    EnsureCurlInitialised();
}

CPageFetcher::~CPageFetcher() = default;

void CPageFetcher::SetAuthCallback(AuthCallback callback) {
    m_pImpl->m_authCallback = std::move(callback);
}

void CPageFetcher::BeginBudget() {
    m_pImpl->m_budgetEnd = std::chrono::steady_clock::now() + m_pImpl->m_settings.m_totalTimeout;
}

namespace {
const std::string kNoText;
} // namespace

const std::string& CPageFetcher::GetHeader() const {
    return m_pImpl->m_pTask ? m_pImpl->m_pTask->GetHeader() : kNoText;
}

int CPageFetcher::GetStatus() const {
    return m_pImpl->m_pTask ? m_pImpl->m_pTask->GetStatus() : 0;
}

ETransferOutcome CPageFetcher::GetOutcome() const {
    return m_pImpl->m_pTask ? m_pImpl->m_pTask->GetOutcome() : ETransferOutcome::Other;
}

const std::string& CPageFetcher::GetFinalUrl() const {
    return m_pImpl->m_pTask ? m_pImpl->m_pTask->GetFinalUrl() : kNoText;
}

const std::string& CPageFetcher::GetFinalHeader() const {
    return m_pImpl->m_pTask ? m_pImpl->m_pTask->GetFinalHeader() : kNoText;
}

void CPageFetcher::Cancel() {
    std::lock_guard lock(m_pImpl->m_cancelMutex);
    m_pImpl->m_bCancelled = true;
    if (m_pImpl->m_multi) {
        curl_multi_wakeup(m_pImpl->m_multi.Get());
    }
}

int CPageFetcher::Fetch(const std::string& url, std::string& buffer, std::size_t& byteCount,
                        int nMaxRedirects, std::size_t nBodyCap) {
    CImpl& impl = *m_pImpl;
    if (!impl.m_easy) {
        std::lock_guard lock(impl.m_cancelMutex);
        impl.m_easy = CCurlEasy(curl_easy_init());
        impl.m_multi = CCurlMulti(curl_multi_init());
    }
    const auto deadline = impl.m_budgetEnd.value_or(std::chrono::steady_clock::now() +
                                                    impl.m_settings.m_totalTimeout);
    impl.m_pTask = std::make_unique<CFetchTask>(
        impl.m_settings, url, nMaxRedirects,
        nBodyCap != 0 ? std::min(nBodyCap, impl.m_settings.m_nBodyCap) : impl.m_settings.m_nBodyCap,
        deadline);
    CFetchTask& task = *impl.m_pTask;
    CURL* easy = impl.m_multi ? impl.m_easy.Get() : nullptr;
    for (CFetchTask::EStep step = task.Start(easy); step != CFetchTask::EStep::Done;) {
        if (step == CFetchTask::EStep::Transfer) {
            step = task.Finish(impl.Perform(), easy);
            continue;
        }
        std::string user;
        std::string password;
        const bool bAnswered =
            impl.m_authCallback && impl.m_authCallback(task.GetChallenge(), user, password);
        step = task.Answer(bAnswered, user, password, easy);
    }
    buffer = task.TakeBody();
    byteCount = task.GetByteCount();
    return task.GetResult();
}

CURLcode CPageFetcher::CImpl::Perform() {
    CURLM* multi = m_multi.Get();
    if (curl_multi_add_handle(multi, m_easy.Get()) != CURLM_OK) {
        return CURLE_FAILED_INIT;
    }
    // The same loop as curl_easy_perform, except that Cancel can wake the wait at once. The wait
    // ends by itself when libcurl's next time-out is due.
    constexpr int kWaitLimitMs = 60'000;
    CURLcode code = CURLE_OK;
    for (;;) {
        if (m_bCancelled) {
            code = CURLE_ABORTED_BY_CALLBACK;
            break;
        }
        int running = 0;
        if (curl_multi_perform(multi, &running) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
        if (running == 0) {
            int queued = 0;
            while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
                if (message->msg == CURLMSG_DONE) {
                    code = message->data.result;
                }
            }
            break;
        }
        if (curl_multi_poll(multi, nullptr, 0, kWaitLimitMs, nullptr) != CURLM_OK) {
            code = CURLE_FAILED_INIT;
            break;
        }
    }
    curl_multi_remove_handle(multi, m_easy.Get());
    return code;
}

} // namespace tessaray
