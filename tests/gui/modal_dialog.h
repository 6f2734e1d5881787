#pragma once
// Helpers of the dialog tests: widgets found by object name, and modal dialogs answered from
// inside their own event loop (the test queues what to do before the code under test opens them).

#include "gui/toolkit/ui_hooks.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>

namespace tessaray::test {

// The child of parent with the given object name; a missing one fails the test.
template <class T> T& Child(const QObject& parent, const char* name) {
    T* child = parent.findChild<T*>(QString::fromLatin1(name));
    if (child == nullptr) {
        throw std::runtime_error(std::string("no child named ") + name);
    }
    return *child;
}

// Presses OK or Cancel of a dialog's button box.
inline void Press(const QDialog& dialog, QDialogButtonBox::StandardButton which) {
    Child<QDialogButtonBox>(dialog, "buttonBox").button(which)->click();
}

// Runs act on the next modal dialog other than outer, once it is shown. It looks every 10 ms for
// about two seconds; when none appears, a required dialog fails the test and an optional one is
// simply not answered. Setting *stop (when given) ends the watch at its next look.
inline void OnNextModal(std::function<void(QDialog&)> act, const QWidget* outer = nullptr,
                        bool bRequired = true, int nTriesLeft = 200,
                        std::shared_ptr<const bool> stop = {}) {
    QTimer::singleShot(
        10, [act = std::move(act), outer, bRequired, nTriesLeft, stop = std::move(stop)]() mutable {
            if (stop && *stop) {
                return;
            }
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog != nullptr && dialog != outer) {
                act(*dialog);
            } else if (nTriesLeft > 0) {
                OnNextModal(std::move(act), outer, bRequired, nTriesLeft - 1, std::move(stop));
            } else if (bRequired) {
                ADD_FAILURE() << "no modal dialog appeared";
            }
        });
}

// Once a modal dialog of class T is active (checked every 10 ms, for at most 10 s), calls
// act(dialog) and then closes the dialog unless act did.
template <class T> void WhenModal(std::function<void(T&)> act) {
    auto* timer = new QTimer;
    const QDeadlineTimer deadline(10000);
    QObject::connect(timer, &QTimer::timeout, [timer, deadline, act] {
        auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget());
        if (dialog == nullptr && !deadline.hasExpired()) {
            return;
        }
        timer->stop();
        timer->deleteLater();
        if (dialog == nullptr) {
            return;
        }
        act(*dialog);
        if (dialog->isVisible()) {
            dialog->reject();
        }
    });
    timer->start(10);
}

// Answers the next Enter URL dialog (opened inside outer, when given) with an address and a
// comment.
inline void AnswerEnterUrl(const QString& url, const QString& comment = {},
                           const QWidget* outer = nullptr) {
    OnNextModal(
        [url, comment](QDialog& enter) {
            Child<QLineEdit>(enter, "urlEdit").setText(url);
            Child<QLineEdit>(enter, "commentEdit").setText(comment);
            Press(enter, QDialogButtonBox::Ok);
        },
        outer);
}

// Dialog hooks that record what a dialog asks and answer file requests from a queue.
struct SRecordingHooks {
    SUiHooks hooks;
    QStringList messages;      // texts of the message boxes shown
    QStringList filters;       // filters of the file requests
    QStringList chosenPaths;   // answers to file requests, front first ("" when none are left)
    QList<QUrl> openedUrls;    // addresses handed to the browser
    bool bOpenSucceeds = true; // what opening answers

    SRecordingHooks() {
        hooks.chooseFile = [this](QWidget*, const SFileRequest& request) {
            filters.append(request.strFilter);
            return chosenPaths.isEmpty() ? QString() : chosenPaths.takeFirst();
        };
        hooks.messageBox = [this](QWidget*, QMessageBox::Icon, const QString& text,
                                  QMessageBox::StandardButtons) {
            messages.append(text);
            return QMessageBox::Ok;
        };
        hooks.openUrl = [this](const QUrl& url) {
            openedUrls.append(url);
            return bOpenSucceeds;
        };
    }
    SRecordingHooks(const SRecordingHooks&) = delete;
    SRecordingHooks& operator=(const SRecordingHooks&) = delete;
};

} // namespace tessaray::test
