#include "gui/results/print_commands.h"

#include "gui/results/table_printer.h"
#include "gui/toolkit/command_frame.h"
#include "gui/toolkit/command_ids.h"
#include "gui/toolkit/ui_hooks.h"

#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>

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

int CPrintCommands::PrintOn(QPrinter& printer) {
    printer.setDocName(m_title());
    const int pages = CTablePrinter(m_view, m_title()).Print(printer);
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
    if (dialog.exec() == QDialog::Accepted) {
        PrintOn(Printer());
    }
}

std::unique_ptr<QPrintPreviewDialog> CPrintCommands::CreatePreviewDialog() {
    auto dialog = std::make_unique<QPrintPreviewDialog>(&Printer(), &m_frame);
    dialog->setObjectName(QStringLiteral("printPreview"));
    QObject::connect(dialog.get(), &QPrintPreviewDialog::paintRequested, dialog.get(),
                     [this](QPrinter* printer) { PrintOn(*printer); });
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
