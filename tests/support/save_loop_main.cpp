// The child process of the crash tests.
//   brenvoy_save_loop save FOLDER  saves the settings files over and over,
//                                  alternating two sets of values, until killed
//   brenvoy_save_loop lock FOLDER  takes the single-instance lock, says
//                                  "locked" and waits to be killed
//   brenvoy_save_loop remove FOLDER removes customer 1 until one is left,
//                                  then waits to be killed
//   brenvoy_save_loop pay FOLDER   writes a batch of $1.00 cash payments to
//                                  every ledger, over and over, until killed
//   brenvoy_save_loop bill FOLDER  bills every monthly account of the folder
//                                  (records only, 7% tax), over and over,
//                                  until killed
//   brenvoy_save_loop billprint FOLDER  the same as a printed run (printing
//                                  to nowhere, automatic numbers)
//   brenvoy_save_loop billvoid FOLDER  a printed run, then its void, over
//                                  and over
//   brenvoy_save_loop purgehistory FOLDER  writes the financial history of
//                                  accounts A and B, purges A, over and over
//   brenvoy_save_loop import FOLDER  imports batches of twenty customers from
//                                  CSV (row k charged k dollars), over and
//                                  over
//   brenvoy_save_loop restore FOLDER  restores the archives in
//                                  $BRENVOY_TEST_ARCHIVES/0 and /1 in turn,
//                                  over and over
//   brenvoy_save_loop purgeledgers FOLDER  writes three ledgers of three
//                                  entries and purges them, over and over
#include "app/StartUp.h"
#include "base/Clock.h"
#include "customers/AccountStore.h"
#include "exchange/Import.h"
#include "backup/Archive.h"
#include "billing/PrintedRun.h"
#include "billing/RunVoid.h"
#include "history/History.h"
#include "ledger/PaymentBatch.h"
#include "setup/SettingsFiles.h"
#include "support/CrashValues.h"
#include "support/FunctionSink.h"

#include <QCoreApplication>
#include <QDir>
#include <QThread>
#include <cstdio>
#include <cstdlib>

using namespace base;
using namespace store;
using namespace setup;
using namespace customers;
using namespace app;

// A write that fails in the child is a fault of its own, not a kill: the
// child says so and stops, and the test sees it end before it was killed.
static void must(const FileResult &r)
{
    if (!r) {
        std::fprintf(stderr, "write failed: %s\n", qPrintable(r.error));
        std::exit(3);
    }
}

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 3)
        return 2;
    const QString mode = QString::fromLocal8Bit(argv[1]);
    const QString folder = QString::fromLocal8Bit(argv[2]);
    if (mode == QLatin1String("lock")) {
        app::InstanceLock lock(folder);
        if (!lock.acquire())
            return 3;
        std::puts("locked");
        std::fflush(stdout);
        for (;;)
            QThread::sleep(1);
    }
    FileStore store(folder);
    if (mode == QLatin1String("remove")) {
        SystemClock clock;
        AccountStore accounts(store, clock, QLocale(QLocale::English, QLocale::UnitedStates));
        std::puts("removing");
        std::fflush(stdout);
        for (int count = accounts.customerCount(); count > 1; count = accounts.customerCount())
            must(accounts.removeCustomer(1, count));
        for (;;)
            QThread::sleep(1);
    }
    if (mode == QLatin1String("write")) {
        // Accounts A<n+1>, A<n+2>, ... appended, each write followed by one
        // in place over record 1 with its own values again; every record's
        // three parts carry the account's id.
        SystemClock clock;
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        AccountStore accounts(store, clock, us);
        auto write = [&](int n) {
            const QString id = QStringLiteral("A%1").arg(n);
            CustomerRecord c;
            c.acctNo = id;
            c.acctType = CustomerRecord::kBusiness;
            c.name = QStringLiteral("Customer ") + id;
            CycleRecord y;
            y.chargeFor = id;
            ContractRecord k = ContractRecord::defaults(clock.now(), us);
            k.bytes.replace(336, id.size(), id.toLatin1());
            must(accounts.writeAccount(n, c, k, y));
        };
        std::puts("writing");
        std::fflush(stdout);
        for (int n = accounts.customerCount() + 1;; ++n) {
            write(n);
            write(1);
        }
    }
    if (mode == QLatin1String("pay")) {
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        const QDate day(2026, 12, 6);
        std::vector<ledger::Payment> batch;
        for (const ledger::OpenAccount &a : ledger::openAccounts(store, us))
            batch.push_back({a.ledgerFile, ledger::makeEntry(a.acctNo, a.acctName, QStringLiteral("$1.00"),
                                                             QStringLiteral("Payment Cash"), day, us)});
        std::puts("paying");
        std::fflush(stdout);
        for (;;)
            must(ledger::writePayments(store, batch, day, us));
    }
    if (mode == QLatin1String("purgehistory")) {
        QByteArray full;
        for (int i = 0; i < 200; ++i)
            full += ledger::LedgerEntry{QStringLiteral("Name"), i % 2 ? QStringLiteral("A") : QStringLiteral("B"),
                                        QStringLiteral("11/1/2026"), QStringLiteral("Mowing %1").arg(i), QStringLiteral("10")}
                        .encode();
        must(store.replaceFile(history::kFinancialHistoryFile, full));
        std::puts("purging");
        std::fflush(stdout);
        for (;;) {
            must(store.replaceFile(history::kFinancialHistoryFile, full));
            must(history::purgeAccountHistory(store, QStringLiteral("A")));
        }
    }
    if (mode == QLatin1String("import")) {
        SystemClock clock;
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        AccountStore accounts(store, clock, us);
        std::puts("importing");
        std::fflush(stdout);
        for (int round = 1;; ++round) {
            QByteArray bytes = "Account,Company,Charge\n";
            for (int k = 1; k <= 20; ++k)
                bytes += QStringLiteral("R%1N%2,Customer %2,%2.00\n").arg(round).arg(k).toUtf8();
            const exchange::ImportSource source = exchange::readSource(bytes);
            const exchange::ImportPlan plan =
                exchange::planImport(source.table, exchange::guessMapping(source.table.records.front()), true,
                                     exchange::importRules(store, us, true));
            if (plan.accepted.size() != 20)
                std::exit(4);
            must(exchange::importCustomers(store, accounts, plan).written);
        }
    }
    if (mode == QLatin1String("restore")) {
        const QString archives = qEnvironmentVariable("BRENVOY_TEST_ARCHIVES");
        QString archive[2];
        for (int i = 0; i < 2; ++i) {
            const QString sub = archives + QStringLiteral("/%1").arg(i);
            const QStringList names = QDir(sub).entryList({QStringLiteral("*.zip")}, QDir::Files);
            if (names.isEmpty())
                std::exit(4);
            archive[i] = sub + u'/' + names.first();
        }
        auto restore = [&](int i) {
            const backup::Restored r = backup::restoreArchive(store, archive[i], folder + backup::kBackupsFolder,
                                                              QDateTime::currentDateTime(), backup::currentVersion());
            if (!r.ok()) {
                std::fprintf(stderr, "restore failed: %s\n", qPrintable(r.error));
                std::exit(3);
            }
        };
        restore(0); // a whole state before the first kill can come
        std::puts("restoring");
        std::fflush(stdout);
        for (int i = 1;; i = 1 - i)
            restore(i);
    }
    if (mode == QLatin1String("purgeledgers")) {
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        QStringList files;
        for (const char *acct : {"P1", "P2", "P3"})
            files << ledger::ledgerFile(QString::fromLatin1(acct));
        std::puts("purging");
        std::fflush(stdout);
        for (;;) {
            for (const QString &f : files) {
                QByteArray bytes;
                for (int i = 0; i < 3; ++i)
                    bytes += ledger::makeEntry(f.section(u'/', -1).chopped(4), QStringLiteral("Name"), QStringLiteral("1"),
                                               QStringLiteral("Mowing"), QDate(2026, 12, 6), us)
                                 .encode();
                must(store.makeFolders({ledger::kActiveAccountsFolder}));
                must(store.replaceFile(f, bytes));
            }
            must(ledger::purgeLedgers(store, files));
        }
    }
    if (mode == QLatin1String("bill") || mode == QLatin1String("billprint") || mode == QLatin1String("billvoid")) {
        const QLocale us(QLocale::English, QLocale::UnitedStates);
        billing::CycleGrid grid = billing::CycleGrid::load(store, billing::Monthly, 0, us);
        for (billing::CycleRow &row : grid.rows)
            row.selected = QStringLiteral("+");
        billing::RunSettings settings;
        settings.date = QDate(2026, 12, 6);
        settings.rates.taxed = true;
        settings.rates.rate1 = 7;
        settings.tax1Name = QStringLiteral("Sales Tax");
        settings.month = 11;
        if (mode == QLatin1String("billvoid")) {
            settings.items = {{QStringLiteral("Chlorine"), 1, Money::fromCents(1000), Money::fromCents(1000)}};
            settings.itemsAdded = true;
            settings.itemsTotal = Money::fromCents(1000);
        }
        const auto plan = billing::planRecordsRun(grid, settings, us);
        if (!std::holds_alternative<std::vector<billing::Posting>>(plan))
            std::exit(4);
        const auto &postings = std::get<std::vector<billing::Posting>>(plan);
        FunctionSink nowhere([](const printing::InvoiceValues &, QString *) { return true; });
        auto printRun = [&] { must(billing::postPrintedRun(store, {postings, settings, false}, us, nowhere).result); };
        auto voidLast = [&] {
            const billing::RunRegister reg = billing::RunRegister::read(store);
            const auto plan = billing::planVoid(store, reg, reg.runs().back().runNo, 0, us);
            if (!std::holds_alternative<billing::VoidPlan>(plan))
                std::exit(5);
            must(billing::postVoid(store, std::get<billing::VoidPlan>(plan), QDateTime(QDate(2026, 12, 7), QTime(9, 0)), us)
                     .result);
        };
        if (mode == QLatin1String("billvoid"))
            printRun(); // a run to void at once
        std::puts("billing");
        std::fflush(stdout);
        for (;;) {
            if (mode == QLatin1String("bill"))
                must(billing::postRun(store, postings, settings, us).result);
            else if (mode == QLatin1String("billprint"))
                printRun();
            else {
                voidLast();
                printRun();
            }
        }
    }
    BusinessValues a = crashTestValues(0);
    BusinessValues b = crashTestValues(1);
    // Both files exist before the loop starts, so every kill finds one.
    must(setup::saveBusiness(store, a));
    must(setup::savePrintColors(store, a));
    std::puts("saving");
    std::fflush(stdout);
    for (unsigned i = 0;; ++i) {
        BusinessValues &v = (i % 2) ? b : a;
        must(setup::saveBusiness(store, v));
        must(setup::savePrintColors(store, v));
    }
}
