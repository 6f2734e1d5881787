#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;
class QComboBox;

namespace tessaray {

// The options of the program as a whole, as stored in the settings.
struct SProgramOptions {
    QString strLanguage;   // "" follows the system, "en" English, "de" German
    int nUpdateCheck = -1; // -1 not asked yet, 0 off, 1 on
};

SProgramOptions LoadProgramOptions();
void SaveProgramOptions(const SProgramOptions& options);

// "Program options": the interface language (applies after a restart) and, where the program
// has one, the automatic update check.
class CProgramOptionsDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CProgramOptionsDlg)

public:
    CProgramOptionsDlg(bool bUpdateCheckBuilt, QWidget* parent = nullptr);

    void SetOptions(const SProgramOptions& options);
    SProgramOptions GetOptions() const;

private:
    QComboBox* m_language = nullptr;
    QCheckBox* m_updateCheck = nullptr; // null when the program has no update check
    int m_nUpdateCheckShown = -1;
};

} // namespace tessaray
