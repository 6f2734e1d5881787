#pragma once

#include <QDialog>

#include <string>

class QLabel;
class QLineEdit;
class QPushButton;

namespace tessaray {

struct SUiHooks;

// "Enter URL": one web address and, when allowed, a comment on it. OK accepts only a valid
// address and returns it normalised, joined with the comment as a partner entry.
class CEnterUrlDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CEnterUrlDlg)

public:
    // The longest comment OK accepts.
    static constexpr int kMaxCommentLength = 200;

    explicit CEnterUrlDlg(const SUiHooks& hooks, QWidget* parent = nullptr);

    // The initial text: a partner entry with or without comment, or the domain. It is split into
    // the address and the comment field.
    void SetText(const std::string& text);
    // Without a comment (the domain) the comment field and its label are disabled.
    void SetCommentAllowed(bool bAllowed);
    // After OK: the normalised address, followed by " - " and the comment when there is one.
    const std::string& GetText() const { return m_strText; }

    // OK: refuses a comment longer than 200 characters with a message and an invalid address with
    // a hint under the field; both keep the dialog open.
    void accept() override;
    // The paste button: the clipboard's text becomes the address (normalised when valid).
    void OnPaste();
    // Opens the address in the browser when it is valid.
    void OnTestUrl();

private:
    const SUiHooks& m_hooks;
    std::string m_strText;
    // The bytes SetText gave, kept for the fields the user leaves as they were.
    std::string m_strOriginalUrl;
    std::string m_strOriginalComment;
    QLineEdit* m_urlEdit = nullptr;
    QLabel* m_urlHint = nullptr;
    QPushButton* m_pasteButton = nullptr;
    QLabel* m_commentLabel = nullptr;
    QLineEdit* m_commentEdit = nullptr;
};

} // namespace tessaray
