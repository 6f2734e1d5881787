#include "core/project/project.h"

#include "core/project/url_rules.h"
#include "core/util/file_util.h"

#include <cstdio>
#include <cstring>
#include <set>

namespace tessaray {

static_assert(kMaxPartnerEntryLength == CProfileFile::kMaxValueLength,
              "an entry that passes the check must come back whole from the file");

namespace {

constexpr const char* kSettingsSection = "SETTINGS";
constexpr const char* kPageRankKey = "OPTION05";
constexpr const char* kDomainSection = "YOURDOMAIN";
constexpr const char* kDomainKey = "URL";
constexpr const char* kPartnerSection = "PARTNERLINKS";
constexpr const char* kExternalSection = "EXTLINKS";
// Our own section, after the others: written only when the project has alert settings.
constexpr const char* kAlertSection = "ALERTS";
constexpr const char* kMailToKey = "MAILTO";
constexpr const char* kSmtpKey = "SMTP";
constexpr const char* kSmtpUserKey = "SMTPUSER";
constexpr const char* kPasswordFileKey = "SMTPPASSWORDFILE";
constexpr const char* kWebhookKey = "WEBHOOK";
constexpr const char* kNotifyKey = "NOTIFY";
// Our own section for the agreements and the user's link pages, after ALERTS: written only when
// the project has one of them. Link pages are "MYPAGE0000", ...; agreement n is "PARTNER" plus n
// (the partner entry) and the same number after each field it has: "TARGET0000", ...
constexpr const char* kAgreementSection = "AGREEMENTS";
constexpr const char* kMyPageKey = "MYPAGE";
constexpr const char* kPartnerKey = "PARTNER";
constexpr const char* kTargetKey = "TARGET";
constexpr const char* kAnchorKey = "ANCHOR";
constexpr const char* kFollowKey = "FOLLOW";
constexpr const char* kUntilKey = "UNTIL";
constexpr const char* kContactKey = "CONTACT";
constexpr const char* kNoteKey = "NOTE";
// Our own section of run options: written only when an option differs from its default.
constexpr const char* kOptionsSection = "OPTIONS";
constexpr const char* kRenderKey = "RENDER";

// The failure eError of path.
SProjectError Fail(EProjectError eError, const std::string& path, std::string detail = {}) {
    return {eError, {path, std::move(detail)}};
}

// Why a profile could not be bound to path.
EProjectError NoFolderError(const std::string& path) {
    const std::size_t separator = path.rfind(kPathSeparator);
    return separator == std::string::npos || separator == 0 ? EProjectError::NoFolder
                                                            : EProjectError::FolderMissing;
}

// The name and the index as four decimal digits ("URL0000").
std::string ListKey(int index, const char* name = "URL") {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%04d", index);
    return name + std::string(digits);
}

// A value as the profile file can hold it and give it back whole: a backslash, CR, LF and tab
// become "\\", "\r", "\n", "\t", a quote "\q" (a value in quotes would lose them) and a blank
// at either end "\s" (it would be trimmed).
std::string EscapeValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        switch (c) {
        case '\\':
            out += "\\\\";
            break;
        case '\r':
            out += "\\r";
            break;
        case '\n':
            out += "\\n";
            break;
        case '\t':
            out += "\\t";
            break;
        case '"':
            out += "\\q";
            break;
        case ' ':
            out += i == 0 || i + 1 == value.size() ? "\\s" : " ";
            break;
        default:
            out += c;
        }
    }
    return out;
}

// The value EscapeValue wrote; a backslash before any other character stays as it is.
std::string UnescapeValue(std::string_view value) {
    std::string out;
    out.reserve(value.size());
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            out += value[i];
            continue;
        }
        const char next = value[i + 1];
        const char* const codes = "\\rntqs";
        const char* const chars = "\\\r\n\t\" ";
        const char* const found = std::strchr(codes, next);
        if (found == nullptr || next == '\0') {
            out += value[i];
            continue;
        }
        out += chars[found - codes];
        ++i;
    }
    return out;
}

} // namespace

std::string ProjectErrorText(const SProjectError& error) {
    const std::string& strDetail = error.detail.strDetail;
    const std::string quoted = "\"" + error.detail.strPath + "\"";
    switch (error.eCode) {
    case EProjectError::None:
        return {};
    case EProjectError::NotReady:
        return "The project has no domain or no partner URL";
    case EProjectError::NoFolder:
        return quoted + " names no folder";
    case EProjectError::FolderMissing:
        return "The folder of " + quoted + " does not exist";
    case EProjectError::CannotRead:
        return "Cannot read " + quoted + ": " + strDetail;
    case EProjectError::FileMissing:
        return "The file " + quoted + " does not exist";
    case EProjectError::NotAProject:
        return quoted + " is not a Tessaray project";
    case EProjectError::WriteFailed:
        return strDetail;
    }
    return {};
}

void CProject::Reset() {
    m_partners.clear();
    m_bModified = false;
    m_strPath = kNoFileMarker;
    m_strDomain.clear();
    m_alerts = {};
    m_agreements.clear();
    m_myLinkPages.clear();
    m_eRenderMode = ERenderMode::Auto;
}

void CProject::SetDomain(const std::string& url) {
    m_strDomain = NormalizeDomainUrl(url);
    m_partners.clear();
    m_bModified = true;
}

void CProject::StartNew(const std::string& url) {
    SetDomain(url);
    m_strPath = kNoFileMarker;
    m_agreements.clear();
    m_myLinkPages.clear();
}

void CProject::AddPartnerUrl(const std::string& url) {
    if (GetPartnerCount() >= MaxPartnerLinks) {
        return;
    }
    std::string entry = NormalizeProjectUrl(url);
    // An empty entry would end the list early.
    if (entry.empty()) {
        return;
    }
    m_partners.push_back(std::move(entry));
    m_bModified = true;
}

void CProject::ClearPartnerUrls() {
    m_partners.clear();
}

int CProject::GetPartnerCount() const {
    return static_cast<int>(m_partners.size());
}

bool CProject::IsReady() {
    m_nPartnerCount = GetPartnerCount();
    return !m_strDomain.empty() && m_nPartnerCount > 0;
}

bool CProject::GetNextPartner(std::string& out) {
    out.clear();
    if (m_nCursor < MaxPartnerLinks) {
        ++m_nCursor;
    }
    if (m_nCursor > MaxPartnerLinks - 1) {
        return false;
    }
    if (m_nCursor < GetPartnerCount()) {
        out = m_partners[static_cast<std::size_t>(m_nCursor)];
    }
    return !out.empty();
}

bool CProject::GetRunInput(std::string& outDomain, int& outCount, std::string& outFirst) {
    outDomain = m_strDomain;
    outCount = GetPartnerCount();
    RewindPartners();
    return GetNextPartner(outFirst);
}

void CProject::CopyPartnersTo(CLineList& list) const {
    list.RemoveAll();
    for (const std::string& entry : m_partners) {
        list.Add(entry);
    }
}

void CProject::SetExternalLinks(const CLineList& list) {
    m_externalLinks.CopyFrom(list);
    m_externalLinks.TruncateLongEntries();
    m_bModified = true;
}

void CProject::CopyExternalLinksTo(CLineList& list) const {
    list.CopyFrom(m_externalLinks);
}

void CProject::SetAlertSettings(const SAlertSettings& alerts) {
    if (alerts != m_alerts) {
        m_alerts = alerts;
        m_bModified = true;
    }
}

const SAgreement* CProject::FindAgreement(const std::string& partnerUrl) const {
    const auto it = m_agreements.find(partnerUrl);
    return it == m_agreements.end() ? nullptr : &it->second;
}

void CProject::SetAgreement(const std::string& partnerUrl, const SAgreement& agreement) {
    const SAgreement* pOld = FindAgreement(partnerUrl);
    if (agreement.IsEmpty() ? pOld == nullptr : pOld != nullptr && *pOld == agreement) {
        return;
    }
    if (agreement.IsEmpty()) {
        m_agreements.erase(partnerUrl);
    } else {
        m_agreements[partnerUrl] = agreement;
    }
    m_bModified = true;
}

std::string CProject::FindPartnerEntry(std::string_view url) const {
    const std::string key = UrlComparisonKey(url);
    for (const std::string& entry : m_partners) {
        if (UrlComparisonKey(entry) == key) {
            return entry;
        }
    }
    return {};
}

void CProject::SetMyLinkPages(std::vector<std::string> pages) {
    if (pages != m_myLinkPages) {
        m_myLinkPages = std::move(pages);
        m_bModified = true;
    }
}

void CProject::SetRenderMode(ERenderMode eMode) {
    if (eMode != m_eRenderMode) {
        m_eRenderMode = eMode;
        m_bModified = true;
    }
}

void CProject::GetTitle(std::string& out) const {
    if (m_strPath.empty() || m_strPath == kUntitled) {
        out = kUntitled;
        return;
    }
    GetFileTitlePart(m_strPath, out);
}

std::string CProject::GetTitle() const {
    std::string title;
    GetTitle(title);
    return title;
}

CProjectResult CProject::Save(const std::string& path) {
    if (!IsReady()) {
        m_bModified = false;
        return Fail(EProjectError::NotReady, path);
    }
    CProfileFile file;
    file.SetAppInfo(kFileVersion, kInternet, kCopyright);
    if (!file.Open(path, kAppName)) {
        return Fail(NoFolderError(path), path);
    }
    file.PrepareNewFile();
    file.WriteBool(kSettingsSection, kPageRankKey, m_bPageRank);
    file.WriteString(kDomainSection, kDomainKey, m_strDomain);
    // The lists are walked by index so that a save leaves the partner cursor alone.
    for (std::size_t index = 0; index < m_partners.size() && index < MaxPartnerLinks; ++index) {
        file.WriteString(kPartnerSection, ListKey(static_cast<int>(index)), m_partners[index]);
    }
    const std::vector<std::string>& links = m_externalLinks.Entries();
    for (std::size_t index = 0; index < links.size() && index < MaxExternalLinks; ++index) {
        file.WriteString(kExternalSection, ListKey(static_cast<int>(index)), links[index]);
    }
    if (!m_alerts.IsEmpty()) {
        file.WriteString(kAlertSection, kMailToKey, m_alerts.strMailTo);
        file.WriteString(kAlertSection, kSmtpKey, m_alerts.strSmtpUrl);
        file.WriteString(kAlertSection, kSmtpUserKey, m_alerts.strSmtpUser);
        file.WriteString(kAlertSection, kPasswordFileKey, m_alerts.strPasswordFile);
        file.WriteString(kAlertSection, kWebhookKey, m_alerts.strWebhookUrl);
        file.WriteBool(kAlertSection, kNotifyKey, m_alerts.bDesktopNotice);
    }
    WriteAgreements(file);
    if (m_eRenderMode != ERenderMode::Auto) {
        file.WriteString(kOptionsSection, kRenderKey, RenderModeCode(m_eRenderMode));
    }
    if (std::string reason; !file.Flush(&reason, m_fileWriter)) {
        return Fail(EProjectError::WriteFailed, path, reason);
    }
    m_strPath = path;
    m_bModified = false;
    return {};
}

void CProject::WriteAgreements(CProfileFile& file) const {
    for (std::size_t index = 0; index < m_myLinkPages.size() && index < MaxPartnerLinks; ++index) {
        file.WriteString(kAgreementSection, ListKey(static_cast<int>(index), kMyPageKey),
                         EscapeValue(m_myLinkPages[index]));
    }
    // In the order of the partner list, then those whose partner is not in it.
    std::vector<const std::pair<const std::string, SAgreement>*> ordered;
    std::set<std::string> written;
    for (const std::string& entry : m_partners) {
        const auto it = m_agreements.find(entry);
        if (it != m_agreements.end() && written.insert(entry).second) {
            ordered.push_back(&*it);
        }
    }
    for (const auto& item : m_agreements) {
        if (!written.contains(item.first)) {
            ordered.push_back(&item);
        }
    }
    for (std::size_t index = 0; index < ordered.size() && index < MaxPartnerLinks; ++index) {
        const auto& [entry, agreement] = *ordered[index];
        const int number = static_cast<int>(index);
        const auto write = [&](const char* name, std::string_view value) {
            if (!value.empty()) {
                file.WriteString(kAgreementSection, ListKey(number, name), EscapeValue(value));
            }
        };
        write(kPartnerKey, entry);
        write(kTargetKey, agreement.strTarget);
        write(kAnchorKey, agreement.strAnchor);
        if (agreement.eFollow != EAgreedFollow::Any) {
            write(kFollowKey, AgreedFollowCode(agreement.eFollow));
        }
        write(kUntilKey, agreement.strUntil);
        write(kContactKey, agreement.strContact);
        write(kNoteKey, agreement.strNote);
    }
}

void CProject::ReadAgreements(const CProfileFile& file) {
    m_myLinkPages.clear();
    m_agreements.clear();
    std::string value;
    for (int index = 0; index < MaxPartnerLinks; ++index) {
        if (file.ReadString(kAgreementSection, ListKey(index, kMyPageKey), "", value) > 0) {
            m_myLinkPages.push_back(UnescapeValue(value));
        }
    }
    const auto read = [&](int index, const char* name) {
        file.ReadString(kAgreementSection, ListKey(index, name), "", value);
        return UnescapeValue(value);
    };
    for (int index = 0; index < MaxPartnerLinks; ++index) {
        const std::string entry = NormalizeProjectUrl(read(index, kPartnerKey));
        if (entry.empty()) {
            continue;
        }
        SAgreement agreement;
        agreement.strTarget = read(index, kTargetKey);
        agreement.strAnchor = read(index, kAnchorKey);
        agreement.eFollow = ParseAgreedFollow(read(index, kFollowKey)).value_or(EAgreedFollow::Any);
        agreement.strUntil = read(index, kUntilKey);
        agreement.strContact = read(index, kContactKey);
        agreement.strNote = read(index, kNoteKey);
        if (!agreement.IsEmpty()) {
            m_agreements.try_emplace(entry, std::move(agreement));
        }
    }
}

CProjectResult CProject::SaveAs(const std::function<std::string()>& chooser) {
    const std::string path = chooser ? chooser() : std::string();
    if (path.empty()) {
        return Fail(EProjectError::None, path);
    }
    return Save(path);
}

CProjectResult CProject::Load(const std::string& path) {
    CProfileFile file;
    if (!file.Open(path, kAppName)) {
        return Fail(NoFolderError(path), path);
    }
    std::string readError;
    if (!file.WasReadable(&readError)) {
        return Fail(EProjectError::CannotRead, path, readError);
    }
    if (!FileExists(path)) {
        return Fail(EProjectError::FileMissing, path);
    }
    file.ReadAppInfo();
    if (file.GetName() != kAppName || file.GetInternet() != kInternet ||
        file.GetCopyright() != kCopyright) {
        return Fail(EProjectError::NotAProject, path);
    }

    file.ReadString(kDomainSection, kDomainKey, "", m_strDomain);
    m_bPageRank = false;
    m_partners.clear();
    std::string value;
    for (int index = 0; index < MaxPartnerLinks; ++index) {
        if (file.ReadString(kPartnerSection, ListKey(index), "", value) > 0) {
            AddPartnerUrl(value);
        }
    }
    m_externalLinks.RemoveAll();
    for (int index = 0; index < MaxExternalLinks; ++index) {
        if (file.ReadString(kExternalSection, ListKey(index), "", value) > 0) {
            m_externalLinks.Add(value);
        }
    }
    m_alerts = {};
    file.ReadString(kAlertSection, kMailToKey, "", m_alerts.strMailTo);
    file.ReadString(kAlertSection, kSmtpKey, "", m_alerts.strSmtpUrl);
    file.ReadString(kAlertSection, kSmtpUserKey, "", m_alerts.strSmtpUser);
    file.ReadString(kAlertSection, kPasswordFileKey, "", m_alerts.strPasswordFile);
    file.ReadString(kAlertSection, kWebhookKey, "", m_alerts.strWebhookUrl);
    m_alerts.bDesktopNotice = file.ReadInt(kAlertSection, kNotifyKey, 0) != 0;
    ReadAgreements(file);
    // A mode this version does not know leaves the default.
    file.ReadString(kOptionsSection, kRenderKey, "", value);
    m_eRenderMode = ParseRenderMode(value).value_or(ERenderMode::Auto);
    m_strPath = path;
    m_bModified = false;
    return {};
}

} // namespace tessaray
