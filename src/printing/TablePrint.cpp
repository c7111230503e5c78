#include "printing/TablePrint.h"

namespace printing {

namespace {

QString fitted(const PrintSurface &s, QString text, double width)
{
    while (!text.isEmpty() && s.textWidth(text) > width)
        text.chop(1);
    return text;
}

void printHeading(PagePrinter &p, const QString &title, const QStringList &headerLines,
                  const std::vector<TableColumn> &columns)
{
    PrintSurface &s = p.surface();
    p.setPrintFont(14, true);
    p.setPrintPos(0.75, 0.5);
    s.print(title);
    p.setPrintFont(10, false);
    for (const QString &line : headerLines) {
        s.setCurrentX(0.75 * kTwipsPerInch);
        s.print(line);
    }
    s.print(QString());
    p.setPrintFont(10, true);
    const double y = s.currentY();
    for (const TableColumn &c : columns) {
        s.setCurrentY(y);
        s.setCurrentX(c.from);
        s.print(fitted(s, c.heading, c.to - c.from - 60), true);
    }
    s.setCurrentY(y + s.textHeight(QStringLiteral("A")) * 1.3);
    p.setPrintFont(9, false);
}

void printRow(PrintSurface &s, const std::vector<TableColumn> &columns, const QStringList &row)
{
    const double y = s.currentY();
    for (size_t c = 0; c < columns.size(); ++c) {
        const TableColumn &col = columns[c];
        const QString text = fitted(s, row.value(qsizetype(c)).simplified(), col.to - col.from - 60);
        s.setCurrentY(y);
        s.setCurrentX(col.rightAligned ? col.to - 60 - s.textWidth(text) : col.from);
        s.print(text, true);
    }
    s.setCurrentY(y + s.textHeight(QStringLiteral("A")));
}

} // namespace

bool printTable(PagePrinter &p, const QString &title, const QStringList &headerLines,
                const std::vector<TableColumn> &columns, const QList<QStringList> &rows, const QStringList &footer)
{
    PrintSurface &s = p.surface();
    printHeading(p, title, headerLines, columns);
    const double lineHeight = s.textHeight(QStringLiteral("A"));
    const double foot = s.pageHeight() - 0.75 * kTwipsPerInch - lineHeight;
    const double bottom = footer.isEmpty() ? foot + lineHeight : foot - lineHeight;
    auto printFooter = [&] {
        if (footer.isEmpty())
            return;
        p.setPrintFont(9, true);
        s.setCurrentY(foot);
        printRow(s, columns, footer);
        p.setPrintFont(9, false);
    };
    for (const QStringList &row : rows) {
        if (s.currentY() + lineHeight > bottom) {
            printFooter();
            if (!s.newPage())
                return false;
            printHeading(p, title, headerLines, columns);
        }
        printRow(s, columns, row);
    }
    printFooter();
    return s.endDocument();
}

} // namespace printing
