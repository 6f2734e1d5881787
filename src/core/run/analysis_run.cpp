#include "core/run/analysis_run.h"

#include "core/app/trace_log.h"
#include "core/fetch/fetch_pool.h"
#include "core/fetch/site_credentials.h"
#include "core/page/page_analyzer.h"
#include "core/page/page_charset.h"
#include "core/page/page_signals.h"
#include "core/project/project.h"
#include "core/project/url_rules.h"
#include "core/util/string_util.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace tessaray {

namespace {

// Follow(Meta): "NA" without a "follow" word in the robots meta tag, "Nofollow" when it says
// nofollow, else "Follow".
std::string_view MetaFollowText(int follow, int nofollow) {
    if (!follow) {
        return kCellNoFollowWord;
    }
    return nofollow ? kCellNofollow : kCellFollow;
}

// The link value of a partner page from its rank and link count. No formula for it is part of
// this program: the value is always the empty text (the number 0).
std::string LinkValueText(int /*rank*/, int /*links*/) {
    return "";
}

// The leading decimal number of a cell (with an optional sign), 0 when there is none.
int LeadingInt(const std::string& text) {
    return std::atoi(text.c_str());
}

} // namespace

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

    if (m_project.IsModified()) {
        if (m_save) {
            m_save();
        }
        if (m_project.IsModified()) {
            return false;
        }
    }

    m_log.Clear();
    m_table.DeleteAllRows();
    m_verdicts.Clear();
    m_verdicts.SetStarted(UtcTimestamp());
    m_nCurrentRow = 0;
    m_nPartnerRow = 0;
    m_nPartnerNumber = 0;
    m_nPartnersDone = 0;
    m_bHasExternalList = m_project.GetExternalLinkCount() > 0;
    m_sortedExternalLinks = m_project.GetExternalLinks().Entries();
    std::sort(m_sortedExternalLinks.begin(), m_sortedExternalLinks.end());

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

    // The partners and their sites, read up to the first empty entry as the run goes through them.
    m_partners.clear();
    m_sites.clear();
    m_offers.clear();
    m_fetched.clear();
    std::map<std::string, int> siteIndex;
    m_project.RewindPartners();
    std::string entry;
    while (m_project.GetNextPartner(entry)) {
        SPartner& partner = m_partners.emplace_back();
        SplitPartnerEntry(entry, partner.strUrl, partner.strComment);
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
    m_nTurn = 0;
    m_bTurnShown = false;
    m_nWindowUsed = 0;
    m_nInFlight = 0;

    m_pPool = std::make_unique<CFetchPool>(m_fetchSettings, m_authCallback, [post = m_post] {
        if (post) {
            post(kPageFetchedMessage, 0);
        }
    });
    m_bPoolStarted = m_pPool->Start(m_runWindow.nParallel);
    m_bRunning = true;
    m_project.SetPageRankOption(false);
    if (m_bPoolStarted) {
        FillWindow();
    }
    Advance();
    return true;
}

void CAnalysisRun::SetFetchWindow(SFetchWindow window) {
    window.nParallel = std::clamp(window.nParallel, 1, SFetchWindow::kMaxParallel);
    window.nPerSite = std::clamp(window.nPerSite, 1, SFetchWindow::kMaxPerSite);
    m_window = window;
}

void CAnalysisRun::Stop() {
    m_bStopRequested = true;
}

void CAnalysisRun::Cancel() {
    if (!m_bRunning) {
        return;
    }
    m_bStopRequested = true;
    EndStopped();
}

void CAnalysisRun::TakeDone() {
    for (SPartnerFetch& done : m_pPool->TakeDone()) {
        const int nSite = m_partners[static_cast<std::size_t>(done.nId)].nSite;
        --m_sites[static_cast<std::size_t>(nSite)].nInFlight;
        --m_nInFlight;
        OfferSite(nSite);
        m_fetched.emplace(done.nId, std::move(done));
    }
}

void CAnalysisRun::EndStopped() {
    // Every page that has arrived is evaluated, in partner order, so nothing fetched is lost; a
    // partner whose page has not arrived gets no row (the row of the partner in turn goes).
    if (m_pPool) {
        TakeDone();
    }
    if (m_bTurnShown && !m_fetched.contains(m_nTurn)) {
        m_table.DeleteRow(m_nPartnerRow);
        --m_nPartnerNumber;
        m_bTurnShown = false;
    }
    while (!m_fetched.empty()) {
        auto first = m_fetched.begin();
        if (!m_bTurnShown) {
            m_nTurn = first->first;
            ShowTurn();
        }
        SPartnerFetch page = std::move(first->second);
        m_fetched.erase(first);
        EvaluatePage(std::move(page));
        ++m_nPartnersDone;
        m_bTurnShown = false;
        RowDone();
    }
    EndRun(m_nPartnersDone == static_cast<int>(m_partners.size()) ? ERunEnd::Completed
                                                                  : ERunEnd::Stopped);
}

void CAnalysisRun::EndRun(ERunEnd eEnd) {
    m_pPool.reset();
    m_fetched.clear();
    m_offers.clear();
    m_nWindowUsed = 0;
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
    // The partner in turn always gets a place: the partners before it of its site are evaluated,
    // and every evaluation frees a place.
    while (!m_bStopRequested && m_nWindowUsed < m_runWindow.nParallel && !m_offers.empty()) {
        const auto [index, nSite] = *m_offers.begin();
        m_offers.erase(m_offers.begin());
        SSite& site = m_sites[static_cast<std::size_t>(nSite)];
        site.pending.pop_front();
        ++site.nInFlight;
        ++m_nWindowUsed;
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
    m_nCurrentRow = row;
    m_nPartnerRow = row;
    m_table.InsertRow(row);

    TraceLine(std::string(80, '='));
    TraceLine("Line=" + std::to_string(row) + "; PartnerUrl=" + partner.strUrl);
    SetCell(row, kColNo, std::to_string(row + 1));
    SetCell(row, kColPartnerUrl, partner.strUrl);
    SetCell(row, kColComment, partner.strComment);
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
        const auto it = m_fetched.find(m_nTurn);
        if (it == m_fetched.end()) {
            return;
        }
        // A failed fetch needs no case of its own: its page is empty, its status 0 or the code
        // received.
        SPartnerFetch page = std::move(it->second);
        m_fetched.erase(it);
        EvaluatePage(std::move(page));
        ++m_nPartnersDone;
        --m_nWindowUsed;
        ++m_nTurn;
        m_bTurnShown = false;
        RowDone();
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
    FillWindow();
    Advance();
}

void CAnalysisRun::EvaluatePage(SPartnerFetch fetched) {
    const std::string& url = fetched.strUrl;
    const std::string bytes = std::to_string(fetched.strPage.size());
    // A page that did not arrive whole says so instead of "ready".
    const std::string fetchedText =
        IsBrokenTransfer(fetched.ePageOutcome)
            ? OutcomeLogText(fetched.ePageOutcome, fetched.nPageStatus != 0, fetched.nPageBytes,
                             m_chLanguage)
            : m_words.strReady;
    m_log.AppendToLastLine(" " + fetchedText + ";  " + m_words.strAnalyzing + " ...");

    m_robotsRules.Parse(fetched.strRobots);
    m_rfcRules.Load(fetched.nRobotsStatus, fetched.strRobots);
    CPageAnalyzer analyzer;
    if (m_bTraceOn) {
        m_trace.Page(PageDumpName(url), fetched.strPage);
    }
    // URL and text cells are UTF-8 whatever the page's charset; the Bytes cell stays as received.
    // The charset is the one of the response the page came with, not of a redirect before it.
    const std::string& pageHeader =
        fetched.strFinalHeader.empty() ? fetched.strHeader : fetched.strFinalHeader;
    const std::string charset = SniffCharset(pageHeader, fetched.strPage);
    std::string undecodable = UndecodableReason(pageHeader, fetched.strPage, charset);
    ConvertToUtf8InPlace(fetched.strPage, charset);
    analyzer.LoadText(SiteUrlOf(url), std::move(fetched.strPage)); // reads the comments itself
    SPageSignals pageSignals =
        ReadPageSignals(url, fetched.strFinalUrl, analyzer, fetched.strFinalHeader);

    const std::string google = LookUpGoogle(url);
    const std::string status = std::to_string(fetched.nPageStatus);
    // Every row of the page shows the same header: stored once, however many links there are.
    const auto header = std::make_shared<const std::string>(std::move(fetched.strHeader));
    const std::string internal = std::to_string(analyzer.GetInternalCount());
    const std::string external = std::to_string(analyzer.GetExternalCount());

    // The cells every row of this page shares.
    const auto writeCommon = [&](int row) {
        SetCell(row, kColNo, std::to_string(row + 1));
        SetCell(row, kColPartnerUrl, url);
        SetCell(row, kColStatusCode, status);
        SetCell(row, kColBytes, bytes);
        SetCell(row, kColIntLinks, internal);
        SetCell(row, kColExtLinks, external);
        SetCell(row, kColGoogle, google);
        m_table.SetSharedCellText(row, kColServerHeader, header);
    };

    // The rel tokens of a link found, and whether it stands in <noscript>: its anchor is the next
    // one, in page order, with its URL and text.
    const std::vector<CLinkInfo> links = analyzer.GetLinks();
    const std::vector<std::string> anchors = analyzer.GetAnchors();
    std::size_t nextLink = 0;
    const auto linkOf = [&](const std::string& linkUrl, const std::string& linkText) {
        SRowLink found;
        while (nextLink < links.size()) {
            const std::size_t index = nextLink++;
            if (links[index].m_strUrl == linkUrl && links[index].m_strText == linkText) {
                if (index < anchors.size()) {
                    found.rel = RelTokens(anchors[index]);
                }
                found.bInNoscript = links[index].m_nInNoscript != 0;
                break;
            }
        }
        return found;
    };
    std::vector<SRowLink> rowLinks;

    int row = m_nCurrentRow;
    analyzer.ResetLinkCursor();
    int found = 0;
    std::string linkUrl;
    std::string linkText;
    int nofollow = 0;
    while (analyzer.NextLinkToDomain(m_strDomain, linkUrl, linkText, nofollow)) {
        ++found;
        if (found > 1) {
            // Every further link to the domain gets a row of its own at the end of the table.
            row = m_table.GetRowCount();
            m_nCurrentRow = row;
            m_table.InsertRow(row);
        }
        int metaRobots = 0;
        int metaIndex = 0;
        int metaNoindex = 0;
        int metaFollow = 0;
        int metaNofollow = 0;
        analyzer.GetMetaFlags(metaRobots, metaIndex, metaNoindex, metaFollow, metaNofollow);
        writeCommon(row);
        SetCell(row, kColYourUrl, linkUrl);
        SetCell(row, kColAnchorText, linkText);
        SetCell(row, kColListed, kCellYes);
        SetCell(row, kColFollowMeta, MetaFollowText(metaFollow, metaNofollow));
        SetCell(row, kColFollowLink, nofollow ? kCellNofollow : kCellFollow);
        SetCell(row, kColRobotsAllow, m_robotsRules.IsAllowed(url) ? kCellAllow : kCellDisallow);
        rowLinks.push_back(linkOf(linkUrl, linkText));
        rowLinks.back().nRow = row;
    }
    if (found == 0) {
        writeCommon(row);
        SetCell(row, kColYourUrl, "");
        SetCell(row, kColAnchorText, "");
        SetCell(row, kColListed, kCellNo);
        rowLinks.push_back({row, {}, false});
    }
    JudgeRows(fetched, std::move(pageSignals), std::move(undecodable), rowLinks, found > 0);
    m_log.AppendToLastLine(" " + m_words.strReady);
}

void CAnalysisRun::JudgeRows(const SPartnerFetch& page, SPageSignals pageSignals,
                             std::string strUndecodable, const std::vector<SRowLink>& rowLinks,
                             bool bHasLink) {
    SPartnerFacts facts;
    facts.strUrl = page.strUrl;
    facts.nStatus = page.nPageStatus;
    facts.nBytes = page.nPageBytes;
    facts.eOutcome = page.ePageOutcome;
    facts.strFinalUrl = WithoutUserInfo(page.strFinalUrl.empty() ? page.strUrl : page.strFinalUrl);
    facts.nRobotsStatus = page.nRobotsStatus;
    facts.bGooglebotAllowed = m_rfcRules.IsAllowed("Googlebot", page.strUrl);
    facts.pageSignals = std::move(pageSignals);
    facts.strUndecodable = std::move(strUndecodable);
    m_verdicts.AddPartner(facts);
    for (const SRowLink& link : rowLinks) {
        CResultTable::Row cells;
        for (int col = 0; col < kColumnCount; ++col) {
            cells[static_cast<std::size_t>(col)] = Cell(link.nRow, col);
        }
        SVerdict verdict = JudgeRow(cells, link.rel, facts, link.bInNoscript);
        m_verdicts.AddRow(link.nRow + 1, link.rel, std::move(verdict), bHasLink);
    }
}

void CAnalysisRun::RankFetched() {
    if (m_bRunning) {
        Advance();
    }
}

void CAnalysisRun::RowDone() {
    // Every row of the partner gets its link value, not only the last one.
    for (int row = m_nPartnerRow; row <= m_nCurrentRow; ++row) {
        EvaluateLinkValue(row);
    }
    TraceLine(std::string(80, '-'));
}

void CAnalysisRun::EvaluateLinkValue(int nRow) {
    const std::string robotsText = Cell(nRow, kColRobotsAllow);
    const std::string followMeta = Cell(nRow, kColFollowMeta);
    const bool b1 = Cell(nRow, kColListed) == kCellYes;
    const bool b2 = followMeta == kCellFollow || followMeta == kCellNoFollowWord;
    const bool b3 = Cell(nRow, kColFollowLink) == kCellFollow;
    const bool b4 = robotsText == kCellAllow;
    const int rank = LeadingInt(Cell(nRow, kColR1));
    const int internal = LeadingInt(Cell(nRow, kColIntLinks));
    const int external = LeadingInt(Cell(nRow, kColExtLinks));
    if (m_bTraceOn) {
        char buffer[160];
        std::snprintf(buffer, sizeof(buffer), "b1=%d, b2=%d, b3=%d, b4=%d, csText=", b1, b2, b3,
                      b4);
        TraceLine(buffer + robotsText);
    }
    if (!(b1 && b2 && b3 && b4) || rank < 0) {
        SetCell(nRow, kColR3, "0");
        return;
    }
    if (internal < 0 || external < 0) {
        return;
    }
    const std::string value = LinkValueText(rank, internal + external);
    SetCell(nRow, kColR3, value);
    if (m_bTraceOn) {
        char buffer[160];
        std::snprintf(buffer, sizeof(buffer),
                      "Inheritance: Line=%d PR=%d ExtLinks=%d IntLinks=%d Inheritance=", nRow, rank,
                      external, internal);
        TraceLine(buffer + value);
    }
}

std::string CAnalysisRun::LookUpGoogle(const std::string& partnerUrl) const {
    if (!m_bHasExternalList) {
        return std::string(kCellNotApplicable);
    }
    // The links that begin with the URL sort directly from the URL itself on.
    const std::string prefix = ToLowerAscii(partnerUrl);
    const auto it =
        std::lower_bound(m_sortedExternalLinks.begin(), m_sortedExternalLinks.end(), prefix);
    const bool listed = it != m_sortedExternalLinks.end() && it->starts_with(prefix);
    return std::string(listed ? kCellYes : kCellNo);
}

void CAnalysisRun::SetCell(int nRow, int nCol, std::string_view text) {
    m_table.SetCellText(nRow, nCol, text);
}

std::string CAnalysisRun::Cell(int nRow, int nCol) const {
    std::string text;
    m_table.GetCellText(nRow, nCol, text);
    return text;
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
