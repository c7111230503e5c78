#pragma once
// The one harness for every operation that changes several files at once.
//
// The kill test: a child process (brenvoy_save_loop in a mode) runs the
// operation over and over on a folder; it is killed at a random moment,
// the start's finishing of interrupted work runs, and the test checks the
// files agree. The fault test: the operation is run once for every write
// (and sync) it makes, that write failing, and the folder must be exactly
// as before, with the failure reported as changing nothing.
#include "support/TestSupport.h"
#include "store/Transaction.h"

#include <QMap>
#include <QRandomGenerator>
#include <functional>

// Every file under the folder by relative name (the transaction folder's
// staging left out, since it is the operation's own scratch space).
QMap<QString, QByteArray> folderFiles(const TestFolder &folder);

// Starts the child in `mode` on the folder, kills it a random moment after
// it says it is at work, and finishes what it left as the start does.
store::FinishedWork killAndFinish(TestFolder &folder, const QString &mode, QRandomGenerator &rng);

// `rounds` fresh folders set up by `setUp`, each killed and finished, then
// handed to `check` with the round and what was finished.
void killRounds(int rounds, quint32 seed, const QString &mode, const std::function<void(TestFolder &)> &setUp,
                const std::function<void(TestFolder &, int round, const store::FinishedWork &)> &check);

// For n = 1, 2, ... until the operation makes fewer writes (or syncs)
// than n: a fresh folder set up by `setUp`, the nth write (or folder sync)
// failing, with every write after it when `onward` (the undo's too), and
// the operation run. Should it succeed all the same, the files are a
// clean run's; when it reports nothing changed, every
// file is as it was; when it says the change could not be taken back or
// was not confirmed (`replaced`), its marker is there and the start
// completes it to exactly the files a clean run writes. Files named in
// `outside` (written on purpose before the change, such as an invoice
// number drawn) are left out of the comparisons. Returns n - 1 at the end.
enum class Fault { Write, Sync };
struct FaultSweep {
    Fault fault = Fault::Write;
    bool onward = false;
    QStringList outside;
};
int failEach(const FaultSweep &sweep, const std::function<void(TestFolder &)> &setUp,
             const std::function<store::FileResult(TestFolder &)> &operation);
// Writes alone, writes onward and syncs, each swept in turn.
void failEveryWay(const std::function<void(TestFolder &)> &setUp,
                  const std::function<store::FileResult(TestFolder &)> &operation, const QStringList &outside = {});
