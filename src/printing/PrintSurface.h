#pragma once
// The printer as every printed document sees it: a page in twips (1,440 to
// the inch, origin at the paper's top-left corner), a current position that
// printing a line moves down, a current font and fore colour, lines, boxes
// and pictures. The surface keeps that state; an implementation only draws
// and measures. One document is one job of one or more pages.
#include <QImage>
#include <QString>
#include <cstdint>

namespace printing {

// Colours as the settings files hold them: 0x00BBGGRR (red in the low byte).
using Rgb = std::uint32_t;
inline constexpr Rgb kBlack = 0, kRed = 255, kGreen = 65280, kBlue = 16711680;

enum class Orientation { Portrait = 1, Landscape = 2 };
enum class ColorMode { Monochrome = 1, Color = 2 };

struct PrintFont {
    QString name = QStringLiteral("Arial");
    double size = 10; // points
    bool bold = false;
    bool underline = false; // the third style; only the customer list's title uses it
    bool operator==(const PrintFont &) const = default;
};

class PrintSurface {
public:
    virtual ~PrintSurface() = default;

    // Job settings, taken before the first page is drawn.
    void setOrientation(Orientation o) { m_orientation = o; }
    Orientation orientation() const { return m_orientation; }
    void setColorMode(ColorMode m) { m_colorMode = m; }
    ColorMode colorMode() const { return m_colorMode; }

    PrintFont &font() { return m_font; }
    const PrintFont &font() const { return m_font; }
    void setForeColor(Rgb c) { m_foreColor = c; }
    Rgb foreColor() const { return m_foreColor; }
    // The width lines and boxes are drawn with, in printer dots; it stays for
    // the rest of the page once set.
    void setDrawWidth(int dots) { m_drawWidth = dots; }
    int drawWidth() const { return m_drawWidth; }

    double currentX() const { return m_x; }
    double currentY() const { return m_y; }
    void setCurrentX(double x) { m_x = x; }
    void setCurrentY(double y) { m_y = y; }
    // The width the page is laid out on (the invoice frame sets 12,240).
    double pageWidth() const { return m_pageWidth > 0 ? m_pageWidth : paperWidth(); }
    void setPageWidth(double twips) { m_pageWidth = twips; }
    // The height that can be printed on.
    virtual double pageHeight() const = 0;
    virtual double paperWidth() const = 0;

    // Prints at the current position (the top of the text at current y).
    // Ending the line moves y down one line height and x back to 0;
    // staying leaves y and moves x past the text.
    void print(const QString &text, bool stayOnLine = false);
    virtual double textWidth(const QString &text) const = 0;
    virtual double textHeight(const QString &text) const = 0;

    void line(double x1, double y1, double x2, double y2, Rgb color) { drawLine(x1, y1, x2, y2, color, false); }
    void box(double x1, double y1, double x2, double y2, Rgb color) { drawLine(x1, y1, x2, y2, color, true); }
    virtual void picture(const QImage &image, double x, double y, double width, double height) = 0;

    int page() const { return m_page; }
    // Ends the page; what follows goes on a new page of the same job.
    bool newPage();
    // A new page that starts another document in the same file: its page
    // numbers start again at 1 (several invoices printed to one PDF).
    bool newDocumentPage()
    {
        if (!newPage())
            return false;
        m_page = 1;
        return true;
    }
    // Ends the job; false (with the reason) when it could not be completed.
    bool endDocument();
    QString error() const { return m_error; }

protected:
    virtual void drawText(double x, double y, const QString &text) = 0;
    virtual void drawLine(double x1, double y1, double x2, double y2, Rgb color, bool box) = 0;
    virtual bool startPage() = 0;
    virtual bool finish() = 0;
    void setError(const QString &why)
    {
        if (m_error.isEmpty())
            m_error = why;
    }

private:
    Orientation m_orientation = Orientation::Portrait;
    ColorMode m_colorMode = ColorMode::Color;
    PrintFont m_font;
    Rgb m_foreColor = kBlack;
    int m_drawWidth = 1;
    double m_x = 0, m_y = 0, m_pageWidth = 0;
    int m_page = 1;
    QString m_error;
};

} // namespace printing
