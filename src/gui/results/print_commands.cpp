#include "gui/results/print_commands.h"

#include "gui/results/result_model.h"
#include "gui/results/table_printer.h"
#include "gui/toolkit/command_frame.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/ui_hooks.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPrinter>
#include <QTableView>
#include <QToolBar>

namespace tessaray {

CPrintCommands::CPrintCommands(CCommandFrame& frame, const SUiHooks& hooks, const QTableView& view,
                               std::function<QString()> title, std::function<bool()> canPrint)
    : m_frame(frame), m_hooks(hooks), m_view(view), m_title(std::move(title)),
      m_canPrint(std::move(canPrint)) {}

CPrintCommands::~CPrintCommands() = default;

void CPrintCommands::ConnectCommands() {
    m_frame.SetCommandHandler(
        ID_FILE_PRINT, [this] { OnFilePrint(); }, m_canPrint);
    m_frame.SetCommandHandler(
        ID_FILE_PRINT_PREVIEW, [this] { OnFilePrintPreview(); }, m_canPrint);
    m_frame.SetCommandHandler(ID_FILE_PRINT_SETUP, [this] { OnFilePrintSetup(); });
}

QPrinter& CPrintCommands::Printer() {
    if (!m_printer) {
        m_printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        m_printer->setPageOrientation(QPageLayout::Landscape);
    }
    return *m_printer;
}

std::vector<SPrintColumn> CPrintCommands::Columns() const {
    const QAbstractItemModel& model = *m_view.model();
    const auto title = [&model](int col) {
        return model.headerData(col, Qt::Horizontal, Qt::DisplayRole).toString();
    };
    if (m_eContent == EContent::Summary) {
        return {{kColNo, Qt::DisplayRole, title(kColNo), false},
                {kColPartnerUrl, Qt::DisplayRole, title(kColPartnerUrl), true},
                {CResultModel::kVerdictColumn, Qt::DisplayRole, title(CResultModel::kVerdictColumn),
                 false},
                {CResultModel::kVerdictColumn, CResultModel::kReasonsRole, tr("Reasons"), true}};
    }
    std::vector<SPrintColumn> columns;
    const QHeaderView* header = m_view.horizontalHeader();
    for (int place = 0; place < header->count(); ++place) {
        const int col = header->logicalIndex(place);
        if (!header->isSectionHidden(col)) {
            columns.push_back({col, Qt::DisplayRole, title(col), col == kColPartnerUrl});
        }
    }
    return columns;
}

QComboBox* CPrintCommands::CreateContentChoice(QWidget* parent) {
    auto* choice = new QComboBox(parent);
    choice->setObjectName(QStringLiteral("printContent"));
    choice->addItem(tr("Verdict summary"), static_cast<int>(EContent::Summary));
    choice->addItem(tr("The table as shown"), static_cast<int>(EContent::Table));
    choice->setCurrentIndex(m_eContent == EContent::Summary ? 0 : 1);
    QObject::connect(choice, &QComboBox::currentIndexChanged, choice, [this, choice] {
        m_eContent = static_cast<EContent>(choice->currentData().toInt());
    });
    return choice;
}

int CPrintCommands::PrintOn(QPrinter& printer) {
    printer.setDocName(m_title());
    const int pages = CTablePrinter(*m_view.model(), Columns(), m_title()).Print(printer);
    if (pages == 0) {
        const QString file = printer.outputFileName();
        m_hooks.messageBox(&m_frame, QMessageBox::Warning,
                           file.isEmpty() ? tr("The table could not be printed.")
                                          : tr("The table could not be printed to %1.").arg(file),
                           QMessageBox::Ok);
    }
    return pages;
}

void CPrintCommands::OnFilePrint() {
    QPrintDialog dialog(&Printer(), &m_frame);
    // The choice is a page of the dialog's options (where the platform's dialog has them).
    auto* content = new QWidget;
    content->setWindowTitle(tr("Content"));
    auto* layout = new QHBoxLayout(content);
    layout->addWidget(new QLabel(tr("Print:"), content));
    layout->addWidget(CreateContentChoice(content), 1);
    dialog.setOptionTabs({content});
    if (dialog.exec() == QDialog::Accepted) {
        PrintOn(Printer());
    }
}

std::unique_ptr<QPrintPreviewDialog> CPrintCommands::CreatePreviewDialog() {
    auto dialog = std::make_unique<QPrintPreviewDialog>(&Printer(), &m_frame);
    dialog->setObjectName(QStringLiteral("printPreview"));
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                     [this](QPrinter* printer) { PrintOn(*printer); });
    if (auto* toolBar = dialog->findChild<QToolBar*>(); toolBar != nullptr) {
        toolBar->addSeparator();
        QComboBox* choice = CreateContentChoice(toolBar);
        toolBar->addWidget(choice);
        auto* preview = dialog->findChild<QPrintPreviewWidget*>();
        QObject::connect(choice, &QComboBox::currentIndexChanged, dialog.get(), [preview] {
            if (preview != nullptr) {
                preview->updatePreview();
            }
        });
    }
    return dialog;
}

void CPrintCommands::OnFilePrintPreview() {
    CreatePreviewDialog()->exec();
}

void CPrintCommands::OnFilePrintSetup() {
    QPageSetupDialog dialog(&Printer(), &m_frame);
    dialog.exec();
}

} // namespace tessaray
