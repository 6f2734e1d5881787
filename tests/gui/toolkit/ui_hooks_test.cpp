// The desktop hooks: the log-in prompt shows what the server sends as text, and a failed open
// says what could not be opened.
#include "gui/toolkit/ui_hooks.h"

#include "modal_dialog.h"

#include <QLabel>

namespace tessaray::test {
namespace {

TEST(UiHooksTest, LogInPromptShowsTheRealmAsPlainText) {
    const SUiHooks hooks = SUiHooks::Desktop();
    QLabel* prompt = nullptr;
    QString text;
    OnNextModal([&](QDialog& dialog) {
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->text().contains(QStringLiteral("<img"))) {
                prompt = label;
                text = label->text();
                EXPECT_EQ(label->textFormat(), Qt::PlainText);
            }
        }
        dialog.reject();
    });
    QString user;
    QString password;
    EXPECT_FALSE(hooks.askCredentials(nullptr, QStringLiteral("http://a.example"),
                                      QStringLiteral("<img src=x><b>members</b>"), false, user,
                                      password));
    EXPECT_NE(prompt, nullptr);
    EXPECT_TRUE(text.contains(QStringLiteral("<b>members</b>")));
}

TEST(UiHooksTest, FailedOpenNamesTheFileOrAddress) {
    SRecordingHooks rec;
    EXPECT_TRUE(OpenOrTell(rec.hooks, nullptr, QUrl(QStringLiteral("http://a.example/"))));
    EXPECT_TRUE(rec.messages.isEmpty());
    rec.bOpenSucceeds = false;
    EXPECT_FALSE(OpenOrTell(rec.hooks, nullptr, QUrl(QStringLiteral("http://a.example/"))));
    EXPECT_FALSE(OpenOrTell(rec.hooks, nullptr,
                            QUrl::fromLocalFile(QStringLiteral("/tmp/r & d/tessaray-report.csv"))));
    EXPECT_EQ(rec.messages,
              (QStringList{QStringLiteral("No web browser could open http://a.example/."),
                           QStringLiteral("No program could open the file "
                                          "/tmp/r & d/tessaray-report.csv.")}));
}

} // namespace
} // namespace tessaray::test
