#pragma once
// The two-letter state codes the customer screen offers, shipped beside
// the program as a quoted list.
#include "store/FileStore.h"

#include <QStringList>

namespace customers {

inline const QString kStatesListFile = QStringLiteral("/StatesList.txt");
constexpr int kMaxStates = 50;

// The first 50 codes of the list; none when the file is missing.
QStringList loadStateList(const store::FileStore &store);

} // namespace customers
