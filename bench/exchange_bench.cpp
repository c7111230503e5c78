// Customers from a spreadsheet as a user meets it: a CSV file of 10,000
// rows chosen on the import screen (read, its columns guessed, every row
// checked, the preview shown) and then imported (the folders made, the
// three files written in one change), into a folder that already holds
// 1,000 customers. The bound: under 5 s for both.
#include "BenchSupport.h"
#include "customers/AccountStore.h"
#include "customers/StateList.h"
#include "ui/exchange/ImportScreen.h"
#include "ui/shell/Navigator.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPushButton>
#include <QStackedWidget>
#include <QTest>

using namespace customers;

namespace {

constexpr int kRows = 10000;
constexpr int kExisting = 1000;

QByteArray spreadsheet()
{
    QByteArray csv = "Customer ID,Last Name,First Name,Company,Street,Suite,City,State,ZIP,Phone,Mobile,Email,Service,"
                     "Monthly Fee,Frequency,Start Month\r\n";
    for (int i = 0; i < kRows; ++i) {
        const bool person = i % 3 != 0;
        csv += QStringLiteral("C%1,%2,%3,%4,\"%5 North Meadowbrook Avenue\",Suite %6,Springfield,IL,62701-%7,217-555-%7,"
                              "217-556-%7,customer%1@example.com,Weekly Mowing,$%8.50,Monthly,%9\r\n")
                   .arg(200000 + i)
                   .arg(person ? QStringLiteral("Smith%1").arg(i % 13) : QString())
                   .arg(person ? QStringLiteral("Patricia%1").arg(i % 97) : QString())
                   .arg(person ? QString() : QStringLiteral("\"Lakeside Property, Unit %1\"").arg(i))
                   .arg(i)
                   .arg(i % 400)
                   .arg(i % 10000, 4, 10, QChar(u'0'))
                   .arg(20 + i % 50)
                   .arg(i % 12 + 1)
                   .toUtf8();
    }
    return csv;
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    mustSetUp(f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size());
}

struct Folder : BenchContext {
    Folder()
    {
        QByteArray customers, cycles, contracts;
        const QByteArray contract = ContractRecord::defaults(QDateTime::currentDateTime(), locale).encode();
        for (int i = 0; i < kExisting; ++i) {
            CustomerRecord r;
            r.acctNo = QStringLiteral("OLD%1").arg(i);
            r.acctType = CustomerRecord::kBusiness;
            r.name = QStringLiteral("Existing Customer %1").arg(i);
            customers += r.encode();
            cycles += CycleRecord().encode();
            contracts += contract;
        }
        writeFile(root + kCustomerFile, customers);
        writeFile(root + kCycleFile, cycles);
        writeFile(root + kContractFile, contracts);
        writeFile(root + kStatesListFile, "\"IL\"\r\n\"WI\"\r\n");
        mustSetUp(QDir().mkpath(root + QStringLiteral("/AuxFiles")));
        settings.edit([](setup::BusinessValues &v) { v.addressStyle = setup::AddressStyle::USA; });
    }
};

void BM_ImportTenThousandRows(benchmark::State &state)
{
    QTemporaryDir sourceDir;
    const QString source = sourceDir.filePath(QStringLiteral("customers.csv"));
    writeFile(source, spreadsheet());
    double loadMs = 0, importMs = 0;
    int imported = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto f = std::make_unique<Folder>();
        QWidget window;
        auto *stack = new QStackedWidget(&window);
        ui::Navigator nav(*stack, window);
        auto *screen = new ui::ImportScreen(f->ctx, nav, [&](QWidget *) { return source; },
                                            [](QWidget *, const QString &) { return QString(); });
        nav.add(ui::ImportScreen::kId, screen);
        nav.show(ui::ImportScreen::kId);
        state.ResumeTiming();
        QElapsedTimer t;
        t.start();
        QTest::mouseClick(screen->findChild<QPushButton *>(QStringLiteral("cmdChooseFile")), Qt::LeftButton);
        QCoreApplication::processEvents();
        loadMs += double(t.nsecsElapsed()) / 1e6;
        t.restart();
        QTest::mouseClick(screen->findChild<QPushButton *>(QStringLiteral("cmdImport")), Qt::LeftButton);
        QCoreApplication::processEvents();
        importMs += double(t.nsecsElapsed()) / 1e6;
        state.PauseTiming();
        imported = AccountStore(f->store, f->clock, f->locale).customerCount() - kExisting;
        f.reset();
        state.ResumeTiming();
    }
    mustSetUp(imported == kRows);
    state.counters["choose_file_ms"] = loadMs / double(state.iterations());
    state.counters["import_ms"] = importMs / double(state.iterations());
}
BENCHMARK(BM_ImportTenThousandRows)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BRENVOY_BENCH_MAIN()
