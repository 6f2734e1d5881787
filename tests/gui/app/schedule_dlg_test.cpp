// "Check automatically": the dialog shows the project's schedule, changes it through the same
// scheduler as the command line, and shows the next run time or, without a user manager, the
// crontab line.
#include "gui/app/schedule_dlg.h"

#include "temp_dir.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimeEdit>

#include <gtest/gtest.h>

#include <filesystem>

namespace tessaray::test {
namespace {

template <typename T> T* Child(const QWidget& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Apply(const CScheduleDlg& dlg) {
    Child<QDialogButtonBox>(dlg, "buttonBox")->button(QDialogButtonBox::Apply)->click();
}

QString State(const CScheduleDlg& dlg) {
    return Child<QLabel>(dlg, "scheduleState")->text();
}

TEST(ScheduleDlgTest, AppliesShowsAndRemovesTheProjectsSchedule) {
    TempDir dir;
    const std::string cli = dir.Write("tessaray-cli", "");
    const std::string project = dir.Write("shop.tsrp", "");
    bool bManager = false;
    CScheduler scheduler(dir.File("units"), [&bManager](const std::vector<std::string>& argv) {
        if (!bManager) {
            return SCommandOutput{1, "Failed to connect to bus"};
        }
        return SCommandOutput{0, argv[2] == "show" ? "Id=" + argv.back() +
                                                         "\nNextElapseUSecRealtime=Wed 2030-01-02 "
                                                         "18:30:00 CET\n"
                                                   : ""};
    });
    {
        CScheduleDlg dlg(scheduler, cli, project);
        EXPECT_TRUE(Child<QRadioButton>(dlg, "offButton")->isChecked());
        Child<QRadioButton>(dlg, "weeklyButton")->setChecked(true);
        Child<QComboBox>(dlg, "dayBox")->setCurrentIndex(2);
        Child<QTimeEdit>(dlg, "timeEdit")->setTime(QTime(18, 30));
        Apply(dlg);
        EXPECT_TRUE(State(dlg).contains(QStringLiteral("Failed to connect to bus")));
        EXPECT_TRUE(State(dlg).contains(QStringLiteral("30 18 * * 3 ")));
    }
    bManager = true;
    {
        CScheduleDlg dlg(scheduler, cli, project);
        EXPECT_TRUE(Child<QRadioButton>(dlg, "weeklyButton")->isChecked());
        EXPECT_EQ(Child<QComboBox>(dlg, "dayBox")->currentIndex(), 2);
        EXPECT_EQ(Child<QTimeEdit>(dlg, "timeEdit")->time(), QTime(18, 30));
        EXPECT_TRUE(State(dlg).contains(QStringLiteral("Wed 2030-01-02 18:30:00 CET")));
        Child<QRadioButton>(dlg, "offButton")->setChecked(true);
        Apply(dlg);
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir.File("units")));
}

} // namespace
} // namespace tessaray::test
