#pragma once
// The print dialog and the print preview as a seam: the system ones in the
// program, a PDF file in the tests. A print routine paints on whatever
// printer it is handed.
#include "printing/InvoiceSink.h"

#include <QString>
#include <functional>
#include <memory>

class QPrinter;
class QWidget;

namespace base {
class Prompt;
} // namespace base

namespace ui {

struct PrinterChooser {
    // The printer chosen in the print dialog (no page range, collate preset,
    // printing to a file offered), laid out full-page; nothing on Cancel.
    std::function<std::unique_ptr<QPrinter>(QWidget *parent)> choose;
    // Shows the pages `render` paints, before any paper is spent.
    std::function<void(QWidget *parent, const std::function<bool(QPrinter &)> &render)> preview;
    static PrinterChooser system();
};

// The printer chosen, `render` painting on it; the reason it gives for a
// failure ("A Print Error has occurred") said. Nothing on Cancel.
void printOnChosen(const PrinterChooser &printers, QWidget *parent, base::Prompt &prompt,
                   const std::function<QString(QPrinter &)> &render);

// The reason a printer gives for a failed job, if it gives one.
QString printerProblem(const QPrinter &printer, const QString &fallback);

// How invoices go to the printer chosen: to a file, all into the one file
// chosen, each on new pages numbered from 1; to a printer, each a job.
printing::DeviceInvoiceSink::Jobs invoiceJobsFor(const QPrinter &printer);

} // namespace ui
