#include "printing/CustomerListReport.h"

#include "base/FieldRoutines.h"

using namespace customers;

namespace printing {

namespace {

void printHeader(PagePrinter &p, const QDateTime &now, const QLocale &locale)
{
    PrintSurface &s = p.surface();
    const QString title = QStringLiteral("Account Information");
    p.setPrintPos(0, 0.5);
    p.setPrintFont(14, true, true);
    s.setCurrentX((s.pageWidth() - s.textWidth(title)) / 2);
    s.print(title);
    p.setPrintFont(10, false, false);
    p.setPrintPos(0, 0.5);
    p.printBusinessHeader(1.0, 0.8, 12);
    p.setPrintPos(9.0, 0.5);
    s.print(locale.toString(now, QLocale::ShortFormat));
    p.setPrintPos(1.0, 2.25);
}

// One customer's entry at (x, y): name, first address line, locality,
// telephone.
void printEntry(PagePrinter &p, const CustomerRecord &r, bool usaStyle, double x, double y)
{
    PrintSurface &s = p.surface();
    // An individual saved without the full name in Name prints under the
    // name made from its parts, never as a blank entry.
    QString name = r.name.trimmed();
    if (name.isEmpty() && !r.isBusiness())
        name = base::fields::fullName(r.title, r.firstName, r.middleInitial, r.lastName).trimmed();
    QStringList lines = {name, r.address1.trimmed()};
    if (usaStyle) {
        lines.append(r.cityOrAddr3.trimmed() + QStringLiteral(", ") + r.state.trimmed() + u' ' + r.zipOrAddr4.trimmed());
    } else {
        lines.append(r.cityOrAddr3.trimmed());
        lines.append(r.zipOrAddr4.trimmed());
    }
    lines.append(r.phone.trimmed());
    s.setCurrentY(y);
    for (const QString &line : lines) {
        s.setCurrentX(x);
        s.print(line);
    }
}

} // namespace

bool printCustomerList(PagePrinter &p, const CustomerFile &file, bool usaStyle, const QDateTime &now,
                       const QLocale &locale)
{
    PrintSurface &s = p.surface();
    p.printerSetup(QStringLiteral("Landscape"), p.values().printInColor);
    printHeader(p, now, locale);
    const double lineHeight = s.textHeight(QStringLiteral("ABC"));
    double y = s.currentY();
    int column = 1;
    for (int i = 1; i <= file.count(); ++i) {
        printEntry(p, file.record(i), usaStyle, (1.0 + 3.0 * (column - 1)) * kTwipsPerInch, y);
        if (++column < 4)
            continue;
        if (!usaStyle)
            y += lineHeight;
        if (i == file.count())
            break;
        column = 1;
        y += 5 * lineHeight;
        if (s.pageHeight() <= y + 5 * lineHeight) {
            if (!s.newPage())
                return false;
            printHeader(p, now, locale);
            y = s.currentY();
        }
    }
    return s.endDocument();
}

} // namespace printing
