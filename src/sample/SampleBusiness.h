#pragma once
// The sample business: a small lawn and garden business made as a complete
// data folder, through the program's own writers, so it is in the files'
// formats by construction and can be made again whenever a format grows.
// A year of its history is made the way a user would make it: each month's
// due accounts billed (printed to nowhere, so the invoices, numbers and
// journals are the real ones), then paid, some late, some not, some over.
#include "store/FileStore.h"

#include <QDate>
#include <QString>

namespace sample {

// The file that marks a data folder as the sample, so the program can say
// "Sample business" whichever way the folder was opened.
inline const QString kMarkerFile = QStringLiteral("/SampleBusiness.txt");
bool isSample(const store::FileStore &store);

struct Made {
    store::FileResult result = store::FileResult::success();
    int customers = 0;
    int ledgers = 0;
    int invoices = 0;
    int payments = 0;
};

// Fills an empty folder as of `today` (the history runs the twelve months
// before it). `contractTemplate` is the shipped template's text, for the
// contracts of a few customers; empty leaves them out.
Made makeSampleBusiness(const store::FileStore &store, const QDate &today, const QByteArray &contractTemplate);

} // namespace sample
