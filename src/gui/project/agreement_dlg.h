#pragma once

#include "core/project/agreement.h"

#include <QDialog>

class QCheckBox;
class QDateEdit;
class QFormLayout;
class QLabel;
class QLineEdit;

namespace tessaray {

// "Agreement": what was agreed with one partner — the target page, the anchor text, whether the
// link must be followed, the end date, a contact and a note. All fields empty means no agreement.
// Text fields the user leaves as they were keep their bytes.
class CAgreementDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAgreementDlg)

public:
    // partner: the partner entry, shown as the dialog's subject.
    CAgreementDlg(const QString& partner, QWidget* parent = nullptr);

    void SetAgreement(const SAgreement& agreement);
    const SAgreement& GetAgreement() const { return m_agreement; }

    // OK: an agreement that cannot be stored (a target that is no web address) keeps the dialog
    // open and says why.
    void accept() override;

private:
    QLineEdit* AddField(QFormLayout& form, const QString& label, const char* objectName);
    // Empties every field: OK then removes the agreement.
    void OnClear();

    SAgreement m_agreement;

    QLineEdit* m_target = nullptr;
    QLineEdit* m_anchor = nullptr;
    QCheckBox* m_followRequired = nullptr;
    QCheckBox* m_noEnd = nullptr;
    QDateEdit* m_until = nullptr;
    QLineEdit* m_contact = nullptr;
    QLineEdit* m_note = nullptr;
    QLabel* m_hint = nullptr;
};

} // namespace tessaray
