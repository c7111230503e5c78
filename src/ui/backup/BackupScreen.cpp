#include "ui/backup/BackupScreen.h"

#include "base/Dates.h"
#include "ui/backup/BackupRunner.h"
#include "ui/shell/Navigator.h"
#include "ui/widgets/RowGrid.h"
#include "ui/widgets/ValueLabel.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include "ui/widgets/StepProgress.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

namespace ui {

namespace {
const QString kTitle = QStringLiteral("Backups");
} // namespace

BackupScreen::FolderChooser BackupScreen::systemFolderChooser()
{
    return [](QWidget *parent, const QString &current) {
        return QFileDialog::getExistingDirectory(parent, QStringLiteral("Folder for Backups"), current);
    };
}

BackupScreen::BackupScreen(context::AppContext &ctx, Navigator &navigator, Restart restart, FolderChooser chooseFolder,
                           QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_restart(std::move(restart)),
      m_chooseFolder(std::move(chooseFolder))
{
    setObjectName(QStringLiteral("frmBackups"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("A backup is one archive of the whole data folder, checked after it is "
                                            "written. One is made each time the program ends. Restoring one makes the "
                                            "data folder exactly as it was then; the folder as it is now is archived "
                                            "first, so the restore can itself be undone."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    layout->addWidget(buildSettings());
    m_rows = new QStandardItemModel(0, 5, this);
    m_rows->setHorizontalHeaderLabels({QStringLiteral("Made"), QStringLiteral("Size"), QStringLiteral("Customers"),
                                       QStringLiteral("Ledgers"), QStringLiteral("Checked")});
    m_grid = new QTableView(this);
    m_grid->setModel(m_rows);
    setUpRowGrid(m_grid, QStringLiteral("grdArchives"), QStringLiteral("Backups"));
    layout->addWidget(m_grid, 1);
    m_summary = makeValueLabel(this, "lblBackupSummary");
    layout->addWidget(m_summary);
    layout->addWidget(buildCommands());
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] {
        m_check->setEnabled(chosen() != nullptr);
        m_restore->setEnabled(chosen() != nullptr);
    });
}

QWidget *BackupScreen::buildSettings()
{
    auto *box = new QGroupBox(QStringLiteral("Where backups go"), this);
    auto *h = new QHBoxLayout(box);
    m_folder = new QLineEdit(box);
    m_folder->setObjectName(QStringLiteral("txtBackupFolder"));
    m_folder->setAccessibleName(QStringLiteral("Folder for backups"));
    auto *folderLabel = new QLabel(QStringLiteral("&Folder"), box);
    folderLabel->setBuddy(m_folder);
    auto *choose = new QPushButton(QStringLiteral("C&hoose..."), box);
    choose->setObjectName(QStringLiteral("cmdChooseFolder"));
    choose->setAccessibleName(QStringLiteral("Choose the folder for backups"));
    connect(choose, &QPushButton::clicked, this, [this] {
        const QString chosen = m_chooseFolder(this, m_folder->text());
        if (!chosen.isEmpty())
            m_folder->setText(QDir::toNativeSeparators(chosen));
    });
    m_keep = new QSpinBox(box);
    m_keep->setObjectName(QStringLiteral("spnKeep"));
    m_keep->setRange(1, 999);
    m_keep->setAccessibleName(QStringLiteral("Backups kept"));
    auto *keepLabel = new QLabel(QStringLiteral("&Keep the last"), box);
    keepLabel->setBuddy(m_keep);
    auto *save = new QPushButton(QStringLiteral("&Save Settings"), box);
    save->setObjectName(QStringLiteral("cmdSaveBackupSettings"));
    connect(save, &QPushButton::clicked, this, &BackupScreen::saveSettings);
    h->addWidget(folderLabel);
    h->addWidget(m_folder, 1);
    h->addWidget(choose);
    h->addWidget(keepLabel);
    h->addWidget(m_keep);
    h->addWidget(save);
    return box;
}

QWidget *BackupScreen::buildCommands()
{
    auto *row = new QWidget(this);
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto *now = new QPushButton(QStringLiteral("&Back Up Now"), row);
    now->setObjectName(QStringLiteral("cmdBackUpNow"));
    connect(now, &QPushButton::clicked, this, &BackupScreen::backUpNow);
    m_check = new QPushButton(QStringLiteral("&Check"), row);
    m_check->setObjectName(QStringLiteral("cmdCheckArchive"));
    connect(m_check, &QPushButton::clicked, this, &BackupScreen::checkChosen);
    m_restore = new QPushButton(QStringLiteral("&Restore..."), row);
    m_restore->setObjectName(QStringLiteral("cmdRestore"));
    connect(m_restore, &QPushButton::clicked, this, &BackupScreen::restoreChosen);
    auto *menu = new QPushButton(QStringLiteral("Me&nu"), row);
    menu->setObjectName(QStringLiteral("cmdMenu"));
    connect(menu, &QPushButton::clicked, this, [this] { m_navigator.show(ScreenId::MainMenu); });
    h->addWidget(now);
    h->addWidget(m_check);
    h->addWidget(m_restore);
    h->addStretch();
    h->addWidget(menu);
    return row;
}

QString BackupScreen::caption() const
{
    return kTitle;
}

void BackupScreen::activate(Routine)
{
    const backup::Settings s = backup::loadSettings(m_ctx.store);
    m_folder->setText(QDir::toNativeSeparators(s.folder));
    m_folder->setPlaceholderText(QDir::toNativeSeparators(m_ctx.store.programFolder() + backup::kBackupsFolder));
    m_keep->setValue(s.keep);
    listArchives();
    m_grid->setFocus();
}

void BackupScreen::listArchives()
{
    const QString folder = backup::archiveFolder(m_ctx.store, backup::loadSettings(m_ctx.store));
    m_archives = backup::listArchives(folder);
    m_rows->removeRows(0, m_rows->rowCount());
    for (const backup::ArchiveInfo &a : m_archives) {
        const auto checked = m_checked.constFind(a.path);
        const QString state = !a.problem.isEmpty()           ? QStringLiteral("Damaged: ") + a.problem
                              : checked == m_checked.cend()  ? QStringLiteral("Not yet")
                              : checked->isEmpty()           ? QStringLiteral("Yes")
                                                             : QStringLiteral("Damaged: ") + *checked;
        QString made = base::dates::toShortDateText(a.made.date(), m_ctx.locale) + u' '
                       + m_ctx.locale.toString(a.made.time(), QLocale::ShortFormat);
        if (a.path.endsWith(QLatin1String("-before-restore.zip")))
            made += QStringLiteral(" (before a restore)");
        m_rows->appendRow({new QStandardItem(made), new QStandardItem(sizeText(a.size)),
                           new QStandardItem(QString::number(a.customers)), new QStandardItem(QString::number(a.ledgers)),
                           new QStandardItem(state)});
    }
    m_summary->setText(m_archives.empty()
                           ? QStringLiteral("No backups yet in %1.").arg(QDir::toNativeSeparators(folder))
                           : QStringLiteral("%1 %2 in %3.")
                                 .arg(m_archives.size())
                                 .arg(m_archives.size() == 1 ? QStringLiteral("backup") : QStringLiteral("backups"),
                                      QDir::toNativeSeparators(folder)));
    if (!m_archives.empty())
        m_grid->setCurrentIndex(m_rows->index(0, 0));
    m_check->setEnabled(chosen() != nullptr);
    m_restore->setEnabled(chosen() != nullptr);
}

const backup::ArchiveInfo *BackupScreen::chosen() const
{
    const int row = m_grid->currentIndex().row();
    return row >= 0 && size_t(row) < m_archives.size() ? &m_archives[size_t(row)] : nullptr;
}

void BackupScreen::saveSettings()
{
    backup::Settings s;
    s.folder = QDir::fromNativeSeparators(m_folder->text().trimmed());
    s.keep = m_keep->value();
    if (!s.folder.isEmpty() && !QFileInfo(s.folder).isAbsolute()) {
        m_ctx.prompt.message(QStringLiteral("Name the folder in full (for example /media/usb/Backups)."), kTitle);
        return;
    }
    if (const store::FileResult r = backup::saveSettings(m_ctx.store, s); !r) {
        m_ctx.prompt.message(QStringLiteral("The settings could not be saved (%1).").arg(r.error), kTitle);
        return;
    }
    listArchives();
}

void BackupScreen::backUpNow()
{
    (void)runBackup(this, m_ctx);
    listArchives();
}

void BackupScreen::checkChosen()
{
    const backup::ArchiveInfo *a = chosen();
    if (!a)
        return;
    const QString path = a->path;
    const backup::Checked c = backup::checkArchive(path, backup::currentVersion());
    m_checked.insert(path, c.problem);
    const int row = m_grid->currentIndex().row();
    listArchives();
    m_grid->setCurrentIndex(m_rows->index(row, 0));
    m_ctx.prompt.message(c.ok() ? QStringLiteral("The backup reads back whole: %1 files as its manifest lists them.")
                                      .arg(c.manifest.files.size())
                                : QStringLiteral("The backup is damaged: %1.").arg(c.problem),
                         kTitle);
}

void BackupScreen::restoreChosen()
{
    const backup::ArchiveInfo *a = chosen();
    if (!a)
        return;
    const QString path = a->path;
    const QString when = m_rows->index(m_grid->currentIndex().row(), 0).data().toString();
    if (!m_ctx.prompt.ask(QStringLiteral("Restore the backup made %1?\nThe data folder becomes exactly as it was then. "
                                         "The folder as it is now is archived first. The program then starts again "
                                         "on the restored data.")
                              .arg(when),
                          kTitle))
        return;
    QProgressDialog progress(QStringLiteral("Restoring..."), QString(), 0, 1000, this);
    setUpWholeChangeProgress(progress, "dlgRestoreProgress", kTitle, QStringLiteral("Restore progress"));
    const QString folder = backup::archiveFolder(m_ctx.store, backup::loadSettings(m_ctx.store));
    const backup::Restored r = backup::restoreArchive(m_ctx.store, path, folder, m_ctx.clock.now(), backup::currentVersion(),
                                                      [&](qint64 done, qint64 total) {
                                                          progress.setValue(total > 0 ? int(done * 1000 / total) : 0);
                                                          QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
                                                      });
    progress.setValue(1000);
    if (!r.ok()) {
        m_ctx.prompt.message(r.error, kTitle);
        listArchives();
        return;
    }
    m_ctx.prompt.message(QStringLiteral("The data folder is now as it was %1. The folder as it was before is kept as %2.\n"
                                        "The program starts again now.")
                             .arg(when, QFileInfo(r.before).fileName()),
                         kTitle);
    if (m_restart)
        m_restart();
}

} // namespace ui
