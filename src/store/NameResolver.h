#pragma once
// Names under the program folder: a relative name beginning with "/" or
// "\" (both mean the same) resolved component by component, an existing
// entry of any letter case used, a new one taken as given. A "." or ".."
// component never resolves. Each folder's listing is kept while the folder
// is unchanged (its modification time to the nanosecond) and brought up to
// date by the store's own writes, so looking for many new names in a large
// folder does not list it again each time.
#include <QHash>
#include <QString>

namespace store {

class NameResolver {
public:
    explicit NameResolver(QString root) : m_root(std::move(root)) {}
    const QString &root() const { return m_root; }

    // The full path, or an empty text for a name that may not be used.
    // Every component but the last must be a folder, and so must the last
    // when `wantFolder`.
    QString resolve(const QString &name, bool wantFolder) const;
    // What the store made or removed at a full path, for the kept listings.
    void noteAdded(const QString &path) const;
    void noteRemoved(const QString &path) const;

private:
    // The name in `folder` that equals `name` but for letter case, first in
    // name order; empty for none.
    QString caseMatch(const QString &folder, const QString &name, bool needFolder) const;
    struct FolderListing {
        qint64 stamp = -1;
        QHash<QString, QString> byFolded; // folded name -> first name in name order
    };
    mutable QHash<QString, FolderListing> m_listings;
    QString m_root;
};

} // namespace store
