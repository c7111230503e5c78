#pragma once
// The print surface over a paged paint device (a printer, a PDF writer, the
// print preview): twips become device units at the device's resolution,
// and text is placed by the top of its cell as the old printer placed it
// (QPainter draws at the baseline). The device is laid out full-page, so
// twips are positions on the paper.
#include "printing/PrintSurface.h"

#include <QFont>
#include <QPageLayout>
#include <QPainter>

class QPagedPaintDevice;

namespace printing {

class PainterSurface final : public PrintSurface {
public:
    explicit PainterSurface(QPagedPaintDevice &device);
    ~PainterSurface() override;

    double pageHeight() const override;
    double paperWidth() const override;
    QPageLayout jobLayout() const;
    double textWidth(const QString &text) const override;
    double textHeight(const QString &text) const override;
    void picture(const QImage &image, double x, double y, double width, double height) override;

protected:
    void drawText(double x, double y, const QString &text) override;
    void drawLine(double x1, double y1, double x2, double y2, Rgb color, bool box) override;
    bool startPage() override;
    bool finish() override;

private:
    // The painter starts on the first drawing, once the job settings
    // (orientation) are taken.
    bool begin();
    QFont qfont() const;
    double toDevice(double twips) const { return twips * m_dpi / 1440.0; }
    double toTwips(double units) const { return units * 1440.0 / m_dpi; }

    QPagedPaintDevice &m_device;
    QPainter m_painter;
    double m_dpi = 1200;
    bool m_begun = false;
    bool m_failed = false;
};

// A colour of the settings files as Qt takes it.
QColor toQColor(Rgb color);

} // namespace printing
