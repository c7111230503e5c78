#pragma once
// Every record of a fixed-length record file, in one sequential read: the
// lists and searches read whole files this way, never one open per record.
#include "store/FileStore.h"

#include <vector>

namespace store {

template <typename Record>
std::vector<Record> readAllRecords(const FileStore &store, const QString &name)
{
    const QByteArray file = store.readFile(name).value_or(QByteArray());
    const int count = store.recordCount(name, Record::kLength);
    std::vector<Record> records;
    records.reserve(size_t(count));
    for (int i = 0; i < count; ++i)
        records.push_back(Record::decode(file.mid(qsizetype(i) * Record::kLength, Record::kLength)));
    return records;
}

} // namespace store
