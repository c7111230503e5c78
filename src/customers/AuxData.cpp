#include "customers/AuxData.h"

#include "base/ValueList.h"

namespace auxdata {

QString boxFile(const QString &acctNo, int box)
{
    return QStringLiteral("/AuxFiles/%1/AuxFile%2/Data.txt").arg(acctNo.trimmed()).arg(box);
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
    const QString folder = QStringLiteral("/AuxFiles/") + acct;
    for (const QString &f : {QStringLiteral("/AuxFiles"), folder}) {
        if (!store.makeFolder(f))
            return FileResult::failure(QStringLiteral("the folder %1 cannot be made").arg(f));
    }
    for (int i = 0; i < kBoxes; ++i) {
        const QString sub = folder + QStringLiteral("/AuxFile%1").arg(i);
        if (!store.makeFolder(sub))
            return FileResult::failure(QStringLiteral("the folder %1 cannot be made").arg(sub));
        QString text = boxes[size_t(i)];
        text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
        text.replace(u'\n', QLatin1String("\r\n"));
        if (FileResult r = store.replaceFile(boxFile(acct, i), valuelist::encodeText(text + QStringLiteral("\r\n"))); !r)
            return r;
    }
    return FileResult::success();
}

} // namespace auxdata
