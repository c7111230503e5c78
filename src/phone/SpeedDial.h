#pragma once
// The ten speed-dial names and numbers and "SpeedNumbers.txt": plain lines,
// a name line then its number line for each used slot in slot order, each
// ended by CR LF. A slot with an empty name is free and not written, so
// free slots between used ones close up after a save and a load.
#include "store/FileStore.h"

#include <QString>
#include <array>

namespace phone {

inline const QString kSpeedNumbersFile = QStringLiteral("/SpeedNumbers.txt");

struct SpeedDial {
    static constexpr int kSlots = 10;
    std::array<QString, kSlots> names;
    std::array<QString, kSlots> numbers;

    bool isFree(int slot) const { return names[size_t(slot)].isEmpty(); }
};

// LoadSpeedNumbers: the pairs of the file fill slots 0, 1, 2 ... in file
// order. A name line without its number line is left out, and pairs past
// the tenth are not read; a missing file gives ten free slots.
SpeedDial loadSpeedNumbers(const store::FileStore &store);
// SaveSpeedNumbers: the used slots replace the file in one step (the old
// list or the new, never half of one).
store::FileResult saveSpeedNumbers(const store::FileStore &store, const SpeedDial &list);

} // namespace phone
