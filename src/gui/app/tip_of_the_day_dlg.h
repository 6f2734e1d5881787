#pragma once

#include "core/app/tips_reader.h"

#include <QDialog>

#include <string>

class QCheckBox;
class QLabel;
class QPushButton;

namespace tessaray {

struct SUiHooks;

// The settings of the tip of the day in section "Tip" of the program's settings.
class CTipSettings final : public ITipSettings {
public:
    int ReadStartUp() override;
    std::int64_t ReadFilePos() override;
    std::string ReadTimeStamp() override;
    void WriteStartUp(int value) override;
    void WriteFilePos(std::int64_t value) override;
    void WriteTimeStamp(const std::string& value) override;
};

// The "Tip of the Day" dialog over the tips file of a folder. Close stores whether the tips show
// at start-up; leaving with Escape stores nothing. The file position is stored on destruction, so
// the next showing continues after the last tip shown.
class CTipOfTheDayDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTipOfTheDayDlg)

public:
    // Opens folder/tips.txt and reads the first tip; a failed seek is reported through hooks'
    // message box.
    // fileName: the tips file of the interface language.
    CTipOfTheDayDlg(const std::string& folder, const SUiHooks& hooks, QWidget* parent = nullptr,
                    const char* fileName = "tips.txt");

    bool IsShowAtStartup() const { return m_reader.IsShowAtStartup(); }
    QString Tip() const;

    // The Close button: takes the check box, closes and stores "StartUp".
    void accept() override;

private:
    void OnNextTip();
    void UpdateTipText();
    void ReportReadTrouble();

    CTipSettings m_settings;
    CTipsReader m_reader; // keeps the tips file open; stores the position when destroyed
    const SUiHooks& m_hooks;
    QLabel* m_tipText = nullptr;
    QCheckBox* m_showAtStartup = nullptr;
    QPushButton* m_nextTip = nullptr;
};

} // namespace tessaray
