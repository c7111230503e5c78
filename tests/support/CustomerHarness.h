#pragma once
// A program folder with customers in it and the customer screen over it,
// in a window with a stand-in main menu, for the customer screen's tests.
#include "support/Accounts.h"
#include "support/PdfPrinters.h"
#include "support/ScreenHost.h"
#include "ui/customers/CustomerForm.h"
#include "ui/customers/CustomerScreen.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace customertest {

using namespace ui;
using namespace customers;

// A program folder with customers in it and the screen over it, in a
// window with a stand-in main menu.
struct Harness : ScreenHost<CustomerScreen> {
    explicit Harness(const std::vector<customers::CustomerRecord> &customers = {}, bool withSideFiles = true)
    {
        folder.context().settings.edit([](setup::BusinessValues &v) {
            v.businessCity = QStringLiteral("Springfield");
            v.businessState = QStringLiteral("IL");
            v.businessZip = QStringLiteral("62701");
            v.businessPhone = QStringLiteral("217-555-0100");
            v.addressStyle = setup::AddressStyle::USA;
        });
        if (!customers.empty()) {
            folder.write(customers::kCustomerFile, encodeAll(customers));
            if (withSideFiles) {
                folder.write(customers::kCycleFile, customers::CycleRecord().encode().repeated(qsizetype(customers.size())));
                folder.write(customers::kContractFile,
                             customers::ContractRecord::defaults(folder.clock.at, usLocale()).encode().repeated(qsizetype(customers.size())));
            }
        }
        // The state list the program installs beside its data.
        QFile states(QCoreApplication::applicationDirPath() + QStringLiteral("/StatesList.txt"));
        if (states.open(QIODevice::ReadOnly))
            folder.write(QStringLiteral("/StatesList.txt"), states.readAll());
        // Made before it is first shown, as the program makes it.
        screen = new CustomerScreen(folder.context(), *navigator, printers.chooser());
        navigator->add(CustomerScreen::kId, screen);
    }
    PdfPrinters printers;
    QLineEdit *box(int i) { return child<QLineEdit>(QStringLiteral("txtCustomer_%1").arg(i).toLatin1().constData()); }
    QString type() { return child<QLabel>("lbLType")->text(); }
    QAction *action(const char *name) { return screen->findChild<QAction *>(QString::fromLatin1(name)); }
    void click(const char *button) { child<QPushButton>(button)->click(); }
    CustomerForm *form() { return child<CustomerForm>("fraGeneral"); }
    customers::CustomerRecord stored(int n)
    {
        return customers::CustomerRecord::decode(folder.read(customers::kCustomerFile).mid((n - 1) * 328, 328));
    }
    int storedCount() { return int(folder.read(customers::kCustomerFile).size() / 328); }
};

inline std::vector<customers::CustomerRecord> numbered(int n)
{
    std::vector<customers::CustomerRecord> v;
    for (int i = 1; i <= n; ++i)
        v.push_back(business(QStringLiteral("C%1").arg(i), QStringLiteral("Customer %1").arg(i, 2, 10, QChar(u'0'))));
    return v;
}

} // namespace customertest
