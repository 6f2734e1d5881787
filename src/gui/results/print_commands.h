#pragma once

#include <QCoreApplication>
#include <QString>

#include <functional>
#include <memory>

class QPrintPreviewDialog;
class QPrinter;
class QTableView;

namespace tessaray {

class CCommandFrame;
struct SUiHooks;

// Print, Print Preview and Print Setup of the results table. The printer and its settings (paper,
// orientation, printer or PDF file) last as long as the window, so Print Setup holds for the next
// Print; a new printer starts in landscape, which suits the wide table.
class CPrintCommands final {
    Q_DECLARE_TR_FUNCTIONS(tessaray::CPrintCommands)

public:
    // title gives the text printed above the table; canPrint whether there is something to print.
    CPrintCommands(CCommandFrame& frame, const SUiHooks& hooks, const QTableView& view,
                   std::function<QString()> title, std::function<bool()> canPrint);
    ~CPrintCommands();
    CPrintCommands(const CPrintCommands&) = delete;
    CPrintCommands& operator=(const CPrintCommands&) = delete;

    // Registers Print, Print Preview and Print Setup with the frame.
    void ConnectCommands();

    void OnFilePrint();
    void OnFilePrintPreview();
    void OnFilePrintSetup();

    // Prints the table on printer; a failure is told in a message box. Returns the page count.
    int PrintOn(QPrinter& printer);
    QPrinter& Printer();
    // The preview of the pages on the printer (what Print Preview shows).
    std::unique_ptr<QPrintPreviewDialog> CreatePreviewDialog();

private:
    CCommandFrame& m_frame;
    const SUiHooks& m_hooks;
    const QTableView& m_view;
    std::function<QString()> m_title;
    std::function<bool()> m_canPrint;
    std::unique_ptr<QPrinter> m_printer;
};

} // namespace tessaray
