#pragma once

#include <QDockWidget>

#include <string>

class QListWidget;
class QTabWidget;

namespace tessaray {

// The docking output bar: a tab control with one page "Output" holding the output log, a list of
// lines in the order written.
class COutputBar final : public QDockWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(COutputBar)

public:
    explicit COutputBar(QWidget* parent);

    // Appends text as the new last line, selects it and scrolls it into view.
    void AddOutputLine(const std::string& text);
    // Extends the last line by text (no selection afterwards); on an empty log adds text as a line.
    void AppendToLastOutputLine(const std::string& text);
    // Removes every line.
    void ClearOutput();

    QListWidget* Log() const { return m_wndLog; }

private:
    QTabWidget* m_wndTabs = nullptr;
    QListWidget* m_wndLog = nullptr;
};

} // namespace tessaray
