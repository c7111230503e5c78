#include "ui/exchange/ImportScreen.h"

#include "setup/BusinessSettings.h"
#include "ui/shell/Navigator.h"
#include "ui/widgets/ValueLabel.h"
#include "ui/widgets/FailureText.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include "ui/widgets/StepProgress.h"

#include <QProgressDialog>
#include <QPushButton>
#include <QSaveFile>
#include <QScrollArea>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

using namespace exchange;

namespace ui {

namespace {

const QString kTitle = QStringLiteral("Import Customers");
// The preview shows the head of the file; every row is checked all the same.
constexpr int kPreviewRows = 200;

QTableView *makeGrid(QWidget *parent, const char *name, const QString &accessible, QStandardItemModel *model)
{
    auto *grid = new QTableView(parent);
    grid->setObjectName(QString::fromLatin1(name));
    grid->setAccessibleName(accessible);
    grid->setModel(model);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->verticalHeader()->hide();
    grid->horizontalHeader()->setStretchLastSection(true);
    return grid;
}

QString plural(qsizetype n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QString::fromLatin1(n == 1 ? one : many));
}

} // namespace

ImportScreen::ImportScreen(context::AppContext &ctx, Navigator &navigator, OpenFileChooser openFile,
                           SaveFileChooser saveFile, QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_openFile(std::move(openFile)),
      m_saveFile(std::move(saveFile))
{
    setObjectName(QStringLiteral("frmImport"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("Bring customers in from a spreadsheet saved as CSV. Give each column "
                                            "the customer field it holds; every row is checked as the customer "
                                            "screen checks an account, and only rows that pass are added."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    layout->addWidget(buildFileRow());
    auto *columnsScroll = new QScrollArea(this);
    columnsScroll->setObjectName(QStringLiteral("scrColumns"));
    columnsScroll->setWidgetResizable(true);
    m_columnsBox = new QWidget(columnsScroll);
    m_columns = new QGridLayout(m_columnsBox);
    columnsScroll->setWidget(m_columnsBox);
    // Four rows of three columns in sight; more scroll.
    columnsScroll->setMinimumHeight(4 * (fontMetrics().height() + 14));
    columnsScroll->setMaximumHeight(6 * (fontMetrics().height() + 14));
    layout->addWidget(columnsScroll);
    m_previewRows = new QStandardItemModel(this);
    m_preview = makeGrid(this, "grdPreview", QStringLiteral("Preview of the file"), m_previewRows);
    layout->addWidget(m_preview, 2);
    m_summary = makeValueLabel(this, "lblImportSummary", QStringLiteral("Choose a CSV file."));
    layout->addWidget(m_summary);
    m_refusedRows = new QStandardItemModel(0, 2, this);
    m_refusedRows->setHorizontalHeaderLabels({QStringLiteral("Line"), QStringLiteral("Why it is refused")});
    m_refused = makeGrid(this, "grdRefused", QStringLiteral("Refused rows"), m_refusedRows);
    layout->addWidget(m_refused, 1);
    layout->addWidget(buildCommands());
}

QWidget *ImportScreen::buildFileRow()
{
    auto *row = new QWidget(this);
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    m_file = new QLineEdit(row);
    m_file->setObjectName(QStringLiteral("txtImportFile"));
    m_file->setReadOnly(true);
    m_file->setAccessibleName(QStringLiteral("File"));
    auto *fileLabel = new QLabel(QStringLiteral("File"), row);
    fileLabel->setBuddy(m_file);
    auto *choose = new QPushButton(QStringLiteral("&Choose File..."), row);
    choose->setObjectName(QStringLiteral("cmdChooseFile"));
    connect(choose, &QPushButton::clicked, this, &ImportScreen::chooseFile);
    m_encoding = new QComboBox(row);
    m_encoding->setObjectName(QStringLiteral("cboImportEncoding"));
    m_encoding->addItems({QStringLiteral("UTF-8"), QStringLiteral("Windows-1252")});
    m_encoding->setAccessibleName(QStringLiteral("Character set"));
    auto *encodingLabel = new QLabel(QStringLiteral("Character &set"), row);
    encodingLabel->setBuddy(m_encoding);
    m_header = new QCheckBox(QStringLiteral("First row is a &header"), row);
    m_header->setObjectName(QStringLiteral("ckHeader"));
    h->addWidget(fileLabel);
    h->addWidget(m_file, 1);
    h->addWidget(choose);
    h->addWidget(encodingLabel);
    h->addWidget(m_encoding);
    h->addWidget(m_header);
    // The character set read again from the bytes; the header choice and
    // the columns are the user's and stay.
    connect(m_encoding, &QComboBox::currentIndexChanged, this, [this] {
        if (!m_filling && !m_bytes.isEmpty()) {
            readFile();
            recheck();
        }
    });
    connect(m_header, &QCheckBox::toggled, this, [this] {
        if (!m_filling)
            recheck();
    });
    return row;
}

QWidget *ImportScreen::buildCommands()
{
    auto *row = new QWidget(this);
    auto *h = new QHBoxLayout(row);
    h->setContentsMargins(0, 0, 0, 0);
    m_import = new QPushButton(QStringLiteral("&Import"), row);
    m_import->setObjectName(QStringLiteral("cmdImport"));
    connect(m_import, &QPushButton::clicked, this, &ImportScreen::importRows);
    m_saveRefused = new QPushButton(QStringLiteral("Save &Refused Rows..."), row);
    m_saveRefused->setObjectName(QStringLiteral("cmdSaveRefused"));
    connect(m_saveRefused, &QPushButton::clicked, this, &ImportScreen::saveRefused);
    auto *back = new QPushButton(QStringLiteral("&Back to Customers"), row);
    back->setObjectName(QStringLiteral("cmdBack"));
    connect(back, &QPushButton::clicked, this, [this] { m_navigator.show(ScreenId::Customers, m_routine); });
    h->addWidget(m_import);
    h->addWidget(m_saveRefused);
    h->addStretch();
    h->addWidget(back);
    return row;
}

QString ImportScreen::caption() const
{
    return kTitle;
}

void ImportScreen::activate(Routine routine)
{
    m_routine = routine;
    // The folder may have changed since the last visit: the rows are
    // checked against it again.
    recheck();
    m_file->setFocus();
}

void ImportScreen::chooseFile()
{
    const QString file = m_openFile(this);
    if (!file.isEmpty())
        load(file);
}

bool ImportScreen::load(const QString &file)
{
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly)) {
        m_ctx.prompt.message(QStringLiteral("The file %1 could not be read (%2).").arg(QDir::toNativeSeparators(file), f.errorString()),
                             kTitle);
        return false;
    }
    m_bytes = f.readAll();
    m_file->setText(QDir::toNativeSeparators(file));
    m_filling = true;
    m_encoding->setCurrentIndex(base::csv::detectEncoding(m_bytes) == base::csv::Encoding::Windows1252 ? 1 : 0);
    m_filling = false;
    readFile();
    m_mapping = guessMapping(m_source.table.records.value(0));
    m_filling = true;
    m_header->setChecked(looksLikeHeader(m_source.table.records.value(0)));
    m_filling = false;
    fillColumns();
    recheck();
    return true;
}

void ImportScreen::readFile()
{
    const auto encoding = m_encoding->currentIndex() == 1 ? base::csv::Encoding::Windows1252 : base::csv::Encoding::Utf8;
    m_source = readSource(m_bytes, encoding);
    qsizetype columns = 0;
    for (const QStringList &r : std::as_const(m_source.table.records))
        columns = std::max(columns, r.size());
    m_mapping.resize(size_t(columns), ImportField::None);
    if (qsizetype(m_fieldBoxes.size()) != columns)
        fillColumns();
}

// One list per column, named by its number and header so that a screen
// reader says which column it sets.
void ImportScreen::fillColumns()
{
    while (QLayoutItem *item = m_columns->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_fieldBoxes.clear();
    const QStringList first = m_source.table.records.value(0);
    for (size_t c = 0; c < m_mapping.size(); ++c) {
        auto *box = new QComboBox(m_columnsBox);
        box->setObjectName(QStringLiteral("cboColumn%1").arg(c + 1));
        box->addItems(importFieldNames());
        box->setCurrentIndex(int(m_mapping[c]));
        const QString head = first.value(qsizetype(c)).trimmed();
        const QString label = head.isEmpty() ? QStringLiteral("Column %1").arg(c + 1)
                                             : QStringLiteral("Column %1 (%2)").arg(c + 1).arg(head.left(40));
        box->setAccessibleName(label);
        auto *caption = new QLabel(QString(label).replace(u'&', QStringLiteral("&&")), m_columnsBox);
        caption->setBuddy(box);
        constexpr int kPerRow = 3;
        m_columns->addWidget(caption, int(c) / kPerRow, int(c) % kPerRow * 2, Qt::AlignRight);
        m_columns->addWidget(box, int(c) / kPerRow, int(c) % kPerRow * 2 + 1);
        connect(box, &QComboBox::currentIndexChanged, this, [this, c](int field) {
            if (m_filling)
                return;
            m_mapping[c] = ImportField(field);
            recheck();
        });
        m_fieldBoxes.push_back(box);
    }
}

void ImportScreen::fillPreview()
{
    m_previewRows->clear();
    const auto &records = m_source.table.records;
    const qsizetype first = m_header->isChecked() ? 1 : 0;
    QStringList heads;
    for (size_t c = 0; c < m_mapping.size(); ++c) {
        const QString own = m_header->isChecked() ? records.value(0).value(qsizetype(c)).trimmed() : QString();
        heads << (m_mapping[c] != ImportField::None ? importFieldNames().at(int(m_mapping[c]))
                  : own.isEmpty()                   ? QStringLiteral("(column %1, not imported)").arg(c + 1)
                                                    : QStringLiteral("(%1: not imported)").arg(own));
    }
    m_previewRows->setColumnCount(int(heads.size()));
    m_previewRows->setHorizontalHeaderLabels(heads);
    for (qsizetype i = first; i < records.size() && i < first + kPreviewRows; ++i) {
        QList<QStandardItem *> row;
        for (qsizetype c = 0; c < heads.size(); ++c)
            row << new QStandardItem(records.at(i).value(c));
        m_previewRows->appendRow(row);
    }
    m_preview->resizeColumnsToContents();
}

void ImportScreen::recheck()
{
    m_plan = {};
    if (!m_bytes.isEmpty()) {
        const bool usa = m_ctx.settings.values().addressStyle == setup::AddressStyle::USA;
        m_plan = planImport(m_source.table, m_mapping, m_header->isChecked(), importRules(m_ctx.store, m_ctx.locale, usa));
    }
    fillPreview();
    m_refusedRows->removeRows(0, m_refusedRows->rowCount());
    for (const RejectedRow &r : m_plan.rejected)
        m_refusedRows->appendRow({new QStandardItem(QString::number(r.line)), new QStandardItem(r.reason)});
    m_refused->resizeColumnToContents(0);
    QString text;
    if (m_bytes.isEmpty())
        text = QStringLiteral("Choose a CSV file.");
    else
        text = QStringLiteral("%1 will be imported as new customers; %2.")
                   .arg(plural(qsizetype(m_plan.accepted.size()), "row", "rows"),
                        m_plan.rejected.empty() ? QStringLiteral("no row is refused")
                                                : plural(qsizetype(m_plan.rejected.size()), "row is refused (listed below)",
                                                         "rows are refused (listed below)"));
    if (!m_bytes.isEmpty() && std::find(m_mapping.cbegin(), m_mapping.cend(), ImportField::AcctNo) == m_mapping.cend())
        text += QStringLiteral(" No column is the account number: each customer's telephone number is taken as its "
                               "account number, as on the customer screen.");
    if (m_source.table.unclosedQuote && !m_bytes.isEmpty())
        text += QStringLiteral(" The file ends inside a quoted field: its last row may be two rows run together.");
    m_summary->setText(text);
    m_import->setEnabled(!m_plan.accepted.empty());
    m_saveRefused->setEnabled(!m_plan.rejected.empty());
}

void ImportScreen::importRows()
{
    recheck(); // against the folder as it is now
    if (m_plan.accepted.empty())
        return;
    const int total = int(m_plan.accepted.size());
    QString question = QStringLiteral("Add %1 to the customer file?").arg(plural(total, "customer", "customers"));
    if (!m_plan.rejected.empty())
        question += QStringLiteral("\nThe %1 left out.").arg(plural(qsizetype(m_plan.rejected.size()), "refused row is", "refused rows are"));
    if (!m_ctx.prompt.ask(question, kTitle))
        return;
    QProgressDialog progress(QStringLiteral("Importing customers..."), QString(), 0, total, this);
    setUpWholeChangeProgress(progress, "dlgImportProgress", kTitle, QStringLiteral("Import progress"));
    const customers::AccountStore accounts(m_ctx.store, m_ctx.clock, m_ctx.locale);
    const ImportResult result = importCustomers(m_ctx.store, accounts, m_plan, [&](int done, int) {
        progress.setValue(done);
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    });
    progress.setValue(total);
    if (!result.written) {
        m_ctx.prompt.message(failureText(QStringLiteral("The customers could not be imported"), result.written,
                                         QStringLiteral("Nothing was changed: the customer file is as it was."),
                                         QStringLiteral("The disk did not confirm the import; it will be completed when "
                                                        "the program next starts.")),
                             kTitle);
        return;
    }
    m_ctx.prompt.message(QStringLiteral("%1 imported.").arg(plural(result.imported, "customer was", "customers were")), kTitle);
    recheck();
}

void ImportScreen::saveRefused()
{
    if (m_plan.rejected.empty())
        return;
    const QString file = m_saveFile(this, QFileInfo(m_file->text()).completeBaseName() + QStringLiteral("-refused.csv"));
    if (file.isEmpty())
        return;
    const QByteArray bytes = rejectedCsv(m_plan, m_header->isChecked() ? m_source.table.records.value(0) : QStringList());
    if (!writeChosenFile(m_ctx.prompt, file, bytes, kTitle))
        return;
    m_ctx.prompt.message(QStringLiteral("The %1 saved to %2.")
                             .arg(plural(qsizetype(m_plan.rejected.size()), "refused row was", "refused rows were"),
                                  QDir::toNativeSeparators(file)),
                         kTitle);
}

} // namespace ui
