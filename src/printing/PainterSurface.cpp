#include "printing/PainterSurface.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>

namespace printing {

QColor toQColor(Rgb color)
{
    return QColor(int(color & 0xFF), int((color >> 8) & 0xFF), int((color >> 16) & 0xFF));
}

PainterSurface::PainterSurface(QPagedPaintDevice &device) : m_device(device)
{
    m_dpi = device.logicalDpiY() > 0 ? device.logicalDpiY() : 1200;
}

PainterSurface::~PainterSurface()
{
    if (m_painter.isActive())
        m_painter.end();
}

bool PainterSurface::begin()
{
    if (m_begun)
        return !m_failed;
    m_begun = true;
    m_device.setPageOrientation(orientation() == Orientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    m_device.setPageMargins(QMarginsF(0, 0, 0, 0));
    if (!m_painter.begin(&m_device)) {
        m_failed = true;
        setError(QStringLiteral("the printer could not be started"));
        return false;
    }
    m_dpi = m_device.logicalDpiY() > 0 ? m_device.logicalDpiY() : m_dpi;
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
    return true;
}

QFont PainterSurface::qfont() const
{
    QFont f(font().name);
    f.setPointSizeF(font().size);
    f.setBold(font().bold);
    f.setUnderline(font().underline);
    return f;
}

// The page as the job will print it. The orientation reaches the device
// only at the first drawing, but a report measures the page before that
// (a title centred on a landscape page): until then the orientation asked
// for is applied to the device's page here.
QPageLayout PainterSurface::jobLayout() const
{
    QPageLayout layout = m_device.pageLayout();
    if (!m_begun)
        layout.setOrientation(orientation() == Orientation::Portrait ? QPageLayout::Portrait : QPageLayout::Landscape);
    return layout;
}

double PainterSurface::pageHeight() const
{
    return jobLayout().fullRectPoints().height() * 20.0; // points to twips
}

double PainterSurface::paperWidth() const
{
    return jobLayout().fullRectPoints().width() * 20.0;
}

double PainterSurface::textWidth(const QString &text) const
{
    return toTwips(QFontMetricsF(qfont(), &m_device).horizontalAdvance(text));
}

double PainterSurface::textHeight(const QString &) const
{
    return toTwips(QFontMetricsF(qfont(), &m_device).height());
}

void PainterSurface::drawText(double x, double y, const QString &text)
{
    if (text.isEmpty() || !begin())
        return;
    const QFont f = qfont();
    m_painter.setFont(f);
    m_painter.setPen(toQColor(foreColor()));
    const double ascent = QFontMetricsF(f, &m_device).ascent();
    m_painter.drawText(QPointF(toDevice(x), toDevice(y) + ascent), text);
}

void PainterSurface::drawLine(double x1, double y1, double x2, double y2, Rgb color, bool box)
{
    if (!begin())
        return;
    // Printer dots: the old printers counted 1 dot as a hairline at their
    // own resolution; 1/300 inch per dot keeps a width of 6 a bold rule.
    QPen pen(toQColor(color));
    pen.setWidthF(drawWidth() <= 1 ? 0.0 : toDevice(drawWidth() * 1440.0 / 300.0));
    m_painter.setPen(pen);
    m_painter.setBrush(Qt::NoBrush);
    const QPointF a(toDevice(x1), toDevice(y1)), b(toDevice(x2), toDevice(y2));
    if (box)
        m_painter.drawRect(QRectF(a, b).normalized());
    else
        m_painter.drawLine(a, b);
}

void PainterSurface::picture(const QImage &image, double x, double y, double width, double height)
{
    if (image.isNull() || !begin())
        return;
    m_painter.drawImage(QRectF(toDevice(x), toDevice(y), toDevice(width), toDevice(height)), image);
}

bool PainterSurface::startPage()
{
    if (!begin())
        return false;
    if (!m_device.newPage()) {
        setError(QStringLiteral("a new page could not be started"));
        return false;
    }
    return true;
}

bool PainterSurface::finish()
{
    // A job with nothing drawn still gives its one (empty) page.
    if (!begin())
        return false;
    if (!m_painter.end()) {
        setError(QStringLiteral("the document could not be completed"));
        return false;
    }
    return true;
}

} // namespace printing
