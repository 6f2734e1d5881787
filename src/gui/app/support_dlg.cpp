#include "gui/app/support_dlg.h"

#include "core/app/support_request.h"
#include "gui/app/support_mail_dlg.h"
#include "gui/toolkit/ui_hooks.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace tessaray {

CSupportDlg::CSupportDlg(std::string body, std::string subject, std::string supportAddress,
                         const SUiHooks& hooks, QWidget* parent)
    : QDialog(parent), m_strBody(std::move(body)), m_strSubject(std::move(subject)),
      m_strAddress(std::move(supportAddress)), m_hooks(hooks) {
    setObjectName(QStringLiteral("SupportDlg"));
    setWindowTitle(tr("Support"));

    auto* layout = new QVBoxLayout(this);
    for (const QString& text :
         {tr("Please use the Support button below for all your inquiries and technical support "
             "regarding the Tessaray software."),
          tr("An Internet connection is needed for this purpose."),
          tr("Please make sure that e-mails from our addresses are not blocked by your spam "
             "filter."),
          tr("Please Note: We never send spam messages and always treat your e-mail address in "
             "the strictest of confidence.")}) {
        auto* label = new QLabel(text, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }

    auto* icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxInformation).pixmap(32, 32));
    auto* support = new QPushButton(tr("Support"), this);
    support->setObjectName(QStringLiteral("SupportButton"));
    support->setAutoDefault(false);
    connect(support, &QPushButton::clicked, this, &CSupportDlg::OnSupport);
    auto* row = new QHBoxLayout;
    row->addWidget(icon);
    row->addWidget(new QLabel(tr("Please click here for support:"), this));
    row->addWidget(support);
    row->addStretch();
    layout->addLayout(row);

    auto* close = new QPushButton(tr("Close Window"), this);
    close->setObjectName(QStringLiteral("CloseWindow"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

void CSupportDlg::OnSupport() {
    const std::string link = MakeSupportMailLink(m_strAddress, m_strSubject, m_strBody);
    // The link is escaped already; it is handed on byte for byte.
    const QUrl url = QUrl::fromEncoded(QByteArray::fromStdString(link), QUrl::TolerantMode);
    if (m_hooks.openUrl(url)) {
        return;
    }
    // No mail program took the link: show what the mail would hold, for copying by hand.
    CSupportMailDlg mail(m_strAddress, m_strBody, MakeMailSubject(m_strSubject), this);
    mail.exec();
}

} // namespace tessaray
