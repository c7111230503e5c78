#pragma once
// What the screen benchmarks share: a prompt that answers Yes and shows
// nothing, a web opener that opens nothing, a program folder with its
// context, and a main that runs the benchmarks inside an offscreen
// QApplication.
#include "context/AppContext.h"
#include "history/History.h"
#include "base/Prompt.h"
#include "base/WebOpener.h"

#include <QApplication>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <cstdlib>
#include <fcntl.h>
#include <unistd.h>

class SilentPrompt final : public base::Prompt {
public:
    void message(const QString &, const QString &) override {}
    bool ask(const QString &, const QString &) override { return true; }
    void beep() override {}
};

class NoWeb final : public base::WebOpener {
public:
    bool open(const QUrl &) override { return false; }
};

// A benchmark's set-up that fails measures nothing: stop at once.
inline void mustSetUp(bool ok)
{
    if (!ok)
        std::abort();
}

// A program folder in a temporary directory and the context screens need.
// A folder given in BRENVOY_BENCH_FOLDER is used instead and kept, so a
// large program folder is made once for repeated runs under a profiler.
struct BenchContext {
    BenchContext() : ctx{store, settings, catalog, clock, prompt, web, modem, locale, QString(), QString()} {}
    static QString keptFolder() { return qEnvironmentVariable("BRENVOY_BENCH_FOLDER"); }
    QLocale locale{QLocale::English, QLocale::UnitedStates};
    QTemporaryDir dir;
    QString root = keptFolder().isEmpty() ? dir.path() : keptFolder();
    store::FileStore store{root};
    setup::BusinessSettings settings{locale};
    catalog::Catalog catalog{locale};
    base::SystemClock clock;
    SilentPrompt prompt;
    NoWeb web;
    phone::Modem modem{std::make_unique<phone::QtSerialLine>(), {}};
    context::AppContext ctx;
};

// Record i of each history, for an account on a date (short date text):
// two in three of the financial ones charges, the third a payment.
inline void appendHistory(QByteArray &financial, QByteArray &service, int i, const QString &acct, const QString &date)
{
    financial += ledger::LedgerEntry{QStringLiteral("Lakeside Property Management"), acct, date,
                                     i % 3 ? QStringLiteral("Weekly Mowing Unit 7") : QStringLiteral("Payment Check# 1001"),
                                     QStringLiteral("35.125")}
                     .encode();
    service += history::ServiceHistoryRecord{QStringLiteral("Lakeside Property"), acct, date, QStringLiteral("Weekly Mowing"),
                                             QStringLiteral("Sam Jones")}
                   .encode();
}

// The floor of reading files: open, read to the end in 64 KiB blocks,
// close, for each file, from the page cache.
inline qint64 readLoop(const QStringList &paths)
{
    static char buffer[1 << 16];
    qint64 total = 0;
    for (const QString &p : paths) {
        const int fd = ::open(QFile::encodeName(p).constData(), O_RDONLY);
        mustSetUp(fd >= 0);
        for (ssize_t n; (n = ::read(fd, buffer, sizeof buffer)) > 0;)
            total += n;
        ::close(fd);
    }
    return total;
}

#define BRENVOY_BENCH_MAIN()                                                                                           \
    int main(int argc, char **argv)                                                                                    \
    {                                                                                                                  \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                                       \
        QApplication app(argc, argv);                                                                                  \
        benchmark::Initialize(&argc, argv);                                                                            \
        benchmark::RunSpecifiedBenchmarks();                                                                           \
        benchmark::Shutdown();                                                                                         \
        return 0;                                                                                                      \
    }
