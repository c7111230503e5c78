#pragma once
// A print surface that draws nothing and keeps every operation with its
// position, font and colour, so a layout can be checked element by element.
// Text is measured with a fixed rule (a character is 0.5 of the font size
// wide, a line 1.2 times the size high), so positions follow from the font
// alone and a test can work them out.
#include "printing/PrintSurface.h"

#include <QList>
#include <optional>

namespace printing {

struct PrintOp {
    enum Kind { Text, Line, Box, Picture, NewPage, EndDocument } kind;
    int page = 1;
    double x = 0, y = 0, x2 = 0, y2 = 0;
    QString text;
    PrintFont font;
    Rgb color = kBlack;
    int drawWidth = 1;
};

class RecordingSurface final : public PrintSurface {
public:
    double pageHeight() const override { return orientation() == Orientation::Portrait ? 15840 : 12240; }
    double paperWidth() const override { return orientation() == Orientation::Portrait ? 12240 : 15840; }
    double textWidth(const QString &text) const override { return text.size() * font().size * 10.0; }
    double textHeight(const QString &) const override { return font().size * 24.0; }
    void picture(const QImage &image, double x, double y, double width, double height) override;

    const QList<PrintOp> &ops() const { return m_ops; }
    // The first text operation whose text is exactly `text`.
    std::optional<PrintOp> findText(const QString &text) const;
    // Every text operation, in order.
    QStringList texts() const;

protected:
    void drawText(double x, double y, const QString &text) override;
    void drawLine(double x1, double y1, double x2, double y2, Rgb color, bool box) override;
    bool startPage() override;
    bool finish() override;

private:
    QList<PrintOp> m_ops;
};

} // namespace printing
