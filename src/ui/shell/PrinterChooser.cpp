#include "ui/shell/PrinterChooser.h"

#include "base/Prompt.h"

#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {

namespace {
void prepare(QPrinter &printer)
{
    // Twips are positions on the paper: no margins between them.
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::Letter));
    printer.setCollateCopies(true);
}
} // namespace

PrinterChooser PrinterChooser::system()
{
    PrinterChooser c;
    c.choose = [](QWidget *parent) -> std::unique_ptr<QPrinter> {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        prepare(*printer);
        QPrintDialog dialog(printer.get(), parent);
        dialog.setOption(QAbstractPrintDialog::PrintPageRange, false);
        dialog.setOption(QAbstractPrintDialog::PrintCollateCopies, true);
        dialog.setOption(QAbstractPrintDialog::PrintToFile, true);
        if (dialog.exec() != QDialog::Accepted)
            return nullptr;
        printer->setFullPage(true);
        return printer;
    };
    c.preview = [](QWidget *parent, const std::function<bool(QPrinter &)> &render) {
        QPrinter printer(QPrinter::HighResolution);
        prepare(printer);
        QPrintPreviewDialog dialog(&printer, parent);
        dialog.setObjectName(QStringLiteral("dlgPrintPreview"));
        dialog.setAccessibleName(QStringLiteral("Print Preview"));
        QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog, [&](QPrinter *p) {
            p->setFullPage(true);
            render(*p);
        });
        // A letter page at a readable size, within the screen it opens on.
        QSize size(900, 1000);
        if (QScreen *screen = parent ? parent->screen() : QGuiApplication::primaryScreen())
            size = size.boundedTo(screen->availableGeometry().size() * 0.9);
        dialog.resize(size);
        dialog.exec();
    };
    return c;
}

void printOnChosen(const PrinterChooser &printers, QWidget *parent, base::Prompt &prompt,
                   const std::function<QString(QPrinter &)> &render)
{
    std::unique_ptr<QPrinter> printer = printers.choose(parent);
    if (!printer)
        return;
    if (const QString problem = render(*printer); !problem.isEmpty())
        prompt.message(QStringLiteral("A Print Error has occurred\n(%1)").arg(problem), QStringLiteral("Print Error"));
}

QString printerProblem(const QPrinter &printer, const QString &fallback)
{
    if (printer.printerState() == QPrinter::Error && !printer.printerName().isEmpty())
        return QStringLiteral("the printer %1 reported an error").arg(printer.printerName());
    return fallback;
}

printing::DeviceInvoiceSink::Jobs invoiceJobsFor(const QPrinter &printer)
{
    return printer.outputFileName().isEmpty() ? printing::DeviceInvoiceSink::Jobs::OneEach
                                              : printing::DeviceInvoiceSink::Jobs::OneDocument;
}

} // namespace ui
