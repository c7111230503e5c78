#include "ui/exchange/DataCheckScreen.h"

#include "base/Csv.h"
#include "base/Dates.h"
#include "printing/PainterSurface.h"
#include "printing/TablePrint.h"
#include "ui/shell/Navigator.h"
#include "ui/widgets/ValueLabel.h"
#include "ui/widgets/FailureText.h"
#include "ui/widgets/RowGrid.h"

#include <QDir>
#include <QHBoxLayout>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QSaveFile>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>
#include <QtConcurrent>

using namespace exchange;

namespace ui {

namespace {

const QString kTitle = QStringLiteral("Check Data Folder");

// A long text as lines of at most `width` characters, broken between words,
// for a printed column that would otherwise cut it.
QStringList wrapped(const QString &text, int width)
{
    QStringList lines;
    QString line;
    for (const QString &word : text.split(u' ', Qt::SkipEmptyParts)) {
        if (!line.isEmpty() && line.size() + 1 + word.size() > width) {
            lines << line;
            line.clear();
        }
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + word;
    }
    if (!line.isEmpty() || lines.isEmpty())
        lines << line;
    return lines;
}

} // namespace

DataCheckScreen::DataCheckScreen(context::AppContext &ctx, Navigator &navigator, PrinterChooser printers,
                                 SaveFileChooser saveFile, QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_printers(std::move(printers)), m_saveFile(std::move(saveFile))
{
    setObjectName(QStringLiteral("frmDataCheck"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("Every file of the data folder is read: record files whole, the customer "
                                            "files in step, ledgers and their backup copies, journals and completed "
                                            "invoices, account folders and settings. A mend is offered only where it "
                                            "is safe, and no record is ever deleted."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    m_summary = makeValueLabel(this, "lblCheckSummary");
    layout->addWidget(m_summary);
    m_rows = new QStandardItemModel(0, 3, this);
    m_rows->setHorizontalHeaderLabels({QStringLiteral("What is wrong"), QStringLiteral("File"), QStringLiteral("Safe mend")});
    m_grid = new QTableView(this);
    m_grid->setModel(m_rows);
    setUpRowGrid(m_grid, QStringLiteral("grdFindings"), QStringLiteral("Findings"));
    layout->addWidget(m_grid, 1);
    layout->addWidget(buildCommands());
    connect(m_grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, &DataCheckScreen::chosenChanged);
    connect(&m_watcher, &QFutureWatcher<std::vector<Finding>>::finished, this, [this] {
        m_findings = m_watcher.result();
        showFindings();
        Q_EMIT checked();
    });
}

QWidget *DataCheckScreen::buildCommands()
{
    auto *row = new QWidget(this);
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    auto button = [&](const QString &caption, const char *name, void (DataCheckScreen::*slot)()) {
        auto *b = new QPushButton(caption, row);
        b->setObjectName(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, slot);
        h->addWidget(b);
        return b;
    };
    m_check = button(QStringLiteral("&Check Again"), "cmdCheck", &DataCheckScreen::startCheck);
    m_mend = button(QStringLiteral("&Mend This..."), "cmdMend", &DataCheckScreen::mendChosen);
    m_mendAll = button(QStringLiteral("Mend &All Safe..."), "cmdMendAll", &DataCheckScreen::mendAll);
    m_print = button(QStringLiteral("&Print..."), "cmdPrint", &DataCheckScreen::printList);
    m_save = button(QStringLiteral("&Save List..."), "cmdSaveList", &DataCheckScreen::saveList);
    h->addStretch();
    auto *menu = new QPushButton(QStringLiteral("Me&nu"), row);
    menu->setObjectName(QStringLiteral("cmdMenu"));
    connect(menu, &QPushButton::clicked, this, [this] { m_navigator.show(ScreenId::MainMenu); });
    h->addWidget(menu);
    return row;
}

QString DataCheckScreen::caption() const
{
    return kTitle;
}

void DataCheckScreen::activate(Routine)
{
    startCheck();
    m_summary->setFocus();
}

// Read through a store of the worker's own, as the main menu's figures are.
void DataCheckScreen::startCheck()
{
    if (m_watcher.isRunning())
        return;
    m_summary->setText(QStringLiteral("Checking the data folder..."));
    for (QPushButton *b : {m_check, m_mend, m_mendAll, m_print, m_save})
        b->setEnabled(false);
    const QString root = m_ctx.store.programFolder();
    const QLocale locale = m_ctx.locale;
    m_checkedAt = m_ctx.clock.now();
    m_watcher.setFuture(QtConcurrent::run([root, locale] {
        const store::FileStore store(root);
        return checkDataFolder(store, locale);
    }));
}

void DataCheckScreen::showFindings()
{
    m_rows->removeRows(0, m_rows->rowCount());
    for (const Finding &f : m_findings) {
        auto *problem = new QStandardItem(f.problem);
        problem->setToolTip(f.problem);
        auto *mend = new QStandardItem(f.mend.isEmpty() ? QStringLiteral("None") : QStringLiteral("Yes"));
        mend->setToolTip(f.mend.isEmpty() ? QStringLiteral("No safe mend: for a person to look at") : f.mend);
        m_rows->appendRow({problem, new QStandardItem(f.file.mid(1)), mend});
    }
    m_grid->resizeColumnToContents(1);
    m_grid->resizeColumnToContents(2);
    m_summary->setText(checkSummary(m_findings));
    m_check->setEnabled(true);
    m_print->setEnabled(true);
    m_save->setEnabled(true);
    m_mendAll->setEnabled(std::any_of(m_findings.cbegin(), m_findings.cend(),
                                      [](const Finding &f) { return f.mendKind != Finding::Mend::None; }));
    if (!m_findings.empty())
        m_grid->setCurrentIndex(m_rows->index(0, 0));
    chosenChanged();
}

void DataCheckScreen::chosenChanged()
{
    const int row = m_grid->currentIndex().row();
    m_mend->setEnabled(!m_watcher.isRunning() && row >= 0 && size_t(row) < m_findings.size()
                       && m_findings[size_t(row)].mendKind != Finding::Mend::None);
}

// Each mend made in turn; the first that fails is said and the rest are
// left. True when all were made.
bool DataCheckScreen::mendEach(const std::vector<Finding> &findings)
{
    for (const Finding &f : findings) {
        if (const store::FileResult r = mend(m_ctx.store, f); !r) {
            m_ctx.prompt.message(failureText(QStringLiteral("%1 could not be mended").arg(f.file.mid(1)), r,
                                             QStringLiteral("The file is as it was.")),
                                 kTitle);
            startCheck();
            return false;
        }
    }
    startCheck();
    return true;
}

void DataCheckScreen::mendChosen()
{
    const int row = m_grid->currentIndex().row();
    if (row < 0 || size_t(row) >= m_findings.size() || m_findings[size_t(row)].mendKind == Finding::Mend::None)
        return;
    const Finding f = m_findings[size_t(row)];
    if (!m_ctx.prompt.ask(QStringLiteral("%1\n\nThe mend: %2\nNo record is deleted. Mend it now?").arg(f.problem, f.mend), kTitle))
        return;
    if (mendEach({f}))
        m_ctx.prompt.message(QStringLiteral("Mended: %1").arg(f.mend), kTitle);
}

void DataCheckScreen::mendAll()
{
    std::vector<Finding> safe;
    QStringList said;
    for (const Finding &f : m_findings)
        if (f.mendKind != Finding::Mend::None) {
            safe.push_back(f);
            said << QStringLiteral("- %1: %2").arg(f.file.mid(1), f.mend);
        }
    if (safe.empty())
        return;
    if (!m_ctx.prompt.ask(QStringLiteral("These mends will be made:\n%1\nNo record is deleted. Go ahead?").arg(said.join(u'\n')),
                          kTitle))
        return;
    if (mendEach(safe))
        m_ctx.prompt.message(QStringLiteral("%1 %2 made.").arg(safe.size()).arg(safe.size() == 1 ? QStringLiteral("mend was")
                                                                                                  : QStringLiteral("mends were")),
                             kTitle);
}

QString DataCheckScreen::renderList(QPrinter &printer)
{
    const std::vector<printing::TableColumn> columns = {{QStringLiteral("File"), 720, 3400},
                                                        {QStringLiteral("What is wrong, and the safe mend"), 3500, 11520}};
    QList<QStringList> rows;
    for (const Finding &f : m_findings) {
        const QStringList problem = wrapped(f.problem, 80);
        const QStringList mend = f.mend.isEmpty() ? QStringList() : wrapped(QStringLiteral("Mend: ") + f.mend, 80);
        QStringList text = problem + mend;
        for (qsizetype i = 0; i < text.size(); ++i)
            rows << QStringList{i == 0 ? f.file.mid(1) : QString(), text.at(i)};
    }
    const QStringList header{m_ctx.settings.values().businessName,
                             QStringLiteral("Checked %1 %2: %3")
                                 .arg(base::dates::toShortDateText(m_checkedAt.date(), m_ctx.locale),
                                      m_ctx.locale.toString(m_checkedAt.time(), QLocale::ShortFormat), checkSummary(m_findings))};
    printing::PainterSurface surface(printer);
    printing::PagePrinter page(surface, m_ctx.settings.values(), m_ctx.store);
    page.printerSetup(QStringLiteral("Portrait"), m_ctx.settings.values().printInColor);
    if (!printing::printTable(page, kTitle, header, columns, rows))
        return printerProblem(printer, surface.error());
    return QString();
}

void DataCheckScreen::printList()
{
    printOnChosen(m_printers, this, m_ctx.prompt, [this](QPrinter &p) { return renderList(p); });
}

void DataCheckScreen::saveList()
{
    const QString file = m_saveFile(this, QStringLiteral("DataFolderCheck-%1.csv").arg(m_checkedAt.date().toString(Qt::ISODate)));
    if (file.isEmpty())
        return;
    QByteArray bytes = base::csv::line({QStringLiteral("File"), QStringLiteral("Problem"), QStringLiteral("Safe mend")});
    for (const Finding &f : m_findings)
        bytes += base::csv::line({f.file.mid(1), f.problem, f.mend});
    if (!writeChosenFile(m_ctx.prompt, file, bytes, kTitle))
        return;
    m_ctx.prompt.message(QStringLiteral("The list was saved to %1.").arg(QDir::toNativeSeparators(file)), kTitle);
}

} // namespace ui
