#pragma once
// The pieces every printed document shares, drawn on a print surface with
// the business settings of the moment: the job setup, positions in inches,
// fonts and colours, word-wrapped text, the document title, the logo, the
// business header, the customer's address and the remittance tear-off line.
// Each routine sets what it needs and leaves the state its callers expect.
#include "printing/PrintSurface.h"
#include "setup/BusinessSettings.h"
#include "store/FileStore.h"

#include <QImage>

namespace printing {

inline constexpr double kTwipsPerInch = 1440.0;
inline const QString kWebSiteFile = QStringLiteral("/MyWebSite.txt");

// A customer's address block as it prints.
struct AddressBlock {
    QString name, address1, address2, cityOrAddr3, state, zipOrAddr4;
    bool usaStyle = true;
};

class PagePrinter {
public:
    PagePrinter(PrintSurface &surface, const setup::BusinessValues &values, const store::FileStore &store,
                QImage logo = QImage());

    PrintSurface &surface() { return m_surface; }
    const setup::BusinessValues &values() const { return m_values; }
    const store::FileStore &store() const { return m_store; }

    // Colour or monochrome by the flag; portrait only for exactly
    // "Portrait"; letter paper; the print font, black, size kept, bold off.
    void printerSetup(const QString &orientation, bool color);
    // Inches; a coordinate of 0 or less leaves that coordinate as it is.
    void setPrintPos(double x, double y);
    // A size of 0 or less keeps the size.
    void setPrintFont(double size, bool bold, bool underline = false);
    // The border or the text colour when printing in colour, else black;
    // the fore colour and the line colour alike.
    void setPrintColor(bool border);
    Rgb lineColor() const { return m_lineColor; }
    // A paragraph at (x, y) in twips, broken at blanks to lines no wider
    // than width - 20 twips. A word wider than that goes on a line of its
    // own, cut where it must be, so every line makes progress.
    void printWrapped(double x, double y, double width, QString text);
    // Several paragraphs, each checked against `bottom` (twips) before every
    // line: a line that would start below it is not printed.
    void printWrappedWithin(double x, double width, double bottom, const QStringList &paragraphs);
    void printTitle(const QString &text, double y);
    void printLogo(double y);
    void printBusinessHeader(double x, double y, double nameSize);
    void printCustomerAddress(const AddressBlock &address, double y);
    void printDetachLine();
    // Text placed so that it ends at x (twips), on the current line.
    void printEndingAt(double x, const QString &text, bool stayOnLine = true);

private:
    QStringList wrapLines(double width, QString text) const;

    PrintSurface &m_surface;
    const setup::BusinessValues &m_values;
    const store::FileStore &m_store;
    QImage m_logo;
    Rgb m_lineColor = kBlack;
};

} // namespace printing
