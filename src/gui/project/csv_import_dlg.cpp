#include "gui/project/csv_import_dlg.h"

#include "core/project/link_import.h"
#include "gui/project/dlg_support.h"
#include "gui/toolkit/ui_hooks.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include <optional>

namespace tessaray {

namespace {

// The integer of a number field: blanks around an optional sign and digits; anything else is not
// an integer. Values beyond the int range are kept out of range.
std::optional<long long> ParseInteger(const QString& text) {
    const QString trimmed = text.trimmed();
    qsizetype i = 0;
    bool bNegative = false;
    if (i < trimmed.size() && (trimmed[i] == u'+' || trimmed[i] == u'-')) {
        bNegative = trimmed[i++] == u'-';
    }
    if (i == trimmed.size()) {
        return std::nullopt;
    }
    long long value = 0;
    for (; i < trimmed.size(); ++i) {
        if (trimmed[i] < u'0' || trimmed[i] > u'9') {
            return std::nullopt;
        }
        if (value < 1000000000000LL) {
            value = value * 10 + (trimmed[i].unicode() - u'0');
        }
    }
    return bNegative ? -value : value;
}

} // namespace

CCsvImportDlg::CCsvImportDlg(const SUiHooks& hooks, QWidget* parent)
    : QDialog(parent), m_hooks(hooks) {
    setObjectName(QStringLiteral("csvImportDlg"));
    setWindowTitle(tr("Import URLs from a csv file"));

    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    auto* pathRow = new QHBoxLayout;
    m_pathEdit = new QLineEdit(this);
    m_pathEdit->setObjectName(QStringLiteral("pathEdit"));
    m_pathEdit->setMinimumWidth(320);
    pathRow->addWidget(m_pathEdit, 1);
    auto* browseButton = new QPushButton(tr("Browse..."), this);
    browseButton->setObjectName(QStringLiteral("browseButton"));
    browseButton->setAutoDefault(false);
    pathRow->addWidget(browseButton);
    fields->addRow(tr("Csv file:"), pathRow);

    m_columnEdit = new QLineEdit(QString::number(m_nColumn), this);
    m_columnEdit->setObjectName(QStringLiteral("columnEdit"));
    m_columnEdit->setMaximumWidth(80);
    fields->addRow(tr("Column (%1 to %2):").arg(kMinCsvColumn).arg(kMaxCsvColumn), m_columnEdit);
    layout->addLayout(fields);

    auto* separatorBox = new QGroupBox(tr("Separator"), this);
    auto* separatorLayout = new QHBoxLayout(separatorBox);
    m_separatorGroup = new QButtonGroup(this);
    const QString names[] = {QStringLiteral("commaRadio"), QStringLiteral("semicolonRadio"),
                             QStringLiteral("tabRadio")};
    const QString texts[] = {tr("Comma"), tr("Semicolon"), tr("Tabulator")};
    for (int choice = Comma; choice <= Tabulator; ++choice) {
        auto* radio = new QRadioButton(texts[choice], separatorBox);
        radio->setObjectName(names[choice]);
        m_separatorGroup->addButton(radio, choice);
        separatorLayout->addWidget(radio);
    }
    m_separatorGroup->button(Comma)->setChecked(true);
    layout->addWidget(separatorBox);

    AddOkCancelButtons(this, layout);

    connect(browseButton, &QPushButton::clicked, this, &CCsvImportDlg::OnBrowse);
}

void CCsvImportDlg::SetColumn(int nColumn) {
    m_nColumn = nColumn;
    m_columnEdit->setText(QString::number(nColumn));
}

void CCsvImportDlg::SetSeparatorChoice(ESeparatorChoice choice) {
    m_separatorGroup->button(choice)->setChecked(true);
}

QString CCsvImportDlg::GetPath() const {
    return m_pathEdit->text();
}

CCsvImportDlg::ESeparatorChoice CCsvImportDlg::GetSeparatorChoice() const {
    return static_cast<ESeparatorChoice>(m_separatorGroup->checkedId());
}

void CCsvImportDlg::accept() {
    static constexpr char kSeparators[] = {',', ';', '\t'};
    m_chSeparator = kSeparators[GetSeparatorChoice()];

    const std::optional<long long> column = ParseInteger(m_columnEdit->text());
    QString problem;
    if (!column) {
        problem = tr("Please enter an integer.");
    } else if (*column < kMinCsvColumn || *column > kMaxCsvColumn) {
        problem =
            tr("Please enter an integer between %1 and %2.").arg(kMinCsvColumn).arg(kMaxCsvColumn);
    }
    if (!problem.isEmpty()) {
        m_hooks.messageBox(this, QMessageBox::Warning, problem, QMessageBox::Ok);
        m_columnEdit->setFocus();
        m_columnEdit->selectAll();
        return;
    }
    m_nColumn = static_cast<int>(*column);
    QDialog::accept();
}

void CCsvImportDlg::OnBrowse() {
    SFileRequest request;
    request.strFilter = tr("Csv Files (.csv)") + QStringLiteral(" (*.csv);;") +
                        tr("Text Files (.txt)") + QStringLiteral(" (*.txt)");
    const QString path = m_hooks.chooseFile(this, request);
    if (!path.isEmpty()) {
        m_pathEdit->setText(path);
    }
}

} // namespace tessaray
