#pragma once

#include <QDialog>

namespace tessaray {

class CLineList;

// "List of External Links": shows the imported Google external links and their count.
class CExtLinksDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CExtLinksDlg)

public:
    CExtLinksDlg(const CLineList& links, QWidget* parent = nullptr);
};

} // namespace tessaray
