#pragma once

#include "gui/results/table_printer.h"

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>
#include <vector>

class QPrintPreviewDialog;
class QComboBox;
class QPrinter;
class QTableView;
class QWidget;

namespace tessaray {

class CCommandFrame;
struct SUiHooks;

// Print, Print Preview and Print Setup of the results table. The printer and its settings (paper,
// orientation, printer or PDF file) last as long as the window, so Print Setup holds for the next
// Print; a new printer starts in landscape, which suits the wide table. What is printed is a
// choice of the print dialog and the preview: the verdict summary (number, partner, verdict and
// reasons) or the table as the view shows it, its columns in their order.
class CPrintCommands final {
    Q_DECLARE_TR_FUNCTIONS(tessaray::CPrintCommands)

public:
    // title gives the text printed above the table; canPrint whether there is something to print.
    CPrintCommands(CCommandFrame& frame, const SUiHooks& hooks, const QTableView& view,
                   std::function<QString()> title, std::function<bool()> canPrint);
    ~CPrintCommands();
    CPrintCommands(const CPrintCommands&) = delete;
    CPrintCommands& operator=(const CPrintCommands&) = delete;

    enum class EContent { Summary, Table };

    // Registers Print, Print Preview and Print Setup with the frame.
    void ConnectCommands();

    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();

    // Prints the table on printer; a failure is told in a message box. Returns the page count.
    int PrintOn(QPrinter& printer);
    QPrinter& Printer();
    // The preview of the pages on the printer (what Print Preview shows), with the choice of
    // what to print in its tool bar.
    std::unique_ptr<QPrintPreviewDialog> CreatePreviewDialog();
    EContent Content() const { return m_eContent; }
    void SetContent(EContent eContent) { m_eContent = eContent; }

    // The columns printed for the content chosen.
    std::vector<SPrintColumn> Columns() const;

private:
    // The choice of what to print, for the print dialog and the preview's tool bar.
    QComboBox* CreateContentChoice(QWidget* parent);

    CCommandFrame& m_frame;
    const SUiHooks& m_hooks;
    const QTableView& m_view;
    std::function<QString()> m_title;
    std::function<bool()> m_canPrint;
    std::unique_ptr<QPrinter> m_printer;
    EContent m_eContent = EContent::Summary;
};

} // namespace tessaray
