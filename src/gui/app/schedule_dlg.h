#pragma once

#include "core/app/schedule.h"

#include <QDialog>

#include <string>

class QComboBox;
class QLabel;
class QRadioButton;
class QTimeEdit;

namespace tessaray {

class CCommandFrame;
class CTessarayDoc;

// "Check automatically": checks the saved project on a schedule (off, daily or weekly at a time)
// through the same user timer as "tessaray-cli schedule", and shows the next run time, or the
// crontab line where no user manager runs. "Apply" changes the schedule; the dialog stays open to
// show the outcome.
class CScheduleDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CScheduleDlg)

public:
    // cliPath: the tessaray-cli the timer runs; projectPath: the saved project file.
    CScheduleDlg(CScheduler& scheduler, std::string cliPath, std::string projectPath,
                 QWidget* parent = nullptr);

    void OnApply();

private:
    void ShowState(const std::optional<SScheduleEntry>& entry, const SManagerState& manager);

    CScheduler& m_scheduler;
    std::string m_strCli;
    std::string m_strProject;
    QRadioButton* m_off = nullptr;
    QRadioButton* m_daily = nullptr;
    QRadioButton* m_weekly = nullptr;
    QComboBox* m_day = nullptr;
    QTimeEdit* m_time = nullptr;
    QLabel* m_state = nullptr;
};

// Connects "Check automatically..." (ID_SCHEDULE): for a saved project, the dialog on the user's
// unit folder, running the tessaray-cli beside the program.
void ConnectScheduleCommand(CCommandFrame& frame, const CTessarayDoc& doc);

} // namespace tessaray
