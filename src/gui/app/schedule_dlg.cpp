#include "gui/app/schedule_dlg.h"

#include "gui/project/tessaray_doc.h"
#include "gui/toolkit/byte_text.h"
#include "gui/toolkit/command_frame.h"
#include "gui/toolkit/command_ids.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>
#include <QVBoxLayout>

#include <cstdlib>

namespace tessaray {

CScheduleDlg::CScheduleDlg(CScheduler& scheduler, std::string cliPath, std::string projectPath,
                           QWidget* parent)
    : QDialog(parent), m_scheduler(scheduler), m_strCli(std::move(cliPath)),
      m_strProject(std::move(projectPath)) {
    setObjectName(QStringLiteral("scheduleDlg"));
    setWindowTitle(tr("Check automatically"));
    setMinimumWidth(440);

    auto* layout = new QVBoxLayout(this);
    auto* intro = new QLabel(tr("Check the project %1 on a schedule, also while the program is "
                                "closed; a check missed while the computer was off runs at the "
                                "next start.")
                                 .arg(FromPath(m_strProject)),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);

    auto* grid = new QGridLayout;
    m_off = new QRadioButton(tr("&Off"), this);
    m_off->setObjectName(QStringLiteral("offButton"));
    m_daily = new QRadioButton(tr("&Daily"), this);
    m_daily->setObjectName(QStringLiteral("dailyButton"));
    m_weekly = new QRadioButton(tr("&Weekly on"), this);
    m_weekly->setObjectName(QStringLiteral("weeklyButton"));
    m_day = new QComboBox(this);
    m_day->setObjectName(QStringLiteral("dayBox"));
    m_day->addItems({tr("Monday"), tr("Tuesday"), tr("Wednesday"), tr("Thursday"), tr("Friday"),
                     tr("Saturday"), tr("Sunday")});
    m_time = new QTimeEdit(QTime(7, 0), this);
    m_time->setObjectName(QStringLiteral("timeEdit"));
    m_time->setDisplayFormat(QStringLiteral("HH:mm"));
    grid->addWidget(m_off, 0, 0);
    grid->addWidget(m_daily, 1, 0);
    grid->addWidget(m_weekly, 2, 0);
    grid->addWidget(m_day, 2, 1);
    grid->addWidget(new QLabel(tr("at"), this), 1, 2, 2, 1);
    grid->addWidget(m_time, 1, 3, 2, 1);
    grid->setColumnStretch(4, 1);
    layout->addLayout(grid);
    connect(m_weekly, &QRadioButton::toggled, m_day, &QComboBox::setEnabled);
    connect(m_off, &QRadioButton::toggled, m_time, &QTimeEdit::setDisabled);

    m_state = new QLabel(this);
    m_state->setObjectName(QStringLiteral("scheduleState"));
    m_state->setWordWrap(true);
    m_state->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(m_state);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Apply | QDialogButtonBox::Close, this);
    buttons->setObjectName(QStringLiteral("buttonBox"));
    layout->addWidget(buttons);
    connect(buttons->button(QDialogButtonBox::Apply), &QPushButton::clicked, this,
            &CScheduleDlg::OnApply);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    SManagerState manager;
    const std::optional<SScheduleEntry> entry = m_scheduler.Find(m_strProject, manager);
    m_off->setChecked(!entry);
    m_day->setEnabled(false);
    if (entry) {
        (entry->time.nWeekday < 0 ? m_daily : m_weekly)->setChecked(true);
        m_day->setCurrentIndex(std::max(entry->time.nWeekday, 0));
        m_time->setTime(QTime(entry->time.nHour, entry->time.nMinute));
    }
    ShowState(entry, manager);
}

void CScheduleDlg::OnApply() {
    SManagerState manager;
    if (m_off->isChecked()) {
        bool wasScheduled = false;
        if (const CScheduleResult removed = m_scheduler.Remove(m_strProject, manager, wasScheduled);
            !removed) {
            m_state->setText(
                tr("Cannot remove the schedule: %1").arg(FromPath(removed.GetError().detail)));
            return;
        }
        ShowState(std::nullopt, manager);
        return;
    }
    if (!QFileInfo::exists(FromPath(m_strCli))) {
        m_state->setText(tr("The command-line program that runs the checks is missing: %1")
                             .arg(FromPath(m_strCli)));
        return;
    }
    SScheduleEntry entry;
    entry.time = {m_weekly->isChecked() ? m_day->currentIndex() : -1, m_time->time().hour(),
                  m_time->time().minute()};
    const CScheduleResult scheduled =
        m_scheduler.Schedule(m_strCli, m_strProject, entry.time, manager, entry.strNextRun);
    if (!scheduled) {
        m_state->setText(
            scheduled.Code() == EScheduleError::BadProjectPath
                ? tr("A project whose path holds a line break cannot be checked automatically.")
                : tr("Cannot write the schedule: %1").arg(FromPath(scheduled.GetError().detail)));
        return;
    }
    ShowState(entry, manager);
}

void CScheduleDlg::ShowState(const std::optional<SScheduleEntry>& entry,
                             const SManagerState& manager) {
    QString text;
    if (!entry) {
        text = tr("The project is not checked automatically.");
    } else if (manager.bReached) {
        text = tr("Next check: %1")
                   .arg(entry->strNextRun.empty() ? tr("unknown") : FromBytes(entry->strNextRun));
    } else {
        text = tr("The schedule is saved, but no systemd user manager took it (%1). Start the "
                  "check with cron instead: add this line with \"crontab -e\":\n%2")
                   .arg(FromBytes(manager.strMessage),
                        FromPath(CronLine(m_strCli, m_strProject, entry->time)));
    }
    m_state->setText(text);
}

void ConnectScheduleCommand(CCommandFrame& frame, const CTessarayDoc& doc) {
    frame.SetCommandHandler(
        ID_SCHEDULE,
        [&frame, &doc] {
            CScheduler scheduler(
                UserUnitFolder(std::getenv("XDG_CONFIG_HOME"), std::getenv("HOME")), RunCommand);
            const std::string cli =
                ToPath(QCoreApplication::applicationDirPath()) + "/tessaray-cli";
            CScheduleDlg dialog(scheduler, cli, ScheduleProjectPath(doc.Project().GetPath()),
                                &frame);
            dialog.exec();
        },
        [&doc] { return !doc.Project().GetPath().empty(); });
}

} // namespace tessaray
