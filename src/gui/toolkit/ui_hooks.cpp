#include "gui/toolkit/ui_hooks.h"
#include "gui/toolkit/byte_text.h"

#include "core/project/project.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStandardPaths>

namespace tessaray {

QString StartPath(const std::string& projectPath, const QString& fileName) {
    // A project that was never saved has the marker for its path.
    const bool bSaved = !projectPath.empty() && projectPath != CProject::kNoFileMarker;
    const QString folder =
        bSaved ? QFileInfo(FromPath(projectPath)).absolutePath()
               : QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return fileName.isEmpty() ? folder : QDir(folder).filePath(fileName);
}

SUiHooks SUiHooks::Desktop() {
    SUiHooks hooks;
    hooks.chooseFile = [](QWidget* parent, const SFileRequest& request) {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(request.bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(request.bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setNameFilter(request.strFilter);
        dialog.setDefaultSuffix(request.strDefaultSuffix);
        if (const QFileInfo start(request.strStart); start.isDir()) {
            dialog.setDirectory(start.absoluteFilePath());
        } else if (!request.strStart.isEmpty()) {
            dialog.setDirectory(start.absolutePath());
            dialog.selectFile(start.fileName());
        }
        // Overwriting asks first; read-only files are not offered specially.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
            return QString();
        }
        return dialog.selectedFiles().constFirst();
    };
    hooks.messageBox = [](QWidget* parent, QMessageBox::Icon icon, const QString& text,
                          QMessageBox::StandardButtons buttons) {
        QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons, parent);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    hooks.askCredentials = [](QWidget* parent, const QString& origin, const QString& realm,
                              bool bPlainBasic, QString& user, QString& password) {
        QDialog dialog(parent);
        dialog.setWindowTitle(QCoreApplication::translate("tessaray::SUiHooks", "Log in"));
        auto* layout = new QFormLayout(&dialog);
        QString text = QCoreApplication::translate("tessaray::SUiHooks",
                                                   "The site %1 asks for a user name and a "
                                                   "password (%2). Only this site gets them.")
                           .arg(origin, realm);
        if (bPlainBasic) {
            text += QLatin1Char('\n') +
                    QCoreApplication::translate("tessaray::SUiHooks",
                                                "The connection is not encrypted: the password "
                                                "would be sent readable.");
        }
        // Origin and realm come from the server: shown as plain text, never as markup.
        auto* prompt = new QLabel(text, &dialog);
        prompt->setTextFormat(Qt::PlainText);
        prompt->setWordWrap(true);
        layout->addRow(prompt);
        auto* userEdit = new QLineEdit(&dialog);
        auto* passwordEdit = new QLineEdit(&dialog);
        passwordEdit->setEchoMode(QLineEdit::Password);
        layout->addRow(QCoreApplication::translate("tessaray::SUiHooks", "User name:"), userEdit);
        layout->addRow(QCoreApplication::translate("tessaray::SUiHooks", "Password:"),
                       passwordEdit);
        auto* buttons =
            new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
        QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
        QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
        layout->addRow(buttons);
        if (dialog.exec() != QDialog::Accepted) {
            return false;
        }
        user = userEdit->text();
        password = passwordEdit->text();
        return true;
    };
    hooks.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return hooks;
}

bool OpenOrTell(const SUiHooks& hooks, QWidget* parent, const QUrl& url) {
    if (hooks.openUrl(url)) {
        return true;
    }
    const QString text =
        url.isLocalFile()
            ? QCoreApplication::translate("tessaray::SUiHooks",
                                          "No program could open the file %1.")
                  .arg(QDir::toNativeSeparators(url.toLocalFile()))
            : QCoreApplication::translate("tessaray::SUiHooks", "No web browser could open %1.")
                  .arg(url.toDisplayString());
    hooks.messageBox(parent, QMessageBox::Warning, text, QMessageBox::Ok);
    return false;
}

} // namespace tessaray
