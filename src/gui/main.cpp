// tessaray: the desktop program. Everything happens in CTessarayApp; this only starts Qt.
#include "gui/app/tessaray_app.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication qtApp(argc, argv);
    tessaray::CTessarayApp app;
    if (!app.InitInstance(QCoreApplication::arguments().mid(1)))
        return 1;
    return QApplication::exec();
}
