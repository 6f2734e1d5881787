#include "core/run/analysis_run.h"

#include "core/app/trace_log.h"
#include "core/fetch/fetch_pool.h"
#include "core/partner/agreement_match.h"
#include "core/partner/evaluate_partner.h"
#include "core/partner/partner_cells.h"
#include "core/project/project.h"
#include "core/project/url_rules.h"
#include "core/util/string_util.h"
#include "core/util/url.h"

#include <algorithm>
#include <cstdio>

namespace tessaray {

CAnalysisRun::CAnalysisRun(CProject& project, CResultTable& table, IOutputLog& log,
                           CTraceLog& trace)
    : m_project(project), m_table(table), m_log(log), m_trace(trace) {}

CAnalysisRun::~CAnalysisRun() = default;

void CAnalysisRun::SetTrace(bool on, std::string versionCode) {
    m_bTraceOn = on;
    m_strVersionCode = std::move(versionCode);
}

std::string CAnalysisRun::PageDumpName(std::string_view partnerUrl) {
    std::string name(partnerUrl);
    ReplaceAll(name, kHttp, "");
    ReplaceAll(name, kHttps, "");
    std::replace(name.begin(), name.end(), '.', '_');
    return name + ".htm";
}

bool CAnalysisRun::Start() {
    // A run in progress is left alone entirely: resetting its flags or its trace lines here would
    // let a second fetch start while the first is still outstanding.
    if (m_bRunning) {
        return false;
    }
    m_bStopRequested = false;
    m_eRunEnd = ERunEnd::None;
    TraceBegin(m_trace, m_strVersionCode);
    if (!SaveModifiedProject()) {
        return false;
    }
    ClearLastRun();
    std::string first;
    m_project.GetRunInput(m_strDomain, m_nPartnerCount, first);
    if (m_strDomain.empty() || m_nPartnerCount <= 0 || first.empty()) {
        return false;
    }

    m_runWindow = m_window;
    if (!m_words.strFetchWindow.empty()) {
        std::string line = m_words.strFetchWindow;
        ReplaceAll(line, "%1", std::to_string(m_runWindow.nParallel));
        ReplaceAll(line, "%2", std::to_string(m_runWindow.nPerSite));
        m_log.AddLine(line);
    }
    ReadPartners();
    StartFetching();
    return true;
}

bool CAnalysisRun::SaveModifiedProject() {
    if (m_project.IsModified() && m_save) {
        m_save();
    }
    return !m_project.IsModified();
}

void CAnalysisRun::ClearLastRun() {
    m_log.Clear();
    m_table.DeleteAllRows();
    m_verdicts.Clear();
    m_verdicts.SetStarted(UtcTimestamp());
    m_myLinkPages = CMyLinkPages();
    m_nPartnerRow = 0;
    m_nPartnerNumber = 0;
    m_nPartnersDone = 0;
    m_bHasExternalList = m_project.GetExternalLinkCount() > 0;
    m_sortedExternalLinks = m_project.GetExternalLinks().Entries();
    std::sort(m_sortedExternalLinks.begin(), m_sortedExternalLinks.end());
}

void CAnalysisRun::ReadPartners() {
    // The partners and their sites, read up to the first empty entry as the run goes through them.
    m_partners.clear();
    m_sites.clear();
    m_offers.clear();
    m_waiting.clear();
    m_firstAnswers.clear();
    m_nWaitingBytes = 0;
    std::map<std::string, int> siteIndex;
    m_strToday = LocalDate();
    m_project.RewindPartners();
    std::string entry;
    while (m_project.GetNextPartner(entry)) {
        SPartner& partner = m_partners.emplace_back();
        SplitPartnerEntry(entry, partner.strUrl, partner.strComment);
        if (const SAgreement* pAgreement = m_project.FindAgreement(entry)) {
            partner.agreement = *pAgreement;
        }
        // User info in an older project's URL is neither sent nor written to the table, the log,
        // the trace or the history.
        partner.strUrl = WithoutUserInfo(partner.strUrl);
        partner.strRobotsUrl = SiteUrlOf(partner.strUrl) + "/robots.txt";
        std::string site = UrlOrigin(partner.strUrl);
        if (site.empty()) {
            site = partner.strUrl;
        }
        const auto [it, bNew] = siteIndex.try_emplace(site, static_cast<int>(m_sites.size()));
        if (bNew) {
            m_sites.emplace_back();
        }
        partner.nSite = it->second;
        m_sites[static_cast<std::size_t>(partner.nSite)].pending.push_back(
            static_cast<int>(m_partners.size()) - 1);
    }
    for (int site = 0; site < static_cast<int>(m_sites.size()); ++site) {
        OfferSite(site);
    }
}

void CAnalysisRun::StartFetching() {
    m_nTurn = 0;
    m_bTurnShown = false;
    m_nInFlight = 0;
    m_pPool = std::make_unique<CFetchPool>(m_fetchSettings, m_authCallback, [post = m_post] {
        if (post) {
            post(kPageFetchedMessage, 0);
        }
    });
    if (m_bAsGooglebot) {
        m_pPool->SetSecondView(std::string(kGooglebotUserAgent),
                               [domain = m_strDomain](SPartnerFetch&& page) {
                                   return DomainLinksDigest(std::move(page), domain);
                               });
    }
    m_bPoolStarted = m_pPool->Start(m_runWindow.nParallel, m_runWindow.nPerSite);
    m_bRunning = true;
    m_project.SetPageRankOption(false);
    if (m_bPoolStarted) {
        SubmitMyLinkPages();
        FillWindow();
    }
    Advance();
}

void CAnalysisRun::SubmitMyLinkPages() {
    std::vector<std::string> pages;
    for (const std::string& page : m_project.GetMyLinkPages()) {
        pages.push_back(WithoutUserInfo(page));
    }
    m_myLinkPages = CMyLinkPages(std::move(pages));
    m_nMyLinkPagesPending = m_myLinkPages.GetPageCount();
    // They hold places in the window like partners; the partners' fetches wait behind them.
    const int nFirstId = static_cast<int>(m_partners.size());
    for (int page = 0; page < m_myLinkPages.GetPageCount(); ++page) {
        const std::string& url = m_myLinkPages.GetPage(page);
        m_pPool->Submit(nFirstId + page, url, SiteUrlOf(url) + "/robots.txt");
        ++m_nInFlight;
    }
}

void CAnalysisRun::SetFetchWindow(SFetchWindow window) {
    window.nParallel = std::clamp(window.nParallel, 1, SFetchWindow::kMaxParallel);
    window.nPerSite = std::clamp(window.nPerSite, 1, SFetchWindow::kMaxPerSite);
    m_window = window;
}

void CAnalysisRun::Stop() {
    m_bStopRequested = true;
    // A partner waiting for its second answer, or for the browser, would hold the end of the run
    // up: the answers there stand as they are.
    const bool bRendering = !m_rendering.empty() || m_pRenderer;
    if (m_bRunning) {
        CancelRendering();
    }
    if (m_bRunning && (AbandonConfirmations() || bRendering)) {
        Advance();
    }
}

void CAnalysisRun::Cancel() {
    if (!m_bRunning) {
        return;
    }
    m_bStopRequested = true;
    AbandonConfirmations();
    EndStopped();
}

bool CAnalysisRun::AbandonConfirmations() {
    const bool bAny = !m_firstAnswers.empty();
    for (auto& [nPartner, first] : m_firstAnswers) {
        m_partners[static_cast<std::size_t>(nPartner)].eConfirm = EConfirm::Abandoned;
        AddWaiting(std::move(first));
    }
    m_firstAnswers.clear();
    return bAny;
}

void CAnalysisRun::AddWaiting(SWaiting waiting) {
    m_nWaitingBytes += waiting.nBytes;
    m_waiting.emplace(waiting.result.nId, std::move(waiting));
}

void CAnalysisRun::ReleasePlace(int nPartner) {
    const SPartner& partner = m_partners[static_cast<std::size_t>(nPartner)];
    --m_sites[static_cast<std::size_t>(partner.nSite)].nInFlight;
    --m_nInFlight;
    OfferSite(partner.nSite);
}

void CAnalysisRun::TakeDone() {
    // Each page is evaluated and dropped at once: the fetch (and the page's bytes) need not wait
    // for the partner's turn, only the compact result does.
    for (SPartnerFetch& done : m_pPool->TakeDone()) {
        if (done.nId >= static_cast<int>(m_partners.size())) {
            --m_nInFlight;
            --m_nMyLinkPagesPending;
            if (!m_interrupted || !m_interrupted()) {
                m_myLinkPages.AddPage(done.nId - static_cast<int>(m_partners.size()),
                                      std::move(done));
            }
            done = {};
            continue;
        }
        SPartner& partner = m_partners[static_cast<std::size_t>(done.nId)];
        const EConfirm eConfirm = partner.eConfirm;
        // A second fetch held no place in the window.
        const bool bHoldsPlace = eConfirm == EConfirm::None;
        if (eConfirm == EConfirm::Abandoned || (m_interrupted && m_interrupted())) {
            if (bHoldsPlace) {
                ReleasePlace(done.nId);
            }
            done = {};
            continue;
        }
        SWaiting waiting = Evaluate(std::move(done));
        done = {};
        if (eConfirm == EConfirm::Pending) {
            // The second answer stands; the first is kept beside it.
            const auto first = m_firstAnswers.find(waiting.result.nId);
            const SPartnerResult& firstResult = first->second.result;
            waiting.result.confirmed = SPartnerResult::SFirstAnswer{
                firstResult.nStatus, firstResult.eOutcome, firstResult.verdict};
            if (!m_words.strConfirmed.empty()) {
                waiting.strFetchedText += " (" + m_words.strConfirmed + ")";
            }
            m_firstAnswers.erase(first);
            partner.eConfirm = EConfirm::None;
            Settle(std::move(waiting), false);
        } else if (m_confirmDelay.count() > 0 && m_confirmCheck && !m_bStopRequested &&
                   m_confirmCheck(waiting.result)) {
            ReleasePlace(waiting.result.nId);
            partner.eConfirm = EConfirm::Pending;
            m_pPool->Submit(waiting.result.nId, partner.strUrl, partner.strRobotsUrl,
                            m_confirmDelay);
            m_firstAnswers.emplace(waiting.result.nId, std::move(waiting));
        } else {
            Settle(std::move(waiting), bHoldsPlace);
        }
    }
}

bool CAnalysisRun::NeedsRendering(const SPartnerResult& result) const {
    // Only a page that arrived whole is worth rendering; the automatic mode renders it only when
    // its raw HTML has no counting link, so a link made by a script is found before the verdict
    // says "missing".
    const bool bArrived = result.nStatus == 200 && !IsBrokenTransfer(result.eOutcome) &&
                          result.strBlockedBy.empty() && result.strUndecodable.empty();
    switch (m_eRenderMode) {
    case ERenderMode::Always:
        return bArrived;
    case ERenderMode::Auto:
        return bArrived && !HasCountingLink(result);
    case ERenderMode::Off:
        break;
    }
    return false;
}

void CAnalysisRun::Settle(SWaiting waiting, bool bHoldsPlace) {
    const int nPartner = waiting.result.nId;
    if (m_rendererFactory && !m_bStopRequested && NeedsRendering(waiting.result)) {
        if (!m_pRenderer && m_strRendererError.empty()) {
            m_pRenderer = m_rendererFactory(
                [post = m_post] {
                    if (post) {
                        post(kPageFetchedMessage, 0);
                    }
                },
                m_strRendererError);
            if (!m_pRenderer && m_strRendererError.empty()) {
                m_strRendererError = "the browser could not be started";
            }
            m_bSayRenderFailed = !m_pRenderer;
        }
        if (m_pRenderer) {
            const SPartner& partner = m_partners[static_cast<std::size_t>(nPartner)];
            m_pRenderer->Submit(nPartner, partner.strUrl, m_strDomain);
            m_rendering[nPartner] = {std::move(waiting), bHoldsPlace};
            return;
        }
        // Without a browser the raw reading stands, and says why it is not rendered.
        ApplyRenderedPage(waiting.result, {false, m_strRendererError, {}, {}, {}});
    }
    if (bHoldsPlace) {
        ReleasePlace(nPartner);
    }
    AddWaiting(std::move(waiting));
}

void CAnalysisRun::TakeRendered() {
    if (!m_pRenderer) {
        return;
    }
    for (auto& [nPartner, page] : m_pRenderer->TakeDone()) {
        const auto it = m_rendering.find(nPartner);
        if (it == m_rendering.end()) {
            continue;
        }
        SRendering rendering = std::move(it->second);
        m_rendering.erase(it);
        SPartnerResult& result = rendering.waiting.result;
        ApplyRenderedPage(result, page);
        rendering.waiting.nBytes =
            result.ApproximateBytes() + rendering.waiting.strFetchedText.size();
        if (rendering.bHoldsPlace) {
            ReleasePlace(nPartner);
        }
        AddWaiting(std::move(rendering.waiting));
    }
}

void CAnalysisRun::CancelRendering() {
    if (m_pRenderer) {
        m_pRenderer->Cancel();
        TakeRendered(); // pages done before the cancel still count
        m_pRenderer.reset();
    }
    for (auto& [nPartner, rendering] : m_rendering) {
        ApplyRenderedPage(rendering.waiting.result, {false, "cancelled", {}, {}, {}});
        if (rendering.bHoldsPlace) {
            ReleasePlace(nPartner);
        }
        AddWaiting(std::move(rendering.waiting));
    }
    m_rendering.clear();
}

std::optional<CAnalysisRun::SWaiting> CAnalysisRun::TakeWaiting(int nPartner) {
    const auto it = m_waiting.find(nPartner);
    if (it == m_waiting.end()) {
        return std::nullopt;
    }
    SWaiting waiting = std::move(it->second);
    m_waiting.erase(it);
    m_nWaitingBytes -= waiting.nBytes;
    return waiting;
}

void CAnalysisRun::EndStopped() {
    // Every page that has arrived is evaluated, in partner order, so nothing fetched is lost; a
    // partner whose page has not arrived gets no row (the row of the partner in turn goes).
    if (m_pPool) {
        TakeDone();
    }
    CancelRendering();
    if (m_bTurnShown && !m_waiting.contains(m_nTurn)) {
        m_table.DeleteRow(m_nPartnerRow);
        --m_nPartnerNumber;
        m_bTurnShown = false;
    }
    while (!m_waiting.empty()) {
        if (!m_bTurnShown) {
            m_nTurn = m_waiting.begin()->first;
            ShowTurn();
        }
        ShowResult(*TakeWaiting(m_nTurn));
        ++m_nPartnersDone;
        m_bTurnShown = false;
    }
    EndRun(m_nPartnersDone == static_cast<int>(m_partners.size()) ? ERunEnd::Completed
                                                                  : ERunEnd::Stopped);
}

void CAnalysisRun::EndRun(ERunEnd eEnd) {
    if (m_pRenderer) {
        m_pRenderer->Cancel();
        m_pRenderer.reset();
    }
    m_rendering.clear();
    m_strRendererError.clear();
    m_pPool.reset();
    m_nMyLinkPagesPending = 0;
    m_waiting.clear();
    m_firstAnswers.clear();
    m_nWaitingBytes = 0;
    m_offers.clear();
    m_nInFlight = 0;
    m_bStopRequested = false;
    m_bRunning = false;
    m_eRunEnd = eEnd;
    m_log.AddLine(m_words.strAnalyzingReady);
    m_verdicts.SetFinished(UtcTimestamp());
    if (eEnd != ERunEnd::Completed) {
        m_verdicts.SetStopped(static_cast<int>(m_partners.size()));
    }
    // A stopped run leaves no trace file.
    if (eEnd != ERunEnd::Stopped) {
        m_trace.End();
    }
}

void CAnalysisRun::OfferSite(int nSite) {
    const SSite& site = m_sites[static_cast<std::size_t>(nSite)];
    if (!site.pending.empty() && site.nInFlight < m_runWindow.nPerSite) {
        m_offers.emplace(site.pending.front(), nSite);
    }
}

void CAnalysisRun::FillWindow() {
    // The partner in turn, when not yet fetched, is the first offer: the partners before it are
    // evaluated, so its site has room. It starts as soon as the window has a place, also after
    // Stop and with a full waiting buffer, which only its result can empty.
    while (m_nInFlight < m_runWindow.nParallel && !m_offers.empty()) {
        const auto [index, nSite] = *m_offers.begin();
        if (index != m_nTurn && (m_bStopRequested || m_nWaitingBytes > m_nWaitingLimit)) {
            break;
        }
        m_offers.erase(m_offers.begin());
        SSite& site = m_sites[static_cast<std::size_t>(nSite)];
        site.pending.pop_front();
        ++site.nInFlight;
        ++m_nInFlight;
        const SPartner& partner = m_partners[static_cast<std::size_t>(index)];
        m_pPool->Submit(index, partner.strUrl, partner.strRobotsUrl);
        OfferSite(nSite);
    }
}

void CAnalysisRun::ShowTurn() {
    const SPartner& partner = m_partners[static_cast<std::size_t>(m_nTurn)];
    ++m_nPartnerNumber;
    m_log.AddLine(partner.strUrl + " - " + m_words.strLoading + "...");

    const int row = m_table.GetRowCount();
    m_nPartnerRow = row;
    m_table.InsertRow(row);

    TraceLine(std::string(80, '='));
    TraceLine("Line=" + std::to_string(row) + "; PartnerUrl=" + partner.strUrl);
    m_table.SetRowKey(row, {m_nTurn, -1});
    m_table.SetCellText(row, kColNo, std::to_string(row + 1));
    m_table.SetCellText(row, kColPartnerUrl, partner.strUrl);
    m_table.SetCellText(row, kColComment, partner.strComment);
    m_bTurnShown = true;
}

void CAnalysisRun::Advance() {
    while (m_bRunning) {
        if (!m_bTurnShown) {
            // A Stop that comes while the last partner is evaluated does not make a run that
            // checked every partner a stopped one.
            if (m_nTurn >= static_cast<int>(m_partners.size())) {
                EndRun(ERunEnd::Completed);
                return;
            }
            if (m_bStopRequested) {
                EndStopped();
                return;
            }
            ShowTurn();
            if (!m_bPoolStarted) {
                m_log.AddLine(m_words.strCannotFetch);
                EndRun(ERunEnd::CannotFetch);
                return;
            }
        }
        // Every answer on the user's link back needs all of the user's link pages.
        std::optional<SWaiting> waiting =
            m_nMyLinkPagesPending > 0 ? std::nullopt : TakeWaiting(m_nTurn);
        if (!waiting) {
            return;
        }
        ShowResult(std::move(*waiting));
        ++m_nPartnersDone;
        ++m_nTurn;
        m_bTurnShown = false;
        FillWindow();
    }
}

void CAnalysisRun::PageFetched() {
    // A completion that arrives when no run waits for it (after the run was destroyed and made
    // anew, say) changes nothing; one post may bring several pages, a later one none.
    if (!m_bRunning || !m_pPool) {
        return;
    }
    TakeDone();
    TakeRendered();
    FillWindow();
    Advance();
}

CAnalysisRun::SWaiting CAnalysisRun::Evaluate(SPartnerFetch&& fetched) {
    // A failed fetch needs no case of its own: its page is empty, its status 0 or the code
    // received. A page that did not arrive whole says so instead of "ready".
    SWaiting waiting;
    waiting.strFetchedText = IsBrokenTransfer(fetched.ePageOutcome)
                                 ? OutcomeLogText(fetched.ePageOutcome, fetched.nPageStatus != 0,
                                                  fetched.nPageBytes, m_chLanguage)
                                 : m_words.strReady;
    if (m_bTraceOn) {
        m_trace.Page(PageDumpName(fetched.strUrl), fetched.strPage);
    }
    SPartnerContext context;
    context.nId = fetched.nId;
    context.strDomain = m_strDomain;
    context.strComment = m_partners[static_cast<std::size_t>(fetched.nId)].strComment;
    context.pSortedExternalLinks = m_bHasExternalList ? &m_sortedExternalLinks : nullptr;
    const SPartner& partner = m_partners[static_cast<std::size_t>(fetched.nId)];
    context.pAgreement = partner.agreement ? &*partner.agreement : nullptr;
    context.strToday = m_strToday;
    waiting.result = EvaluatePartner(std::move(fetched), context);
    waiting.nBytes = waiting.result.ApproximateBytes() + waiting.strFetchedText.size();
    return waiting;
}

void CAnalysisRun::ShowResult(SWaiting waiting) {
    m_log.AppendToLastLine(" " + waiting.strFetchedText + ";  " + m_words.strAnalyzing + " ...");
    SPartnerResult& result = waiting.result;
    result.nFirstRow = m_nPartnerRow + 1;
    // A run stopped before the link pages were all in answers Unknown for what they might hold.
    if (!m_myLinkPages.IsEmpty()) {
        result.reciprocal = m_myLinkPages.AnswerFor(result.strUrl);
        AddReciprocityReasons(result);
    }
    AddRows(result);
    TraceLinkValues(result);
    m_verdicts.Add(std::move(result));
    m_log.AppendToLastLine(" " + m_words.strReady);
    // Once, after the line of the partner that first needed the browser.
    if (m_bSayRenderFailed && !m_words.strRenderFailed.empty()) {
        std::string line = m_words.strRenderFailed;
        ReplaceAll(line, "%1", m_strRendererError);
        m_log.AddLine(line);
    }
    m_bSayRenderFailed = false;
}

void CAnalysisRun::AddRows(const SPartnerResult& result) {
    // The partner's first row is there since its turn came; every further link gets a row of its
    // own at the end of the table. Every row of the page shows the same header, stored once.
    const SPartnerCells cells = CellsOf(result);
    for (int index = 0; index < static_cast<int>(cells.rows.size()); ++index) {
        int row = m_nPartnerRow;
        if (index > 0) {
            row = m_table.GetRowCount();
            m_table.InsertRow(row);
        }
        m_table.SetRowKey(row, result.KeyOfRow(index));
        const CellRow& texts = cells.rows[static_cast<std::size_t>(index)];
        for (int col = 0; col < kColumnCount; ++col) {
            if (col != kColServerHeader) {
                m_table.SetCellText(row, col, texts[static_cast<std::size_t>(col)]);
            }
        }
        m_table.SetSharedCellText(row, kColServerHeader, cells.pServerHeader);
    }
}

void CAnalysisRun::RankFetched() {
    if (m_bRunning) {
        Advance();
    }
}

void CAnalysisRun::TraceLinkValues(const SPartnerResult& result) {
    if (!m_bTraceOn) {
        return;
    }
    // The four conditions of every row's link value and, where all hold, how it was computed.
    for (int index = 0; index < result.RowCount(); ++index) {
        const SLinkResult* link =
            result.links.empty() ? nullptr : &result.links[static_cast<std::size_t>(index)];
        const SLinkValueFlags flags = LinkValueFlags(result, link);
        const std::string robotsText(link == nullptr       ? ""
                                     : result.bRobotsAllow ? kCellAllow
                                                           : kCellDisallow);
        char buffer[160];
        std::snprintf(buffer, sizeof(buffer), "b1=%d, b2=%d, b3=%d, b4=%d, csText=", flags.b1,
                      flags.b2, flags.b3, flags.b4);
        TraceLine(buffer + robotsText);
        if (flags.All()) {
            std::snprintf(buffer, sizeof(buffer),
                          "Inheritance: Line=%d PR=%d ExtLinks=%d IntLinks=%d Inheritance=",
                          result.nFirstRow - 1 + index, 0, result.nExternalLinks,
                          result.nInternalLinks);
            TraceLine(buffer);
        }
    }
    TraceLine(std::string(80, '-'));
}

void CAnalysisRun::TraceLine(const std::string& text) {
    if (m_bTraceOn) {
        m_trace.Line(text);
    }
}

void CCompletionQueue::Post() {
    {
        std::lock_guard lock(m_mutex);
        ++m_nPending;
    }
    m_ready.notify_one();
}

bool CCompletionQueue::Take(std::chrono::milliseconds timeout) {
    std::unique_lock lock(m_mutex);
    if (!m_ready.wait_for(lock, timeout, [this] { return m_nPending > 0; })) {
        return false;
    }
    --m_nPending;
    return true;
}

} // namespace tessaray
