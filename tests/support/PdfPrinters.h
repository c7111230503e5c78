#pragma once
// The print dialog and preview stood in for by PDF files: "choose" hands a
// printer that writes the next PDF in a temporary folder (or nothing, when
// the test cancels), "preview" renders into one as the preview would.
#include "ui/shell/PrinterChooser.h"

#include "support/PdfWords.h"

#include <QPrinter>
#include <QTemporaryDir>

struct PdfPrinters : PdfWords {
    QTemporaryDir dir;
    bool cancel = false;
    bool unwritable = false; // the next PDF goes to a folder that does not exist
    int previews = 0;
    QStringList files;

    ui::PrinterChooser chooser()
    {
        ui::PrinterChooser c;
        c.choose = [this](QWidget *) -> std::unique_ptr<QPrinter> {
            if (cancel)
                return nullptr;
            return pdfPrinter();
        };
        c.preview = [this](QWidget *, const std::function<bool(QPrinter &)> &render) {
            ++previews;
            std::unique_ptr<QPrinter> p = pdfPrinter();
            render(*p);
        };
        return c;
    }
    std::unique_ptr<QPrinter> pdfPrinter()
    {
        auto p = std::make_unique<QPrinter>(QPrinter::HighResolution);
        p->setOutputFormat(QPrinter::PdfFormat);
        p->setFullPage(true);
        p->setPageSize(QPageSize(QPageSize::Letter));
        files.append(dir.filePath(QStringLiteral("%1print%2.pdf").arg(unwritable ? QStringLiteral("missing/") : QString()).arg(files.size() + 1)));
        p->setOutputFileName(files.last());
        return p;
    }
};
