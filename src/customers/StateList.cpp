#include "customers/StateList.h"

#include "base/ValueList.h"

using namespace base;

namespace customers {

QStringList loadStateList(const store::FileStore &store)
{
    QStringList states;
    const std::optional<QByteArray> file = store.readFile(kStatesListFile);
    if (!file)
        return states;
    valuelist::Reader reader(*file);
    for (int i = 0; i < kMaxStates && !reader.atEnd(); ++i)
        states.append(reader.text());
    return states;
}

} // namespace customers
