#pragma once
// The print dialog and preview stood in for by PDF files: "choose" hands a
// printer that writes the next PDF in a temporary folder (or nothing, when
// the test cancels), "preview" renders into one as the preview would.
#include "ui/shell/PrinterChooser.h"

#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

struct PdfPrinters {
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
    // Each word of a printed file with its box in points, page by page, in
    // the order printed: "Account@(x1,y1)-(x2,y2)" lines.
    static QStringList wordBoxes(const QString &pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
        p.waitForFinished(30000);
        QStringList boxes;
        const QString html = QString::fromUtf8(p.readAllStandardOutput());
        static const QRegularExpression word(QStringLiteral(
            R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
        for (auto it = word.globalMatch(html); it.hasNext();) {
            const QRegularExpressionMatch m = it.next();
            boxes.append(QStringLiteral("%1@(%2,%3)-(%4,%5)")
                             .arg(m.captured(5))
                             .arg(m.captured(1).toDouble(), 0, 'f', 0)
                             .arg(m.captured(2).toDouble(), 0, 'f', 0)
                             .arg(m.captured(3).toDouble(), 0, 'f', 0)
                             .arg(m.captured(4).toDouble(), 0, 'f', 0));
        }
        return boxes;
    }
    // The boxes of every printing of a word, from wordBoxes' lines.
    static QList<QRect> boxesOf(const QStringList &boxes, const QString &word)
    {
        static const QRegularExpression box(QStringLiteral(R"(@\((\d+),(\d+)\)-\((\d+),(\d+)\)$)"));
        QList<QRect> found;
        for (const QString &b : boxes) {
            const QRegularExpressionMatch m = box.match(b);
            if (b.startsWith(word + u'@') && m.hasMatch())
                found.append(QRect(QPoint(m.captured(1).toInt(), m.captured(2).toInt()),
                                   QPoint(m.captured(3).toInt(), m.captured(4).toInt())));
        }
        return found;
    }
    // The words of a printed file, page breaks as form feeds.
    static QString textOf(const QString &pdf)
    {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
        p.waitForFinished(30000);
        return QString::fromUtf8(p.readAllStandardOutput());
    }
};
