// tessaray-cli analyze: runs the analysis of a project headless and writes its reports.
#include "cli/alert_options.h"
#include "cli/auth_options.h"
#include "cli/commands.h"
#include "cli/progress_line.h"

#include "core/alert/alert_delivery.h"
#include "core/app/install_dir.h"
#include "core/app/trace_log.h"
#include "core/app/version_code.h"
#include "core/history/history_db.h"
#include "core/history/run_changes.h"
#include "core/partner/partner_result.h"
#include "core/project/project.h"
#include "core/render/browser_renderer.h"
#include "core/results/html_report.h"
#include "core/results/json_report.h"
#include "core/results/report_text.h"
#include "core/results/result_table.h"
#include "core/run/analysis_run.h"
#include "core/util/core_texts.h"
#include "core/util/file_util.h"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace tessaray::cli {

namespace {

// Exit code of a run that Ctrl+C stopped before every partner was checked (the reports of the
// partners checked are still written, and say that the run was stopped).
constexpr int kExitInterrupted = 130;
// Exit code when the run could not start a fetch or a report cannot be written.
constexpr int kExitFailed = 1;
// Exit codes of a finished run by its verdicts: some partner's link is missing or does not count;
// some partner was unreachable (this one wins).
constexpr int kExitNotCounting = 4;
constexpr int kExitUnreachable = 5;
// Exit code when, against the previous completed run, a link was lost or its verdict got worse,
// confirmed by a second fetch (ahead of 4 and 5, so scheduled runs can alert on change).
constexpr int kExitChanged = 3;

struct SAnalyzeOptions {
    std::string strProject;
    std::string strCsv;
    std::string strHtml;
    std::string strTemplate;
    std::string strJson;
    std::string strLang = "en";
    SAuthOptions auth;
    SAlertOptions alerts;
    SFetchWindow window;
    std::string strUserAgent{CFetchSettings::kUserAgent};
    bool bAsGooglebot = false;
    std::string strRender; // "" takes the project's mode
    bool bQuiet = false;
    bool bSummary = false;
    bool bChanges = false;
    bool bAlertOnChangeOnly = false;
    // Seconds; 0 confirms nothing.
    int nConfirmDelay = static_cast<int>(CAnalysisRun::kDefaultConfirmDelay.count());
    int nAlertAfterRuns = kDefaultAlertAfterRuns;
};

// The interface language: its letter ('G' German, 'E' English) and its texts from the catalogue.
struct SLanguage {
    char chLetter;

    std::string Text(ETextId id) const { return std::string(CoreText(id, chLetter)); }
    SOutputWords Words() const {
        SOutputWords words{Text(ETextId::RunAnalyzingReady), Text(ETextId::RunLoading),
                           Text(ETextId::RunAnalyzing), Text(ETextId::RunReady),
                           Text(ETextId::RunCannotFetch)};
        words.strConfirmed = Text(ETextId::RunConfirmed);
        words.strRenderFailed = Text(ETextId::RunRenderFailed);
        return words;
    }
};

const SLanguage kEnglish{'E'};
const SLanguage kGerman{'G'};

// The number of Ctrl+C presses so far: the first stops the run after the page in progress, the
// second cancels every transfer (the reports of the rows done are still written); from then on the
// default action is back, so a third ends the program.
volatile std::sig_atomic_t g_interrupts = 0;

extern "C" void OnInterrupt(int) {
    g_interrupts = g_interrupts + 1;
    if (g_interrupts >= 2) {
        std::signal(SIGINT, SIG_DFL);
    }
}

// What the run shows on stderr: the output log line by line (its lines appear as they grow, so
// the progress of a slow fetch shows), a progress line redrawn in place when stderr is a
// terminal, or nothing.
class CStderrLog final : public IOutputLog {
public:
    enum class EMode { Lines, Progress, Quiet };

    explicit CStderrLog(EMode eMode) : m_eMode(eMode) {}
    ~CStderrLog() override { EndLine(); }
    CStderrLog(const CStderrLog&) = delete;
    CStderrLog& operator=(const CStderrLog&) = delete;

    void Clear() override { EndLogLine(); }
    void AddLine(const std::string& text) override {
        EndLogLine();
        PrintLog(text);
        m_bLineOpen = m_eMode == EMode::Lines;
    }
    void AppendToLastLine(const std::string& text) override {
        if (!m_bLineOpen) {
            AddLine(text);
            return;
        }
        PrintLog(text);
    }
    // Redraws the progress line (in progress mode).
    void ShowProgress(const std::string& text) {
        if (m_eMode == EMode::Progress && text != m_strProgress) {
            m_strProgress = text;
            // Back to the line start, the text, the rest of the old text cleared.
            Write("\r" + text + "\x1b[K");
        }
    }
    // Ends the log or progress line being written, so other messages start on a line of their
    // own.
    void EndLine() {
        EndLogLine();
        if (!m_strProgress.empty()) {
            Write("\n");
            m_strProgress.clear();
        }
    }
    // A message on a line of its own, in every mode.
    void Message(const std::string& text) {
        EndLine();
        Write(text + "\n");
    }
    EMode GetMode() const { return m_eMode; }

private:
    void EndLogLine() {
        if (m_bLineOpen) {
            Write("\n");
            m_bLineOpen = false;
        }
    }
    void PrintLog(const std::string& text) const {
        if (m_eMode == EMode::Lines) {
            Write(text);
        }
    }
    static void Write(const std::string& text) {
        std::fwrite(text.data(), 1, text.size(), stderr);
        std::fflush(stderr);
    }

    EMode m_eMode;
    bool m_bLineOpen = false;
    // The progress line on screen; empty when none is.
    std::string m_strProgress;
};

// The folder of the runtime files: beside the program file, or the package's share folder.
std::string InstallFolder() {
    std::error_code error;
    const std::string exe = std::filesystem::read_symlink("/proc/self/exe", error).string();
    return FindRuntimeFolder(FindInstallDir(exe, FileExists, ""), FileExists);
}

int Fail(const std::string& message, int exitCode) {
    std::fprintf(stderr, "tessaray-cli: %s\n", message.c_str());
    return exitCode;
}

// The Verdict cell of the summary: the verdict and the codes of its reasons, and "(confirmed)"
// when a second fetch confirmed it.
std::string VerdictCell(const CRunVerdicts& verdicts, SRowKey key, const SLanguage& language) {
    const SVerdict* verdict = verdicts.FindVerdict(key);
    if (verdict == nullptr) {
        return {};
    }
    std::string text = VerdictText(verdict->eVerdict, language.chLetter);
    const char* separator = " (";
    for (const SReason& reason : verdict->reasons) {
        text.append(separator).append(ReasonCode(reason.eCode));
        // How a link is hidden is what the user has to look for.
        if (reason.eCode == EReason::Hidden && !reason.strDetail.empty()) {
            text.append(": ").append(reason.strDetail);
        }
        separator = ", ";
    }
    if (!verdict->reasons.empty()) {
        text += ")";
    }
    if (const SPartnerResult* partner = verdicts.FindPartner(key.nPartner);
        partner != nullptr && partner->confirmed) {
        text += " (" + language.Text(ETextId::RunConfirmed) + ")";
    }
    return text;
}

// The summary on stdout: one aligned line per row with the columns that answer "does the link
// count" and the verdict, then the counts and the verdicts' summary. A fetch failed when no
// response came (status 0) or an error status.
void PrintSummary(const CResultTable& table, const CRunVerdicts& verdicts,
                  const SLanguage& language, int partners) {
    static constexpr int kColumns[] = {kColNo,         kColPartnerUrl, kColStatusCode,  kColListed,
                                       kColFollowMeta, kColFollowLink, kColRobotsAllow, kColGoogle};
    // And the verdict; the user's link back when the project names link pages; whether the page
    // was rendered, when the run rendered any.
    const CRunVerdicts::SSummary summary = verdicts.Summary();
    const bool bRendered = std::any_of(
        verdicts.Partners().begin(), verdicts.Partners().end(),
        [](const SPartnerResult& partner) { return partner.eRendered != ERendered::No; });
    const std::size_t nCount =
        std::size(kColumns) + 1 + (summary.bReciprocity ? 1 : 0) + (bRendered ? 1 : 0);
    const auto cell = [&table](int row, int col) {
        std::string text;
        table.GetCellText(row, col, text);
        return text;
    };

    std::vector<std::vector<std::string>> lines(1);
    for (const int col : kColumns) {
        lines[0].emplace_back(table.GetColumns()[static_cast<std::size_t>(col)].pszTitle);
    }
    lines[0].emplace_back(language.Text(ETextId::RunVerdictTitle));
    if (summary.bReciprocity) {
        lines[0].emplace_back(language.Text(ETextId::VerdictTableYouLink));
    }
    if (bRendered) {
        lines[0].emplace_back(language.Text(ETextId::RunRenderedTitle));
    }
    int listed = 0;
    int nofollow = 0;
    int failed = 0;
    for (int row = 0; row < table.GetRowCount(); ++row) {
        lines.emplace_back();
        for (const int col : kColumns) {
            lines.back().push_back(cell(row, col));
        }
        const SRowKey key = table.GetRowKey(row);
        lines.back().push_back(VerdictCell(verdicts, key, language));
        const SPartnerResult* partner = verdicts.FindPartner(key.nPartner);
        if (summary.bReciprocity) {
            lines.back().push_back(
                partner != nullptr && partner->reciprocal
                    ? YouLinkText(partner->reciprocal->eYouLink, language.chLetter)
                    : std::string());
        }
        if (bRendered) {
            const ERendered eRendered = partner != nullptr ? partner->eRendered : ERendered::No;
            lines.back().push_back(
                language.Text(eRendered == ERendered::Yes      ? ETextId::RunRenderedYes
                              : eRendered == ERendered::Failed ? ETextId::RunRenderedFailed
                                                               : ETextId::RunRenderedNo));
        }
        if (partner != nullptr && key.nLink >= 0) {
            ++listed;
            nofollow += partner->pageSignals.bMetaNofollow ||
                        partner->links[static_cast<std::size_t>(key.nLink)].bNofollow;
        }
        const int status = partner != nullptr ? partner->nStatus : 0;
        failed += status == 0 || status >= 400;
    }

    std::vector<std::size_t> widths(nCount);
    for (const auto& cells : lines) {
        for (std::size_t i = 0; i < nCount; ++i) {
            widths[i] = std::max(widths[i], cells[i].size());
        }
    }
    for (const auto& cells : lines) {
        // The number is right-aligned, everything else left-aligned; no blanks at line end.
        std::string text(widths[0] - cells[0].size(), ' ');
        text += cells[0];
        for (std::size_t i = 1; i < nCount; ++i) {
            text.append("  ").append(cells[i]).append(widths[i] - cells[i].size(), ' ');
        }
        text.erase(text.find_last_not_of(' ') + 1);
        std::printf("%s\n", text.c_str());
    }
    std::printf("\n");
    const std::string counts = FormatText(language.Text(ETextId::RunCounts),
                                          {std::to_string(partners), std::to_string(listed),
                                           std::to_string(nofollow), std::to_string(failed)});
    std::printf("%s\n", counts.c_str());
    std::printf("%s\n", SummaryText(verdicts, language.chLetter).c_str());
    if (summary.bReciprocity) {
        std::printf("%s\n", TakeWithoutGivingText(summary.nOneSided, language.chLetter).c_str());
    }
}

// 0 when every partner's link counts, else 4, or 5 when a partner was unreachable.
int VerdictExitCode(const CRunVerdicts& verdicts) {
    const CRunVerdicts::SSummary summary = verdicts.Summary();
    if (summary.nUnreachable > 0) {
        return kExitUnreachable;
    }
    return summary.nCounts == summary.nPartners ? 0 : kExitNotCounting;
}

// The browser renderer of the run, started by the run when its first page needs it, with the
// run's fetch window and user agent.
CAnalysisRun::RendererFactory BrowserRendererFactory(const std::string& browser,
                                                     const SAnalyzeOptions& options) {
    SRenderSettings settings;
    settings.strBrowser = browser;
    settings.nParallel = options.window.nParallel;
    settings.nPerSite = options.window.nPerSite;
    settings.strUserAgent = options.strUserAgent;
    return tessaray::BrowserRendererFactory(std::move(settings));
}

// The render mode of the run: --render over the project's. Without a browser, auto renders
// nothing and says so once; always is an error before the run (0, or the exit code after the
// message).
int SetUpRendering(const SAnalyzeOptions& options, const CProject& project, CAnalysisRun& run,
                   CStderrLog& log, const SLanguage& language) {
    ERenderMode eMode = options.strRender.empty()
                            ? project.GetRenderMode()
                            : ParseRenderMode(options.strRender).value_or(ERenderMode::Auto);
    const std::string browser = eMode == ERenderMode::Off ? std::string() : FindBrowser();
    if (eMode == ERenderMode::Always && browser.empty()) {
        return Fail("--render always needs a browser, and none was found (install chromium, or "
                    "name one in TESSARAY_BROWSER)",
                    kExitUsage);
    }
    if (eMode == ERenderMode::Auto && browser.empty()) {
        if (log.GetMode() != CStderrLog::EMode::Quiet) {
            log.Message(language.Text(ETextId::RunNoBrowser));
        }
        eMode = ERenderMode::Off;
    }
    run.SetRenderer(eMode, browser.empty() ? nullptr : BrowserRendererFactory(browser, options));
    return 0;
}

// The settings a run is stored with in the history, as JSON.
std::string RunSettings(const CProject& project, const SAnalyzeOptions& options) {
    return RunSettingsJson({.strDomain = project.GetDomain(),
                            .strLanguage = options.strLang,
                            .nPartners = project.GetPartnerCount(),
                            .bAuthentication = !options.auth.strOrigin.empty(),
                            .strProgram = "tessaray-cli"});
}

// Loads the project by its full path (so a bare file name means one in this folder): 0, or the
// exit code after the message.
int LoadProject(const std::string& strArgument, std::string& projectPath, CProject& project) {
    std::error_code error;
    projectPath = std::filesystem::absolute(strArgument, error).string();
    if (error) {
        return Fail(strArgument + ": " + error.message(), kExitUsage);
    }
    if (const CProjectResult loaded = project.Load(projectPath); !loaded.Ok()) {
        return Fail(ProjectErrorText(loaded.GetError()), kExitUsage);
    }
    return 0;
}

// The HTML template of --html (--template, else the one beside the program), checked before any
// fetch so that a wrong one costs no run: 0, or the exit code after the message.
int FindTemplate(const SAnalyzeOptions& options, std::string& templatePath) {
    if (options.strHtml.empty()) {
        return 0;
    }
    templatePath =
        options.strTemplate.empty() ? InstallFolder() + "/report.html" : options.strTemplate;
    CHtmlReport check;
    if (!FileExists(templatePath)) {
        return Fail("no HTML template at " + templatePath, kExitUsage);
    }
    if (!check.LoadTemplate(templatePath)) {
        if (!check.GetReadResult().Ok()) {
            return Fail(templatePath + " " + ReadFailureReason(check.GetReadResult()), kExitUsage);
        }
        return Fail(templatePath + " is no HTML template: it lacks the TABLEHEADER and "
                                   "TABLEROW blocks",
                    kExitUsage);
    }
    return 0;
}

using SteadyTime = std::chrono::steady_clock::time_point;

// Redraws the progress line of a run started at started.
void ShowProgress(CStderrLog& log, const CAnalysisRun& run, SteadyTime started,
                  const SLanguage& language) {
    log.ShowProgress(
        FormatProgress({run.GetPartnersDone(), run.GetPartnerCount(), run.GetFetchesInFlight(),
                        std::chrono::duration_cast<std::chrono::milliseconds>(
                            std::chrono::steady_clock::now() - started)},
                       language.chLetter));
}

// Takes the run's completions until it ends, redrawing the progress line: the first Ctrl+C stops
// the run after the page in progress, the second cancels every transfer.
void DriveRun(CAnalysisRun& run, CStderrLog& log, CCompletionQueue& completions, SteadyTime started,
              const SLanguage& language) {
    int interruptsSeen = 0;
    auto nextDraw = started;
    while (run.IsRunning()) {
        const bool completed = completions.Take(std::chrono::milliseconds(100));
        // Checked before the completion is handled, so a Ctrl+C during a fetch ends the run
        // after that fetch's row.
        if (g_interrupts > interruptsSeen) {
            interruptsSeen = g_interrupts;
            if (interruptsSeen == 1) {
                run.Stop();
                log.Message(language.Text(ETextId::RunStopping));
            } else {
                log.Message(language.Text(ETextId::RunCancelling));
                run.Cancel();
                break;
            }
        }
        if (completed) {
            run.PageFetched();
        }
        // Redrawn ten times a second at most, however fast the pages come.
        if (const auto now = std::chrono::steady_clock::now(); now >= nextDraw) {
            ShowProgress(log, run, started, language);
            nextDraw = now + std::chrono::milliseconds(100);
        }
    }
}

// The exit code of the ended run, before its reports are written: by its verdicts (0 with
// --alert-on-change-only), 3 on an alarming change, 130 when stopped, 1 when a fetch could not
// start.
int RunExitCode(const SAnalyzeOptions& options, const CAnalysisRun& run,
                const SHistoryRecord& history) {
    int exitCode = VerdictExitCode(run.GetVerdicts());
    if (options.bAlertOnChangeOnly) {
        exitCode = 0;
    }
    if (!history.alerting.empty()) {
        exitCode = kExitChanged;
    }
    if (run.GetRunEnd() == ERunEnd::Stopped) {
        exitCode = kExitInterrupted;
    } else if (run.GetRunEnd() == ERunEnd::CannotFetch) {
        exitCode = kExitFailed;
    }
    return exitCode;
}

// Writes the reports the options name; a report that cannot be written makes the exit code 1.
int WriteReports(const SAnalyzeOptions& options, const CProject& project, const CResultTable& table,
                 const CAnalysisRun& run, const std::string& templatePath,
                 const SLanguage& language, int exitCode) {
    if (!options.strJson.empty()) {
        const SJsonReportInfo info{project.GetTitle(), project.GetDomain(), language.chLetter};
        if (options.strJson == "-") {
            if (!WriteJsonReport(std::cout, table, run.GetVerdicts(), info) || !std::cout.flush()) {
                exitCode = Fail("cannot write the JSON report to stdout", kExitFailed);
            }
        } else if (const CReportResult result =
                       WriteJsonReportFile(options.strJson, table, run.GetVerdicts(), info);
                   !result.Ok()) {
            exitCode = Fail(ReportFailureText(result.GetError()), kExitFailed);
        }
    }
    if (!options.strCsv.empty()) {
        if (options.strCsv == "-") {
            if (!WriteReportText(std::cout, table, kReportHeaderLines) || !std::cout.flush()) {
                exitCode = Fail("cannot write the CSV report to stdout", kExitFailed);
            }
        } else if (const CReportResult result = WriteCsvReport(options.strCsv, table);
                   !result.Ok()) {
            exitCode = Fail(ReportFailureText(result.GetError()), kExitFailed);
        }
    }
    if (!options.strHtml.empty()) {
        CDateStamp date;
        std::string dateText;
        date.Format(dateText);
        const CReportResult result = WriteHtmlReport(
            table, templatePath, project.GetTitle(), dateText, options.strHtml,
            BuildVerdictHtml(run.GetVerdicts(), language.chLetter), language.chLetter);
        if (!result.Ok()) {
            exitCode = Fail(ReportFailureText(result.GetError()), kExitFailed);
        }
    }
    return exitCode;
}

// The run as the history stored it, as far as the changes show it.
SRunInfo StoredRunInfo(const CAnalysisRun& run, const SHistoryRecord& history) {
    SRunInfo newer;
    newer.nId = history.nRunId;
    newer.strStarted = run.GetVerdicts().GetStarted();
    return newer;
}

// --changes: what changed since the previous completed run.
void PrintRunChanges(const CAnalysisRun& run, const SHistoryRecord& history) {
    const SRunInfo newer = StoredRunInfo(run, history);
    if (history.nPreviousId != 0) {
        std::printf("\n");
        PrintChanges(history.previous, newer, history.changes);
    } else if (run.GetRunEnd() == ERunEnd::Completed) {
        std::printf("\nNo earlier completed run to compare with.\n");
    }
}

int RunAnalyze(const SAnalyzeOptions& options) {
    const SLanguage& language = options.strLang == "de" ? kGerman : kEnglish;

    std::string projectPath;
    CProject project;
    if (const int failed = LoadProject(options.strProject, projectPath, project); failed != 0) {
        return failed;
    }
    std::string templatePath;
    if (const int failed = FindTemplate(options, templatePath); failed != 0) {
        return failed;
    }
    const SAlertSettings alerts = ApplyAlertOptions(project.GetAlertSettings(), options.alerts);
    if (const std::string problem = CheckAlertSettings(alerts); !problem.empty()) {
        return Fail(problem, kExitUsage);
    }

    AuthCallback authCallback;
    if (std::string authError; !MakeAuthCallback(options.auth, authCallback, authError)) {
        return Fail(authError, kExitUsage);
    }

    CResultTable table(language.chLetter);
    CStderrLog log(options.bQuiet            ? CStderrLog::EMode::Quiet
                   : ::isatty(STDERR_FILENO) ? CStderrLog::EMode::Progress
                                             : CStderrLog::EMode::Lines);
    CTraceLog trace;
    trace.SetName("TSRAY");
    CCompletionQueue completions;

    CAnalysisRun run(project, table, log, trace);
    run.SetOutputWords(language.Words());
    run.SetLanguage(language.chLetter);
    // The second Ctrl+C ends the run at once: pages that arrive after it are not read.
    run.SetInterruptCheck([] { return g_interrupts >= 2; });
    run.SetTrace(trace.Init(), BuiltVersionCode());
    run.SetPostCallback([&completions](unsigned, int) { completions.Post(); });
    run.SetFetchWindow(options.window);
    CFetchSettings fetchSettings;
    fetchSettings.m_strUserAgent = options.strUserAgent;
    run.SetFetchSettings(fetchSettings);
    run.SetAsGooglebot(options.bAsGooglebot);
    if (authCallback) {
        run.SetAuthCallback(authCallback);
    }
    // A partner worse than in the last completed run is fetched once more before it alerts.
    if (options.nConfirmDelay > 0) {
        if (const std::optional<SStoredRun> previous = ReadLastCompletedRun(projectPath)) {
            run.SetConfirmation(std::chrono::seconds(options.nConfirmDelay),
                                WorseThanCheck(*previous));
        }
    }

    if (const int failed = SetUpRendering(options, project, run, log, language); failed != 0) {
        return failed;
    }

    g_interrupts = 0;
    const auto oldHandler = std::signal(SIGINT, OnInterrupt);
    const auto started = std::chrono::steady_clock::now();
    if (!run.Start()) {
        std::signal(SIGINT, oldHandler);
        return Fail("the project has no domain or no partner page: " + options.strProject,
                    kExitUsage);
    }
    DriveRun(run, log, completions, started, language);
    std::signal(SIGINT, oldHandler);
    ShowProgress(log, run, started, language);
    log.EndLine();
    if (run.GetRunEnd() == ERunEnd::CannotFetch && log.GetMode() == CStderrLog::EMode::Progress) {
        // The output log, which said so, is not shown beside the progress line.
        log.Message(language.Text(ETextId::RunCannotFetch));
    }

    // The history never stops the run: when it cannot be had, that is said once and the
    // reports follow as always.
    const SHistoryRecord history =
        RecordRun(projectPath,
                  MakeStoredRun(table, run.GetVerdicts(), run.GetRunEnd() == ERunEnd::Completed,
                                RunSettings(project, options)),
                  options.nAlertAfterRuns);
    if (!history.strError.empty()) {
        std::fprintf(stderr, "tessaray-cli: history off: %s: %s (the analysis goes on)\n",
                     HistoryPathOf(projectPath).c_str(), history.strError.c_str());
    }

    const int exitCode = WriteReports(options, project, table, run, templatePath, language,
                                      RunExitCode(options, run, history));
    if (options.bSummary ||
        (options.strCsv.empty() && options.strHtml.empty() && options.strJson.empty())) {
        PrintSummary(table, run.GetVerdicts(), language, run.GetPartnersDone());
    }
    if (options.bChanges) {
        PrintRunChanges(run, history);
    }
    // Alerts never change the exit code: a failed delivery is said and stored.
    // The mail's attachment: the whole result as JSON.
    const auto reportJson = [&] {
        std::ostringstream json;
        WriteJsonReport(json, table, run.GetVerdicts(),
                        {project.GetTitle(), project.GetDomain(), language.chLetter});
        return json.str();
    };
    SendAlerts(alerts, projectPath, project, history, StoredRunInfo(run, history), reportJson,
               language.chLetter);
    return exitCode;
}

} // namespace

void RegisterAnalyze(CLI::App& app, int& exitCode) {
    auto options = std::make_shared<SAnalyzeOptions>();
    CLI::App* command = app.add_subcommand(
        "analyze", "Fetch every partner page of a project, check its link to your site and "
                   "write the reports (a summary on stdout when no report file is named)");
    command->add_option("project", options->strProject, "the project file (.tsrp)")->required();
    command->add_option("--csv", options->strCsv,
                        "write the CSV report (tab-separated) to FILE; - is stdout");
    command->add_option("--html", options->strHtml, "write the HTML report to FILE");
    command->add_option("--json", options->strJson,
                        "write the whole result with the verdicts as JSON to FILE; - is stdout");
    command->add_option("--template", options->strTemplate,
                        "HTML template (default: the report.html installed with the program)");
    command->add_option("--lang", options->strLang, "language of titles and messages")
        ->check(CLI::IsMember({"en", "de"}));
    AddAuthOptions(*command, options->auth);
    AddAlertOptions(*command, options->alerts);
    command
        ->add_option("--parallel", options->window.nParallel,
                     "keep up to N partner fetches in flight (default 64)")
        ->check(CLI::Range(1, SFetchWindow::kMaxParallel))
        ->type_name("N");
    command
        ->add_option("--per-site", options->window.nPerSite,
                     "at most M of them on one site: scheme, host and port (default 2)")
        ->check(CLI::Range(1, SFetchWindow::kMaxPerSite))
        ->type_name("M");
    AddUserAgentOption(*command, options->strUserAgent);
    command->add_flag("--as-googlebot", options->bAsGooglebot,
                      "fetch every page once more as Googlebot; other links to your site there "
                      "are the warning cloaked");
    command
        ->add_option("--render", options->strRender,
                     "render partner pages in a browser (Chromium) to find links made by scripts "
                     "and links people cannot see: auto renders a page without counting link, "
                     "always every page, off none (default: the project's mode, auto)")
        ->check(CLI::IsMember({"auto", "always", "off"}))
        ->type_name("MODE");
    command->add_flag("--quiet", options->bQuiet,
                      "do not show the output log or the progress on stderr");
    command->add_flag("--summary", options->bSummary,
                      "print the summary on stdout also when report files are written");
    command->add_flag("--changes", options->bChanges,
                      "print the changes against the previous completed run after the summary");
    command->add_flag("--alert-on-change-only", options->bAlertOnChangeOnly,
                      "exit 0 instead of 4 or 5 when the verdicts are bad but unchanged");
    command
        ->add_option("--confirm-delay", options->nConfirmDelay,
                     "fetch a partner worse than in the previous completed run once more after "
                     "SECONDS, other partners going on meanwhile; the second answer stands "
                     "(default 60; 0 turns it off)")
        ->check(CLI::Range(0, 86400))
        ->type_name("SECONDS");
    command
        ->add_option("--alert-after-runs", options->nAlertAfterRuns,
                     "an unreachable partner alerts (exit 3) only when it was unreachable in the "
                     "last N completed runs, this one included (default 2)")
        ->check(CLI::Range(1, 100))
        ->type_name("N");
    command->footer("Every run is stored in PROJECT-history beside the project file (see "
                    "'tessaray-cli history').\n"
                    "When the run exits with 3 (see below), an alert goes where the project's "
                    "alert settings say, with the alert "
                    "options given over them for this run; 'tessaray-cli project alerts PROJECT "
                    "...' stores them. A failed alert is said and stored in the history, and "
                    "never changes the exit code.\n"
                    "Exit codes: 0 every partner's link counts; 3 against the previous completed "
                    "run a link was lost or its verdict got worse, confirmed by a second fetch "
                    "(an unreachable page: in the last --alert-after-runs runs) (wins over 4 "
                    "and 5); 4 a link "
                    "is missing or does not count; 5 a partner was unreachable (5 wins over 4); "
                    "1 a report could not be written or a fetch could not start; 2 bad input; "
                    "130 stopped by Ctrl+C before every partner was checked.");
    command->callback([options, &exitCode] { exitCode = RunAnalyze(*options); });
    RegisterNoticeWaiter(app, exitCode);
}

} // namespace tessaray::cli
