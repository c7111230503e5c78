#pragma once
// Where a printed billing run sends its invoices. The run hands each
// invoice to the sink the screen provides and stops at the first it
// refuses; the sink says why.
//
// DeviceInvoiceSink prints to a paged device (a printer, a PDF file) in
// one of two ways: every invoice a job of its own, as a printer takes
// them, or all in one document, each invoice on new pages numbered from
// 1, as a file must hold them.
#include "printing/InvoicePage.h"
#include "printing/PagePrinter.h"

#include <QImage>
#include <QList>
#include <QString>
#include <memory>

class QPagedPaintDevice;

namespace printing {

class PainterSurface;

class InvoiceSink {
public:
    virtual ~InvoiceSink() = default;
    // False on a print error; error() says what it was.
    virtual bool print(const InvoiceValues &invoice, const QList<ItemLine> &lines) = 0;
    virtual QString error() const = 0;
};

class DeviceInvoiceSink final : public InvoiceSink {
public:
    enum class Jobs { OneEach, OneDocument };
    DeviceInvoiceSink(QPagedPaintDevice &device, Jobs jobs, const setup::BusinessValues &values,
                      const store::FileStore &store, const QLocale &locale);
    ~DeviceInvoiceSink() override;

    bool print(const InvoiceValues &invoice, const QList<ItemLine> &lines) override;
    QString error() const override { return m_error; }
    // Ends the one document; true when there was none or it ended well.
    bool finish();
    // Something was printed into the one document.
    bool started() const { return m_surface != nullptr; }

private:
    QPagedPaintDevice &m_device;
    Jobs m_jobs;
    const setup::BusinessValues &m_values;
    const store::FileStore &m_store;
    QLocale m_locale;
    QImage m_logo;
    std::unique_ptr<PainterSurface> m_surface;
    std::unique_ptr<PagePrinter> m_page;
    QString m_error;
};

} // namespace printing
