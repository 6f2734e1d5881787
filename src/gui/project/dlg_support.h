#pragma once
// Small pieces the project editor's dialogs share: text conversion at the Qt edge and the inline
// hint that tells the user why a dialog stays open.

#include "core/project/link_import.h"
#include "core/project/url_rules.h"
#include "gui/toolkit/byte_text.h"
#include "gui/toolkit/ui_hooks.h"

#include <QBoxLayout>
#include <QCoreApplication>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFile>
#include <QLabel>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <string>
#include <string_view>

namespace tessaray {

// The OK and Cancel buttons at the foot of a dialog (found by tests as "buttonBox"), wired to the
// dialog's accept() and reject().
inline QDialogButtonBox* AddOkCancelButtons(QDialog* dialog, QBoxLayout* layout) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    layout->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

// A hidden label in the warning colour, placed under a field; ShowHint fills and shows it.
inline QLabel* CreateHintLabel(QWidget* parent, const QString& objectName) {
    auto* label = new QLabel(parent);
    label->setObjectName(objectName);
    label->setStyleSheet(QStringLiteral("color: #b00020;"));
    label->setWordWrap(true);
    label->hide();
    return label;
}
inline void ShowHint(QLabel* label, const QString& text) {
    label->setText(text);
    label->setVisible(!text.isEmpty());
}

// What an import took and left out, e.g. "URLs imported: 3; skipped as duplicates: 1". taken is
// the caller's words for the first part.
inline QString ImportTallyText(const QString& taken, const SImportTally& tally, int capacity) {
    QStringList parts{taken};
    if (tally.nDuplicates > 0) {
        parts << QCoreApplication::translate("ImportTally", "skipped as duplicates: %1")
                     .arg(tally.nDuplicates);
    }
    if (tally.nOverLimit > 0) {
        parts << QCoreApplication::translate("ImportTally",
                                             "left out, as the list holds at most %1: %2")
                     .arg(capacity)
                     .arg(tally.nOverLimit);
    }
    if (tally.nUserInfo > 0) {
        parts << QCoreApplication::translate(
                     "ImportTally", "skipped for a user name or password in the address: %1")
                     .arg(tally.nUserInfo);
    }
    if (tally.nTooLong > 0) {
        parts << QCoreApplication::translate("ImportTally",
                                             "skipped as longer than %1 characters: %2")
                     .arg(kMaxPartnerEntryLength)
                     .arg(tally.nTooLong);
    }
    return parts.join(QStringLiteral("; "));
}

// Opens a web address in the desktop's browser; a message box says when none opens it.
inline void OpenWebAddress(const SUiHooks& hooks, QWidget* parent, const std::string& url) {
    OpenOrTell(hooks, parent, QUrl(FromBytes(url), QUrl::TolerantMode));
}

} // namespace tessaray
