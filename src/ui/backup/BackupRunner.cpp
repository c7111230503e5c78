#include "ui/backup/BackupRunner.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include "ui/widgets/StepProgress.h"

#include <QProgressDialog>

namespace ui {

QString sizeText(qint64 bytes)
{
    if (bytes < 1024 * 1024)
        return QStringLiteral("%1 KB").arg(std::max<qint64>(1, (bytes + 1023) / 1024));
    return QStringLiteral("%1 MB").arg(double(bytes) / (1024.0 * 1024.0), 0, 'f', 1);
}

bool runBackup(QWidget *parent, context::AppContext &ctx, bool quietOnSuccess)
{
    const backup::Settings settings = backup::loadSettings(ctx.store);
    const QString folder = backup::archiveFolder(ctx.store, settings);
    QProgressDialog progress(QStringLiteral("Backing up the data folder..."), QString(), 0, 1000, parent);
    setUpWholeChangeProgress(progress, "dlgBackupProgress", QStringLiteral("Back Up"), QStringLiteral("Backup progress"));
    const backup::Made made = backup::makeBackup(
        ctx.store, folder, ctx.clock.now(), backup::currentVersion(), settings.keep, [&](qint64 done, qint64 total) {
            progress.setValue(total > 0 ? int(done * 1000 / total) : 0);
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        });
    progress.setValue(1000);
    if (!made.ok()) {
        ctx.prompt.message(QStringLiteral("The backup could not be made: %1.\nYour data is safe in the data folder; "
                                          "no backup was counted.")
                               .arg(made.error),
                           QStringLiteral("Back Up"));
        return false;
    }
    if (!quietOnSuccess)
        ctx.prompt.message(QStringLiteral("The backup %1 was made and checked: %2 files, %3, in %4.")
                               .arg(QFileInfo(made.archive).fileName())
                               .arg(made.files)
                               .arg(sizeText(QFileInfo(made.archive).size()), QDir::toNativeSeparators(folder)),
                           QStringLiteral("Back Up"));
    return true;
}

} // namespace ui
