#include "customers/AccountRules.h"

using namespace store;

namespace customers {

Problem problemOf(const CustomerRecord &r)
{
    if (r.isBusiness()) {
        if (r.name.isEmpty())
            return Problem::NameBlank;
    } else if (r.firstName.isEmpty() || r.lastName.isEmpty()) {
        return Problem::PersonalNameMissing;
    }
    const QString number = r.acctNo.isEmpty() ? r.phone.trimmed() : r.acctNo.trimmed();
    if (r.acctNo.isEmpty() && r.phone.isEmpty())
        return Problem::NoNumber;
    return FileStore::isSafeNameComponent(number) ? Problem::None : Problem::UnsafeNumber;
}

bool takePhoneAsAcctNo(CustomerRecord &r)
{
    if (!r.acctNo.isEmpty())
        return false;
    r.acctNo = r.phone.trimmed();
    return true;
}

QString problemText(Problem p)
{
    switch (p) {
    case Problem::NameBlank: return QStringLiteral("The Account Name Cannot be Blank");
    case Problem::PersonalNameMissing: return QStringLiteral("Enter Account Data or\n Click Cancel AddNew if Visible");
    case Problem::NoNumber: return QStringLiteral("The Telephone Number cannot be blank");
    case Problem::UnsafeNumber:
        return QStringLiteral("An account number names the account's own files, so it may not hold / \\ : * ? \" < > | "
                              "or a control character, and may not be . or ..");
    case Problem::None: break;
    }
    return QString();
}

std::optional<QString> unstorableText(const CustomerRecord &c, const CycleRecord &y)
{
    const std::pair<const char *, const QString *> fields[] = {
        {"Account No", &c.acctNo},       {"Name", &c.name},           {"Address1", &c.address1},
        {"Address2", &c.address2},       {"City / Address 3", &c.cityOrAddr3}, {"City", &c.city},
        {"State", &c.state},             {"Zip Code", &c.zip},        {"Zip / Address 4", &c.zipOrAddr4},
        {"Telephone", &c.phone},         {"Cell Phone", &c.cellPhone}, {"E-Mail", &c.email},
        {"Title", &c.title},             {"First Name", &c.firstName}, {"Middle Initial", &c.middleInitial},
        {"Last Name", &c.lastName},      {"Service", &y.service},     {"Charge For", &y.chargeFor},
    };
    for (const auto &[field, text] : fields) {
        for (const QChar ch : *text) {
            if (ch.unicode() > 0xFF)
                return QStringLiteral("The %1 \"%2\" holds a character the customer file cannot keep (%3).\n"
                                      "Nothing was saved: change or remove it.")
                    .arg(QString::fromLatin1(field), *text, QString(ch));
        }
    }
    return std::nullopt;
}

SetAllResult setAll(const FileStore &store, const AccountStore &accounts, const CycleRecord &values)
{
    SetAllResult result;
    std::vector<CustomerRecord> customers = accounts.readAllCustomers();
    const QByteArray oldCycles = store.readFile(kCycleFile).value_or(QByteArray());
    QByteArray cycles;
    cycles.reserve(qsizetype(customers.size()) * CycleRecord::kLength);
    bool customersChanged = false;
    for (size_t i = 0; i < customers.size(); ++i) {
        CustomerRecord &c = customers[i];
        const CycleRecord before = CycleRecord::decode(oldCycles.mid(qsizetype(i) * CycleRecord::kLength, CycleRecord::kLength));
        if (result.stoppedAt == 0) {
            if (Problem p = problemOf(c); p != Problem::None) {
                result.stoppedAt = int(i) + 1;
                result.problem = p;
            }
        }
        if (result.stoppedAt != 0) {
            cycles += before.encode(); // this account and the ones after it stay as they were
            continue;
        }
        if (takePhoneAsAcctNo(c)) {
            customersChanged = true;
            ++result.numbersFromPhone;
        }
        CycleRecord set = values;
        set.cycleFlag = before.cycleFlag;
        cycles += set.encode();
        ++result.accountsSet;
    }
    if (customersChanged) {
        QByteArray file;
        for (const CustomerRecord &c : customers)
            file += c.encode();
        result.written = store.saveDataFile(kCustomerFile, file);
        if (!result.written) {
            result.accountsSet = 0;
            return result;
        }
    }
    result.written = store.saveDataFile(kCycleFile, cycles);
    if (!result.written)
        result.accountsSet = 0;
    return result;
}

} // namespace customers
