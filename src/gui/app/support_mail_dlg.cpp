#include "gui/app/support_mail_dlg.h"
#include "gui/toolkit/byte_text.h"

#include "gui/toolkit/image_button.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

// The dialogs' pictures are a resource of the static GUI library; it must be registered by name.
static void InitHelpDialogResources() {
    Q_INIT_RESOURCE(help_dialogs);
}

namespace tessaray {

CSupportMailDlg::CSupportMailDlg(const std::string& recipient, const std::string& body,
                                 const std::string& subject, QWidget* parent)
    : QDialog(parent) {
    InitHelpDialogResources();
    setObjectName(QStringLiteral("SupportMailDlg"));
    setWindowTitle(tr("Support"));

    m_recipient = new QLineEdit(FromBytes(recipient), this);
    m_recipient->setObjectName(QStringLiteral("Recipient"));
    m_recipient->setReadOnly(true);
    m_subject = new QLineEdit(FromBytes(subject), this);
    m_subject->setObjectName(QStringLiteral("Subject"));
    m_subject->setReadOnly(true);
    QString bodyText = FromBytes(body);
    bodyText.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    m_body = new QPlainTextEdit(bodyText, this);
    m_body->setObjectName(QStringLiteral("Body"));
    m_body->setReadOnly(true);

    // Each copy button selects the whole text of its field, scrolls to it and copies it.
    const auto copyButton = [this](const QString& name, auto onClick) {
        auto* button = new CImageButton(this);
        button->setObjectName(name);
        button->SetBitmap(QStringLiteral(":/help/support_copy.png"));
        button->setToolTip(tr("Copy to the clipboard"));
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, onClick);
        return button;
    };
    const auto copyLine = [](QLineEdit* edit) {
        edit->setFocus();
        // Selected from the end back to the start, so the start is what the field shows.
        edit->end(false);
        edit->home(true);
        edit->copy();
    };

    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(tr("EMail Recipient"), this), 0, 0);
    grid->addWidget(m_recipient, 0, 1);
    grid->addWidget(
        copyButton(QStringLiteral("CopyRecipient"), [=, this] { copyLine(m_recipient); }), 0, 2);
    grid->addWidget(new QLabel(tr("Subject Line"), this), 1, 0);
    grid->addWidget(m_subject, 1, 1);
    grid->addWidget(copyButton(QStringLiteral("CopySubject"), [=, this] { copyLine(m_subject); }),
                    1, 2);
    grid->addWidget(new QLabel(tr("Email Text (Body)"), this), 2, 0, Qt::AlignTop);
    grid->addWidget(m_body, 2, 1);
    grid->addWidget(copyButton(QStringLiteral("CopyBody"),
                               [this] {
                                   m_body->setFocus();
                                   m_body->selectAll();
                                   m_body->ensureCursorVisible();
                                   m_body->copy();
                               }),
                    2, 2, Qt::AlignTop);

    auto* layout = new QVBoxLayout(this);
    for (const QString& text :
         {tr("Your email client does not seem to support the MAPI interface and the support "
             "email can not be automatically generated"),
          tr("Please start a new email message and insert the following information")}) {
        auto* label = new QLabel(text, this);
        label->setWordWrap(true);
        layout->addWidget(label);
    }
    layout->addLayout(grid);
    auto* close = new QPushButton(tr("Close"), this);
    close->setObjectName(QStringLiteral("Close"));
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

} // namespace tessaray
