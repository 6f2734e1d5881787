#include "gui/project/edit_project_dlg.h"

#include "core/project/agreement_import.h"
#include "core/project/link_import.h"
#include "core/project/project.h"
#include "core/project/url_rules.h"
#include "core/render/page_renderer.h"
#include "gui/project/agreement_dlg.h"
#include "gui/project/alert_settings_dlg.h"
#include "gui/project/csv_import_dlg.h"
#include "gui/project/dlg_support.h"
#include "gui/project/enter_url_dlg.h"
#include "gui/project/ext_links_dlg.h"
#include "gui/project/project_settings_dlg.h"
#include "gui/project/txt_import_dlg.h"
#include "gui/toolkit/window_geometry.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <QVBoxLayout>

Q_DECLARE_METATYPE(tessaray::SAgreement)

namespace tessaray {

namespace {

// A list entry shows its text and carries its bytes, so entries the user does not edit are handed
// back exactly as they came, whatever their encoding.
constexpr int kBytesRole = Qt::UserRole;
// The agreement with the partner of an entry, when there is one.
constexpr int kAgreementRole = Qt::UserRole + 1;

void SetEntry(QListWidgetItem* item, const std::string& entry) {
    item->setText(FromBytes(entry));
    item->setData(kBytesRole, QByteArray::fromStdString(entry));
}

void AddEntry(QListWidget* list, const std::string& entry) {
    auto* item = new QListWidgetItem;
    SetEntry(item, entry);
    list->addItem(item);
}

std::string EntryBytes(const QListWidgetItem* item) {
    return item->data(kBytesRole).toByteArray().toStdString();
}

SAgreement AgreementOf(const QListWidgetItem* item) {
    return item->data(kAgreementRole).value<SAgreement>();
}

// The key of an entry's agreement: the entry as the project will store it.
std::string AgreementKey(std::string entry) {
    IsValidUrl(entry);
    return NormalizeProjectUrl(entry);
}

// An entry with an agreement is marked with an icon, and its tool tip says what was agreed.
void SetAgreementOf(QListWidgetItem* item, const SAgreement& agreement) {
    if (agreement.IsEmpty()) {
        item->setData(kAgreementRole, {});
        item->setIcon({});
        item->setToolTip({});
        return;
    }
    item->setData(kAgreementRole, QVariant::fromValue(agreement));
    QWidget* list = item->listWidget();
    item->setIcon(list != nullptr ? list->style()->standardIcon(QStyle::SP_DialogApplyButton)
                                  : QIcon());
    QStringList lines{CEditProjectDlg::tr("Agreement")};
    if (!agreement.strTarget.empty()) {
        lines << CEditProjectDlg::tr("Target: %1").arg(FromBytes(agreement.strTarget));
    }
    if (!agreement.strAnchor.empty()) {
        lines << CEditProjectDlg::tr("Anchor text: %1").arg(FromBytes(agreement.strAnchor));
    }
    if (agreement.eFollow == EAgreedFollow::Required) {
        lines << CEditProjectDlg::tr("Followed link required");
    }
    if (!agreement.strUntil.empty()) {
        lines << CEditProjectDlg::tr("Until: %1").arg(FromBytes(agreement.strUntil));
    }
    item->setToolTip(PlainToolTip(lines.join(QLatin1Char('\n'))));
}

} // namespace

CEditProjectDlg::CEditProjectDlg(const SUiHooks& hooks, QWidget* parent)
    : QDialog(parent), m_hooks(hooks), m_nCapacity(CProject::MaxPartnerLinks) {
    setObjectName(QStringLiteral("editProjectDlg"));
    setWindowTitle(tr("Edit Project"));
    setSizeGripEnabled(true);

    // Everything but OK and Cancel scrolls, so those stay in reach on a small screen or at a large
    // scale factor. The parts are made top to bottom, which is also the order of the Tab key.
    auto* outer = new QVBoxLayout(this);
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("editProjectScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setWidgetResizable(true);
    auto* content = new QWidget(scroll);
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    CreateDomainPart(*layout);
    layout->addSpacing(8);
    CreatePartnerListPart(*layout);
    layout->addSpacing(8);
    CreateExchangePart(*layout);
    layout->addSpacing(8);
    CreateExternalLinksPart(*layout);
    CreatePageRankOption(*layout);

    scroll->setWidget(content);
    outer->addWidget(scroll, 1);
    QDialogButtonBox* buttons = AddOkCancelButtons(this, outer);
    // The scroll area would start small: the dialog opens at its contents' size.
    resize(content->sizeHint() +
           QSize(outer->contentsMargins().left() + outer->contentsMargins().right(),
                 buttons->sizeHint().height() + outer->spacing() + outer->contentsMargins().top() +
                     outer->contentsMargins().bottom()));
    RememberGeometry(this, QStringLiteral("EditProject"));
    RefreshButtons();
}

void CEditProjectDlg::CreateDomainPart(QVBoxLayout& layout) {
    layout.addWidget(
        new QLabel(tr("Your Domain URL, e.g.: ") + QStringLiteral("http://www.example.com"), this));
    auto* domainRow = new QHBoxLayout;
    m_domainEdit = new QLineEdit(this);
    m_domainEdit->setObjectName(QStringLiteral("domainEdit"));
    m_domainEdit->setReadOnly(true);
    domainRow->addWidget(m_domainEdit, 1);
    QPushButton* enterDomain = AddButton(tr("Enter Domain URL..."), "enterDomainButton");
    domainRow->addWidget(enterDomain);
    layout.addLayout(domainRow);
    m_domainHint = CreateHintLabel(this, QStringLiteral("domainHint"));
    layout.addWidget(m_domainHint);
    connect(enterDomain, &QPushButton::clicked, this, &CEditProjectDlg::OnEnterDomain);
}

void CEditProjectDlg::CreatePartnerListPart(QVBoxLayout& layout) {
    layout.addWidget(new QLabel(tr("URLs of partner web pages containing links to pages in your "
                                   "domain, e.g.: ") +
                                    QStringLiteral("http://www.example.org/links.html"),
                                this));
    auto* listRow = new QHBoxLayout;
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("partnerList"));
    m_list->setSelectionMode(QAbstractItemView::SingleSelection);
    m_list->setUniformItemSizes(true);
    m_list->setMinimumSize(460, 220);
    m_list->installEventFilter(this);
    listRow->addWidget(m_list, 1);
    auto* listButtons = new QVBoxLayout;
    QPushButton* add = AddButton(tr("Add URL..."), "addUrlButton");
    m_deleteButton = AddButton(tr("Delete URL..."), "deleteUrlButton");
    m_editButton = AddButton(tr("Edit URL..."), "editUrlButton");
    m_testButton = AddButton(tr("Test URL..."), "testUrlButton");
    QPushButton* importTxt = AddButton(tr("Import Txt-List..."), "importTxtButton");
    QPushButton* importCsv = AddButton(tr("Import Csv..."), "importCsvButton");
    m_agreementButton = AddButton(tr("Agreement..."), "agreementButton");
    QPushButton* importAgreements = AddButton(tr("Import agreements..."), "importAgreementsButton");
    for (QPushButton* button : {add, m_deleteButton, m_editButton, m_testButton}) {
        listButtons->addWidget(button);
    }
    listButtons->addSpacing(12);
    listButtons->addWidget(m_agreementButton);
    listButtons->addWidget(importAgreements);
    listButtons->addSpacing(12);
    listButtons->addWidget(importTxt);
    listButtons->addWidget(importCsv);
    listButtons->addStretch(1);
    listRow->addLayout(listButtons);
    layout.addLayout(listRow, 1);
    m_listHint = CreateHintLabel(this, QStringLiteral("listHint"));
    layout.addWidget(m_listHint);

    connect(add, &QPushButton::clicked, this, &CEditProjectDlg::OnAddUrl);
    connect(m_deleteButton, &QPushButton::clicked, this, &CEditProjectDlg::OnDeleteUrl);
    connect(m_editButton, &QPushButton::clicked, this, &CEditProjectDlg::OnEditUrl);
    connect(m_testButton, &QPushButton::clicked, this, &CEditProjectDlg::OnTestUrl);
    connect(importTxt, &QPushButton::clicked, this, &CEditProjectDlg::OnImportTxt);
    connect(importCsv, &QPushButton::clicked, this, &CEditProjectDlg::OnImportCsv);
    connect(m_agreementButton, &QPushButton::clicked, this, &CEditProjectDlg::OnAgreement);
    connect(importAgreements, &QPushButton::clicked, this, &CEditProjectDlg::OnImportAgreements);
    connect(m_list, &QListWidget::itemSelectionChanged, this, &CEditProjectDlg::RefreshButtons);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &CEditProjectDlg::OnEditUrl);
}

void CEditProjectDlg::CreateExchangePart(QVBoxLayout& layout) {
    auto* pagesLabel = new QLabel(tr("My link pages: your own pages that link to the partners, one "
                                     "URL per line (to check that you link back):"),
                                  this);
    pagesLabel->setWordWrap(true);
    layout.addWidget(pagesLabel);
    m_myLinkPagesEdit = new QPlainTextEdit(this);
    m_myLinkPagesEdit->setObjectName(QStringLiteral("myLinkPagesEdit"));
    m_myLinkPagesEdit->setTabChangesFocus(true);
    m_myLinkPagesEdit->setPlaceholderText(QStringLiteral("http://www.example.com/links.html"));
    m_myLinkPagesEdit->setFixedHeight(m_myLinkPagesEdit->fontMetrics().lineSpacing() * 4);
    pagesLabel->setBuddy(m_myLinkPagesEdit);
    layout.addWidget(m_myLinkPagesEdit);
    m_myLinkPagesHint = CreateHintLabel(this, QStringLiteral("myLinkPagesHint"));
    layout.addWidget(m_myLinkPagesHint);

    auto* renderRow = new QHBoxLayout;
    auto* renderLabel = new QLabel(tr("Render partner pages in a browser:"), this);
    m_renderCombo = new QComboBox(this);
    m_renderCombo->setObjectName(QStringLiteral("renderCombo"));
    m_renderCombo->addItem(tr("Automatic (when the page shows no counting link)"),
                           static_cast<int>(ERenderMode::Auto));
    m_renderCombo->addItem(tr("Always"), static_cast<int>(ERenderMode::Always));
    m_renderCombo->addItem(tr("Never"), static_cast<int>(ERenderMode::Off));
    renderLabel->setBuddy(m_renderCombo);
    renderRow->addWidget(renderLabel);
    renderRow->addWidget(m_renderCombo);
    if (FindBrowser().empty()) {
        auto* noBrowser = new QLabel(
            tr("No browser is installed: pages are not rendered (install Chromium)."), this);
        noBrowser->setObjectName(QStringLiteral("noBrowserLabel"));
        noBrowser->setWordWrap(true);
        renderRow->addWidget(noBrowser, 1);
    } else {
        renderRow->addStretch(1);
    }
    layout.addLayout(renderRow);
}

void CEditProjectDlg::CreateExternalLinksPart(QVBoxLayout& layout) {
    auto* googleText = new QLabel(tr("Add a CSV table containing external links from Google "
                                     "Search Console for the purpose of cross-checking."),
                                  this);
    googleText->setWordWrap(true);
    layout.addWidget(googleText);
    auto* googleRow = new QHBoxLayout;
    QPushButton* addLinks = AddButton(tr("Add Ext.Links..."), "addExtLinksButton");
    QPushButton* showLinks = AddButton(tr("Display Links..."), "displayLinksButton");
    QPushButton* alerts = AddButton(tr("Alerts..."), "alertsButton");
    googleRow->addWidget(addLinks);
    googleRow->addWidget(showLinks);
    googleRow->addWidget(alerts);
    googleRow->addStretch(1);
    layout.addLayout(googleRow);
    connect(addLinks, &QPushButton::clicked, this, &CEditProjectDlg::OnAddExternalLinks);
    connect(showLinks, &QPushButton::clicked, this, &CEditProjectDlg::OnShowExternalLinks);
    connect(alerts, &QPushButton::clicked, this, &CEditProjectDlg::OnAlerts);
}

void CEditProjectDlg::CreatePageRankOption(QVBoxLayout& layout) {
    // Part of the dialog and of the project file, but not offered: it keeps the project's value.
    m_pageRankCheck = new QCheckBox(tr("Investigate the Pagerank of the partner site"), this);
    m_pageRankCheck->setObjectName(QStringLiteral("pageRankCheck"));
    m_pageRankCheck->setEnabled(false);
    m_pageRankCheck->hide();
    layout.addWidget(m_pageRankCheck);
    connect(m_pageRankCheck, &QCheckBox::toggled, this, [this](bool bOn) { m_bPageRank = bOn; });
}

QPushButton* CEditProjectDlg::AddButton(const QString& text, const char* objectName) {
    auto* button = new QPushButton(text, this);
    button->setObjectName(QString::fromLatin1(objectName));
    // Enter always means OK, whichever button has the focus.
    button->setAutoDefault(false);
    return button;
}

void CEditProjectDlg::SetDomain(const std::string& domain) {
    m_strDomain = domain;
    m_domainEdit->setText(FromBytes(domain));
}

void CEditProjectDlg::SetPageRankOption(bool bOn) {
    m_bPageRank = bOn;
    m_pageRankCheck->setChecked(bOn);
}

void CEditProjectDlg::SetInputEntries(const CLineList& entries) {
    m_list->clear();
    for (std::string entry : entries.Entries()) {
        if (IsValidUrl(entry)) {
            AddEntry(m_list, entry);
        }
    }
    RefreshButtons();
}

void CEditProjectDlg::SetAgreements(const std::map<std::string, SAgreement>& agreements) {
    for (int i = 0; i < m_list->count(); ++i) {
        QListWidgetItem* item = m_list->item(i);
        const auto found = agreements.find(AgreementKey(EntryBytes(item)));
        SetAgreementOf(item, found == agreements.end() ? SAgreement{} : found->second);
    }
}

void CEditProjectDlg::SetMyLinkPages(const std::vector<std::string>& pages) {
    m_myLinkPages = pages;
    QStringList lines;
    for (const std::string& page : pages) {
        lines << FromBytes(page);
    }
    m_myLinkPagesEdit->setPlainText(lines.join(QLatin1Char('\n')));
}

void CEditProjectDlg::SetRenderMode(ERenderMode eMode) {
    m_renderCombo->setCurrentIndex(m_renderCombo->findData(static_cast<int>(eMode)));
}

ERenderMode CEditProjectDlg::GetRenderMode() const {
    return static_cast<ERenderMode>(m_renderCombo->currentData().toInt());
}

bool CEditProjectDlg::TakeMyLinkPages() {
    std::vector<std::string> pages;
    const QStringList lines = m_myLinkPagesEdit->toPlainText().split(QLatin1Char('\n'));
    for (const QString& line : lines) {
        const QString text = line.trimmed();
        if (text.isEmpty()) {
            continue;
        }
        // A line the user did not touch keeps the bytes it came with.
        std::string page = ToBytes(text);
        for (const std::string& old : m_myLinkPages) {
            if (FromBytes(old) == text) {
                page = old;
                break;
            }
        }
        if (!IsValidUrl(page)) {
            ShowHint(m_myLinkPagesHint, tr("Not a web address: %1").arg(text));
            m_myLinkPagesEdit->setFocus();
            return false;
        }
        pages.push_back(std::move(page));
    }
    ShowHint(m_myLinkPagesHint, {});
    m_resultMyLinkPages = std::move(pages);
    return true;
}

void CEditProjectDlg::accept() {
    // Without a domain the project would get the bare "http://" as its own site and count as
    // ready; the user is asked for the domain instead.
    if (m_strDomain.empty()) {
        ShowHint(m_domainHint, tr("Please enter your domain URL."));
        return;
    }
    m_resultEntries.RemoveAll();
    m_resultAgreements.clear();
    for (int i = 0; i < m_list->count(); ++i) {
        std::string entry = EntryBytes(m_list->item(i));
        if (IsValidUrl(entry)) {
            if (const SAgreement agreement = AgreementOf(m_list->item(i)); !agreement.IsEmpty()) {
                m_resultAgreements[NormalizeProjectUrl(entry)] = agreement;
            }
            m_resultEntries.Add(entry);
        }
    }
    if (m_resultEntries.GetCount() == 0) {
        ShowHint(m_listHint, tr("Add at least one valid partner URL."));
        m_list->setFocus();
        return;
    }
    if (!TakeMyLinkPages()) {
        return;
    }
    QDialog::accept();
}

void CEditProjectDlg::RefreshButtons() {
    const bool bSelected = !m_list->selectedItems().isEmpty();
    m_deleteButton->setEnabled(bSelected);
    m_editButton->setEnabled(bSelected);
    m_testButton->setEnabled(bSelected);
    m_agreementButton->setEnabled(bSelected);
}

void CEditProjectDlg::OnEnterDomain() {
    CEnterUrlDlg dialog(m_hooks, this);
    dialog.SetText(m_strDomain);
    dialog.SetCommentAllowed(false);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    std::string domain;
    if (!ExtractDomainUrl(dialog.GetText(), domain)) {
        ShowHint(m_domainHint, tr("not a valid web address"));
        return;
    }
    ShowHint(m_domainHint, {});
    SetDomain(domain);
}

void CEditProjectDlg::OnAddUrl() {
    if (m_list->count() >= m_nCapacity) {
        m_hooks.messageBox(
            this, QMessageBox::Information,
            tr("The list is full: a project holds at most %1 partner URLs.").arg(m_nCapacity),
            QMessageBox::Ok);
        return;
    }
    CEnterUrlDlg dialog(m_hooks, this);
    dialog.SetCommentAllowed(true);
    if (dialog.exec() == QDialog::Accepted) {
        AddEntry(m_list, dialog.GetText());
        ShowHint(m_listHint, {});
    }
    RefreshButtons();
}

void CEditProjectDlg::OnDeleteUrl() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (!selected.isEmpty()) {
        delete m_list->takeItem(m_list->row(selected.constFirst()));
        // The neighbour must not become selected: a second Delete would remove it unasked.
        m_list->setCurrentItem(nullptr);
    }
    RefreshButtons();
}

void CEditProjectDlg::OnEditUrl() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    CEnterUrlDlg dialog(m_hooks, this);
    dialog.SetText(EntryBytes(selected.constFirst()));
    dialog.SetCommentAllowed(true);
    if (dialog.exec() == QDialog::Accepted) {
        SetEntry(selected.constFirst(), dialog.GetText());
    }
}

void CEditProjectDlg::OnTestUrl() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    std::string entry = EntryBytes(selected.constFirst());
    if (!IsValidUrl(entry)) {
        return;
    }
    // Only the address goes to the browser: with the comment attached it would not open.
    std::string url;
    std::string comment;
    SplitPartnerEntry(entry, url, comment);
    OpenWebAddress(m_hooks, this, url);
}

void CEditProjectDlg::OnImportTxt() {
    CTxtImportDlg dialog(m_hooks, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    CLineList urls;
    CReadResult read;
    ImportTextList(ToPath(dialog.GetPath()), urls, &read);
    AppendImported(read, dialog.GetPath(), urls);
}

void CEditProjectDlg::OnImportCsv() {
    CCsvImportDlg dialog(m_hooks, this);
    if (dialog.exec() != QDialog::Accepted) {
        return;
    }
    CLineList urls;
    CReadResult read;
    ImportCsvColumn(ToPath(dialog.GetPath()), dialog.GetSeparator(), dialog.GetColumn(), urls,
                    &read);
    AppendImported(read, dialog.GetPath(), urls);
}

void CEditProjectDlg::AppendImported(const CReadResult& read, const QString& path,
                                     const CLineList& urls) {
    if (!read.Ok()) {
        ShowHint(m_listHint, ReadFailureText(path, read));
        return;
    }
    std::vector<std::string> listed;
    listed.reserve(static_cast<std::size_t>(m_list->count()));
    for (int i = 0; i < m_list->count(); ++i) {
        listed.push_back(EntryBytes(m_list->item(i)));
    }
    CLineList taken;
    const SImportTally tally = TakeImported(listed, urls, m_nCapacity, taken);
    for (const std::string& url : taken.Entries()) {
        AddEntry(m_list, url);
    }
    ShowHint(m_listHint,
             ImportTallyText(tr("URLs imported: %1").arg(tally.nTaken), tally, m_nCapacity));
    RefreshButtons();
}

void CEditProjectDlg::OnAddExternalLinks() {
    CProjectSettingsDlg dialog(m_hooks, this);
    if (dialog.exec() == QDialog::Accepted) {
        m_externalLinks.CopyFrom(dialog.ExternalLinks());
    }
}

void CEditProjectDlg::OnAlerts() {
    CAlertSettingsDlg dialog(this);
    dialog.SetSettings(m_alerts);
    if (dialog.exec() == QDialog::Accepted) {
        m_alerts = dialog.GetSettings();
    }
}

void CEditProjectDlg::OnAgreement() {
    const QList<QListWidgetItem*> selected = m_list->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    QListWidgetItem* item = selected.constFirst();
    CAgreementDlg dialog(item->text(), this);
    dialog.SetAgreement(AgreementOf(item));
    if (dialog.exec() == QDialog::Accepted) {
        SetAgreementOf(item, dialog.GetAgreement());
    }
}

void CEditProjectDlg::OnImportAgreements() {
    SFileRequest request;
    request.strFilter = tr("CSV files (*.csv)");
    const QString path = m_hooks.chooseFile(this, request);
    if (path.isEmpty()) {
        return;
    }
    std::string bytes;
    if (const CReadResult read = ReadInputFile(ToPath(path), kImportFileLimit, bytes); !read.Ok()) {
        m_hooks.messageBox(this, QMessageBox::Warning, ReadFailureText(path, read),
                           QMessageBox::Ok);
        return;
    }
    // The import works on a project: one made of the entries listed and their agreements, whose
    // agreements then go back to the entries.
    CProject listed;
    listed.SetDomain(m_strDomain);
    for (int i = 0; i < m_list->count(); ++i) {
        const QListWidgetItem* item = m_list->item(i);
        const std::string key = AgreementKey(EntryBytes(item));
        listed.AddPartnerUrl(key);
        listed.SetAgreement(key, AgreementOf(item));
    }
    const SAgreementImport imported = ImportAgreementsCsv(listed, bytes);
    for (int i = 0; i < m_list->count(); ++i) {
        QListWidgetItem* item = m_list->item(i);
        const SAgreement* agreement = listed.FindAgreement(AgreementKey(EntryBytes(item)));
        SetAgreementOf(item, agreement != nullptr ? *agreement : SAgreement{});
    }

    QString text = imported.bMalformed ? tr("The file is not a table of agreements.")
                                       : tr("Agreements imported: %1").arg(imported.nImported);
    // A long list of problems is cut, so the message box fits on the screen.
    constexpr std::size_t kShownProblems = 15;
    for (std::size_t i = 0; i < imported.problems.size() && i < kShownProblems; ++i) {
        text += QLatin1Char('\n') + FromBytes(imported.problems[i]);
    }
    if (imported.problems.size() > kShownProblems) {
        text += QLatin1Char('\n') +
                tr("... and %1 more").arg(imported.problems.size() - kShownProblems);
    }
    m_hooks.messageBox(this,
                       imported.problems.empty() ? QMessageBox::Information : QMessageBox::Warning,
                       text, QMessageBox::Ok);
}

void CEditProjectDlg::OnShowExternalLinks() {
    CExtLinksDlg dialog(m_externalLinks, this);
    dialog.exec();
}

bool CEditProjectDlg::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_list && event->type() == QEvent::KeyPress &&
        static_cast<QKeyEvent*>(event)->key() == Qt::Key_Delete) {
        OnDeleteUrl();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace tessaray
