#include "base/WebOpener.h"

#include <QDesktopServices>

namespace base {

bool DesktopWebOpener::open(const QUrl &address)
{
    // The desktop starts the browser as a process of its own; this call
    // does not wait for it.
    return QDesktopServices::openUrl(address);
}

} // namespace base
