// How long the modem probe holds the start, measured on the shown program
// from its start to the main menu: with no modem and nothing probed, with
// the modem answering on the saved port, and the worst case, sixteen ports
// that stay silent while a daisy-chained telephone asks for every port to
// be tried (pseudo-terminals standing in for serial ports).
#include "BenchSupport.h"
#include "app/Program.h"
#include "catalog/CatalogRecords.h"
#include "setup/SettingsFiles.h"
#include "support/FakeModem.h"

#include <QFile>
#include <QPushButton>
#include <QTest>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

const QLocale kUs(QLocale::English, QLocale::UnitedStates);

struct PhoneFolder : BenchContext {
    explicit PhoneFolder(int silentPorts, bool answering, const QByteArray &phoneFile)
    {
        setup::BusinessValues values = setup::BusinessValues::defaults(kUs);
        mustSetUp(bool(setup::saveAllSettings(store, values)));
        for (const QString &name : {catalog::kServicesFile, catalog::kItemsFile}) {
            QFile f(root + name);
            mustSetUp(f.open(QIODevice::WriteOnly));
        }
        QFile phone(root + setup::kPhone);
        mustSetUp(phone.open(QIODevice::WriteOnly) && phone.write(phoneFile) == phoneFile.size());
        QStringList devices;
        for (int i = 0; i < silentPorts; ++i) {
            modems.push_back(std::make_unique<FakeModem>());
            modems.back()->answersProbe = false;
            devices.append(modems.back()->device());
        }
        if (answering) {
            modems.push_back(std::make_unique<FakeModem>());
            devices.append(modems.back()->device());
        }
        modem.setPortLister([devices] { return phone::SerialPorts::from({}, {}, devices); });
    }
    std::vector<std::unique_ptr<FakeModem>> modems;
};

void startToMenu(benchmark::State &state, PhoneFolder &f)
{
    for (auto _ : state) {
        app::Program program(f.ctx);
        app::InstanceLock lock(f.store.programFolder());
        mustSetUp(program.start(lock) == app::Program::Outcome::Running);
        mustSetUp(QTest::qWaitForWindowExposed(&program.window()));
        auto *next = program.window().findChild<QPushButton *>(QStringLiteral("cmdContinue"));
        mustSetUp(next != nullptr);
        QTest::mouseClick(next, Qt::LeftButton);
        QCoreApplication::processEvents();
        state.counters["modem port"] = f.modem.port();
        lock.release();
    }
}

void BM_StartNoModemNothingProbed(benchmark::State &state)
{
    PhoneFolder f(2, false, "#FALSE#\r\n0\r\n");
    startToMenu(state, f);
}
BENCHMARK(BM_StartNoModemNothingProbed)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_StartModemOnSavedPort(benchmark::State &state)
{
    PhoneFolder f(0, true, "#TRUE#\r\n1\r\n");
    startToMenu(state, f);
}
BENCHMARK(BM_StartModemOnSavedPort)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(5);

void BM_StartSixteenSilentPortsAllTried(benchmark::State &state)
{
    PhoneFolder f(16, false, "#TRUE#\r\n0\r\n");
    startToMenu(state, f);
}
BENCHMARK(BM_StartSixteenSilentPortsAllTried)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);

} // namespace

BRENVOY_BENCH_MAIN()
