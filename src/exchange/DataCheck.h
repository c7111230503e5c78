#pragma once
// A check of the data folder: every record file's length a whole number of
// records, the three customer files in step, each ledger's backup copy the
// same as the ledger, every ledger entry readable, the sales journal and
// the completed invoices agreeing, and no work left behind in the
// transaction folder. Each finding says what is wrong in words a user
// reads; where a mend is safe (it never deletes a record) the finding says
// exactly what it would do, and mend() does it.
#include "store/FileStore.h"

#include <QLocale>
#include <QStringList>
#include <optional>
#include <vector>

namespace exchange {

struct Finding {
    QString file; // relative name
    QString problem;
    // What the safe mend does, in words; empty when there is none.
    QString mend;
    enum class Mend { None, CutTornTail, RestoreFromBackup, RefreshBackup } mendKind = Mend::None;
    int recordLength = 0; // for a torn tail
};

std::vector<Finding> checkDataFolder(const store::FileStore &store, const QLocale &locale);
// Makes the finding's mend; the file is replaced atomically.
store::FileResult mend(const store::FileStore &store, const Finding &finding);

} // namespace exchange
