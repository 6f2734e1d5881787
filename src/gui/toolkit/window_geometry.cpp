#include "gui/toolkit/window_geometry.h"
#include "gui/toolkit/program_settings.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace tessaray {

namespace {

class CGeometryKeeper final : public QObject {
public:
    CGeometryKeeper(QWidget* window, QString key)
        : QObject(window), m_window(window),
          m_strKey(SettingKey(setting::kWindowGeometryPrefix) + std::move(key)) {}

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched == m_window && event->type() == QEvent::Show && !m_bRestored) {
            m_bRestored = true;
            const QByteArray stored = ProgramSettings().value(m_strKey).toByteArray();
            if (!stored.isEmpty()) {
                m_window->restoreGeometry(stored);
            }
            FitToScreen(m_window);
        } else if (watched == m_window && event->type() == QEvent::Hide && m_bRestored) {
            ProgramSettings().setValue(m_strKey, m_window->saveGeometry());
        }
        return false;
    }

private:
    QWidget* m_window;
    QString m_strKey;
    bool m_bRestored = false;
};

class CDialogFitter final : public QObject {
public:
    using QObject::QObject;

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) {
            if (auto* dialog = qobject_cast<QDialog*>(watched); dialog != nullptr) {
                FitToScreen(dialog);
            }
        }
        return false;
    }
};

} // namespace

void FitDialogsToScreen(QObject& owner) {
    qApp->installEventFilter(new CDialogFitter(&owner));
}

void RememberGeometry(QWidget* window, const QString& key) {
    window->installEventFilter(new CGeometryKeeper(window, key));
}

void FitToScreen(QWidget* window) {
    const QScreen* screen = window->screen();
    if (screen == nullptr) {
        return;
    }
    const QRect available = screen->availableGeometry();
    // The window manager's frame comes on top of the window's own size.
    const QSize frame = window->frameGeometry().size() - window->geometry().size();
    const QSize fitting = window->size().boundedTo(available.size() - frame);
    if (fitting != window->size()) {
        window->resize(fitting.expandedTo(window->minimumSize()));
    }
    const QRect outer = window->frameGeometry();
    const int x = std::clamp(outer.x(), available.left(),
                             std::max(available.left(), available.right() + 1 - outer.width()));
    const int y = std::clamp(outer.y(), available.top(),
                             std::max(available.top(), available.bottom() + 1 - outer.height()));
    if (x != outer.x() || y != outer.y()) {
        window->move(x, y);
    }
}

} // namespace tessaray
