#pragma once

#include <QObject>
#include <QStringList>

#include <memory>

namespace tessaray {

class CMainFrame;

// The application object: start-up, settings, interface language, and the one main window.
class CTessarayApp final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CTessarayApp)

public:
    CTessarayApp();
    ~CTessarayApp() override;

    // Runs the start-up steps; args are the command-line arguments after the program name.
    bool InitInstance(const QStringList& args);

    CMainFrame* MainFrame() const { return m_mainFrame.get(); }

private:
    std::unique_ptr<CMainFrame> m_mainFrame;
};

} // namespace tessaray
