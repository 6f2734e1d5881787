#include "gui/toolkit/ui_hooks.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>

namespace tessaray {

SUiHooks SUiHooks::Desktop() {
    SUiHooks hooks;
    hooks.chooseFile = [](QWidget* parent, const SFileRequest& request) {
        QFileDialog dialog(parent);
        dialog.setAcceptMode(request.bSave ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
        dialog.setFileMode(request.bSave ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
        dialog.setNameFilter(request.strFilter);
        dialog.setDefaultSuffix(request.strDefaultSuffix);
        // Overwriting asks first; read-only files are not offered specially.
        dialog.setOption(QFileDialog::DontConfirmOverwrite, false);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    };
    hooks.messageBox = [](QWidget* parent, QMessageBox::Icon icon, const QString& text,
                          QMessageBox::StandardButtons buttons) {
        QMessageBox box(icon, QApplication::applicationDisplayName(), text, buttons, parent);
        return static_cast<QMessageBox::StandardButton>(box.exec());
    };
    hooks.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    return hooks;
}

} // namespace tessaray
