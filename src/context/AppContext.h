#pragma once
// What every screen shares: the file store, the live business settings, the
// clock, the locale formats, how to speak to the user, how to open a web
// page and the modem. Made once in main and handed to each screen; there are no globals.
#include "base/Clock.h"
#include "base/Prompt.h"
#include "base/WebOpener.h"
#include "catalog/Catalog.h"
#include "phone/Modem.h"
#include "setup/BusinessSettings.h"
#include "store/FileStore.h"

#include <QLocale>
#include <QString>

namespace context {

inline const QString kAppTitle = QStringLiteral("Brenvoy");

struct AppContext {
    store::FileStore &store;
    setup::BusinessSettings &settings;
    // The services and items as last loaded from their files.
    catalog::Catalog &catalog;
    const base::Clock &clock;
    base::Prompt &prompt;
    base::WebOpener &web;
    // The modem on its serial line, found (or not) at start.
    phone::Modem &modem;
    QLocale locale;
    // The folder the program's own shipped files (manual, state list,
    // templates) come from: the executable's folder.
    QString shippedFolder;
    // Said once on the start screen when the data had to move to the
    // per-user folder because the program folder is not writable.
    QString folderNote;
};

// The system locale, or English (United States) where the system has only
// the "C" locale.
QLocale programLocale();

} // namespace context
