// The text import dialog: Browse with the text-file filter.
#include "gui/project/txt_import_dlg.h"

#include "modal_dialog.h"

#include <QLineEdit>

namespace tessaray::test {
namespace {

TEST(TxtImportDlgTest, BrowseOffersTextFilesAndTakesTheChosenPath) {
    SRecordingHooks rec;
    CTxtImportDlg dlg(rec.hooks);
    Child<QLineEdit>(dlg, "pathEdit").setText(QStringLiteral("/data/old.txt"));
    Child<QPushButton>(dlg, "browseButton").click(); // cancelled
    EXPECT_EQ(dlg.GetPath(), QStringLiteral("/data/old.txt"));

    rec.chosenPaths = {QStringLiteral("/data/partners.txt")};
    Child<QPushButton>(dlg, "browseButton").click();
    EXPECT_EQ(dlg.GetPath(), QStringLiteral("/data/partners.txt"));
    EXPECT_EQ(rec.filters, QStringList(2, QStringLiteral("Text Files (.txt) (*.txt)")));
}

} // namespace
} // namespace tessaray::test
