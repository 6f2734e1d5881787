#pragma once

#include "core/app/settings_keys.h"
#include "core/fetch/fetch_pool.h"
#include "core/fetch/page_fetcher.h"
#include "core/partner/my_link_pages.h"
#include "core/partner/partner_result.h"
#include "core/project/render_mode.h"
#include "core/render/page_renderer.h"
#include "core/results/result_table.h"
#include "core/util/posted_messages.h"

#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace tessaray {

class CFetchPool;
class CProject;
class CTraceLog;

// The output log as the analysis run writes it: the desktop program's output pane, the command
// line's stderr, a list in the tests.
class IOutputLog {
public:
    virtual ~IOutputLog() = default;
    virtual void Clear() = 0;
    // Adds a line (the desktop program selects it and scrolls to it).
    virtual void AddLine(const std::string& text) = 0;
    // Appends text to the last line; on an empty log, adds text as a line.
    virtual void AppendToLastLine(const std::string& text) = 0;
};

// The words of the output log in the language in force ("analyzing ready", "loading",
// "analyzing", "ready" in English); the caller supplies them.
struct SOutputWords {
    SOutputWords() = default;
    SOutputWords(std::string analyzingReady, std::string loading, std::string analyzing,
                 std::string ready, std::string cannotFetch, std::string fetchWindow = {})
        : strAnalyzingReady(std::move(analyzingReady)), strLoading(std::move(loading)),
          strAnalyzing(std::move(analyzing)), strReady(std::move(ready)),
          strCannotFetch(std::move(cannotFetch)), strFetchWindow(std::move(fetchWindow)) {}

    std::string strAnalyzingReady;
    std::string strLoading;
    std::string strAnalyzing;
    std::string strReady;
    // The line written when a fetch cannot be started; the run ends after it.
    std::string strCannotFetch;
    // Appended to the log line of a partner whose second answer confirmed a worse result
    // ("confirmed"); empty appends nothing.
    std::string strConfirmed;
    // The first line of a run, naming its fetch window: "%1" becomes the partner fetches in
    // flight, "%2" those per site. Empty writes no such line.
    std::string strFetchWindow; // Written once when the browser that renders pages cannot be
                                // started: "%1" becomes why.
    // Empty writes no such line.
    std::string strRenderFailed;
};

// How many partner fetches a run keeps in flight: in all, and per site (scheme, host and port).
// The defaults are those of the desktop program's settings.
struct SFetchWindow {
    static constexpr int kDefaultParallel = setting::kAnalysisParallel.defaultValue;
    static constexpr int kMaxParallel = 64;
    static constexpr int kDefaultPerSite = setting::kAnalysisPerSite.defaultValue;
    static constexpr int kMaxPerSite = 8;

    int nParallel = kDefaultParallel;
    int nPerSite = kDefaultPerSite;
};

// How the last run ended.
enum class ERunEnd {
    None,        // no run has ended yet (or one is active)
    Completed,   // every partner was analysed
    Stopped,     // Stop ended it after the page in progress
    CannotFetch, // a fetch could not be started
};

// One analysis of a project: every partner page is fetched with its site's robots.txt, in the
// background, and evaluated into result rows, one partner after the other. The run never blocks:
// Start and each completion start further fetches and return. A fetch completes on a worker
// thread, which calls the post callback; the owner hands that over to its own thread and calls
// PageFetched there. Every other member is called on that one thread too.
//
// Fetching runs ahead within the fetch window: up to nParallel partner fetches in flight, at most
// nPerSite of them per site. A page is evaluated as soon as it arrives and dropped; its compact
// result waits for the partner's turn, so one silent partner does not hold back the others. Rows,
// log and trace lines appear strictly in partner order, so they do not depend on the window: a
// partner's row and its log line appear when its turn comes. While the waiting results hold more
// than the waiting limit, only the partner in turn may start a fetch.
//
// The user's own link pages (CProject::GetMyLinkPages) are fetched first, through the same window
// and with their site's robots.txt like a partner; they make no rows. No partner's result is
// shown before they are all in, so each partner's answer on the user's link back is the same in
// any window.
class CAnalysisRun {
public:
    // The message number the run posts with.
    static constexpr unsigned kPageFetchedMessage = WM_PAGE_DONE;

    // Called on a worker thread when a partner's fetch is done.
    using PostCallback = std::function<void(unsigned message, int result)>;
    // The owner's Save command; the run starts only when the project is unmodified afterwards.
    using SaveCommand = std::function<void()>;

    // The run reads and writes the project, the table, the log and the trace log, which must
    // outlive it.
    CAnalysisRun(CProject& project, CResultTable& table, IOutputLog& log, CTraceLog& trace);
    ~CAnalysisRun();
    CAnalysisRun(const CAnalysisRun&) = delete;
    CAnalysisRun& operator=(const CAnalysisRun&) = delete;

    void SetOutputWords(SOutputWords words) { m_words = std::move(words); }
    // Tracing on: the trace log's Init result. The version code goes into the trace header.
    void SetTrace(bool on, std::string versionCode);
    void SetSaveCommand(SaveCommand save) { m_save = std::move(save); }
    void SetPostCallback(PostCallback post) { m_post = std::move(post); }
    // The language of the verdict texts the run writes into the output log ('G' German).
    void SetLanguage(char chLanguage) { m_chLanguage = chLanguage; }
    // The fetch window of the runs started afterwards; values outside 1 … max are clamped.
    void SetFetchWindow(SFetchWindow window);
    const SFetchWindow& GetFetchWindow() const { return m_window; }
    // Time limits, body cap and trusted authorities of the fetches of later runs.
    void SetFetchSettings(const CFetchSettings& settings) { m_fetchSettings = settings; }
    // Whether later runs fetch every page once more as Googlebot and warn (cloaked) when it
    // shows other links to the domain.
    void SetAsGooglebot(bool bAsGooglebot) { m_bAsGooglebot = bAsGooglebot; }
    // Asked when a server wants a log-in (on the fetching thread); without it a 401 counts as
    // refused.
    void SetAuthCallback(AuthCallback callback) { m_authCallback = std::move(callback); }
    // How many bytes the results waiting for their turn may hold (roughly) before no fetch but
    // that of the partner in turn starts.
    static constexpr std::size_t kDefaultWaitingLimit = std::size_t{64} << 20;
    void SetWaitingLimit(std::size_t nBytes) { m_nWaitingLimit = nBytes; }
    // Asked before each page that has arrived is evaluated; once it answers true, the pages not
    // yet evaluated are dropped as if they had not arrived, so a Cancel that must be quick (the
    // command line's second Ctrl+C) does not wait for the scans of large pages.
    using InterruptCheck = std::function<bool()>;
    void SetInterruptCheck(InterruptCheck check) { m_interrupted = std::move(check); }
    // Confirmation before alerting: a partner whose first answer the check finds worse (than the
    // last completed run, say) is fetched once more after the delay, and the second answer
    // stands. The pause holds no place in the fetch window. A zero delay or no check turns it
    // off.
    using ConfirmCheck = std::function<bool(const SPartnerResult&)>;
    static constexpr std::chrono::seconds kDefaultConfirmDelay{60};
    void SetConfirmation(std::chrono::milliseconds delay, ConfirmCheck check) {
        m_confirmDelay = delay;
        m_confirmCheck = std::move(check);
    }

    // Starts the browser that renders pages (on the run's first page that needs it); nullptr
    // and why when it cannot.
    using RendererFactory = tessaray::RendererFactory;
    // Which partners later runs render in a browser (see ERenderMode): each render holds the
    // partner's place in the fetch window, and the partner's turn waits for it. Without a
    // factory nothing is rendered.
    void SetRenderer(ERenderMode eMode, RendererFactory factory) {
        m_eRenderMode = eMode;
        m_rendererFactory = std::move(factory);
    }
    ERenderMode GetRenderMode() const { return m_eRenderMode; }

    // Starts a run over the project's partners. Nothing happens while a run is active, when the
    // modified project could not be saved, or when the project has no domain or no partner.
    // True when a run began.
    bool Start();
    // No further fetch starts; the partner in turn is fetched and evaluated, and so is every
    // later partner whose page has arrived by then; then the run ends and the fetches still under
    // way are cancelled. A run that evaluated every partner all the same ends as completed.
    void Stop();
    // Ends the run at once: the pages that have arrived are evaluated, every transfer is
    // cancelled, the rows of the partners evaluated stay (the row of the partner in turn goes
    // when its page has not arrived), and the run ends as stopped. The destructor cancels too.
    void Cancel();
    // A fetch's completion, called on the owner's thread after the post callback.
    void PageFetched();
    // The completion of a rank query. No rank query is ever started, so this only moves the run
    // on when it waits for nothing else.
    void RankFetched();

    bool IsRunning() const { return m_bRunning; }
    ERunEnd GetRunEnd() const { return m_eRunEnd; }
    bool IsStopRequested() const { return m_bStopRequested; }
    // The 1-based number of the partner being worked on (0 before the first) and the number of
    // partners of the run, for progress displays.
    int GetPartnerNumber() const { return m_nPartnerNumber; }
    int GetPartnerCount() const { return m_nPartnerCount; }
    // Partners evaluated so far, and partner fetches in flight now, for progress displays.
    int GetPartnersDone() const { return m_nPartnersDone; }
    int GetFetchesInFlight() const { return m_nInFlight; }
    // The records (facts and verdicts) of the partners evaluated in the last (or running) run.
    const CRunVerdicts& GetVerdicts() const { return m_verdicts; }

    // The name of a partner page's dump in the trace folder: the URL without its "http://" and
    // "https://", every "." made "_", and ".htm" appended (a path makes it a sub-folder's file).
    static std::string PageDumpName(std::string_view partnerUrl);

private:
    // Where a partner stands with its confirmation.
    enum class EConfirm {
        None,      // its first answer is not yet there, or it needs no confirmation
        Pending,   // fetched again after the pause; its first answer waits in the run
        Abandoned, // Stop or Cancel gave up waiting: the first answer stands
    };
    // A partner of the run and its site's fetch queue.
    struct SPartner {
        std::string strUrl;
        std::string strComment;
        std::string strRobotsUrl;
        std::optional<SAgreement> agreement;
        int nSite = 0;
        EConfirm eConfirm = EConfirm::None;
    };
    struct SSite {
        std::deque<int> pending; // partners not yet handed to the pool, in order
        int nInFlight = 0;
    };
    // An evaluated partner waiting for its turn: its result, the text its log line ends with
    // ("ready", or how the page broke off) and roughly how many bytes both hold.
    struct SWaiting {
        SPartnerResult result;
        std::string strFetchedText;
        std::size_t nBytes = 0;
    };

    // The parts of Start: the Save command for a modified project (true when the project is
    // unmodified afterwards), the table, log and verdicts of the last run cleared, the partners
    // and their sites read, the pool started with the first fetches of the window.
    bool SaveModifiedProject();
    void ClearLastRun();
    void ReadPartners();
    void StartFetching();
    // Shows the partners in turn whose results are there, as far as possible, and fills the
    // fetch window again.
    void Advance();
    // Adds the row and the log line of the partner in turn.
    void ShowTurn();
    // Hands the earliest partners whose site has room to the pool while the window has room.
    void FillWindow();
    // Makes the site's next partner a candidate of FillWindow when the site has room.
    void OfferSite(int nSite);
    // Cancels every fetch and writes "analyzing ready"; the trace file is written unless the run
    // was stopped.
    void EndRun(ERunEnd eEnd);
    // Ends a run that Stop or Cancel ended early: every page that has arrived is evaluated first.
    void EndStopped();
    // Evaluates the pages the pool has fetched and keeps their results in m_waiting, or, when a
    // result needs confirming, submits the partner again after the pause.
    void TakeDone();
    // Hands the user's link pages to the pool, ahead of every partner.
    void SubmitMyLinkPages();
    // Puts a result into m_waiting.
    void AddWaiting(SWaiting waiting);
    // A partner's place in the fetch window is free again.
    void ReleasePlace(int nPartner);
    // Puts a freshly evaluated result into m_waiting, or first into the renderer when the render
    // mode wants it; bHoldsPlace: its fetch held a place in the window, kept while it renders.
    // bFirstAnswer: a result worse than expected is still to be confirmed (Conclude).
    void Settle(SWaiting waiting, bool bHoldsPlace, bool bFirstAnswer);
    // The result as it stands (rendered where it was): its place is freed, and it waits for its
    // turn, or, when a first answer needs confirming, the partner is fetched again after the
    // pause, so the check judges what the user will see, not the raw page alone.
    void Conclude(SWaiting waiting, bool bHoldsPlace, bool bFirstAnswer);
    bool NeedsRendering(const SPartnerResult& result) const;
    // Takes the rendered pages into their partners' results.
    void TakeRendered();
    // Ends every rendering: the browser ends, the raw readings stand and say so.
    void CancelRendering();
    // The first answers of the partners still being confirmed stand (on Stop and Cancel).
    bool AbandonConfirmations();
    // Reads a fetched page into its partner's result (and dumps it into the trace folder); the
    // page's text is taken out of fetched.
    SWaiting Evaluate(SPartnerFetch&& fetched);
    // The waiting result of a partner, taken out of m_waiting; std::nullopt when there is none.
    std::optional<SWaiting> TakeWaiting(int nPartner);
    // Shows the partner in turn, whose result is there: its record, its rows, its log and trace
    // lines.
    void ShowResult(SWaiting waiting);
    // Writes the rows of a partner: its first row (there since its turn came) and one appended
    // per further link.
    void AddRows(const SPartnerResult& result);
    // The trace lines of the link value of each row of a partner.
    void TraceLinkValues(const SPartnerResult& result);
    void TraceLine(const std::string& text);

    CProject& m_project;
    CResultTable& m_table;
    IOutputLog& m_log;
    CTraceLog& m_trace;

    SOutputWords m_words;
    bool m_bTraceOn = false;
    std::string m_strVersionCode;
    SaveCommand m_save;
    PostCallback m_post;
    InterruptCheck m_interrupted;
    std::chrono::milliseconds m_confirmDelay{0};
    ConfirmCheck m_confirmCheck;
    // The first answers of the partners being confirmed, by partner index.
    std::map<int, SWaiting> m_firstAnswers;

    ERenderMode m_eRenderMode = ERenderMode::Off;
    RendererFactory m_rendererFactory;
    std::unique_ptr<IPageRenderer> m_pRenderer; // started for the run's first page to render
    std::string m_strRendererError;             // why it could not be started
    bool m_bSayRenderFailed = false;            // the log has yet to say so
    // Results waiting for their rendering, by partner index, and whether they hold a place.
    struct SRendering {
        SWaiting waiting;
        bool bHoldsPlace = false;
        bool bFirstAnswer = false;
    };
    std::map<int, SRendering> m_rendering;

    SFetchWindow m_runWindow; // the window of the run in progress
    std::unique_ptr<CFetchPool> m_pPool;
    bool m_bPoolStarted = false;
    std::vector<SPartner> m_partners;
    std::vector<SSite> m_sites;
    // (first pending partner, site) of every site that may start a fetch, earliest first.
    std::set<std::pair<int, int>> m_offers;
    // Evaluated partners waiting for their turn, by partner index, and their size (roughly).
    std::map<int, SWaiting> m_waiting;
    std::size_t m_nWaitingBytes = 0;
    std::size_t m_nWaitingLimit = kDefaultWaitingLimit;
    int m_nTurn = 0;           // index of the partner in turn
    bool m_bTurnShown = false; // its row and log line are there
    int m_nInFlight = 0;
    bool m_bRunning = false;
    ERunEnd m_eRunEnd = ERunEnd::None;
    bool m_bStopRequested = false;
    std::string m_strDomain;
    // The first row of the partner in turn; the rows of its further links are appended at the
    // end of the table.
    int m_nPartnerRow = 0;
    bool m_bHasExternalList = false;
    std::string m_strToday; // the run's day, against which agreements end
    // The imported external links, sorted, so the Google lookup is a binary search.
    std::vector<std::string> m_sortedExternalLinks;
    CRunVerdicts m_verdicts;
    // The user's link pages of the run; their fetches have the ids after the partners'.
    CMyLinkPages m_myLinkPages;
    int m_nMyLinkPagesPending = 0;
    char m_chLanguage = 'E';
    SFetchWindow m_window;
    CFetchSettings m_fetchSettings;
    bool m_bAsGooglebot = false;
    AuthCallback m_authCallback;
    int m_nPartnerNumber = 0;
    int m_nPartnersDone = 0;
    int m_nPartnerCount = 0;
};

// The hand-over of fetch completions for owners without an event loop of their own (the command
// line, the tests): the post callback calls Post on the worker thread, the owner's thread Takes
// and calls PageFetched.
class CCompletionQueue {
public:
    void Post();
    // Waits up to timeout for a completion; true when one was taken.
    bool Take(std::chrono::milliseconds timeout);

private:
    std::mutex m_mutex;
    std::condition_variable m_ready;
    int m_nPending = 0;
};

} // namespace tessaray
