#pragma once
// The run register: what each billing run posted, so a run (or one invoice
// of it) can be printed again or voided, and an account is not billed twice
// for one month. Three record files of the program folder, written only
// inside the transactions that post (the run's groups, a void), so an entry
// is there exactly when its postings are:
//
// - "/BillingRuns.txt": one record per run or void, its summary kept up to
//   date as the run's groups are posted;
// - "/BillingRunAccounts.txt": one record per account posted, in the order
//   posted, each run's accounts side by side;
// - "/BillingRunItems.txt": the sales items on each account's invoice.
//
// A void is a run of its own (its own number, mode Void) whose accounts
// each name the account record they reverse; nothing earlier is rewritten
// but the summary of the run being written.
#include "base/Money.h"
#include "store/FileStore.h"
#include "store/Transaction.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace billing {

inline const QString kRunsFile = QStringLiteral("/BillingRuns.txt");
inline const QString kRunAccountsFile = QStringLiteral("/BillingRunAccounts.txt");
inline const QString kRunItemsFile = QStringLiteral("/BillingRunItems.txt");

enum class RunMode : std::int16_t { RecordsOnly = 0, Printed = 1, Void = 2 };

// "/BillingRuns.txt", 48 bytes.
struct RunRecord {
    static constexpr int kLength = 48;
    std::int32_t runNo = 0;             //  0
    QDateTime made;                     //  4: day count with the time of day
    RunMode mode = RunMode::RecordsOnly; // 12: int16
    std::int16_t frequency = 0;         // 14: 0 Monthly .. 4 All (a void: the run's)
    std::int16_t month = 0;             // 16: 0 January .. 11 December
    std::int16_t usaAddresses = 1;      // 18: the customer block's style, 1 USA
    std::int32_t voidsRun = 0;          // 20: the run a void reverses; 0 otherwise
    std::int32_t firstAccount = 0;      // 24: its first account record (from 1)
    std::int32_t accountCount = 0;      // 28: its account records, side by side
    base::Money total;                  // 32: the sum of their totals
    //                                     40: 8 bytes kept for later
    QByteArray encode() const;
    static RunRecord decode(const QByteArray &bytes);
    bool operator==(const RunRecord &) const = default;
};

// "/BillingRunAccounts.txt", 400 bytes. A void's record holds the amounts
// it credited (as positive figures, like the invoice's) and `reverses`.
struct RunAccountRecord {
    static constexpr int kLength = 400;
    std::int32_t runNo = 0;        //   0
    std::int32_t reverses = 0;     //   4: the account record a void reverses
    QString acctNo;                //   8, 25
    QString name;                  //  33, 45
    std::int32_t ledgerRecord = 0; //  78: the entry written, from 1
    QString invoiceNo;             //  82, 20: printed runs
    base::Money subtotal;          // 102
    base::Money tax1;              // 110
    base::Money tax2;              // 118
    base::Money total;             // 126
    base::Money charge;            // 134: the service's charge
    QString description;           // 142, 60: the service line as printed
    QString service;               // 202, 35: the tax records' reference (records only)
    QString address1;              // 237, 35
    QString address2;              // 272, 25
    QString address3;              // 297, 25
    QString state;                 // 322, 2
    QString address4;              // 324, 25
    QString tax1Name;              // 349, 20: as the tax records were written
    QString tax2Name;              // 369, 20
    std::int32_t firstItem = 0;    // 389: its first item record (from 1)
    std::int16_t itemCount = 0;    // 393
    //                                395: 5 bytes kept for later
    QByteArray encode() const;
    static RunAccountRecord decode(const QByteArray &bytes);
    bool operator==(const RunAccountRecord &) const = default;
};

// "/BillingRunItems.txt", 84 bytes: one sales item of one account.
struct RunItemRecord {
    static constexpr int kLength = 84;
    std::int32_t account = 0;    //  0: its account record
    QString description;         //  4, 60
    std::int16_t units = 0;      // 64: negative on a void
    std::int16_t stockTaken = 0; // 66: what the stock went down by (negative: given back)
    base::Money unitPrice;       // 68
    base::Money total;           // 76
    QByteArray encode() const;
    static RunItemRecord decode(const QByteArray &bytes);
    bool operator==(const RunItemRecord &) const = default;
};

// One account of a run as the register holds it.
struct RegisteredAccount {
    int number = 0; // its record number in the accounts file
    RunAccountRecord record;
    std::vector<RunItemRecord> items;
    int voidedBy = 0; // the void's run number; 0 when not voided
    QDate voidedOn;
};

struct RunState {
    int voided = 0; // accounts voided
    int accounts = 0;
    bool whole() const { return accounts > 0 && voided >= accounts; }
};

// The register read: every run's summary at once (small), the accounts of
// one run when asked for.
class RunRegister {
public:
    static RunRegister read(const store::FileStore &store);
    // The runs in number order (oldest first).
    const std::vector<RunRecord> &runs() const { return m_runs; }
    const RunRecord *run(int runNo) const;
    int nextRunNo() const;
    // How many accounts of a run the voids have reversed.
    RunState state(const RunRecord &run) const;
    // The accounts of a run, in the order posted, each with its items and
    // whether a void has reversed it.
    // Each file is read once for the run, its items as one range (a run's
    // items lie side by side, as its accounts do).
    std::vector<RegisteredAccount> accounts(const store::FileStore &store, const RunRecord &run) const;

    // The accounts billed for a month of a year (by the run's date) by a run
    // not voided for them: account number to the latest such account.
    struct Billed {
        QDate date;
        QString invoiceNo;
        int runNo = 0;
    };
    QHash<QString, Billed> billedFor(const store::FileStore &store, int month, int year) const;

private:
    std::vector<RunRecord> m_runs;
};

// What a run or a void stages into the register, account by account, in the
// transaction that posts the account: the run's record with the first, its
// summary brought up to date with each.
class RegisterWriter {
public:
    // `header`: the run's mode, date, frequency and month; its number is
    // drawn here, after every run in the register.
    RegisterWriter(const store::FileStore &store, RunRecord header);
    int runNo() const { return m_pending.runNo; }

    // `items` get their account field here; the account its run number and
    // item range. Returns the account's record number.
    int stageAccount(store::Transaction &tx, RunAccountRecord account, std::vector<RunItemRecord> items);
    // The run's record with the accounts staged so far: appended the first
    // time, written over after. Staged once per transaction, last.
    void stageRun(store::Transaction &tx);
    // The transaction of the accounts staged since the last call committed,
    // or taken back.
    void committed() { m_committed = m_pending; m_committedAt = m_recordAt; }
    void takenBack() { m_pending = m_committed; m_recordAt = m_committedAt; }

private:
    RunRecord m_pending, m_committed;
    qint64 m_recordAt = -1, m_committedAt = -1; // the run record's number, from 0
};

} // namespace billing
