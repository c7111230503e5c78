#include "printing/RecordingSurface.h"

namespace printing {

void RecordingSurface::drawText(double x, double y, const QString &text)
{
    m_ops.append({PrintOp::Text, page(), x, y, 0, 0, text, font(), foreColor(), drawWidth()});
}

void RecordingSurface::drawLine(double x1, double y1, double x2, double y2, Rgb color, bool box)
{
    m_ops.append({box ? PrintOp::Box : PrintOp::Line, page(), x1, y1, x2, y2, QString(), font(), color, drawWidth()});
}

void RecordingSurface::picture(const QImage &, double x, double y, double width, double height)
{
    m_ops.append({PrintOp::Picture, page(), x, y, x + width, y + height, QString(), font(), foreColor(), drawWidth()});
}

bool RecordingSurface::startPage()
{
    m_ops.append({PrintOp::NewPage, page(), 0, 0, 0, 0, QString(), font(), foreColor(), drawWidth()});
    return true;
}

bool RecordingSurface::finish()
{
    m_ops.append({PrintOp::EndDocument, page(), 0, 0, 0, 0, QString(), font(), foreColor(), drawWidth()});
    return true;
}

std::optional<PrintOp> RecordingSurface::findText(const QString &text) const
{
    for (const PrintOp &op : m_ops) {
        if (op.kind == PrintOp::Text && op.text == text)
            return op;
    }
    return std::nullopt;
}

QStringList RecordingSurface::texts() const
{
    QStringList out;
    for (const PrintOp &op : m_ops) {
        if (op.kind == PrintOp::Text)
            out.append(op.text);
    }
    return out;
}

} // namespace printing
