#pragma once
// Answers a modal dialog from inside its own event loop: the test queues what to do with the
// dialog before the code under test opens it.

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>

#include <functional>

namespace tessaray::test {

// Once a modal dialog of class T is active (checked every 10 ms, for at most 10 s), calls
// act(dialog) and then closes the dialog unless act did.
template <class T> void WhenModal(std::function<void(T&)> act) {
    auto* timer = new QTimer;
    const QDeadlineTimer deadline(10000);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr && !deadline.hasExpired())
            return;
        timer->stop();
        timer->deleteLater();
        if (dialog == nullptr)
            return;
        act(*dialog);
        if (dialog->isVisible())
            dialog->reject();
    });
    timer->start(10);
}

} // namespace tessaray::test
