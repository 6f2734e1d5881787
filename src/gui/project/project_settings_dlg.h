#pragma once

#include "core/project/line_list.h"

#include <QDialog>

class QLabel;

namespace tessaray {

struct SUiHooks;

// "Project Settings": imports the external-link table of Google Search Console. The list
// starts empty, so OK without an import hands back an empty list.
class CProjectSettingsDlg final : public QDialog {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CProjectSettingsDlg)

public:
    explicit CProjectSettingsDlg(const SUiHooks& hooks, QWidget* parent = nullptr);

    const CLineList& ExternalLinks() const { return m_externalLinks; }

    // "Import csv-Table...": the CSV dialog preset to column 2 and Comma; on OK the list becomes
    // the valid, lower-cased URLs of that column (empty when the file cannot be read).
    void OnImportTable();

private:
    const SUiHooks& m_hooks;
    CLineList m_externalLinks;
    QLabel* m_status = nullptr;
};

} // namespace tessaray
