#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace tessaray {

// The filter line above the results table: a text searched for in every cell and the switch
// "Show only problems". It only holds the user's choice; the view decides which rows pass.
class CFilterBar final : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CFilterBar)

public:
    explicit CFilterBar(QWidget* parent = nullptr);

    QString Text() const;
    bool ProblemsOnly() const;
    // True while either part of the filter holds back rows.
    bool IsActive() const { return !Text().isEmpty() || ProblemsOnly(); }
    // Puts the keyboard focus into the text, its old text selected, to type what to find.
    void FocusText();
    // Shows how many of the rows pass (only while the filter is active).
    void ShowCount(int nShown, int nRows);

signals:
    void FilterChanged();

private:
    QLineEdit* m_edit = nullptr;
    QCheckBox* m_problemsOnly = nullptr;
    QLabel* m_count = nullptr;
};

} // namespace tessaray
