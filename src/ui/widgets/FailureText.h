#pragma once
// What the user is told of a change that failed: the system's reason, and
// whether the files are as they were or hold the change, which the next
// start completes. `asWere` and `completed` say what that means for the
// screen's own work.
#include "store/FileStore.h"

#include <QString>

namespace ui {

inline QString failureText(const QString &what, const store::FileResult &r,
                           const QString &asWere = QStringLiteral("Nothing was changed."),
                           const QString &completed = QStringLiteral("It will be completed when the program next starts."))
{
    return what + QStringLiteral(" (%1).\n").arg(r.error) + (r.replaced ? completed : asWere);
}

} // namespace ui
