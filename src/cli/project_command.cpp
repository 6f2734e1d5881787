// tessaray-cli project new|show: builds a project file as the project editor would, and prints one.
#include "cli/alert_options.h"
#include "cli/commands.h"

#include "core/project/link_import.h"
#include "core/project/project.h"
#include "core/project/url_rules.h"
#include "core/util/file_util.h"

#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include <sys/stat.h>
#include <unistd.h>

namespace tessaray::cli {

namespace {

// Longest comment the "Enter URL" dialog takes.
constexpr std::size_t kMaxCommentLength = 200;

const std::map<std::string, char> kSeparators = {{"comma", ','}, {"semicolon", ';'}, {"tab", '\t'}};

struct NewOptions {
    std::string strFile;
    std::string strDomain;
    std::vector<std::string> partners;
    std::vector<std::string> textImports;
    std::vector<std::string> csvImports;
    std::vector<int> csvColumns;
    std::vector<std::string> csvSeparators;
    std::string strGoogleCsv;
    int nGoogleColumn = 2;
    std::string strGoogleSeparator = "comma";
    bool bForce = false;
    std::string strRender = "auto";
};

// The render modes as the options take them.
const std::vector<std::string> kRenderModes = {"auto", "always", "off"};
constexpr const char* kRenderHelp =
    "When partner pages are rendered in a browser: auto (a page without counting link), always "
    "(every page), off (default auto)";

int Fail(const std::string& message) {
    std::fprintf(stderr, "tessaray-cli: %s\n", message.c_str());
    return kExitUsage;
}

// The path as given, made absolute so that a bare file name names a file in the current folder.
std::string AbsolutePath(const std::string& path) {
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    return error ? path : absolute.lexically_normal().string();
}

// A partner typed as "URL[ - comment]", checked as the "Enter URL" dialog and the editor's OK do.
bool PartnerEntryOf(const std::string& text, std::string& entry, std::string& error) {
    std::string url;
    std::string comment;
    SplitPartnerEntry(text, url, comment);
    if (!IsValidUrl(url)) {
        error = "invalid partner URL: " + text;
        return false;
    }
    if (comment.size() > kMaxCommentLength) {
        error = "partner comment longer than 200 characters: " + text;
        return false;
    }
    entry = JoinPartnerEntry(url, comment);
    if (!IsValidUrl(entry)) {
        error = "invalid partner URL: " + text;
        return false;
    }
    switch (CheckPartnerEntry(entry)) {
    case EEntryProblem::UserInfo:
        // Not repeated: the message would show the password again.
        error = "a partner URL holds a user name or password; leave them out and give the log-in "
                "to analyze with --auth and --user";
        return false;
    case EEntryProblem::TooLong:
        error = "partner entry longer than " + std::to_string(kMaxPartnerEntryLength) +
                " characters: " + text.substr(0, 60) + "...";
        return false;
    case EEntryProblem::None:
        break;
    }
    return true;
}

// What an import took and left out, e.g. "partners.txt: URLs taken: 3; skipped as duplicates: 1".
void PrintTally(const std::string& path, const char* taken, const SImportTally& tally,
                int capacity) {
    std::string line = path + ": " + taken + ": " + std::to_string(tally.nTaken);
    if (tally.nDuplicates > 0) {
        line += "; skipped as duplicates: " + std::to_string(tally.nDuplicates);
    }
    if (tally.nOverLimit > 0) {
        line += "; left out, as the list holds at most " + std::to_string(capacity) + ": " +
                std::to_string(tally.nOverLimit);
    }
    if (tally.nUserInfo > 0) {
        line += "; skipped for a user name or password in the address (analyze takes a log-in "
                "with --auth): " +
                std::to_string(tally.nUserInfo);
    }
    if (tally.nTooLong > 0) {
        line += "; skipped as longer than " + std::to_string(kMaxPartnerEntryLength) +
                " characters: " + std::to_string(tally.nTooLong);
    }
    std::printf("%s\n", line.c_str());
}

// Appends the new URLs of an import to the partners and says what it took.
void Append(CLineList& partners, const CLineList& imported, const std::string& path) {
    CLineList taken;
    const SImportTally tally =
        TakeImported(partners.Entries(), imported, CProject::MaxPartnerLinks, taken);
    for (const std::string& entry : taken.Entries()) {
        partners.Add(entry);
    }
    PrintTally(path, "URLs taken", tally, CProject::MaxPartnerLinks);
}

// Whether a new project may be written at path: nothing there, or, with force, a regular file
// (a save keeps it as the .bak file). False with a message otherwise.
bool MayCreate(const std::string& path, bool bForce, std::string& error) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return true;
    }
    if (!bForce) {
        error = path + " exists; --force replaces it (the old file is kept as .bak, .bak.1, ...)";
        return false;
    }
    if (S_ISREG(info.st_mode)) {
        return true;
    }
    // Opening it as an input file fails and tells what it is.
    const auto opened = OpenInputFile(path, kProjectFileLimit);
    if (opened.Ok()) {
        ::close(opened.Value());
        return true;
    }
    error = path + " " + ReadFailureReason(opened.GetError());
    return false;
}

int RunNew(const NewOptions& options) {
    const std::string projectPath = AbsolutePath(options.strFile);
    if (std::string error; !MayCreate(projectPath, options.bForce, error)) {
        return Fail(error);
    }
    std::string domain;
    if (!ExtractDomainUrl(options.strDomain, domain)) {
        return Fail("invalid domain: " + options.strDomain);
    }
    if (HasUserInfo(domain)) {
        return Fail("the domain holds a user name or password; leave them out (analyze takes a "
                    "log-in with --auth and --user)");
    }
    if (domain.size() > kMaxPartnerEntryLength) {
        return Fail("domain longer than " + std::to_string(kMaxPartnerEntryLength) + " characters");
    }
    if (options.csvColumns.size() > options.csvImports.size() ||
        options.csvSeparators.size() > options.csvImports.size()) {
        return Fail("--column and --separator each belong to one --import-csv");
    }

    CLineList partners;
    std::string entry;
    std::string error;
    for (const std::string& text : options.partners) {
        if (!PartnerEntryOf(text, entry, error)) {
            return Fail(error);
        }
        partners.Add(entry);
    }
    CLineList imported;
    for (const std::string& path : options.textImports) {
        if (CReadResult read; !ImportTextList(path, imported, &read)) {
            return Fail("cannot read " + path + ": " + ReadFailureReason(read));
        }
        Append(partners, imported, path);
    }
    for (std::size_t i = 0; i < options.csvImports.size(); ++i) {
        const int column = i < options.csvColumns.size() ? options.csvColumns[i] : 1;
        const char separator =
            i < options.csvSeparators.size() ? kSeparators.at(options.csvSeparators[i]) : ',';
        if (CReadResult read;
            !ImportCsvColumn(options.csvImports[i], separator, column, imported, &read)) {
            return Fail("cannot read " + options.csvImports[i] + ": " + ReadFailureReason(read));
        }
        Append(partners, imported, options.csvImports[i]);
    }
    CLineList externalLinks;
    if (!options.strGoogleCsv.empty()) {
        CReadResult read;
        SImportTally tally;
        if (!ImportGoogleTable(options.strGoogleCsv, kSeparators.at(options.strGoogleSeparator),
                               options.nGoogleColumn, externalLinks, &read, &tally)) {
            return Fail("cannot read " + options.strGoogleCsv + ": " + ReadFailureReason(read));
        }
        PrintTally(options.strGoogleCsv, "external links taken", tally, CProject::MaxExternalLinks);
    }
    if (partners.GetCount() == 0) {
        return Fail("no valid partner URL");
    }
    if (partners.GetCount() > CProject::MaxPartnerLinks) {
        std::fprintf(stderr, "tessaray-cli: %d partner URLs; the project keeps the first %d\n",
                     partners.GetCount(), CProject::MaxPartnerLinks);
    }

    CProject project;
    project.StartNew(domain);
    for (const std::string& partner : partners.Entries()) {
        project.AddPartnerUrl(partner);
    }
    project.SetExternalLinks(externalLinks);
    project.SetRenderMode(ParseRenderMode(options.strRender).value_or(ERenderMode::Auto));
    // Every earlier version stays: the save itself keeps only the first one as .bak.
    std::string backup;
    if (FileExists(projectPath)) {
        std::string reason;
        backup = KeepNumberedBackup(projectPath, &reason);
        if (backup.empty()) {
            return Fail(reason + "; " + projectPath + " is left as it was");
        }
    }
    if (const CProjectResult saved = project.Save(projectPath); !saved.Ok()) {
        return Fail("cannot save the project: " + ProjectErrorText(saved.GetError()));
    }
    if (!backup.empty()) {
        std::printf("The earlier %s is kept as %s\n", projectPath.c_str(), backup.c_str());
    }
    return 0;
}

// project set: changes a stored option of an existing project.
int RunSet(const std::string& file, const std::string& render) {
    const std::string projectPath = AbsolutePath(file);
    CProject project;
    if (const CProjectResult loaded = project.Load(projectPath); !loaded.Ok()) {
        return Fail(ProjectErrorText(loaded.GetError()));
    }
    if (!render.empty()) {
        project.SetRenderMode(ParseRenderMode(render).value_or(ERenderMode::Auto));
    }
    if (!project.IsModified()) {
        return 0;
    }
    if (const CProjectResult saved = project.Save(projectPath); !saved.Ok()) {
        return Fail("cannot save the project: " + ProjectErrorText(saved.GetError()));
    }
    return 0;
}

int RunShow(const std::string& file) {
    CProject project;
    if (const CProjectResult loaded = project.Load(AbsolutePath(file)); !loaded.Ok()) {
        return Fail(ProjectErrorText(loaded.GetError()));
    }
    std::printf("Title: %s\n", project.GetTitle().c_str());
    std::printf("Domain: %s\n", project.GetDomain().c_str());
    std::printf("Partners: %d\n", project.GetPartnerCount());
    std::string entry;
    std::string url;
    std::string comment;
    project.RewindPartners();
    for (int number = 1; project.GetNextPartner(entry); ++number) {
        SplitPartnerEntry(entry, url, comment);
        std::printf("%5d  %s\n       URL: %s\n", number, entry.c_str(), url.c_str());
        if (!comment.empty()) {
            std::printf("       Comment: %s\n", comment.c_str());
        }
    }
    if (project.GetRenderMode() != ERenderMode::Auto) {
        std::printf("Render: %s\n", RenderModeCode(project.GetRenderMode()).data());
    }
    std::printf("External links: %d\n", project.GetExternalLinkCount());
    for (const std::string& link : project.GetExternalLinks().Entries()) {
        std::printf("       %s\n", link.c_str());
    }
    return 0;
}

} // namespace

void RegisterProject(CLI::App& app, int& exitCode) {
    CLI::App* project = app.add_subcommand("project", "Create or show a project file");
    project->require_subcommand(1);

    auto options = std::make_shared<NewOptions>();
    CLI::App* create = project->add_subcommand(
        "new", "Create a project file as the project editor would (partners, then text imports, "
               "then CSV imports, each in the order given)");
    create->add_option("FILE", options->strFile, "Project file to write (.tsrp)")->required();
    create->add_option("--domain", options->strDomain, "Your domain URL")->required();
    create->add_option("--partner", options->partners, "Partner page: \"URL[ - comment]\"")
        ->allow_extra_args(false);
    create->add_option("--import-txt", options->textImports, "Text file with one URL per line")
        ->allow_extra_args(false);
    create->add_option("--import-csv", options->csvImports, "CSV file with partner URLs")
        ->allow_extra_args(false);
    create
        ->add_option("--column", options->csvColumns,
                     "Column of the matching --import-csv (1..100, default 1)")
        ->allow_extra_args(false)
        ->check(CLI::Range(kMinCsvColumn, kMaxCsvColumn));
    create
        ->add_option("--separator", options->csvSeparators,
                     "Separator of the matching --import-csv (default comma)")
        ->allow_extra_args(false)
        ->check(CLI::IsMember(kSeparators));
    create->add_option("--google-csv", options->strGoogleCsv,
                       "External-link table from Google Search Console");
    create
        ->add_option("--google-column", options->nGoogleColumn,
                     "Column of the Google table (1..100, default 2)")
        ->check(CLI::Range(kMinCsvColumn, kMaxCsvColumn));
    create
        ->add_option("--google-separator", options->strGoogleSeparator,
                     "Separator of the Google table (default comma)")
        ->check(CLI::IsMember(kSeparators));
    create->add_flag("--force", options->bForce,
                     "Replace an existing file (it is kept as .bak, or .bak.1, .bak.2, ... when "
                     "that exists)");
    create->add_option("--render", options->strRender, kRenderHelp)
        ->check(CLI::IsMember(kRenderModes))
        ->type_name("MODE");
    create->callback([options, &exitCode] { exitCode = RunNew(*options); });

    auto setFile = std::make_shared<std::string>();
    auto setRender = std::make_shared<std::string>();
    CLI::App* set = project->add_subcommand("set", "Change a stored option of a project file");
    set->add_option("FILE", *setFile, "Project file (.tsrp)")->required();
    set->add_option("--render", *setRender, kRenderHelp)
        ->check(CLI::IsMember(kRenderModes))
        ->type_name("MODE");
    set->callback([setFile, setRender, &exitCode] { exitCode = RunSet(*setFile, *setRender); });

    auto file = std::make_shared<std::string>();
    CLI::App* show = project->add_subcommand("show", "Print a project file");
    show->add_option("FILE", *file, "Project file (.tsrp)")->required();
    show->callback([file, &exitCode] { exitCode = RunShow(*file); });
    RegisterProjectAlerts(*project, exitCode);
}

} // namespace tessaray::cli
