#pragma once
// The two sets of settings the crash test's child saves by turns, so the
// test knows both contents a file may hold.
#include "setup/BusinessSettings.h"

inline setup::BusinessValues crashTestValues(int which)
{
    setup::BusinessValues v = setup::BusinessValues::defaults(QLocale(QLocale::English, QLocale::UnitedStates));
    v.businessName = QStringLiteral("Old Name A");
    v.printCopies = 1;
    if (which == 1) {
        v.businessName = QStringLiteral("New Name, a longer one so the files differ in length");
        v.printCopies = 2;
        v.printFontName = QStringLiteral("Liberation Serif");
    }
    return v;
}
