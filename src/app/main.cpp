#include "context/AppContext.h"
#include "app/Program.h"
#include "app/StartUp.h"
#include "ui/shell/QtPrompt.h"

#include <QApplication>
#include <QStandardPaths>

using namespace base;
using namespace app;

using namespace store;
using namespace context;
using namespace setup;
using namespace catalog;
using namespace ui;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(kAppTitle);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(BRENVOY_VERSION_MAJOR)
                                            .arg(BRENVOY_VERSION_MINOR)
                                            .arg(BRENVOY_VERSION_PATCH));

    const QString exeFolder = QCoreApplication::applicationDirPath();
    const app::DataFolder folder = app::chooseDataFolder(
        exeFolder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));

    const QLocale locale = programLocale();
    FileStore store(folder.path);
    BusinessSettings settings(locale);
    Catalog catalog(locale);
    SystemClock clock;
    QtPrompt prompt;
    DesktopWebOpener web;
    phone::Modem modem(std::make_unique<phone::QtSerialLine>(), &phone::SerialPorts::system);
    AppContext ctx{store, settings, catalog, clock, prompt, web, modem, locale, exeFolder, folder.note};

    Program program(ctx);
    app::InstanceLock lock(store.programFolder());
    switch (program.start(lock)) {
    case Program::Outcome::AlreadyRunning:
        return 0;
    case Program::Outcome::FolderFailed:
        return 1;
    case Program::Outcome::Running:
        break;
    }
    return app.exec();
}
