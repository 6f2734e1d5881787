#include "gui/app/tessaray_app.h"

#include "gui/app/main_frame.h"

namespace tessaray {

CTessarayApp::CTessarayApp() = default;
CTessarayApp::~CTessarayApp() = default;

bool CTessarayApp::InitInstance(const QStringList& args) {
    (void)args;
    m_mainFrame = std::make_unique<CMainFrame>();
    m_mainFrame->show();
    return true;
}

} // namespace tessaray
