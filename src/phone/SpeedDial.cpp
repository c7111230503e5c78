#include "phone/SpeedDial.h"

#include "base/ValueList.h"

using namespace base;

namespace phone {

namespace {

// A line break inside a name would shift every later pair by a line.
QString oneLine(QString text)
{
    text.replace(u'\r', u' ');
    text.replace(u'\n', u' ');
    return text;
}

} // namespace

SpeedDial loadSpeedNumbers(const store::FileStore &store)
{
    SpeedDial list;
    const auto bytes = store.readFile(kSpeedNumbersFile);
    if (!bytes)
        return list;
    const QStringList lines = valuelist::readPlainLines(*bytes);
    for (qsizetype i = 0, slot = 0; i + 1 < lines.size() && slot < SpeedDial::kSlots; i += 2, ++slot) {
        list.names[size_t(slot)] = lines[i];
        list.numbers[size_t(slot)] = lines[i + 1];
    }
    return list;
}

store::FileResult saveSpeedNumbers(const store::FileStore &store, const SpeedDial &list)
{
    QStringList lines;
    for (int slot = 0; slot < SpeedDial::kSlots; ++slot) {
        if (list.isFree(slot))
            continue;
        lines.append(oneLine(list.names[size_t(slot)]));
        lines.append(oneLine(list.numbers[size_t(slot)]));
    }
    // Only the program folder's copy is replaced; the backup keeps the list
    // of the last backup.
    return store.replaceFile(kSpeedNumbersFile, valuelist::writePlainLines(lines));
}

} // namespace phone
