#include "ui/start/WebShortcut.h"

#include "base/ValueList.h"

#include <QUrl>

namespace ui {

bool openWebAddress(const store::FileStore &store, const QString &address, base::WebOpener &opener)
{
    // The browser is handed the address whether or not the shortcut could
    // be written.
    (void)store.replaceFile(QStringLiteral("/Temp.url"),
                            base::valuelist::writePlainLines(
                                {QStringLiteral("[InternetShortcut]"), QStringLiteral("URL = ") + address}));
    QUrl url(address);
    if (url.scheme().isEmpty())
        url = QUrl::fromLocalFile(address);
    return opener.open(url);
}

} // namespace ui
