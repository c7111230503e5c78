#include "printing/PrintSurface.h"

namespace printing {

void PrintSurface::print(const QString &text, bool stayOnLine)
{
    drawText(m_x, m_y, text);
    if (stayOnLine) {
        m_x += textWidth(text);
    } else {
        m_y += textHeight(text.isEmpty() ? QStringLiteral("A") : text);
        m_x = 0;
    }
}

bool PrintSurface::newPage()
{
    if (!startPage())
        return false;
    ++m_page;
    m_x = 0;
    m_y = 0;
    m_drawWidth = 1;
    return true;
}

bool PrintSurface::endDocument()
{
    return finish() && m_error.isEmpty();
}

} // namespace printing
