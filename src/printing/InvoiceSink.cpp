#include "printing/InvoiceSink.h"

#include "printing/PainterSurface.h"

namespace printing {

DeviceInvoiceSink::DeviceInvoiceSink(QPagedPaintDevice &device, Jobs jobs, const setup::BusinessValues &values,
                                     const store::FileStore &store, const QLocale &locale)
    : m_device(device), m_jobs(jobs), m_values(values), m_store(store), m_locale(locale), m_logo(values.logoFile)
{
}

DeviceInvoiceSink::~DeviceInvoiceSink() = default;

bool DeviceInvoiceSink::print(const InvoiceValues &invoice, const QList<ItemLine> &lines)
{
    if (m_jobs == Jobs::OneEach) {
        PainterSurface surface(m_device);
        PagePrinter page(surface, m_values, m_store, m_logo);
        page.printerSetup(QStringLiteral("Portrait"), m_values.printInColor);
        if (printInvoice(page, m_locale, invoice, lines))
            return true;
        m_error = surface.error();
        return false;
    }
    if (!m_surface) {
        m_surface = std::make_unique<PainterSurface>(m_device);
        m_page = std::make_unique<PagePrinter>(*m_surface, m_values, m_store, m_logo);
        m_page->printerSetup(QStringLiteral("Portrait"), m_values.printInColor);
    } else if (!m_surface->newDocumentPage()) {
        m_error = m_surface->error();
        return false;
    }
    printInvoicePages(*m_page, m_locale, invoice, lines);
    m_error = m_surface->error();
    return m_error.isEmpty();
}

bool DeviceInvoiceSink::finish()
{
    if (!m_surface || m_surface->endDocument())
        return true;
    m_error = m_surface->error();
    return false;
}

} // namespace printing
