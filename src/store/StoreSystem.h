#pragma once
// What the store's parts share below the file system: listings by folded
// name, a folder made when missing, the system's reason for a failure, and
// the syncs of a file and of a folder.
#include <QHash>
#include <QString>

namespace store::detail {

// Entries of a folder by their name in lower case, so many names are
// matched case-insensitively with one listing.
QHash<QString, QString> listByFoldedName(const QString &folder);
bool ensureFolder(const QString &fullPath);
// The system's own words for the last failure, with a fallback when it
// gives none.
QString systemReason(const QString &fallback);
bool syncHandle(int handle);
// A rename is atomic but only durable once the folder holding it is synced.
bool syncFolder(const QString &folder);

} // namespace store::detail
