#pragma once

#include "core/run/analysis_run.h"

#include <QDialog>

class QSpinBox;

namespace tessaray {

// "Analysis options": how many partner pages an analysis fetches at the same time, in all and
// from one site.
class CAnalysisOptionsDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CAnalysisOptionsDlg)

public:
    explicit CAnalysisOptionsDlg(QWidget* parent = nullptr);

    void SetWindow(const SFetchWindow& window);
    SFetchWindow GetWindow() const;

private:
    QSpinBox* m_parallel = nullptr;
    QSpinBox* m_perSite = nullptr;
};

// The fetch window kept in the program's settings (section "Analysis"): the defaults when none is
// stored, values out of range brought into it.
SFetchWindow LoadFetchWindow();
void SaveFetchWindow(const SFetchWindow& window);

} // namespace tessaray
