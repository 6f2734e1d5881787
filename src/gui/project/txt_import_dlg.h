#pragma once

#include <QDialog>

class QLineEdit;

namespace tessaray {

struct SUiHooks;

// "URL-Import from a txt-File": asks for the text file whose lines the editor imports.
class CTxtImportDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTxtImportDlg)

public:
    explicit CTxtImportDlg(const SUiHooks& hooks, QWidget* parent = nullptr);

    QString GetPath() const;
    // The Browse button: a chosen file becomes the path.
    void OnBrowse();

private:
    const SUiHooks& m_hooks;
    QLineEdit* m_pathEdit = nullptr;
};

} // namespace tessaray
