#include "backup/Archive.h"
#include "context/AppContext.h"
#include "app/CommandLine.h"
#include "app/Program.h"
#include "app/StartUp.h"
#include "ui/shell/QtPrompt.h"

#include <QApplication>
#include <QDir>
#include <QIcon>
#include <QStandardPaths>
#include <cstdio>

using namespace base;
using namespace app;

using namespace store;
using namespace context;
using namespace setup;
using namespace catalog;
using namespace ui;

int main(int argc, char *argv[])
{
    // Read before any window exists: --version and --help answer on a
    // machine without a display.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    const CommandLine line = readCommandLine(arguments);
    switch (line.action) {
    case CommandLine::Action::Version:
        std::printf("%s\n", qPrintable(versionText()));
        return 0;
    case CommandLine::Action::Help:
        std::fputs(qPrintable(helpText()), stdout);
        return 0;
    case CommandLine::Action::Refused:
        std::fprintf(stderr, "%s\n\n%s", qPrintable(line.problem), qPrintable(helpText()));
        return 2;
    case CommandLine::Action::Run:
        break;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(kAppTitle);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(BRENVOY_VERSION_MAJOR)
                                            .arg(BRENVOY_VERSION_MINOR)
                                            .arg(BRENVOY_VERSION_PATCH));
    QApplication::setDesktopFileName(QStringLiteral("org.brenvoy.Brenvoy"));
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/brenvoy.svg")));

    const QString exeFolder = QCoreApplication::applicationDirPath();
    const QString shippedFolder = app::shippedFolderFor(exeFolder);
    app::DataFolder folder;
    if (!line.dataFolder.isEmpty()) {
        // Another business's folder, as asked: made when missing.
        if (!QDir().mkpath(line.dataFolder)) {
            std::fprintf(stderr, "The folder %s cannot be made.\n", qPrintable(line.dataFolder));
            return 1;
        }
        folder.path = line.dataFolder;
    } else {
        folder = app::chooseDataFolder(exeFolder, QStandardPaths::writableLocation(QStandardPaths::AppDataLocation),
                                       shippedFolder != exeFolder);
    }

    // A restore the program was stopped in the middle of is finished first:
    // the folder is then wholly the restored one.
    (void)backup::finishRestore(folder.path);

    const QLocale locale = programLocale();
    FileStore store(folder.path);
    BusinessSettings settings(locale);
    Catalog catalog(locale);
    SystemClock clock;
    QtPrompt prompt;
    DesktopWebOpener web;
    phone::Modem modem(std::make_unique<phone::QtSerialLine>(), &phone::SerialPorts::system);
    AppContext ctx{store, settings, catalog, clock, prompt, web, modem, locale, shippedFolder, folder.note};

    Program program(ctx);
    // One copy per data folder: a second business's folder can be open beside the first.
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
