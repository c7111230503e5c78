#pragma once
// An invoice sink for the run's tests: each invoice is handed to `accept`,
// which refuses it by returning false with a reason.
#include "printing/InvoiceSink.h"

#include <functional>

class FunctionSink final : public printing::InvoiceSink {
public:
    using Accept = std::function<bool(const printing::InvoiceValues &, QString *reason)>;
    explicit FunctionSink(Accept accept) : m_accept(std::move(accept)) {}
    bool print(const printing::InvoiceValues &invoice, const QList<printing::ItemLine> &) override
    {
        m_error.clear();
        return m_accept(invoice, &m_error);
    }
    QString error() const override { return m_error; }

private:
    Accept m_accept;
    QString m_error;
};
