#include "ui/exchange/ExportScreen.h"

#include "base/Dates.h"
#include "exchange/Export.h"
#include "ui/shell/Navigator.h"
#include "ui/widgets/DateBox.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSaveFile>
#include <QVBoxLayout>

using namespace exchange;

namespace ui {


ExportScreen::ExportScreen(context::AppContext &ctx, Navigator &navigator, SaveFileChooser saveFile, QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_saveFile(std::move(saveFile))
{
    setObjectName(QStringLiteral("frmExport"));
    auto *layout = new QVBoxLayout(this);
    auto *intro = new QLabel(QStringLiteral("Save one of the program's files as CSV, for a spreadsheet or your "
                                            "accountant. Dates are written as 2026-03-31 and amounts as plain "
                                            "numbers; a ledger's payments and credits are negative."),
                             this);
    intro->setWordWrap(true);
    layout->addWidget(intro);
    auto *form = new QFormLayout;
    m_kind = new QComboBox(this);
    m_kind->setObjectName(QStringLiteral("cboExportKind"));
    m_kind->addItems(exportKindNames());
    form->addRow(QStringLiteral("&What"), m_kind);
    m_range = new QCheckBox(QStringLiteral("&Only the rows dated from"), this);
    m_range->setObjectName(QStringLiteral("ckExportRange"));
    m_from = makeDateBox(this, "dtExportFrom", m_ctx.locale);
    m_from->setAccessibleName(QStringLiteral("From"));
    m_to = makeDateBox(this, "dtExportTo", m_ctx.locale);
    m_to->setAccessibleName(QStringLiteral("To"));
    auto *range = new QHBoxLayout;
    range->addWidget(m_range);
    range->addWidget(m_from);
    auto *toLabel = new QLabel(QStringLiteral("&to"), this);
    toLabel->setBuddy(m_to);
    range->addWidget(toLabel);
    range->addWidget(m_to);
    range->addStretch();
    form->addRow(range);
    m_encoding = new QComboBox(this);
    m_encoding->setObjectName(QStringLiteral("cboEncoding"));
    m_encoding->addItems({QStringLiteral("UTF-8"), QStringLiteral("Windows-1252 (older spreadsheets)")});
    form->addRow(QStringLiteral("&Encoding"), m_encoding);
    layout->addLayout(form);
    layout->addStretch();
    auto *commands = new QHBoxLayout;
    auto *exportButton = new QPushButton(QStringLiteral("E&xport..."), this);
    exportButton->setObjectName(QStringLiteral("cmdExport"));
    connect(exportButton, &QPushButton::clicked, this, &ExportScreen::exportChosen);
    auto *menu = new QPushButton(QStringLiteral("&Menu"), this);
    menu->setObjectName(QStringLiteral("cmdMenu"));
    connect(menu, &QPushButton::clicked, this, [this] { m_navigator.show(ScreenId::MainMenu); });
    commands->addWidget(exportButton);
    commands->addStretch();
    commands->addWidget(menu);
    layout->addLayout(commands);
    connect(m_kind, &QComboBox::currentIndexChanged, this, &ExportScreen::kindChosen);
    connect(m_range, &QCheckBox::toggled, this, &ExportScreen::kindChosen);
}

QString ExportScreen::caption() const
{
    return QStringLiteral("Export");
}

void ExportScreen::activate(Routine)
{
    const QDate today = m_ctx.clock.today();
    m_from->setDate(QDate(today.year(), 1, 1));
    m_to->setDate(today);
    kindChosen();
    m_kind->setFocus();
}

void ExportScreen::kindChosen()
{
    const bool dated = hasDates(ExportKind(m_kind->currentIndex()));
    m_range->setEnabled(dated);
    m_from->setEnabled(dated && m_range->isChecked());
    m_to->setEnabled(dated && m_range->isChecked());
}

void ExportScreen::exportChosen()
{
    const ExportKind kind = ExportKind(m_kind->currentIndex());
    const bool ranged = hasDates(kind) && m_range->isChecked();
    if (ranged && m_from->date() > m_to->date()) {
        m_ctx.prompt.message(QStringLiteral("The first date comes after the last; nothing was exported."),
                             QStringLiteral("Export"));
        return;
    }
    const QString name = m_kind->currentText();
    const QString file = m_saveFile(this, QString(name).replace(u' ', u'-') + u'-'
                                              + m_ctx.clock.today().toString(Qt::ISODate) + QStringLiteral(".csv"));
    if (file.isEmpty())
        return;
    const Exported out = exportCsv(m_ctx.store,
                                   {kind, ranged ? m_from->date() : QDate(), ranged ? m_to->date() : QDate(),
                                    m_encoding->currentIndex() == 1},
                                   m_ctx.locale);
    if (!writeChosenFile(m_ctx.prompt, file, out.bytes, QStringLiteral("Export"), QStringLiteral("nothing was exported")))
        return;
    QString text = QStringLiteral("%1 (%2 %3) was exported to %4.")
                       .arg(name)
                       .arg(out.rows)
                       .arg(out.rows == 1 ? QStringLiteral("row") : QStringLiteral("rows"), QDir::toNativeSeparators(file));
    if (out.unreadable > 0)
        text += QStringLiteral("\n%1 ledger %2 could not be read; %3 exported with the amount empty.")
                    .arg(out.unreadable)
                    .arg(out.unreadable == 1 ? QStringLiteral("entry") : QStringLiteral("entries"),
                         out.unreadable == 1 ? QStringLiteral("it is") : QStringLiteral("they are"));
    m_ctx.prompt.message(text, QStringLiteral("Export"));
}

} // namespace ui
