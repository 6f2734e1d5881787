#include "gui/project/agreement_dlg.h"

#include "core/project/agreement_import.h"
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

// A field as the user left it: the stored bytes when it still reads as they do, else its text
// without the blanks around it.
std::string FieldBytes(const QLineEdit* edit, const std::string& stored) {
    return edit->text() == FromBytes(stored) ? stored : ToBytes(edit->text().trimmed());
}

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
    m_until->setDate(until.isValid() ? until : QDate::currentDate().addYears(1));
    m_noEnd->setChecked(!until.isValid());
    m_until->setDisabled(!until.isValid());
    m_contact->setText(FromBytes(agreement.strContact));
    m_note->setText(FromBytes(agreement.strNote));
    // A hand-edited file may hold an end that is no date: it is not dropped unsaid.
    ShowHint(m_hint, agreement.strUntil.empty() || until.isValid()
                         ? QString()
                         : tr("The stored end \"%1\" is no date; set one or keep \"no end date\".")
                               .arg(FromBytes(agreement.strUntil)));
}

void CAgreementDlg::OnClear() {
    for (QLineEdit* edit : {m_target, m_anchor, m_contact, m_note}) {
        edit->clear();
    }
    m_followRequired->setChecked(false);
    m_noEnd->setChecked(true);
    m_agreement = {};
}

void CAgreementDlg::accept() {
    SAgreement agreement;
    agreement.strTarget = FieldBytes(m_target, m_agreement.strTarget);
    if (agreement.strTarget != m_agreement.strTarget) {
        // A typed target is written as the partner list writes addresses ("http://" in front).
        const bool bPrefix = agreement.strTarget.ends_with('*');
        std::string stem =
            agreement.strTarget.substr(0, agreement.strTarget.size() - (bPrefix ? 1 : 0));
        if (IsValidUrl(stem)) {
            agreement.strTarget = stem + (bPrefix ? "*" : "");
        }
    }
    agreement.strAnchor = FieldBytes(m_anchor, m_agreement.strAnchor);
    agreement.eFollow =
        m_followRequired->isChecked() ? EAgreedFollow::Required : EAgreedFollow::Any;
    if (!m_noEnd->isChecked()) {
        agreement.strUntil =
            m_until->date().toString(QString::fromLatin1(kDateFormat)).toStdString();
    }
    agreement.strContact = FieldBytes(m_contact, m_agreement.strContact);
    agreement.strNote = FieldBytes(m_note, m_agreement.strNote);

    if (const std::string problem = AgreementProblem(agreement); !problem.empty()) {
        ShowHint(m_hint, tr("This agreement cannot be stored: %1").arg(FromBytes(problem)));
        m_target->setFocus();
        return;
    }
    m_agreement = agreement;
    QDialog::accept();
}

} // namespace tessaray
