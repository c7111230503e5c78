#pragma once
// The six data boxes every account may carry, under six headings shared
// by all accounts. Box i of an account is the file
// "/AuxFiles/<account number>/AuxFile<i>/Data.txt": the box text with CR LF
// line ends, followed by one CR LF, read back exactly as it was typed.
#include "store/FileStore.h"

#include <QStringList>
#include <array>
#include <optional>

namespace customers {

inline const QString kAuxHeadingsFile = QStringLiteral("/AuxHeadings.txt");

namespace auxdata {

constexpr int kBoxes = 6;
using Boxes = std::array<QString, kBoxes>;

inline const QString kAuxFolder = QStringLiteral("/AuxFiles");
QString boxFile(const QString &acctNo, int box);
// The six box folders of an account ("AuxFile0" to "AuxFile5").
const QStringList &boxFolderNames();
// Makes every account's folder and its six box folders where missing, in
// one pass over the data-box folder. With `lookInside` false an account
// folder that exists is not looked into (the start: one listing for all
// accounts; saving the boxes mends a missing box folder where it is used).
// Returns the relative name of the first folder that cannot be made, or an
// empty text.
QString makeAccountFolders(const store::FileStore &store, const QStringList &acctNos, bool lookInside = true,
                           const store::FileStore::Progress &progress = {});

// Up to six headings; nothing when the file is missing.
std::optional<QStringList> loadHeadings(const store::FileStore &store);
store::FileResult saveHeadings(const store::FileStore &store, const QStringList &headings);

// A missing file gives an empty box.
Boxes loadBoxes(const store::FileStore &store, const QString &acctNo);
// Makes the account's folders when they are missing, then replaces all six
// files, empty boxes included.
store::FileResult saveBoxes(const store::FileStore &store, const QString &acctNo, const Boxes &boxes);

} // namespace auxdata

} // namespace customers
