// The export screen as a user meets it: the sales journal of a date range
// saved as CSV, the file the core writes, the message saying how many rows
// went where; a range backwards refused; the range offered only for files
// with dates.
#include "billing/PrintedRun.h"
#include "exchange/Export.h"
#include "support/BusinessFolder.h"
#include "support/ScreenHost.h"
#include "ui/exchange/ExportScreen.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>

using namespace ui;
using base::Money;

TEST(ExportScreen, TheSalesJournalOfAMonthIsSavedAsTheCoreWritesIt)
{
    ScreenHost<ExportScreen> h;
    fillBusiness(h.folder);
    const QDate day(2026, 3, 2);
    QByteArray journal;
    for (int i = 0; i < 3; ++i)
        journal += billing::SalesJournalRecord{QStringLiteral("Green Acres Inc"), QStringLiteral("1001"),
                                               QStringLiteral("%1-1").arg(61 + i * 31), day.addMonths(i - 1),
                                               Money::fromCents(10000), Money::fromCents(700), Money(), Money::fromCents(10700)}
                       .encode();
    h.folder.write(billing::kSalesJournalFile, journal);
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("sales.csv"));
    QStringList suggested;
    h.screen = new ExportScreen(h.folder.context(), *h.navigator, [&](QWidget *, const QString &s) {
        suggested << s;
        return file;
    });
    h.navigator->add(ExportScreen::kId, h.screen);
    h.open();

    QComboBox *kind = h.child<QComboBox>("cboExportKind");
    QCheckBox *range = h.child<QCheckBox>("ckExportRange");
    kind->setCurrentIndex(int(exchange::ExportKind::Services));
    EXPECT_FALSE(range->isEnabled()); // no dates to cut
    kind->setCurrentIndex(int(exchange::ExportKind::SalesJournal));
    ASSERT_TRUE(range->isEnabled());
    range->setChecked(true);
    h.child<QDateEdit>("dtExportFrom")->setDate(QDate(2026, 3, 1));
    h.child<QDateEdit>("dtExportTo")->setDate(QDate(2026, 2, 1));
    QTest::mouseClick(h.child<QPushButton>("cmdExport"), Qt::LeftButton);
    EXPECT_EQ(h.said().text, QStringLiteral("The first date comes after the last; nothing was exported."));
    EXPECT_FALSE(QFile::exists(file));

    h.child<QDateEdit>("dtExportTo")->setDate(QDate(2026, 3, 31));
    QTest::mouseClick(h.child<QPushButton>("cmdExport"), Qt::LeftButton);
    EXPECT_EQ(suggested.last(), QStringLiteral("Sales-journal-2026-03-14.csv"));
    EXPECT_EQ(h.said().text, QStringLiteral("Sales journal (1 row) was exported to %1.").arg(file));
    QFile written(file);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_EQ(written.readAll(), QByteArray("Name,Account,Invoice,Date,Subtotal,Taxes,Total\r\n"
                                            "Green Acres Inc,1001,92-1,2026-03-02,100,7,107\r\n"));
}
