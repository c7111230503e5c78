#include "customers/AuxData.h"

#include "base/ValueList.h"

using namespace base;
using namespace store;

namespace customers {

namespace auxdata {

QString boxFile(const QString &acctNo, int box)
{
    return kAuxFolder + u'/' + acctNo.trimmed() + u'/' + boxFolderNames().at(box) + QStringLiteral("/Data.txt");
}

const QStringList &boxFolderNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (int i = 0; i < kBoxes; ++i)
            n.append(QStringLiteral("AuxFile%1").arg(i));
        return n;
    }();
    return names;
}

QString makeAccountFolders(const FileStore &store, const QStringList &acctNos, bool lookInside,
                           const FileStore::Progress &progress)
{
    return store.makeFolderTrees(kAuxFolder, acctNos, boxFolderNames(), lookInside, progress);
}

std::optional<QStringList> loadHeadings(const FileStore &store)
{
    if (!store.dataFileExists(kAuxHeadingsFile))
        return std::nullopt;
    QStringList lines = valuelist::readPlainLines(store.readFile(kAuxHeadingsFile).value_or(QByteArray()));
    while (lines.size() > kBoxes)
        lines.removeLast();
    return lines;
}

FileResult saveHeadings(const FileStore &store, const QStringList &headings)
{
    return store.saveDataFile(kAuxHeadingsFile, valuelist::writePlainLines(headings));
}

Boxes loadBoxes(const FileStore &store, const QString &acctNo)
{
    Boxes boxes;
    if (!FileStore::isSafeNameComponent(acctNo.trimmed()))
        return boxes;
    for (int i = 0; i < kBoxes; ++i) {
        const std::optional<QByteArray> file = store.readFile(boxFile(acctNo, i));
        if (!file)
            continue;
        QString text = valuelist::decodeText(*file);
        if (text.endsWith(QLatin1String("\r\n")))
            text.chop(2); // the line end the writer adds
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        boxes[size_t(i)] = text;
    }
    return boxes;
}

FileResult saveBoxes(const FileStore &store, const QString &acctNo, const Boxes &boxes)
{
    const QString acct = acctNo.trimmed();
    if (!FileStore::isSafeNameComponent(acct))
        return FileResult::failure(QStringLiteral("the account number \"%1\" cannot name a folder").arg(acct));
    if (FileResult r = store.makeFolders({kAuxFolder}); !r)
        return r;
    if (const QString failed = makeAccountFolders(store, {acct}); !failed.isEmpty())
        return FileResult::failure(QStringLiteral("the folder %1 cannot be made").arg(failed));
    for (int i = 0; i < kBoxes; ++i) {
        QString text = boxes[size_t(i)];
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(u'\n', QLatin1String("\r\n"));
        if (FileResult r = store.replaceFile(boxFile(acct, i), valuelist::encodeText(text + QStringLiteral("\r\n"))); !r)
            return r;
    }
    return FileResult::success();
}

} // namespace auxdata

} // namespace customers
