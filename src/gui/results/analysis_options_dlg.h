#pragma once

#include "core/run/analysis_run.h"

#include <QDialog>

#include <chrono>
#include <string>

class QCheckBox;
class QLineEdit;
class QSpinBox;

namespace tessaray {

// "Analysis options": how many partner pages an analysis fetches at the same time, in all and
// from one site, the user agent its requests name and whether it fetches each page as Googlebot
// too.
class CAnalysisOptionsDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAnalysisOptionsDlg)

public:
    explicit CAnalysisOptionsDlg(QWidget* parent = nullptr);

    void SetWindow(const SFetchWindow& window);
    SFetchWindow GetWindow() const;
    void SetUserAgent(const std::string& userAgent);
    // The text entered; the default user agent when it is empty.
    std::string GetUserAgent() const;
    void SetAsGooglebot(bool bAsGooglebot);
    bool GetAsGooglebot() const;

private:
    QCheckBox* m_asGooglebot = nullptr;
    QLineEdit* m_userAgent = nullptr;
    QSpinBox* m_parallel = nullptr;
    QSpinBox* m_perSite = nullptr;
};

// The fetch window kept in the program's settings (section "Analysis"): the defaults when none is
// stored, values out of range brought into it.
SFetchWindow LoadFetchWindow();
void SaveFetchWindow(const SFetchWindow& window);
// The stored user agent; the default when none or one that cannot be sent is stored.
std::string LoadUserAgent();
void SaveUserAgent(const std::string& userAgent);
bool LoadAsGooglebot();
// The pause before a worse partner is fetched once more; 0 confirms nothing.
std::chrono::seconds LoadConfirmDelay();
void SaveAsGooglebot(bool bAsGooglebot);

} // namespace tessaray
