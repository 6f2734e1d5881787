#pragma once

#include <QDialog>

class QButtonGroup;
class QLineEdit;

namespace tessaray {

struct SUiHooks;

// "Import URLs from a csv file": the file, the column (1 to 100) and the separator of a CSV
// import. Used for partner URLs and for the Google external-link table.
class CCsvImportDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CCsvImportDlg)

public:
    // The separator choices, in the order of the radio buttons.
    enum ESeparatorChoice { Comma = 0, Semicolon = 1, Tabulator = 2 };

    explicit CCsvImportDlg(const SUiHooks& hooks, QWidget* parent = nullptr);

    // Presets shown when the dialog opens (column 1 and Comma unless set).
    void SetColumn(int nColumn);
    void SetSeparatorChoice(ESeparatorChoice choice);

    QString GetPath() const;
    // After OK: the checked column and the separator character of the choice.
    int GetColumn() const { return m_nColumn; }
    ESeparatorChoice GetSeparatorChoice() const;
    char GetSeparator() const { return m_chSeparator; }

    // OK: a column that is not an integer from 1 to 100 is refused with a message and the
    // dialog stays open.
    void accept() override;
    // The Browse button: a chosen file becomes the path.
    void OnBrowse();

private:
    const SUiHooks& m_hooks;
    int m_nColumn = 1;
    char m_chSeparator = ',';
    QLineEdit* m_pathEdit = nullptr;
    QLineEdit* m_columnEdit = nullptr;
    QButtonGroup* m_separatorGroup = nullptr;
};

} // namespace tessaray
