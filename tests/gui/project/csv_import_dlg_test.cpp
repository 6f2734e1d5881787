// The CSV import dialog: separator choices, the column range check and Browse.
#include "gui/project/csv_import_dlg.h"

#include "modal_dialog.h"

#include <QLineEdit>
#include <QRadioButton>

namespace tessaray::test {
namespace {

class CsvImportDlgTest : public ::testing::Test {
protected:
    SRecordingHooks m_rec;
    CCsvImportDlg m_dlg{m_rec.hooks};
    QLineEdit& m_column = Child<QLineEdit>(m_dlg, "columnEdit");
};

TEST_F(CsvImportDlgTest, OpensWithColumnOneAndCommaAndEachChoiceGivesItsSeparator) {
    EXPECT_EQ(m_column.text(), QStringLiteral("1"));
    EXPECT_TRUE(Child<QRadioButton>(m_dlg, "commaRadio").isChecked());

    const std::pair<const char*, char> choices[] = {
        {"semicolonRadio", ';'}, {"tabRadio", '\t'}, {"commaRadio", ','}};
    for (const auto& [radio, separator] : choices) {
        Child<QRadioButton>(m_dlg, radio).click();
        Press(m_dlg, QDialogButtonBox::Ok);
        EXPECT_EQ(m_dlg.result(), QDialog::Accepted) << radio;
        EXPECT_EQ(m_dlg.GetSeparator(), separator) << radio;
    }

    m_dlg.SetColumn(2);
    m_dlg.SetSeparatorChoice(CCsvImportDlg::Tabulator);
    EXPECT_EQ(m_column.text(), QStringLiteral("2"));
    EXPECT_TRUE(Child<QRadioButton>(m_dlg, "tabRadio").isChecked());
}

TEST_F(CsvImportDlgTest, TheColumnMustBeAnIntegerFromOneToAHundred) {
    const QString notAnInteger = QStringLiteral("Please enter an integer.");
    const QString outOfRange = QStringLiteral("Please enter an integer between 1 and 100.");
    const std::pair<const char*, QString> refused[] = {
        {"", notAnInteger},  {"abc", notAnInteger}, {"2x", notAnInteger},
        {"+", notAnInteger}, {"1 2", notAnInteger}, {"0", outOfRange},
        {"101", outOfRange}, {"-3", outOfRange},    {"99999999999999999999", outOfRange}};
    m_dlg.show();
    for (const auto& [text, message] : refused) {
        m_rec.messages.clear();
        m_column.setText(QString::fromLatin1(text));
        Press(m_dlg, QDialogButtonBox::Ok);
        EXPECT_TRUE(m_dlg.isVisible()) << text;
        EXPECT_EQ(m_rec.messages, QStringList{message}) << text;
    }

    const std::pair<const char*, int> accepted[] = {{" 100 ", 100}, {"+1", 1}, {"007", 7}};
    for (const auto& [text, column] : accepted) {
        m_dlg.show();
        m_column.setText(QString::fromLatin1(text));
        Press(m_dlg, QDialogButtonBox::Ok);
        EXPECT_EQ(m_dlg.result(), QDialog::Accepted) << text;
        EXPECT_EQ(m_dlg.GetColumn(), column) << text;
    }
}

TEST_F(CsvImportDlgTest, BrowseOffersCsvAndTextFilesAndACancelKeepsThePath) {
    QLineEdit& path = Child<QLineEdit>(m_dlg, "pathEdit");
    path.setText(QStringLiteral("/data/old.csv"));
    Child<QPushButton>(m_dlg, "browseButton").click(); // cancelled
    EXPECT_EQ(path.text(), QStringLiteral("/data/old.csv"));

    m_rec.chosenPaths = {QStringLiteral("/data/links.csv")};
    Child<QPushButton>(m_dlg, "browseButton").click();
    EXPECT_EQ(m_dlg.GetPath(), QStringLiteral("/data/links.csv"));
    EXPECT_EQ(m_rec.filters.constFirst(),
              QStringLiteral("Csv Files (.csv) (*.csv);;Text Files (.txt) (*.txt)"));
}

} // namespace
} // namespace tessaray::test
