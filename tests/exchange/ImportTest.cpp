// Customers from a spreadsheet: the CSV reader on what spreadsheets
// write, the columns guessed from a header in any order, each refusal
// with its line and reason, the accepted rows read back from the three
// record files by their byte offsets, and an import that fails or is
// killed leaving the files as they were.
#include "exchange/Import.h"
#include "customers/AuxData.h"
#include "customers/StateList.h"
#include "catalog/CatalogRecords.h"

#include "exchange/DataCheck.h"
#include "exchange/Export.h"

#include "billing/RunFixture.h"
#include "support/Accounts.h"
#include "support/ChangeHarness.h"

#include <QDir>
#include <QRandomGenerator>
#include <gtest/gtest.h>

using namespace exchange;
using namespace customers;
namespace csv = base::csv;

namespace {

QString field(const QByteArray &record, int offset, int width)
{
    return QString::fromLatin1(record.mid(offset, width)).trimmed();
}

qint64 int64At(const QByteArray &record, int offset)
{
    qint64 v = 0;
    for (int i = 7; i >= 0; --i)
        v = (v << 8) | quint8(record[offset + i]);
    return v;
}

int int16At(const QByteArray &record, int offset)
{
    return qint16(quint16(quint8(record[offset])) | quint16(quint8(record[offset + 1])) << 8);
}

void writeStates(TestFolder &f)
{
    f.write(kStatesListFile, "\"CA\"\r\n\"IL\"\r\n\"NY\"\r\n\"TX\"\r\n");
}

ImportPlan plan(TestFolder &f, const QByteArray &bytes, bool usa = true)
{
    const ImportSource source = readSource(bytes);
    const bool header = looksLikeHeader(source.table.records.value(0));
    return planImport(source.table, guessMapping(source.table.records.value(0)), header,
                      importRules(f.store(), usLocale(), usa));
}

} // namespace

TEST(CsvReader, ReadsWhatSpreadsheetsWrite)
{
    struct Case {
        const char *text;
        QList<QStringList> records;
        QList<int> lines;
    };
    const Case cases[] = {
        {"a,b,c\r\n1,2,3\r\n", {{"a", "b", "c"}, {"1", "2", "3"}}, {1, 2}},
        {"\"Smith, J\",\"say \"\"hi\"\"\",x\n", {{"Smith, J", "say \"hi\"", "x"}}, {1}},
        {"\"two\r\nlines\",b\r\n\r\nnext,\r\n", {{"two\nlines", "b"}, {"next", ""}}, {1, 4}},
        {"a,b\rc,d", {{"a", "b"}, {"c", "d"}}, {1, 2}},
        {",,\n", {{"", "", ""}}, {1}},
        {"ab\"c,d\n", {{"ab\"c", "d"}}, {1}},
    };
    for (const Case &c : cases) {
        const csv::Table t = csv::parse(QString::fromUtf8(c.text), u',');
        EXPECT_EQ(t.records, c.records) << c.text;
        EXPECT_EQ(t.lines, c.lines) << c.text;
        EXPECT_FALSE(t.unclosedQuote) << c.text;
    }
    EXPECT_TRUE(csv::parse(QStringLiteral("a,\"b\nc"), u',').unclosedQuote);

    EXPECT_EQ(csv::detectSeparator(QStringLiteral("Name;\"Town, State\";Zip\n1,2,3,4,5")), QChar(u';'));
    EXPECT_EQ(csv::detectSeparator(QStringLiteral("Name,Town;x,Zip\n")), QChar(u','));
    EXPECT_EQ(csv::detectEncoding("Ren\xc3\xa9"), csv::Encoding::Utf8);
    EXPECT_EQ(csv::detectEncoding("Ren\xe9"), csv::Encoding::Windows1252);
    EXPECT_EQ(csv::decode("\xef\xbb\xbf" "a\x80", csv::Encoding::Utf8).front(), QChar(u'a'));
    EXPECT_EQ(csv::decode("\x80\xe9", csv::Encoding::Windows1252), QString::fromUtf8("\xe2\x82\xac\xc3\xa9"));
}

TEST(Import, GuessesTheColumnsFromAHeaderInAnyOrder)
{
    const QStringList header{QStringLiteral("E-mail"), QStringLiteral("Surname"), QStringLiteral("ZIP"),
                             QStringLiteral("Given Name"), QStringLiteral("Company"), QStringLiteral("Acct #"),
                             QStringLiteral("Mobile"), QStringLiteral("notes"), QStringLiteral("Phone"),
                             QStringLiteral("Monthly Fee"), QStringLiteral("company"), QStringLiteral("Client Code")};
    const std::vector<ImportField> expected{ImportField::Email, ImportField::LastName, ImportField::Postal,
                                            ImportField::FirstName, ImportField::BusinessName, ImportField::AcctNo,
                                            ImportField::Cell, ImportField::None, ImportField::Phone,
                                            ImportField::Charge, ImportField::None, ImportField::None};
    EXPECT_EQ(guessMapping(header), expected);
    EXPECT_TRUE(looksLikeHeader(header));
    EXPECT_FALSE(looksLikeHeader({QStringLiteral("A100"), QStringLiteral("Acme Lawn"), QStringLiteral("IL")}));
}

// Fifty rows with the header in its own order, both kinds of account:
// every field lands at its offset in the three files, the new records
// after the ones already there, and every account has its folders.
TEST(Import, FiftyRowsLandByteForByteInTheThreeFiles)
{
    TestFolder f;
    writeStates(f);
    f.write(kCustomerFile, business(QStringLiteral("OLD1"), QStringLiteral("Old Customer")).encode());
    f.write(kCycleFile, cycleOf(1000).encode());
    QByteArray csvBytes = "Charge,State,Last Name,City,Account,Type,First,Company,Street,Zip,Phone,Frequency,Start Month,Service\r\n";
    for (int i = 1; i <= 50; ++i) {
        const bool person = i % 2 == 0;
        csvBytes += QStringLiteral("%1,%2,%3,Springfield,C%4,%5,%6,%7,\"%4 Elm St, Apt 2\",627%4,555-01%4,%8,%9,Weekly Mowing\r\n")
                        .arg(i % 5 ? QStringLiteral("$%1.25").arg(i) : QString())
                        .arg(i % 3 ? QStringLiteral("il") : QStringLiteral("NY"))
                        .arg(person ? QStringLiteral("Last%1").arg(i) : QString())
                        .arg(i, 2, 10, QChar(u'0'))
                        .arg(person ? QStringLiteral("Individual") : QString())
                        .arg(person ? QStringLiteral("First%1").arg(i) : QString())
                        .arg(person ? QString() : QStringLiteral("Business %1").arg(i))
                        .arg(i % 4 ? QStringLiteral("Quarterly") : QStringLiteral("annual"))
                        .arg(i % 12 + 1)
                        .toUtf8();
    }
    f.write(catalog::kServicesFile, QByteArray()); // no catalogue: a blank charge is zero
    const ImportPlan p = plan(f, csvBytes);
    ASSERT_TRUE(p.rejected.empty()) << p.rejected.front().reason.toStdString();
    ASSERT_EQ(p.accepted.size(), 50u);
    const AccountStore accounts(f.store(), f.clock, usLocale());
    const ImportResult r = importCustomers(f.store(), accounts, p);
    ASSERT_TRUE(r.written) << r.written.error.toStdString();
    EXPECT_EQ(r.imported, 50);

    const QByteArray customers = f.read(kCustomerFile), cycles = f.read(kCycleFile), contracts = f.read(kContractFile);
    ASSERT_EQ(customers.size(), 51 * 328);
    ASSERT_EQ(cycles.size(), 51 * 69);
    ASSERT_EQ(contracts.size(), 51 * 386);
    EXPECT_EQ(field(customers.left(328), 0, 20), QStringLiteral("OLD1"));
    for (int i = 1; i <= 50; ++i) {
        const QByteArray c = customers.mid(i * 328, 328), y = cycles.mid(i * 69, 69);
        const QString n = QStringLiteral("%1").arg(i, 2, 10, QChar(u'0'));
        const bool person = i % 2 == 0;
        EXPECT_EQ(field(c, 0, 20), u'C' + n);
        EXPECT_EQ(field(c, 20, 45), person ? QString() : QStringLiteral("Business %1").arg(i));
        EXPECT_EQ(field(c, 65, 35), n + QStringLiteral(" Elm St, Apt 2"));
        EXPECT_EQ(field(c, 125, 25), QStringLiteral("Springfield"));
        EXPECT_EQ(field(c, 150, 20), QStringLiteral("Springfield"));
        EXPECT_EQ(field(c, 170, 2), i % 3 ? QStringLiteral("IL") : QStringLiteral("NY"));
        EXPECT_EQ(field(c, 172, 10), QStringLiteral("627") + n);
        EXPECT_EQ(field(c, 182, 25), QStringLiteral("627") + n);
        EXPECT_EQ(field(c, 207, 13), QStringLiteral("555-01") + n);
        EXPECT_EQ(field(c, 273, 15), person ? QStringLiteral("First%1").arg(i) : QString());
        EXPECT_EQ(field(c, 289, 25), person ? QStringLiteral("Last%1").arg(i) : QString());
        EXPECT_EQ(field(c, 314, 10), person ? QStringLiteral("Individual") : QStringLiteral("Business"));
        EXPECT_EQ(field(y, 0, 35), QStringLiteral("Weekly Mowing"));
        EXPECT_EQ(int64At(y, 35), i % 5 ? (i * 100 + 25) * 100 : 0) << "row " << i;
        EXPECT_EQ(int16At(y, 43), i % 4 ? 1 : 3);
        EXPECT_EQ(int16At(y, 65), i % 12);
        EXPECT_EQ(int16At(y, 67), -1);
        EXPECT_EQ(field(contracts.mid(i * 386, 386), 0, 35), QStringLiteral("None Selected"));
        EXPECT_TRUE(QDir(f.path() + QStringLiteral("/AuxFiles/C") + n + QStringLiteral("/AuxFile5")).exists()) << i;
    }
}

// A semicolon file from an older spreadsheet in Windows-1252, the
// international address style: accents kept as the record's single bytes,
// the city and postal code in the third and fourth lines.
TEST(Import, ASemicolonWindows1252FileKeepsItsAccents)
{
    TestFolder f;
    const QByteArray bytes = "Kundennummer;Name;Address;City;Postal Code;Telephone\r\n"
                             "M\xfc" "1;Caf\xe9 M\xfcller;Stra\xdf" "e 5;K\xf6ln;50667;0221-555\r\n"
                             "E2;\x80uro Shop;Weg 1;Bonn;53111;0228-555\r\n";
    const ImportSource source = readSource(bytes);
    EXPECT_EQ(source.encoding, csv::Encoding::Windows1252);
    EXPECT_EQ(source.separator, QChar(u';'));
    std::vector<ImportField> mapping = guessMapping(source.table.records.front());
    EXPECT_EQ(mapping.front(), ImportField::None); // a header word no list knows
    mapping.front() = ImportField::AcctNo;
    const ImportPlan p = planImport(source.table, mapping, true, importRules(f.store(), usLocale(), false));
    ASSERT_EQ(p.accepted.size(), 1u);
    ASSERT_EQ(p.rejected.size(), 1u);
    EXPECT_EQ(p.rejected.front().line, 3);
    EXPECT_EQ(p.rejected.front().reason, QString::fromUtf8("Business Name holds a character the customer file cannot keep (\xe2\x82\xac)"));
    ASSERT_TRUE(importCustomers(f.store(), AccountStore(f.store(), f.clock, usLocale()), p).written);
    const QByteArray c = f.read(kCustomerFile);
    EXPECT_EQ(c.mid(0, 3), QByteArray("M\xfc" "1"));
    EXPECT_EQ(c.mid(20, 11), QByteArray("Caf\xe9 M\xfcller"));
    EXPECT_EQ(field(c, 125, 25), QString::fromUtf8("K\xc3\xb6ln"));
    EXPECT_EQ(field(c, 170, 2), QString());
    EXPECT_EQ(field(c, 182, 25), QStringLiteral("50667"));
}

// Each kind of bad row refused with its line and why; the good rows
// still import; the rejected rows saved as CSV read back.
TEST(Import, EachBadRowIsRefusedWithItsLineAndReason)
{
    TestFolder f;
    writeStates(f);
    f.write(kCustomerFile, business(QStringLiteral("TAKEN"), QStringLiteral("Already Here")).encode());
    const QByteArray bytes =
        "Account,Company,First Name,Last Name,State,Charge,Frequency,Start Month,Phone,Address 3\n"
        "A1,Good One,,,IL,12.50,Monthly,March,,\n"                                  // 2
        "TAKEN,Dup Of Folder,,,IL,,,,,\n"                                           // 3
        "A1,Dup Of Row,,,IL,,,,,\n"                                                 // 4
        "A5,A Business Name Far Too Long For The Forty Five,,,IL,,,,,\n"           // 5
        "A6,Bad State,,,ZZ,,,,,\n"                                                  // 6
        "A7,Bad Charge,,,IL,twelve,,,,\n"                                           // 7
        "A8,Comma Charge,,,IL,\"12,50\",,,,\n"                                      // 8
        "A9,,Jo,,IL,,,,,\n"                                                         // 9
        "A/10,Slash,,,IL,,,,,\n"                                                    // 10
        ",No Number,,,IL,,,,,\n"                                                    // 11
        "A12,Bad Mode,,,IL,,Weekly,,,\n"                                            // 12
        "A13,Bad Month,,,IL,,,13,,\n"                                               // 13
        "A14,Third Line,,,IL,,,,,Suite 9\n"                                         // 14
        ",Phone Number,,,IL,,,,555-0199,\n"                                         // 15
        ",,,,,,,,,\n"                                                               // blank row: skipped
        "A17,Last Good,,,,-3.00,none,dec,,\n";                                      // 17
    const ImportPlan p = plan(f, bytes);
    const std::vector<std::pair<int, QString>> refused = {
        {3, QStringLiteral("the account number TAKEN is already a customer's")},
        {4, QStringLiteral("the account number A1 is already on line 2 of this file")},
        {5, QStringLiteral("Business Name is 47 characters long; it holds at most 45")},
        {6, QStringLiteral("the state \"ZZ\" is not in the state list")},
        {7, QStringLiteral("the charge \"twelve\" is not an amount of money")},
        {8, QStringLiteral("the charge \"12,50\" is not an amount of money")},
        {9, QStringLiteral("an individual account needs a first and a last name")},
        {10, QStringLiteral("the account number \"A/10\" cannot name the account's files (it may not hold / \\ : * ? \" < > | or a control character, nor be . or ..)")},
        {11, QStringLiteral("the row has neither an account number nor a telephone number")},
        {12, QStringLiteral("the billing frequency \"Weekly\" is none of Monthly, Quarterly, Semi-Annual, Annual, None")},
        {13, QStringLiteral("the start month \"13\" is not a month")},
        {14, QStringLiteral("Address 3 is kept only in the international address style; put it in Address 2 or change the address style on the setup screen")},
    };
    ASSERT_EQ(p.rejected.size(), refused.size());
    for (size_t i = 0; i < refused.size(); ++i) {
        EXPECT_EQ(p.rejected[i].line, refused[i].first);
        EXPECT_EQ(p.rejected[i].reason, refused[i].second);
    }
    ASSERT_EQ(p.accepted.size(), 3u);
    EXPECT_EQ(p.accepted[0].cycle.charge, base::Money::fromCents(1250));
    EXPECT_EQ(p.accepted[0].cycle.startMonth, 2);
    EXPECT_EQ(p.accepted[1].customer.acctNo, QStringLiteral("555-0199")); // the telephone, as the customer screen takes it
    EXPECT_EQ(p.accepted[2].cycle.charge, base::Money::fromCents(-300));
    EXPECT_EQ(p.accepted[2].cycle.billingMode, 4); // None
    EXPECT_EQ(p.accepted[2].cycle.startMonth, 11);

    const csv::Table back = csv::parse(QString::fromUtf8(rejectedCsv(p, readSource(bytes).table.records.front())), u',');
    ASSERT_EQ(back.records.size(), qsizetype(refused.size() + 1));
    EXPECT_EQ(back.records[0].mid(0, 3), (QStringList{QStringLiteral("Line"), QStringLiteral("Reason"), QStringLiteral("Account")}));
    EXPECT_EQ(back.records[10].mid(0, 3), (QStringList{QStringLiteral("12"), refused[9].second, QStringLiteral("A12")}));
}

// The catalogue's charge for a row that names a service and no charge;
// the full customer file refuses the rows past its ceiling.
TEST(Import, ABlankChargeTakesTheServicesPriceAndAFullFileRefusesTheRest)
{
    TestFolder f;
    catalog::ServiceRecord s;
    s.description = QStringLiteral("Pool Cleaning");
    s.charge = QStringLiteral("$45.00");
    f.write(catalog::kServicesFile, s.encode());
    ImportRules rules = importRules(f.store(), usLocale(), true);
    rules.customerCount = AccountStore::kMaxCustomers - 1;
    const csv::Table t = csv::parse(QStringLiteral("Account,Name,Service\nP1,Pool One,pool cleaning\nP2,Pool Two,Pool Cleaning\n"), u',');
    const ImportPlan p = planImport(t, guessMapping(t.records.front()), true, rules);
    ASSERT_EQ(p.accepted.size(), 1u);
    EXPECT_EQ(p.accepted[0].cycle.charge, base::Money::fromCents(4500));
    ASSERT_EQ(p.rejected.size(), 1u);
    EXPECT_EQ(p.rejected[0].reason, QStringLiteral("the customer file is full (32767 customers)"));
}

// Every write of the import failing in turn: the three files as they
// were, or the change completed at the next start; no folder of a new
// account left behind when nothing was written.
TEST(Import, AFailedWriteChangesNothing)
{
    auto setUp = [](TestFolder &f) {
        f.write(kCustomerFile, business(QStringLiteral("OLD1"), QStringLiteral("Old")).encode());
        f.write(kCycleFile, cycleOf(1000).encode());
    };
    auto operation = [](TestFolder &f) {
        const ImportPlan p = plan(f, "Account,Company\nN1,New One\nN2,New Two\n");
        const store::FileResult r = importCustomers(f.store(), AccountStore(f.store(), f.clock, usLocale()), p).written;
        if (!r && !r.replaced) {
            EXPECT_FALSE(QDir(f.path() + QStringLiteral("/AuxFiles/N1")).exists());
        }
        return r;
    };
    failEveryWay(setUp, operation);
}

// Imports of twenty accounts over and over, killed: the three files
// always hold whole batches, in step, each account with its folder.
TEST(Import, KillingAnImportLeavesWholeBatches)
{
    killRounds(6, 2718, QStringLiteral("import"), [](TestFolder &) {},
               [](TestFolder &folder, int round, const store::FinishedWork &) {
                   const qsizetype customers = folder.exists(kCustomerFile) ? folder.read(kCustomerFile).size() : 0;
                   const qsizetype cycles = folder.exists(kCycleFile) ? folder.read(kCycleFile).size() : 0;
                   const qsizetype contracts = folder.exists(kContractFile) ? folder.read(kContractFile).size() : 0;
                   ASSERT_EQ(customers % (20 * 328), 0) << "round " << round;
                   EXPECT_EQ(cycles / 69, customers / 328) << "round " << round;
                   EXPECT_EQ(contracts / 386, customers / 328) << "round " << round;
                   const QByteArray c = folder.exists(kCustomerFile) ? folder.read(kCustomerFile) : QByteArray();
                   const QByteArray y = folder.exists(kCycleFile) ? folder.read(kCycleFile) : QByteArray();
                   for (qsizetype n = 0; n < customers / 328; ++n) {
                       const QString acct = field(c.mid(n * 328, 328), 0, 20);
                       // Each row's charge is its number within its batch.
                       EXPECT_EQ(int64At(y.mid(n * 69, 69), 35), (n % 20 + 1) * 10000) << acct.toStdString();
                       EXPECT_TRUE(QDir(folder.path() + QStringLiteral("/AuxFiles/") + acct).exists()) << acct.toStdString();
                   }
               });
}

// The whole round a new business makes: five hundred customers from a
// spreadsheet with six bad rows, the rest billed on a printed run, the
// sales journal and the ledgers exported for the accountant, and the data
// folder checking whole afterwards.
TEST(Import, FiveHundredImportedAreBilledExportedAndTheFolderChecksWhole)
{
    TestFolder f;
    writeStates(f);
    QByteArray bytes = "Acct,Company,State,Fee,Frequency\r\n";
    for (int i = 1; i <= 500; ++i) {
        QByteArray acct = "B" + QByteArray::number(i), name = "Lawn Client " + QByteArray::number(i), state = "IL",
                   fee = "25.00";
        switch (i) {
        case 50: state = "QQ"; break;
        case 150: state = "Q"; break;
        case 200: acct = "B199"; break;
        case 300: fee = "25..00"; break;
        case 400: name = QByteArray(46, 'N'); break;
        case 450: acct = "B?450"; break;
        }
        bytes += acct + "," + name + "," + state + "," + fee + ",Monthly\r\n";
    }
    const ImportPlan p = plan(f, bytes);
    ASSERT_EQ(p.rejected.size(), 6u);
    ASSERT_EQ(p.accepted.size(), 494u);
    ASSERT_TRUE(importCustomers(f.store(), AccountStore(f.store(), f.clock, usLocale()), p).written);

    RunOf run(f);
    ASSERT_EQ(run.postings.size(), 494u);
    ASSERT_TRUE(run.post(f, false, run.recorder()).result);

    const Exported journal = exportCsv(f.store(), {ExportKind::SalesJournal, {}, {}, false}, usLocale());
    EXPECT_EQ(journal.rows, 494);
    EXPECT_TRUE(journal.bytes.contains(",B499,")) << journal.bytes.left(300).toStdString();
    const Exported ledgers = exportCsv(f.store(), {ExportKind::Ledgers, {}, {}, false}, usLocale());
    EXPECT_EQ(ledgers.rows, 2 * 494); // each new ledger's opening line and its bill
    EXPECT_EQ(ledgers.bytes.count(",26.75,26.75\r\n"), 494); // $25.00 and 7% tax, each ledger's balance
    for (const Finding &finding : checkDataFolder(f.store(), usLocale()))
        ADD_FAILURE() << finding.problem.toStdString();
}
