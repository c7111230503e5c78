// Folders: one made, several in order, and trees of account folders made
// with one listing.
#include "store/FileStore.h"
#include "store/StoreSystem.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSaveFile>
#include <cerrno>
#include <cmath>
#include <cstring>

#include <qplatformdefs.h>
#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace store {

using namespace detail;

bool FileStore::makeFolder(const QString &name) const
{
    const QString p = m_names.resolve(name, true);
    if (p.isEmpty())
        return false;
    const QFileInfo info(p);
    if (info.isDir())
        return true;
    if (info.exists())
        return false;
    return QDir().mkdir(p);
}

FileResult FileStore::makeFolders(const QStringList &names) const
{
    for (const QString &f : names) {
        if (!makeFolder(f))
            return FileResult::failure(QStringLiteral("the folder %1 cannot be made").arg(f));
    }
    return FileResult::success();
}

QString FileStore::makeFolderTrees(const QString &folder, const QStringList &children,
                                   const QStringList &subfolders, bool lookInside, const Progress &progress) const
{
    if (children.isEmpty())
        return QString();
    const QString root = path(folder);
    if (root.isEmpty())
        return folder;
    QHash<QString, QString> existing = listByFoldedName(root);
    int made = 0, done = 0;
    const int total = int(children.size());
    for (const QString &child : children) {
        if (++done % 256 == 0 && made > 0 && progress)
            progress(done, total);
        // A child that is not a plain file name never becomes a path: "../x"
        // must not reach outside the program folder.
        if (!isSafeNameComponent(child))
            continue;
        const QString folded = child.toCaseFolded();
        if (!lookInside && existing.contains(folded))
            continue; // there already, as a folder or a file: taken as it is
        const QString childPath = root + u'/' + existing.value(folded, child);
        const QFileInfo info(childPath);
        if (info.isFile())
            continue; // a plain file of that name: left alone
        if (!info.exists()) {
            // A new folder: none of its subfolders can exist yet.
            if (!QDir().mkdir(childPath))
                return folder + u'/' + child;
            ++made;
            existing.insert(folded, child);
            for (const QString &sub : subfolders) {
                if (!QDir().mkdir(childPath + u'/' + sub))
                    return folder + u'/' + child + u'/' + sub;
            }
            continue;
        }
        // The usual case is every subfolder already there: one look each,
        // and a listing only when one is missing.
        QHash<QString, QString> inside;
        bool listed = false;
        for (const QString &sub : subfolders) {
            if (QFileInfo(childPath + u'/' + sub).isDir())
                continue;
            if (!listed) {
                inside = listByFoldedName(childPath);
                listed = true;
            }
            if (!ensureFolder(childPath + u'/' + inside.value(sub.toCaseFolded(), sub)))
                return folder + u'/' + child + u'/' + sub;
        }
    }
    return QString();
}

} // namespace store
