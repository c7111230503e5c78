#pragma once
// Opening a supplier's page or the manual from the main menu: the address
// is kept in "/Temp.url" (the shortcut's two lines, a record of the last
// address opened), then handed to the browser without waiting for it.
#include "base/WebOpener.h"
#include "store/FileStore.h"

namespace ui {

bool openWebAddress(const store::FileStore &store, const QString &address, base::WebOpener &opener);

} // namespace ui
