#include "printing/PagePrinter.h"

#include "base/ValueList.h"

#include <algorithm>

using namespace base;
using namespace setup;

namespace printing {

PagePrinter::PagePrinter(PrintSurface &surface, const BusinessValues &values, const store::FileStore &store, QImage logo)
    : m_surface(surface), m_values(values), m_store(store), m_logo(std::move(logo)), m_lineColor(values.lineColor)
{
}

void PagePrinter::printerSetup(const QString &orientation, bool color)
{
    m_surface.setColorMode(color ? ColorMode::Color : ColorMode::Monochrome);
    // The one further setting of every job: letter paper (the layouts are
    // letter-sized), a single copy.
    m_surface.setOrientation(orientation == QLatin1String("Portrait") ? Orientation::Portrait : Orientation::Landscape);
    m_surface.font().name = m_values.printFontName;
    m_surface.setForeColor(kBlack);
    setPrintFont(0, false);
}

void PagePrinter::setPrintPos(double x, double y)
{
    if (x > 0)
        m_surface.setCurrentX(x * kTwipsPerInch);
    if (y > 0)
        m_surface.setCurrentY(y * kTwipsPerInch);
}

void PagePrinter::setPrintFont(double size, bool bold, bool underline)
{
    if (size > 0)
        m_surface.font().size = size;
    m_surface.font().bold = bold;
    m_surface.font().underline = underline;
}

void PagePrinter::setPrintColor(bool border)
{
    const Rgb c = !m_values.printInColor ? kBlack : border ? m_values.printBorderColor : m_values.printTextColor;
    m_surface.setForeColor(c);
    m_lineColor = c;
}

QStringList PagePrinter::wrapLines(double width, QString text) const
{
    const double room = width - 20;
    QStringList lines;
    while (!text.isEmpty()) {
        if (m_surface.textWidth(text) <= room) {
            lines.append(text);
            break;
        }
        // The longest head ending before a blank whose width, with that
        // blank, fits; the first head too wide ends the search.
        qsizetype cut = -1;
        for (qsizetype blank = text.indexOf(u' '); blank >= 0; blank = text.indexOf(u' ', blank + 1)) {
            if (m_surface.textWidth(text.left(blank + 1)) > room)
                break;
            cut = blank;
        }
        if (cut <= 0) {
            // A first word wider than the line: on a line of its own, cut to
            // the characters that fit (at least one).
            const qsizetype wordEnd = text.indexOf(u' ') > 0 ? text.indexOf(u' ') : text.size();
            qsizetype fit = 1;
            while (fit < wordEnd && m_surface.textWidth(text.left(fit + 1)) <= room)
                ++fit;
            cut = fit;
        }
        lines.append(text.left(cut));
        text = text.mid(cut);
        while (text.startsWith(u' '))
            text.remove(0, 1);
    }
    return lines;
}

void PagePrinter::printWrapped(double x, double y, double width, QString text)
{
    m_surface.setCurrentY(y);
    for (const QString &line : wrapLines(width, std::move(text))) {
        m_surface.setCurrentX(x);
        m_surface.print(line);
    }
}

void PagePrinter::printWrappedWithin(double x, double width, double bottom, const QStringList &paragraphs)
{
    for (const QString &paragraph : paragraphs) {
        for (const QString &line : wrapLines(width, paragraph)) {
            if (m_surface.currentY() > bottom)
                return;
            m_surface.setCurrentX(x);
            m_surface.print(line);
        }
    }
}

void PagePrinter::printTitle(const QString &text, double y)
{
    setPrintFont(26, true);
    setPrintColor(false);
    setPrintPos(5.0, y);
    m_surface.print(text);
    setPrintColor(false);
    setPrintFont(10, true);
}

void PagePrinter::printLogo(double y)
{
    if (m_logo.isNull())
        return;
    // Centred on its own print width, so a wide picture never starts left
    // of the paper.
    const double x = std::max(0.0, (m_surface.pageWidth() - m_values.logoWidth) / 2);
    m_surface.picture(m_logo, x, y, m_values.logoWidth, m_values.logoHeight);
}

void PagePrinter::printBusinessHeader(double x, double y, double nameSize)
{
    const BusinessValues &b = m_values;
    setPrintPos(x, y);
    setPrintFont(b.businessName.size() > 25 ? 10 : nameSize, true);
    m_surface.print(b.businessName);
    setPrintFont(10, false);
    auto line = [&](const QString &text) {
        setPrintPos(x, 0);
        m_surface.print(text);
    };
    line(b.businessAddress1);
    if (!b.businessAddress2.isEmpty())
        line(b.businessAddress2);
    if (b.addressStyle == AddressStyle::USA) {
        QString place;
        if (!b.businessCity.isEmpty())
            place = b.businessCity + QStringLiteral(", ");
        if (!b.businessState.isEmpty())
            place += b.businessState + QStringLiteral(". ") + b.businessZip;
        if (!place.isEmpty())
            line(place);
    } else {
        if (!b.businessCity.isEmpty())
            line(b.businessCity);
        if (!b.businessState.isEmpty())
            line(b.businessState);
    }
    if (!b.businessPhone.isEmpty())
        line(QStringLiteral("Telephone: ") + b.businessPhone);
    if (!b.businessFax.isEmpty())
        line(b.businessFax);
    if (!b.businessTaxId.isEmpty())
        line(b.businessTaxId);
    if (m_store.dataFileExists(kWebSiteFile)) {
        valuelist::Reader r(m_store.readFile(kWebSiteFile).value_or(QByteArray()));
        line(r.text());
    }
}

void PagePrinter::printCustomerAddress(const AddressBlock &a, double y)
{
    setPrintPos(1.0, y);
    m_surface.print(a.name);
    auto line = [&](const QString &text) {
        setPrintPos(1.0, 0);
        m_surface.print(text);
    };
    line(a.address1);
    if (!a.address2.isEmpty())
        line(a.address2);
    if (a.usaStyle) {
        line(a.cityOrAddr3 + QStringLiteral(", ") + a.state + u' ' + a.zipOrAddr4);
    } else {
        line(a.cityOrAddr3);
        line(a.zipOrAddr4);
    }
    m_surface.setForeColor(kBlack);
}

void PagePrinter::printDetachLine()
{
    setPrintFont(6, true);
    setPrintPos(3.0, 3.6);
    m_surface.print(QStringLiteral("Detach Here and Return Top Section"));
    setPrintFont(10, false);
}

void PagePrinter::printEndingAt(double x, const QString &text, bool stayOnLine)
{
    m_surface.setCurrentX(x - m_surface.textWidth(text));
    m_surface.print(text, stayOnLine);
}

} // namespace printing
