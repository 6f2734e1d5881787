// tessaray-cli project new|show|agree: builds a project file as the project editor would, prints
// one, and stores the agreements with partners and the user's link pages.
#include "cli/alert_options.h"
#include "cli/commands.h"

#include "core/project/agreement_import.h"
#include "core/project/link_import.h"
#include "core/project/project.h"
#include "core/project/url_rules.h"
#include "core/util/file_util.h"
#include "core/util/string_util.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <set>
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
    std::vector<std::string> myPages;
    bool bForce = false;
    std::string strRender = "auto";
};

// The render modes as the options take them.
const std::vector<std::string> kRenderModes = {"auto", "always", "off"};
constexpr const char* kRenderHelp =
    "When partner pages are rendered in a browser: auto (a page without counting link), always "
    "(every page), off (default auto)";

struct AgreeOptions {
    std::string strFile;
    std::string strPartner;
    std::optional<std::string> target;
    std::optional<std::string> anchor;
    std::optional<std::string> follow;
    std::optional<std::string> until;
    std::optional<std::string> contact;
    std::optional<std::string> note;
    bool bClear = false;
    std::vector<std::string> myPages;
    bool bNoMyPages = false;
    std::string strImport;
};

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

// Adds the user's link pages typed on the command line to pages, each once. False with a message
// for one that is no web address or holds a password.
bool AddLinkPages(const std::vector<std::string>& typed, std::vector<std::string>& pages,
                  std::string& error) {
    for (std::string page : typed) {
        if (!IsValidUrl(page)) {
            error = "invalid link page URL: " + page;
            return false;
        }
        if (HasUserInfo(page)) {
            error = "a link page URL holds a user name or password; leave them out";
            return false;
        }
        const std::string key = UrlComparisonKey(page);
        if (std::none_of(pages.begin(), pages.end(), [&key](const std::string& known) {
                return UrlComparisonKey(known) == key;
            })) {
            pages.push_back(std::move(page));
        }
    }
    return true;
}

// The agreement's fields that are set, one line each, indented as "project show" indents.
void PrintAgreement(const SAgreement& agreement) {
    const std::pair<const char*, std::string_view> fields[] = {
        {"Target", agreement.strTarget},
        {"Anchor", agreement.strAnchor},
        {"Follow", agreement.eFollow == EAgreedFollow::Any ? std::string_view()
                                                           : AgreedFollowCode(agreement.eFollow)},
        {"Until", agreement.strUntil},
        {"Contact", agreement.strContact},
        {"Note", agreement.strNote}};
    for (const auto& [name, value] : fields) {
        if (!value.empty()) {
            // A note's later lines are indented under its first.
            std::string text(value);
            ReplaceAll(text, "\n", "\n         ");
            std::printf("       %s: %s\n", name, text.c_str());
        }
    }
}

// The link pages, and the agreements whose partner is not in the list (they are kept until the
// editor drops them), when there are any.
void PrintAgreementExtras(const CProject& project) {
    if (!project.GetMyLinkPages().empty()) {
        std::printf("My link pages: %zu\n", project.GetMyLinkPages().size());
        for (const std::string& page : project.GetMyLinkPages()) {
            std::printf("       %s\n", page.c_str());
        }
    }
    CLineList partners;
    project.CopyPartnersTo(partners);
    const std::set<std::string> entries(partners.Entries().begin(), partners.Entries().end());
    for (const auto& [entry, agreement] : project.GetAgreements()) {
        if (!entries.contains(entry)) {
            std::printf("Agreement of a partner not in the list: %s\n", entry.c_str());
            PrintAgreement(agreement);
        }
    }
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

    std::vector<std::string> myPages;
    if (!AddLinkPages(options.myPages, myPages, error)) {
        return Fail(error);
    }

    CProject project;
    project.StartNew(domain);
    for (const std::string& partner : partners.Entries()) {
        project.AddPartnerUrl(partner);
    }
    project.SetMyLinkPages(std::move(myPages));
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
        if (const SAgreement* pAgreement = project.FindAgreement(entry)) {
            PrintAgreement(*pAgreement);
        }
    }
    if (project.GetRenderMode() != ERenderMode::Auto) {
        std::printf("Render: %s\n", RenderModeCode(project.GetRenderMode()).data());
    }
    std::printf("External links: %d\n", project.GetExternalLinkCount());
    for (const std::string& link : project.GetExternalLinks().Entries()) {
        std::printf("       %s\n", link.c_str());
    }
    PrintAgreementExtras(project);
    return 0;
}

// The agreement of the partner after the options: --clear starts from none, each given option
// sets its field. False with a message naming a bad value.
bool ApplyAgreementOptions(const AgreeOptions& options, SAgreement& agreement, std::string& error) {
    if (options.bClear) {
        agreement = {};
    }
    const auto apply = [](const std::optional<std::string>& option, std::string& field) {
        if (option) {
            field = *option;
        }
    };
    apply(options.target, agreement.strTarget);
    apply(options.anchor, agreement.strAnchor);
    apply(options.until, agreement.strUntil);
    apply(options.contact, agreement.strContact);
    apply(options.note, agreement.strNote);
    if (options.follow) {
        const std::optional<EAgreedFollow> eFollow = ParseAgreedFollow(*options.follow);
        if (!eFollow) {
            error = "invalid --follow value \"" + *options.follow + "\" (required or any)";
            return false;
        }
        agreement.eFollow = *eFollow;
    }
    error = AgreementProblem(agreement);
    return error.empty();
}

int RunAgree(const AgreeOptions& options) {
    const bool bAgreementOptions = options.target || options.anchor || options.follow ||
                                   options.until || options.contact || options.note ||
                                   options.bClear;
    if (!options.strImport.empty() && (!options.strPartner.empty() || bAgreementOptions)) {
        return Fail("--import takes no PARTNER_URL, agreement options or --clear");
    }
    if (options.strPartner.empty() && bAgreementOptions) {
        return Fail("the agreement options need the PARTNER_URL they are for");
    }
    const std::string path = AbsolutePath(options.strFile);
    CProject project;
    if (const CProjectResult loaded = project.Load(path); !loaded.Ok()) {
        return Fail(ProjectErrorText(loaded.GetError()));
    }

    std::vector<std::string> myPages;
    if (!options.bNoMyPages) {
        myPages = project.GetMyLinkPages();
    }
    if (std::string error; !AddLinkPages(options.myPages, myPages, error)) {
        return Fail(error);
    }
    project.SetMyLinkPages(std::move(myPages));

    std::string entry;
    if (!options.strPartner.empty()) {
        entry = project.FindPartnerEntry(options.strPartner);
        if (entry.empty()) {
            return Fail("the project has no partner " + options.strPartner +
                        " (project show lists them)");
        }
        const SAgreement* pOld = project.FindAgreement(entry);
        SAgreement agreement = pOld != nullptr ? *pOld : SAgreement{};
        if (std::string error; !ApplyAgreementOptions(options, agreement, error)) {
            return Fail(error);
        }
        project.SetAgreement(entry, agreement);
    }

    SAgreementImport imported;
    if (!options.strImport.empty()) {
        std::string bytes;
        if (const CReadResult read = ReadInputFile(options.strImport, kImportFileLimit, bytes);
            !read.Ok()) {
            return Fail("cannot read " + options.strImport + ": " + ReadFailureReason(read));
        }
        imported = ImportAgreementsCsv(project, bytes);
        for (const std::string& line : imported.imported) {
            std::printf("%s: %s imported\n", options.strImport.c_str(), line.c_str());
        }
        for (const std::string& problem : imported.problems) {
            std::fprintf(stderr, "tessaray-cli: %s: %s\n", options.strImport.c_str(),
                         problem.c_str());
        }
        if (imported.bMalformed) {
            return kExitUsage;
        }
    }

    if (project.IsModified()) {
        if (const CProjectResult saved = project.Save(path); !saved.Ok()) {
            return Fail("cannot save the project: " + ProjectErrorText(saved.GetError()));
        }
    }
    if (!entry.empty()) {
        const SAgreement* pAgreement = project.FindAgreement(entry);
        std::printf("%s %s\n", pAgreement != nullptr ? "Agreement with" : "No agreement with",
                    entry.c_str());
        if (pAgreement != nullptr) {
            PrintAgreement(*pAgreement);
        }
    } else if (options.strImport.empty()) {
        std::printf("Agreements: %zu\n", project.GetAgreements().size());
        project.RewindPartners();
        for (std::string partner; project.GetNextPartner(partner);) {
            if (const SAgreement* pAgreement = project.FindAgreement(partner)) {
                std::printf("Agreement with %s\n", partner.c_str());
                PrintAgreement(*pAgreement);
            }
        }
    }
    PrintAgreementExtras(project);
    // Lines left out are a failure of the command, though the others were stored.
    return imported.problems.empty() ? 0 : 1;
}

} // namespace

void RegisterProject(CLI::App& app, int& exitCode) {
    CLI::App* project = app.add_subcommand("project", "Create, show or change a project file");
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
    create
        ->add_option("--my-page", options->myPages,
                     "Your own page that links to partners (checked for the link back; may be "
                     "given more than once)")
        ->allow_extra_args(false);
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

    auto agree = std::make_shared<AgreeOptions>();
    CLI::App* agreeCommand = project->add_subcommand(
        "agree", "Show or store what was agreed with a partner (the options given change only "
                 "their fields), import agreements from a CSV file, and set your link pages");
    agreeCommand->add_option("FILE", agree->strFile, "Project file (.tsrp)")->required();
    agreeCommand->add_option("PARTNER_URL", agree->strPartner,
                             "The partner page the agreement is for, as in the project");
    agreeCommand->add_option("--target", agree->target,
                             "The page of yours the link goes to: exact URL, or a prefix ending "
                             "in *");
    agreeCommand->add_option("--anchor", agree->anchor,
                             "The link text (without regard to case); *TEXT* means contains it");
    agreeCommand->add_option("--follow", agree->follow,
                             "required: the link must be followed; any: it need not be");
    agreeCommand->add_option("--until", agree->until, "The agreement's last day, YYYY-MM-DD");
    agreeCommand->add_option("--contact", agree->contact, "Whom to ask at the partner");
    agreeCommand->add_option("--note", agree->note, "A note");
    agreeCommand->add_flag("--clear", agree->bClear,
                           "Remove the partner's agreement (start from none)");
    agreeCommand
        ->add_option("--my-page", agree->myPages,
                     "Add your own page that links to partners (may be given more than once)")
        ->allow_extra_args(false);
    agreeCommand->add_flag("--no-my-pages", agree->bNoMyPages,
                           "Remove your link pages (before the --my-page given)");
    agreeCommand->add_option(
        "--import", agree->strImport,
        "CSV file with a header row naming the columns partner,target,anchor,follow,until,"
        "contact,note (any order; comma or semicolon)");
    agreeCommand->callback([agree, &exitCode] { exitCode = RunAgree(*agree); });
}

} // namespace tessaray::cli
