#pragma once

#include "core/project/alert_settings.h"
#include "core/project/line_list.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QVBoxLayout;

namespace tessaray {

struct SUiHooks;

// "Edit Project": edits copies of a project's domain, partner entries, external links and
// PageRank option. The caller fills the copies before exec() and, after OK, takes back the
// domain, the result entries (the valid, normalised list entries), the external links and the
// option.
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The parts of the dialog, top to bottom: the domain with its button and hint, the partner list
    // with its buttons and hint, the external links' buttons and the hidden PageRank option.
    void CreateDomainPart(QVBoxLayout& layout);
    void CreatePartnerListPart(QVBoxLayout& layout);
    void CreateExternalLinksPart(QVBoxLayout& layout);
    void CreatePageRankOption(QVBoxLayout& layout);
    QPushButton* AddButton(const QString& text, const char* objectName);
    // Enables Delete, Edit and Test exactly when a partner is selected.
    void RefreshButtons();
    // Appends imported URLs to the list; a file that cannot be read is named under the list.
    void AppendImported(const CReadResult& read, const QString& path, const CLineList& urls);

    const SUiHooks& m_hooks;
    std::string m_strDomain;
    bool m_bPageRank = false;
    CLineList m_resultEntries;
    CLineList m_externalLinks;
    SAlertSettings m_alerts;
    int m_nCapacity = 0;

    QLineEdit* m_domainEdit = nullptr;
    QLabel* m_domainHint = nullptr;
    QListWidget* m_list = nullptr;
    QLabel* m_listHint = nullptr;
    QPushButton* m_deleteButton = nullptr;
    QPushButton* m_editButton = nullptr;
    QPushButton* m_testButton = nullptr;
    QCheckBox* m_pageRankCheck = nullptr;
};

} // namespace tessaray
