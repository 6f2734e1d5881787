#include "gui/project/enter_url_dlg.h"

#include "core/project/url_rules.h"
#include "gui/project/dlg_support.h"
#include "gui/toolkit/ui_hooks.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

namespace tessaray {

CEnterUrlDlg::CEnterUrlDlg(const SUiHooks& hooks, QWidget* parent)
    : QDialog(parent), m_hooks(hooks) {
    setObjectName(QStringLiteral("enterUrlDlg"));
    setWindowTitle(tr("Enter URL"));

    auto* layout = new QVBoxLayout(this);
    auto* urlLabel = new QLabel(tr("Enter URL"), this);
    layout->addWidget(urlLabel);

    auto* urlRow = new QHBoxLayout;
    m_urlEdit = new QLineEdit(this);
    m_urlEdit->setObjectName(QStringLiteral("urlEdit"));
    m_urlEdit->setMinimumWidth(360);
    urlLabel->setBuddy(m_urlEdit);
    urlRow->addWidget(m_urlEdit, 1);
    m_pasteButton = new QPushButton(this);
    m_pasteButton->setObjectName(QStringLiteral("pasteButton"));
    m_pasteButton->setToolTip(tr("Paste the web address from the clipboard"));
    const QIcon pasteIcon = QIcon::fromTheme(QStringLiteral("edit-paste"));
    if (pasteIcon.isNull()) {
        m_pasteButton->setText(tr("Paste"));
    } else {
        m_pasteButton->setIcon(pasteIcon);
    }
    urlRow->addWidget(m_pasteButton);
    auto* testButton = new QPushButton(tr("Test URL"), this);
    testButton->setObjectName(QStringLiteral("testUrlButton"));
    urlRow->addWidget(testButton);
    layout->addLayout(urlRow);
    m_urlHint = CreateHintLabel(this, QStringLiteral("urlHint"));
    layout->addWidget(m_urlHint);

    m_commentLabel = new QLabel(
        tr("Optional: A comment on the link can be entered here (only for the purpose of "
           "documentation)"),
        this);
    m_commentLabel->setObjectName(QStringLiteral("commentLabel"));
    m_commentLabel->setWordWrap(true);
    layout->addWidget(m_commentLabel);
    m_commentEdit = new QLineEdit(this);
    m_commentEdit->setObjectName(QStringLiteral("commentEdit"));
    m_commentEdit->setMaxLength(kMaxCommentLength);
    m_commentLabel->setBuddy(m_commentEdit);
    layout->addWidget(m_commentEdit);

    AddOkCancelButtons(this, layout);

    // Enter always means OK, also while a side button has the focus.
    m_pasteButton->setAutoDefault(false);
    testButton->setAutoDefault(false);
    connect(m_pasteButton, &QPushButton::clicked, this, &CEnterUrlDlg::OnPaste);
    connect(testButton, &QPushButton::clicked, this, &CEnterUrlDlg::OnTestUrl);
    connect(m_urlEdit, &QLineEdit::textEdited, this, [this] { ShowHint(m_urlHint, {}); });
}

void CEnterUrlDlg::SetText(const std::string& text) {
    std::string url;
    std::string comment;
    SplitPartnerEntry(text, url, comment);
    m_strOriginalUrl = url;
    m_strOriginalComment = comment;
    m_urlEdit->setText(FromBytes(url));
    // A stored comment longer than the limit is shown whole (OK then asks to shorten it) rather
    // than cut without a word.
    const QString commentText = FromBytes(comment);
    m_commentEdit->setMaxLength(std::max<int>(kMaxCommentLength, commentText.size()));
    m_commentEdit->setText(commentText);
}

void CEnterUrlDlg::SetCommentAllowed(bool bAllowed) {
    m_commentEdit->setEnabled(bAllowed);
    m_commentLabel->setEnabled(bAllowed);
}

void CEnterUrlDlg::accept() {
    const QString comment = m_commentEdit->text();
    if (comment.size() > kMaxCommentLength) {
        m_hooks.messageBox(this, QMessageBox::Warning,
                           tr("Please enter no more than %1 characters.").arg(kMaxCommentLength),
                           QMessageBox::Ok);
        m_commentEdit->setFocus();
        m_commentEdit->selectAll();
        return;
    }
    std::string url = ToBytesKeeping(m_urlEdit->text(), m_strOriginalUrl);
    if (!IsValidUrl(url)) {
        ShowHint(m_urlHint, tr("not a valid web address"));
        m_urlEdit->setFocus();
        return;
    }
    std::string entry = JoinPartnerEntry(url, ToBytesKeeping(comment, m_strOriginalComment));
    switch (CheckPartnerEntry(entry)) {
    case EEntryProblem::UserInfo:
        ShowHint(m_urlHint, tr("Leave the user name and password out of the address: the program "
                               "asks for them when the site wants a log-in."));
        m_urlEdit->setFocus();
        return;
    case EEntryProblem::TooLong:
        ShowHint(m_urlHint, tr("The address and its comment are longer than %1 characters.")
                                .arg(kMaxPartnerEntryLength));
        m_urlEdit->setFocus();
        return;
    case EEntryProblem::None:
        break;
    }
    m_strText = std::move(entry);
    QDialog::accept();
}

void CEnterUrlDlg::OnPaste() {
    std::string text = ToBytes(QGuiApplication::clipboard()->text());
    IsValidUrl(text); // normalises a valid address; anything else is shown as it is
    m_urlEdit->setText(FromBytes(text));
    ShowHint(m_urlHint, {});
}

void CEnterUrlDlg::OnTestUrl() {
    std::string url = ToBytes(m_urlEdit->text());
    if (IsValidUrl(url)) {
        OpenWebAddress(m_hooks, this, url);
    } else {
        ShowHint(m_urlHint, tr("not a valid web address"));
    }
}

} // namespace tessaray
