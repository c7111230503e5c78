#pragma once
// "Backups": where the archives go and how many are kept, the archives
// (date, size, customers and ledgers, checked or not), a backup made now,
// an archive checked, and a restore that makes the data folder exactly the
// chosen archive's content and starts the program again on it.
#include "backup/Archive.h"
#include "context/AppContext.h"
#include "ui/shell/Screen.h"

#include <functional>
#include <vector>

class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QStandardItemModel;
class QTableView;

namespace ui {

class Navigator;

class BackupScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Backups;
    using FolderChooser = std::function<QString(QWidget *parent, const QString &current)>;
    // Starts the program again on its data folder, without the end's backup.
    using Restart = std::function<void()>;

    BackupScreen(context::AppContext &ctx, Navigator &navigator, Restart restart = {},
                 FolderChooser chooseFolder = systemFolderChooser(), QWidget *parent = nullptr);
    QString caption() const override;
    void activate(Routine routine) override;
    static FolderChooser systemFolderChooser();

private:
    QWidget *buildSettings();
    QWidget *buildCommands();
    void listArchives();
    void saveSettings();
    void backUpNow();
    void checkChosen();
    void restoreChosen();
    const backup::ArchiveInfo *chosen() const;

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    Restart m_restart;
    FolderChooser m_chooseFolder;
    std::vector<backup::ArchiveInfo> m_archives;
    QMap<QString, QString> m_checked; // path -> "" when whole, else the problem

    QLineEdit *m_folder = nullptr;
    QSpinBox *m_keep = nullptr;
    QLabel *m_summary = nullptr;
    QStandardItemModel *m_rows = nullptr;
    QTableView *m_grid = nullptr;
    QPushButton *m_check = nullptr;
    QPushButton *m_restore = nullptr;
};

} // namespace ui
