#include "gui/project/agreement_dlg.h"

#include "gui/project/dlg_support.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace tessaray {

namespace {

constexpr auto kDateFormat = "yyyy-MM-dd";

} // namespace

CAgreementDlg::CAgreementDlg(const QString& partner, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("agreementDlg"));
    setWindowTitle(tr("Agreement"));
    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(
        tr("What was agreed with %1. Empty fields agree to anything.").arg(partner), this);
    intro->setTextFormat(Qt::PlainText);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* form = new QFormLayout;
    m_target = AddField(*form, tr("Target URL:"), "targetEdit");
    m_target->setPlaceholderText(tr("http://www.example.com/page, or a prefix such as "
                                    "http://www.example.com/shop/*"));
    m_anchor = AddField(*form, tr("Anchor text:"), "anchorEdit");
    m_anchor->setPlaceholderText(
        tr("the exact text, or *text* for a text that contains it; case does not count"));
    m_followRequired =
        new QCheckBox(tr("The link must be followed (no nofollow, sponsored or ugc)"), this);
    m_followRequired->setObjectName(QStringLiteral("followRequiredCheck"));
    form->addRow(QString(), m_followRequired);

    auto* untilRow = new QHBoxLayout;
    m_until = new QDateEdit(this);
    m_until->setObjectName(QStringLiteral("untilEdit"));
    m_until->setCalendarPopup(true);
    m_until->setDisplayFormat(QString::fromLatin1(kDateFormat));
    m_noEnd = new QCheckBox(tr("no end date"), this);
    m_noEnd->setObjectName(QStringLiteral("noEndCheck"));
    untilRow->addWidget(m_until);
    untilRow->addWidget(m_noEnd);
    untilRow->addStretch(1);
    form->addRow(tr("Ends on:"), untilRow);
    connect(m_noEnd, &QCheckBox::toggled, m_until, &QWidget::setDisabled);

    m_contact = AddField(*form, tr("Contact:"), "contactEdit");
    m_note = AddField(*form, tr("Note:"), "noteEdit");
    layout->addLayout(form);
    m_hint = CreateHintLabel(this, QStringLiteral("agreementHint"));
    layout->addWidget(m_hint);

    QDialogButtonBox* buttons = AddOkCancelButtons(this, layout);
    QPushButton* clear = buttons->addButton(tr("Remove agreement"), QDialogButtonBox::ResetRole);
    clear->setObjectName(QStringLiteral("clearAgreementButton"));
    connect(clear, &QPushButton::clicked, this, &CAgreementDlg::OnClear);
    SetAgreement({});
}

QLineEdit* CAgreementDlg::AddField(QFormLayout& form, const QString& label,
                                   const char* objectName) {
    auto* edit = new QLineEdit(this);
    edit->setObjectName(QString::fromLatin1(objectName));
    form.addRow(label, edit);
    return edit;
}

void CAgreementDlg::SetAgreement(const SAgreement& agreement) {
    m_agreement = agreement;
    m_target->setText(FromBytes(agreement.strTarget));
    m_anchor->setText(FromBytes(agreement.strAnchor));
    m_followRequired->setChecked(agreement.eFollow == EAgreedFollow::Required);
    const QDate until = QDate::fromString(QString::fromLatin1(agreement.strUntil),
                                          QString::fromLatin1(kDateFormat));
    m_bInitialNoEnd = !until.isValid();
    m_initialDate = until.isValid() ? until : QDate::currentDate().addYears(1);
    m_until->setDate(m_initialDate);
    m_noEnd->setChecked(m_bInitialNoEnd);
    m_until->setDisabled(m_bInitialNoEnd);
    m_contact->setText(FromBytes(agreement.strContact));
    m_note->setText(FromBytes(agreement.strNote));
    ShowHint(m_hint, {});
}

void CAgreementDlg::OnClear() {
    for (QLineEdit* edit : {m_target, m_anchor, m_contact, m_note}) {
        edit->clear();
    }
    m_followRequired->setChecked(false);
    m_noEnd->setChecked(true);
    m_agreement = {};
    m_bInitialNoEnd = true;
}

void CAgreementDlg::accept() {
    SAgreement agreement;
    agreement.strTarget = ToBytesKeeping(m_target->text().trimmed(), m_agreement.strTarget);
    agreement.strAnchor = ToBytesKeeping(m_anchor->text().trimmed(), m_agreement.strAnchor);
    agreement.eFollow =
        m_followRequired->isChecked() ? EAgreedFollow::Required : EAgreedFollow::Any;
    const bool bDateUntouched = m_noEnd->isChecked() == m_bInitialNoEnd &&
                                (m_bInitialNoEnd || m_until->date() == m_initialDate);
    if (bDateUntouched) {
        // A stored text that is no date stays as it was rather than vanish unasked.
        agreement.strUntil = m_agreement.strUntil;
    } else if (!m_noEnd->isChecked()) {
        agreement.strUntil =
            m_until->date().toString(QString::fromLatin1(kDateFormat)).toStdString();
    }
    agreement.strContact = ToBytesKeeping(m_contact->text().trimmed(), m_agreement.strContact);
    agreement.strNote = ToBytesKeeping(m_note->text().trimmed(), m_agreement.strNote);

    const std::string& target = agreement.strTarget;
    const QString lower = QString::fromStdString(target.substr(0, 8)).toLower();
    const bool bWebAddress = target.empty() || lower.startsWith(QStringLiteral("http://")) ||
                             lower.startsWith(QStringLiteral("https://"));
    const std::size_t star = target.find('*');
    if (!bWebAddress || (star != std::string::npos && star + 1 != target.size())) {
        ShowHint(m_hint, tr("The target must be a web address starting with http:// or https://; "
                            "a * may only end it."));
        m_target->setFocus();
        return;
    }
    m_agreement = agreement;
    QDialog::accept();
}

} // namespace tessaray
