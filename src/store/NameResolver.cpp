#include "store/NameResolver.h"

#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

#include <qplatformdefs.h>

namespace store {

QString NameResolver::resolve(const QString &name, bool wantFolder) const
{
    QString normal = name;
    normal.replace(u'\\', u'/');
    const QStringList parts = normal.split(u'/', Qt::SkipEmptyParts);
    QString current = m_root;
    bool exists = true;
    for (qsizetype i = 0; i < parts.size(); ++i) {
        const QString &part = parts[i];
        if (part == QLatin1String(".") || part == QLatin1String(".."))
            return QString();
        const QString exact = current + u'/' + part;
        if (!exists) {
            current = exact;
            continue;
        }
        // Every component but the last must be a folder, and so must the
        // last when a folder is wanted: the executable "brenvoy" is no match
        // for the data folder "/Brenvoy".
        const bool needFolder = wantFolder || i + 1 < parts.size();
        const QFileInfo exactInfo(exact);
        if (exactInfo.exists() && (!needFolder || exactInfo.isDir())) {
            current = exact;
            continue;
        }
        const QString match = caseMatch(current, part, needFolder);
        if (match.isEmpty()) {
            current = exact;
            exists = false; // nothing below a missing entry exists either
        } else {
            current += u'/' + match;
        }
    }
    return current;
}

namespace {
// A folder's modification time to the nanosecond; -1 where it cannot be had.
qint64 folderStamp(const QString &folder)
{
#ifdef Q_OS_UNIX
    QT_STATBUF st;
    if (QT_STAT(QFile::encodeName(folder).constData(), &st) != 0)
        return -1;
    return qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
#else
    Q_UNUSED(folder);
    return -1;
#endif
}
} // namespace

QString NameResolver::caseMatch(const QString &folder, const QString &name, bool needFolder) const
{
    const qint64 stamp = folderStamp(folder);
    auto cached = m_listings.find(folder);
    if (stamp >= 0 && (cached == m_listings.end() || cached->stamp != stamp)) {
        FolderListing listing;
        listing.stamp = stamp;
        QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
        while (it.hasNext()) {
            it.next();
            const QString entry = it.fileName();
            QString &first = listing.byFolded[entry.toCaseFolded()];
            if (first.isEmpty() || entry < first)
                first = entry;
        }
        cached = m_listings.insert(folder, std::move(listing));
    }
    if (stamp >= 0) {
        const QString match = cached->byFolded.value(name.toCaseFolded());
        if (match.isEmpty() || !needFolder || QFileInfo(folder + u'/' + match).isDir())
            return match;
    }
    // No time to keep a listing by, or the first spelling is a file where a
    // folder is wanted (rare): one pass over the folder for this lookup.
    QString first;
    QDirIterator it(folder, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    while (it.hasNext()) {
        it.next();
        const QString entry = it.fileName();
        if (entry.compare(name, Qt::CaseInsensitive) == 0 && (first.isEmpty() || entry < first)
            && (!needFolder || it.fileInfo().isDir()))
            first = entry;
    }
    return first;
}

void NameResolver::noteAdded(const QString &path) const
{
    const QFileInfo info(path);
    auto cached = m_listings.find(info.absolutePath());
    if (cached == m_listings.end())
        return;
    const QString entry = info.fileName();
    QString &first = cached->byFolded[entry.toCaseFolded()];
    if (first.isEmpty() || entry < first)
        first = entry;
    cached->stamp = folderStamp(info.absolutePath());
}

void NameResolver::noteRemoved(const QString &path) const
{
    // Another spelling may remain: the folder is listed again when next needed.
    m_listings.remove(QFileInfo(path).absolutePath());
}

} // namespace store
