// Rendering invoices to PDF through the painter surface: 100 one-page
// invoices, each with a memo, a narrative, two taxes and ten item lines, as
// pages of one PDF. Reported as pages per second.
#include "BenchSupport.h"
#include "printing/InvoicePage.h"
#include "printing/PainterSurface.h"

#include <QBuffer>
#include <QDir>
#include <QPdfWriter>
#include <benchmark/benchmark.h>

using namespace printing;

namespace {

constexpr int kInvoices = 100;

void BM_RenderInvoicesToPdf(benchmark::State &state)
{
    BenchContext f;
    setup::BusinessValues v = setup::BusinessValues::defaults(f.locale);
    v.businessName = QStringLiteral("Lakeside Property Management");
    v.businessAddress1 = QStringLiteral("1200 North Meadowbrook Avenue");
    v.businessCity = QStringLiteral("Springfield");
    v.businessState = QStringLiteral("IL");
    v.businessZip = QStringLiteral("62704");
    v.addressStyle = setup::AddressStyle::USA;
    v.useRemittanceForm = true;
    v.printFontName = QStringLiteral("Liberation Sans");
    mustSetUp(QDir().mkpath(f.root + QStringLiteral("/Brenvoy/Narratives")));
    QFile narrative(f.root + narrativeFile(QStringLiteral("100007")));
    mustSetUp(narrative.open(QIODevice::WriteOnly) && narrative.write("Your lawn was aerated this month.\r\n") > 0);
    narrative.close();
    QFile memo(f.root + kInvoiceMemoFile);
    mustSetUp(memo.open(QIODevice::WriteOnly) && memo.write("\"Gate code changes on April 1\"\r\n\"Thank you\"\r\n") > 0);
    memo.close();
    QImage logo(300, 150, QImage::Format_RGB32);
    logo.fill(Qt::darkGreen);
    QList<ItemLine> lines;
    for (int i = 0; i < 10; ++i)
        lines.append({QStringLiteral("2"), QStringLiteral("3/31/2026"), QStringLiteral("Fertiliser bag %1").arg(i),
                      QStringLiteral("$12.50"), QStringLiteral("$25.00")});
    for (auto _ : state) {
        QBuffer out;
        out.open(QIODevice::WriteOnly);
        QPdfWriter writer(&out);
        writer.setResolution(1200);
        writer.setPageSize(QPageSize(QPageSize::Letter));
        PainterSurface surface(writer);
        PagePrinter printer(surface, v, f.store, logo);
        printer.printerSetup(QStringLiteral("Portrait"), true);
        for (int n = 0; n < kInvoices; ++n) {
            if (n > 0)
                surface.newPage();
            InvoiceValues invoice;
            invoice.acctNo = QStringLiteral("ACCT-%1").arg(n);
            invoice.invoiceNo = QString::number(100000 + n);
            invoice.date = QDate(2026, 3, 31);
            invoice.reference = QStringLiteral("March, 2026 Billing");
            invoice.customer = {QStringLiteral("Patricia Smith"), QStringLiteral("44 Elm Street"), QString(),
                                QStringLiteral("Springfield"), QStringLiteral("IL"), QStringLiteral("62704"), true};
            invoice.subTotal = base::Money::fromCents(29999);
            invoice.tax1 = base::Money::fromCents(1200);
            invoice.tax2 = base::Money::fromCents(300);
            invoice.total = base::Money::fromCents(31499);
            printInvoicePages(printer, f.locale, invoice, lines);
        }
        if (!surface.endDocument())
            state.SkipWithError("the PDF could not be completed");
        benchmark::DoNotOptimize(out.data().size());
    }
    state.counters["pages_per_s"] = benchmark::Counter(double(state.iterations()) * kInvoices, benchmark::Counter::kIsRate);
}
BENCHMARK(BM_RenderInvoicesToPdf)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace

BRENVOY_BENCH_MAIN()
