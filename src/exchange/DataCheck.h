#pragma once
// A check of the data folder: every record file's length a whole number of
// records, the three customer files in step, each ledger's backup copy the
// same as the ledger, every ledger entry readable, the sales journal and
// the completed invoices agreeing, and no work left behind in the
// transaction folder, every customer with its data-box folder and every
// such folder with its customer, and each settings file holding the values
// the program writes there. Each finding says what is wrong in words a user
// reads; where a mend is safe (it never deletes a record) the finding says
// exactly what it would do, and mend() does it.
#include "store/FileStore.h"

#include <QLocale>
#include <QStringList>
#include <optional>
#include <vector>

namespace exchange {

struct Finding {
    enum class Mend { None, CutTornTail, RestoreFromBackup, RefreshBackup, MakeFolders };
    Finding() = default;
    Finding(QString file, QString problem, QString mend, Mend kind = Mend::None)
        : file(std::move(file)), problem(std::move(problem)), mend(std::move(mend)), mendKind(kind)
    {
    }

    QString file; // relative name
    QString problem;
    // What the safe mend does, in words; empty when there is none.
    QString mend;
    Mend mendKind = Mend::None;
    int recordLength = 0; // for a torn tail
    QStringList accounts; // for the folders to make
};

std::vector<Finding> checkDataFolder(const store::FileStore &store, const QLocale &locale);
// "The data folder checks clean: ..." or how many problems were found and
// how many can be mended safely.
QString checkSummary(const std::vector<Finding> &findings);
// Makes the finding's mend; a file is replaced atomically, folders are
// only ever added.
store::FileResult mend(const store::FileStore &store, const Finding &finding);

} // namespace exchange
