#pragma once

#include "core/project/agreement.h"
#include "core/project/alert_settings.h"
#include "core/project/line_list.h"
#include "core/project/render_mode.h"

#include <QDialog>

#include <map>
#include <string>
#include <vector>

class QCheckBox;
class QComboBox;
class QLabel;
class QListWidgetItem;
class QPlainTextEdit;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace tessaray {

struct SUiHooks;

// "Edit Project": edits copies of a project's domain, partner entries, external links and
// PageRank option, the agreements with partners, the user's link pages and the render mode. The
// caller fills the copies before exec() and, after OK, takes back the domain, the result entries
// (the valid, normalised list entries), the external links, the option and the rest.
class CEditProjectDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEditProjectDlg)

public:
    explicit CEditProjectDlg(const SUiHooks& hooks, QWidget* parent = nullptr);

    void SetDomain(const std::string& domain);
    const std::string& GetDomain() const { return m_strDomain; }
    void SetPageRankOption(bool bOn);
    bool GetPageRankOption() const { return m_bPageRank; }
    // The partner entries the dialog opens with; the valid ones are listed (normalised).
    void SetInputEntries(const CLineList& entries);
    const CLineList& ResultEntries() const { return m_resultEntries; }
    CLineList& ExternalLinks() { return m_externalLinks; }
    void SetAlertSettings(const SAlertSettings& alerts) { m_alerts = alerts; }
    const SAlertSettings& GetAlertSettings() const { return m_alerts; }
    // The agreements by partner entry as the project stores it; call after SetInputEntries. An
    // agreement travels with its entry through Edit and goes with it on Delete.
    void SetAgreements(const std::map<std::string, SAgreement>& agreements);
    // After OK: the agreements of the result entries, keyed as the project stores the entries.
    const std::map<std::string, SAgreement>& ResultAgreements() const { return m_resultAgreements; }
    void SetMyLinkPages(const std::vector<std::string>& pages);
    // After OK: the valid, normalised lines of "My link pages".
    const std::vector<std::string>& ResultMyLinkPages() const { return m_resultMyLinkPages; }
    void SetRenderMode(ERenderMode eMode);
    ERenderMode GetRenderMode() const;

    // OK: the valid list entries become the result entries; without one the dialog stays open.
    void accept() override;

    // The commands of the dialog's buttons.
    void OnEnterDomain();
    void OnAddUrl();
    void OnDeleteUrl();
    void OnEditUrl();
    void OnTestUrl();
    void OnImportTxt();
    void OnImportCsv();
    void OnAddExternalLinks();
    void OnShowExternalLinks();
    // "Alerts...": the alert settings dialog on a copy of the settings; OK keeps its answer.
    void OnAlerts();
    // "Agreement...": the agreement dialog for the selected partner.
    void OnAgreement();
    // "Import agreements...": agreements from a CSV file for the partners listed; what was left
    // out and why is shown in a message box.
    void OnImportAgreements();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The parts of the dialog, top to bottom: the domain with its button and hint, the partner list
    // with its buttons and hint, the external links' buttons and the hidden PageRank option.
    void CreateDomainPart(QVBoxLayout& layout);
    void CreatePartnerListPart(QVBoxLayout& layout);
    void CreateExchangePart(QVBoxLayout& layout);
    void CreateExternalLinksPart(QVBoxLayout& layout);
    void CreatePageRankOption(QVBoxLayout& layout);
    QPushButton* AddButton(const QString& text, const char* objectName);
    // Enables Delete, Edit, Test and Agreement exactly when a partner is selected.
    void RefreshButtons();
    // Appends imported URLs to the list; a file that cannot be read is named under the list.
    void AppendImported(const CReadResult& read, const QString& path, const CLineList& urls);
    // Checks and takes the link pages' lines; false (with a hint) when one is no web address.
    bool TakeMyLinkPages();

    const SUiHooks& m_hooks;
    std::string m_strDomain;
    bool m_bPageRank = false;
    CLineList m_resultEntries;
    CLineList m_externalLinks;
    SAlertSettings m_alerts;
    std::map<std::string, SAgreement> m_resultAgreements;
    std::vector<std::string> m_myLinkPages;
    std::vector<std::string> m_resultMyLinkPages;
    int m_nCapacity = 0;

    QLineEdit* m_domainEdit = nullptr;
    QLabel* m_domainHint = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_listHint = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_testButton = nullptr;
    QPushButton* m_agreementButton = nullptr;
    QPlainTextEdit* m_myLinkPagesEdit = nullptr;
    QLabel* m_myLinkPagesHint = nullptr;
    QComboBox* m_renderCombo = nullptr;
    QCheckBox* m_pageRankCheck = nullptr;
};

} // namespace tessaray
