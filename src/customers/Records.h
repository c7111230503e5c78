#pragma once
// The three parallel record files of the customer accounts: record n of the
// cycle and contract files belongs to customer record n; there is no key
// between them but the record number.
#include "base/Money.h"

#include <QByteArray>
#include <QDateTime>
#include <QLocale>
#include <QString>
#include <cstdint>

namespace customers {

inline const QString kCustomerFile = QStringLiteral("/CustomerData.txt");
inline const QString kCycleFile = QStringLiteral("/CycleInfo.txt");
inline const QString kContractFile = QStringLiteral("/ContractInfo.txt");

// Where each field of a customer record lies, for the passes over the whole
// file that take a few fields straight from its bytes.
namespace customerfield {
struct Span {
    int offset;
    int width;
};
inline constexpr Span AcctNo{0, 20}, Name{20, 45}, Address1{65, 35}, Address2{100, 25}, CityOrAddr3{125, 25},
    City{150, 20}, State{170, 2}, Zip{172, 10}, ZipOrAddr4{182, 25}, Phone{207, 13}, CellPhone{220, 13},
    Email{233, 30}, Title{263, 10}, FirstName{273, 15}, MiddleInitial{288, 1}, LastName{289, 25},
    AcctType{314, 10};
} // namespace customerfield

// "/CustomerData.txt", 328 bytes.
struct CustomerRecord {
    static constexpr int kLength = 328;

    QString acctNo;        //   0, 20
    QString name;          //  20, 45
    QString address1;      //  65, 35
    QString address2;      // 100, 25
    QString cityOrAddr3;   // 125, 25
    QString city;          // 150, 20
    QString state;         // 170, 2
    QString zip;           // 172, 10: as typed, not trimmed
    QString zipOrAddr4;    // 182, 25
    QString phone;         // 207, 13
    QString cellPhone;     // 220, 13
    QString email;         // 233, 30
    QString title;         // 263, 10
    QString firstName;     // 273, 15
    QString middleInitial; // 288, 1
    QString lastName;      // 289, 25
    QString acctType;      // 314, 10: "Business" or "Individual"
    std::int16_t reserved1 = 0; // 324
    std::int16_t reserved2 = 0; // 326

    // The two account types; anything but the first counts as the second.
    static inline const QString kBusiness = QStringLiteral("Business");
    static inline const QString kIndividual = QStringLiteral("Individual");
    bool isBusiness() const { return acctType == kBusiness; }
    // The name shown for the account: a business's name, else the full name.
    QString displayName() const;

    QByteArray encode() const;
    // Fewer bytes than a record (past the end of the file) read as blanks.
    static CustomerRecord decode(const QByteArray &bytes);
    bool operator==(const CustomerRecord &) const = default;
};

// "/CycleInfo.txt", 69 bytes: the account's billing options.
struct CycleRecord {
    static constexpr int kLength = 69;

    QString service = QStringLiteral("None"); //  0, 35: stored as shown, not trimmed
    base::Money charge;                             // 35
    std::int16_t billingMode = 0;             // 43: 0 Monthly .. 3 Annual, 4 None
    QString chargeFor;                        // 45, 20
    std::int16_t startMonth = 0;              // 65: 0 January .. 11 December, -1 none
    std::int16_t cycleFlag = -1;              // 67: never interpreted

    QByteArray encode() const;
    // Past the end of the file: the default record.
    static CycleRecord decode(const QByteArray &bytes);
    bool operator==(const CycleRecord &) const = default;
};

// "/ContractInfo.txt", 386 bytes. No part of the program gives its fields a
// meaning; each record holds the defaults and is kept only so that the file
// has one record per customer. It is carried as its bytes.
struct ContractRecord {
    static constexpr int kLength = 386;

    QByteArray bytes;

    // The defaults, with the day name and the two dates of the moment they
    // are set. The never-assigned field (35 NUL bytes at 199) is kept from
    // the record before.
    static ContractRecord defaults(const QDateTime &now, const QLocale &locale,
                                   const ContractRecord *before = nullptr);
    QByteArray encode() const { return bytes; }
    static ContractRecord decode(const QByteArray &bytes, const QDateTime &now, const QLocale &locale);
};

} // namespace customers
