#pragma once

#include "core/project/agreement.h"
#include "core/project/alert_settings.h"
#include "core/project/line_list.h"
#include "core/project/profile_file.h"
#include "core/project/render_mode.h"
#include "core/util/result.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace tessaray {

// Why a project could not be loaded or saved. The desktop program words it in the user's language;
// ProjectErrorText gives the English words the command line prints.
enum class EProjectError {
    None,
    NotReady,      // no domain or no partner URL: nothing to save
    NoFolder,      // the path names no folder
    FolderMissing, // the path's folder does not exist
    CannotRead,    // the file could not be read (strDetail says why)
    FileMissing,   // the file does not exist
    NotAProject,   // the file is no Tessaray project
    WriteFailed,   // the file could not be written (strDetail says why)
};

struct SProjectFailure {
    std::string strPath;
    std::string strDetail; // the system's words for CannotRead and WriteFailed
};

using SProjectError = SError<EProjectError, SProjectFailure>;
using CProjectResult = CResult<void, EProjectError, SProjectFailure>;

std::string ProjectErrorText(const SProjectError& error);

// The user's project: the own domain, the partner entries ("URL" or "URL - comment"), the
// external-link list imported from Google Search Console, and the PageRank option. Stored as a
// ".tsrp" profile file by Save and read back by Load.
class CProject {
public:
    // Capacity of the partner list (the file's four-digit key numbering allows no more).
    static constexpr int MaxPartnerLinks = 10000;
    // Most external links a file holds (keys URL0000 to URL1999).
    static constexpr int MaxExternalLinks = 2000;
    // Path of a project that has never been saved; Save of a project with this title goes
    // through Save As.
    static constexpr const char* kNoFileMarker = "Unbekannt";
    // Title of a project without path.
    static constexpr const char* kUntitled = "_UNTITLED";

    // Identity written to and required of a project file.
    static constexpr const char* kAppName = "Tessaray";
    static constexpr const char* kFileVersion = "010000";
    static constexpr const char* kInternet = kMakerInternet;
    static constexpr const char* kCopyright = kMakerCopyright;

    CProject() = default;

    // Empties the partner list, clears modified, path := "Unbekannt", domain := "".
    void Reset();
    // domain := NormalizeDomainUrl(url); empties the partner list; sets modified.
    void SetDomain(const std::string& url);
    // SetDomain, then path := "Unbekannt"; the agreements and link pages of an earlier project go.
    void StartNew(const std::string& url);
    // Stores NormalizeProjectUrl(url) (the entry as written, with "http://" and without a bare
    // site's root "/") in the first free entry and sets modified; ignored when the list is full.
    // Duplicates are allowed.
    void AddPartnerUrl(const std::string& url);
    // Empties the partner list (modified unchanged).
    void ClearPartnerUrls();
    int GetPartnerCount() const;
    // Caches the partner count; true when the domain is set and there is at least one partner.
    bool IsReady();

    // cursor := before the first entry.
    void RewindPartners() { m_nCursor = -1; }
    // Moves the cursor on; out := the entry there. False (out "") at the first free entry or past
    // the capacity.
    bool GetNextPartner(std::string& out);
    // outDomain, outCount := domain and partner count; rewinds and returns
    // GetNextPartner(outFirst).
    bool GetRunInput(std::string& outDomain, int& outCount, std::string& outFirst);
    void GetDomain(std::string& out) const { out = m_strDomain; }
    const std::string& GetDomain() const { return m_strDomain; }
    // list := the partner entries in order.
    void CopyPartnersTo(CLineList& list) const;

    // The external links become a copy of list, entries longer than 500 characters cut to 500
    // followed by "..."; sets modified.
    void SetExternalLinks(const CLineList& list);
    void CopyExternalLinksTo(CLineList& list) const;
    int GetExternalLinkCount() const { return m_externalLinks.GetCount(); }
    const CLineList& GetExternalLinks() const { return m_externalLinks; }

    bool GetPageRankOption() const { return m_bPageRank; }
    void SetPageRankOption(bool on) { m_bPageRank = on; }

    // Where alerts go; setting different ones sets modified.
    const SAlertSettings& GetAlertSettings() const { return m_alerts; }
    void SetAlertSettings(const SAlertSettings& alerts);

    // The agreements with partners, by partner entry as stored (see AddPartnerUrl). Setting an
    // empty agreement removes it; a change sets modified. They are stored in the project file's
    // own section "AGREEMENTS" with the link pages, also those whose partner is not in the list
    // (a hand-edited file loses nothing).
    const std::map<std::string, SAgreement>& GetAgreements() const { return m_agreements; }
    const SAgreement* FindAgreement(const std::string& partnerUrl) const;
    void SetAgreement(const std::string& partnerUrl, const SAgreement& agreement);
    // The stored partner entry whose URL is the same as url's (UrlComparisonKey: scheme and host
    // without regard to case, the comments left out); "" when the project has none.
    std::string FindPartnerEntry(std::string_view url) const;
    // The user's own pages that link out to partners, checked for reciprocity; a change sets
    // modified.
    const std::vector<std::string>& GetMyLinkPages() const { return m_myLinkPages; }
    void SetMyLinkPages(std::vector<std::string> pages);
    // When partners' pages are rendered in a browser; a change sets modified.
    ERenderMode GetRenderMode() const { return m_eRenderMode; }
    void SetRenderMode(ERenderMode eMode);

    bool IsModified() const { return m_bModified; }
    const std::string& GetPath() const { return m_strPath; }
    // The file name of the path without folder and extension; "_UNTITLED" without a path.
    void GetTitle(std::string& out) const;
    std::string GetTitle() const;

    // Writes the project file at path (an existing file is kept once as its ".bak"). On success
    // path := the given path and modified is cleared. A project that is not ready writes nothing,
    // returns false and clears modified. A file that cannot be written (no folder, missing folder,
    // no permission, disk full) fails with its error and leaves the old file, the path and the
    // modified flag as they were.
    CProjectResult Save(const std::string& path);
    // Asks chooser for the file to save to (the GUI's save dialog; "" means cancelled, which fails
    // with the code None and changes nothing), then Save.
    CProjectResult SaveAs(const std::function<std::string()>& chooser);
    // Reads a project file. A file that cannot be read or does not carry the project identity
    // fails with its error and leaves the project exactly as it was. On success
    // the domain is taken as stored, partners are normalised again (numbering gaps close up), the
    // PageRank option is cleared, path := the given path and modified is cleared.
    CProjectResult Load(const std::string& path);

    // Replaces how Save writes the file's bytes (tests make it fail halfway); empty = plain write.
    void SetFileWriter(FileWriter writer) { m_fileWriter = std::move(writer); }

private:
    void WriteAgreements(CProfileFile& file) const;
    void ReadAgreements(const CProfileFile& file);

    std::string m_strPath;
    bool m_bPageRank = false;
    int m_nCursor = -1;
    // The filled entries only: free entries after them read as "".
    std::vector<std::string> m_partners;
    std::string m_strDomain;
    int m_nPartnerCount = 0;
    CLineList m_externalLinks;
    SAlertSettings m_alerts;
    std::map<std::string, SAgreement> m_agreements;
    std::vector<std::string> m_myLinkPages;
    ERenderMode m_eRenderMode = ERenderMode::Auto;
    bool m_bModified = false;
    FileWriter m_fileWriter;
};

} // namespace tessaray
