#pragma once
// What the screen benchmarks share: a prompt that answers Yes and shows
// nothing, a web opener that opens nothing, and a main that runs the
// benchmarks inside an offscreen QApplication.
#include "base/Prompt.h"
#include "base/WebOpener.h"

#include <QApplication>
#include <benchmark/benchmark.h>

class SilentPrompt final : public Prompt {
public:
    void message(const QString &, const QString &) override {}
    bool ask(const QString &, const QString &) override { return true; }
    void beep() override {}
};

class NoWeb final : public WebOpener {
public:
    bool open(const QUrl &) override { return false; }
};

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
