#include "exchange/Import.h"

#include "catalog/Catalog.h"
#include "customers/AccountRules.h"
#include "customers/AuxData.h"
#include "customers/BillingOptions.h"
#include "customers/CustomerFile.h"
#include "customers/StateList.h"
#include "store/Transaction.h"

#include <QDir>
#include <QHash>
#include <QRegularExpression>
#include <QSet>

using namespace customers;

namespace exchange {

namespace {

struct FieldInfo {
    const char *name;
    int width;                 // what the record holds; 0 for the billing columns, checked by value
    std::vector<const char *> words; // header words that name it, lower case, letters and digits only
};

const std::vector<FieldInfo> &fieldInfo()
{
    static const std::vector<FieldInfo> info = {
        {"(not imported)", 0, {}},
        {"Account Number", 20, {"accountnumber", "accountno", "acctno", "account", "acct", "accountid", "customerid",
                                "customernumber", "customerno", "id", "number"}},
        {"Account Type", 10, {"accounttype", "accttype", "type", "kind"}},
        {"Title", 10, {"title", "salutation", "prefix"}},
        {"First Name", 15, {"firstname", "first", "givenname", "forename"}},
        {"Middle Initial", 1, {"middleinitial", "initial", "middle", "mi"}},
        {"Last Name", 25, {"lastname", "last", "surname", "familyname"}},
        {"Business Name", 45, {"businessname", "business", "company", "companyname", "organization",
                               "organisation", "name", "customer", "customername"}},
        {"Address 1", 35, {"address1", "address", "addressline1", "street", "streetaddress", "address1street"}},
        {"Address 2", 25, {"address2", "addressline2", "suite", "pobox"}},
        {"Address 3", 25, {"address3", "addressline3"}},
        {"Address 4", 25, {"address4", "addressline4"}},
        {"City", 25, {"city", "town", "locality"}},
        {"State", 2, {"state", "st", "province", "region"}},
        {"Postal Code", 10, {"postalcode", "zip", "zipcode", "postcode", "postal"}},
        {"Telephone", 13, {"telephone", "phone", "tel", "phonenumber", "telephonenumber", "homephone", "workphone"}},
        {"Cell Phone", 13, {"cellphone", "cell", "mobile", "mobilephone", "cellular"}},
        {"E-Mail", 30, {"email", "emailaddress", "mail"}},
        {"Service", 35, {"service", "servicelevel", "plan"}},
        {"Charge", 0, {"charge", "fee", "amount", "price", "rate"}},
        {"Billing Frequency", 0, {"billingfrequency", "frequency", "billing", "cycle", "billingmode", "mode"}},
        {"Start Month", 0, {"startmonth", "month", "billingmonth", "firstmonth"}},
    };
    return info;
}

QString headerWord(const QString &text)
{
    QString w;
    for (const QChar c : text.toLower())
        if (c.isLetterOrNumber())
            w += c;
    return w;
}

ImportField fieldNamed(const QString &header)
{
    const QString w = headerWord(header);
    if (w.isEmpty())
        return ImportField::None;
    for (size_t f = 1; f < fieldInfo().size(); ++f) {
        for (const char *word : fieldInfo()[f].words)
            if (w == QLatin1String(word))
                return ImportField(f);
        if (w == headerWord(QString::fromLatin1(fieldInfo()[f].name)))
            return ImportField(f);
    }
    // "Monthly Fee", "Customer E-mail", "Billing State": a header that ends
    // with a field's word of three letters or more.
    for (size_t f = 1; f < fieldInfo().size(); ++f)
        for (const char *word : fieldInfo()[f].words)
            if (qstrlen(word) >= 3 && w.endsWith(QLatin1String(word)))
                return ImportField(f);
    return ImportField::None;
}

QString fieldName(ImportField f)
{
    return QString::fromLatin1(fieldInfo()[size_t(f)].name);
}

// The billing frequency as a mode: the service window's names, or the
// words a spreadsheet uses for them.
std::optional<int> modeOf(const QString &text)
{
    const QString w = headerWord(text);
    if (w.isEmpty())
        return 0;
    for (int m = 0; m < modeNames().size(); ++m)
        if (w == headerWord(modeNames().at(m)))
            return m;
    static const QHash<QString, int> words = {
        {QStringLiteral("monthly"), Monthly},       {QStringLiteral("month"), Monthly},
        {QStringLiteral("quarterly"), Quarterly},   {QStringLiteral("quarter"), Quarterly},
        {QStringLiteral("semiannual"), SemiAnnual}, {QStringLiteral("semiannually"), SemiAnnual},
        {QStringLiteral("annual"), Annual},         {QStringLiteral("annually"), Annual},
        {QStringLiteral("yearly"), Annual},         {QStringLiteral("none"), NoMode},
    };
    const auto it = words.constFind(w);
    return it == words.cend() ? std::nullopt : std::optional<int>(*it);
}

// The start month as 0..11: its name or short name (the program's locale
// or English), or its number 1..12.
std::optional<int> monthOf(const QString &text, const QLocale &locale)
{
    if (text.isEmpty())
        return 0;
    bool number = false;
    const int n = text.toInt(&number);
    if (number)
        return n >= 1 && n <= 12 ? std::optional<int>(n - 1) : std::nullopt;
    const QLocale english(QLocale::English, QLocale::UnitedStates);
    for (int m = 1; m <= 12; ++m)
        for (const QLocale &l : {locale, english})
            for (QLocale::FormatType f : {QLocale::LongFormat, QLocale::ShortFormat})
                if (text.compare(l.standaloneMonthName(m, f), Qt::CaseInsensitive) == 0
                    || text.compare(l.monthName(m, f), Qt::CaseInsensitive) == 0)
                    return m - 1;
    return std::nullopt;
}

// A charge of "12,50" in a program that writes "12.50" would read as
// 1,250 dollars: an amount whose only separator is the group separator
// before exactly two digits is taken as not an amount.
bool ambiguousDecimal(const QString &text, const QLocale &locale)
{
    static const QRegularExpression shape(QStringLiteral("^[^0-9]*[0-9]+[,.][0-9]{2}[^0-9]*$"));
    return shape.match(text).hasMatch() && !text.contains(locale.decimalPoint());
}

class RowReader {
public:
    RowReader(const QStringList &cells, const std::vector<ImportField> &mapping) : m_cells(cells)
    {
        for (size_t c = 0; c < mapping.size(); ++c)
            if (mapping[c] != ImportField::None && m_column[size_t(mapping[c])] < 0)
                m_column[size_t(mapping[c])] = int(c);
    }
    QString operator[](ImportField f) const
    {
        const int c = m_column[size_t(f)];
        return c >= 0 && c < m_cells.size() ? m_cells.at(c).trimmed() : QString();
    }
    bool mapped(ImportField f) const { return m_column[size_t(f)] >= 0; }

private:
    const QStringList &m_cells;
    std::array<int, size_t(ImportField::Count)> m_column = [] {
        std::array<int, size_t(ImportField::Count)> a;
        a.fill(-1);
        return a;
    }();
};

QString tooLong(const QString &field, const QString &value, int width)
{
    return QStringLiteral("%1 is %2 characters long; it holds at most %3").arg(field).arg(value.size()).arg(width);
}

// The first field of the row a record cannot keep: a character outside
// its single-byte set, or more characters than its width.
QString fieldProblem(const RowReader &row)
{
    for (size_t f = 1; f < fieldInfo().size(); ++f) {
        const QString value = row[ImportField(f)];
        for (const QChar ch : value)
            if (ch.unicode() > 0xFF)
                return QStringLiteral("%1 holds a character the customer file cannot keep (%2)")
                    .arg(fieldName(ImportField(f)), QString(ch));
        const int width = fieldInfo()[f].width;
        if (width > 0 && value.size() > width)
            return tooLong(fieldName(ImportField(f)), value, width);
    }
    return QString();
}

std::optional<QString> accountType(const RowReader &row, QString &type)
{
    const QString w = headerWord(row[ImportField::AcctType]);
    if (w.isEmpty()) {
        const bool personal = !row[ImportField::FirstName].isEmpty() || !row[ImportField::LastName].isEmpty();
        type = personal && row[ImportField::BusinessName].isEmpty() ? CustomerRecord::kIndividual : CustomerRecord::kBusiness;
    } else if (w == u"business" || w == u"b" || w == u"company" || w == u"commercial") {
        type = CustomerRecord::kBusiness;
    } else if (w == u"individual" || w == u"i" || w == u"person" || w == u"personal" || w == u"residential") {
        type = CustomerRecord::kIndividual;
    } else {
        return QStringLiteral("the account type \"%1\" is neither Business nor Individual").arg(row[ImportField::AcctType]);
    }
    return std::nullopt;
}

// The address block in the folder's style. The USA style keeps city,
// state and postal code in their own fields (and again in the third and
// fourth lines); the other style has four free lines, the city and postal
// code going in the third and fourth when those are blank.
std::optional<QString> putAddress(const RowReader &row, const ImportRules &rules, CustomerRecord &r)
{
    r.address1 = row[ImportField::Address1];
    r.address2 = row[ImportField::Address2];
    r.city = row[ImportField::City];
    r.zip = row[ImportField::Postal];
    if (rules.usaStyle) {
        for (ImportField f : {ImportField::Address3, ImportField::Address4})
            if (!row[f].isEmpty())
                return QStringLiteral("%1 is kept only in the international address style; put it in Address 2 or "
                                      "change the address style on the setup screen")
                    .arg(fieldName(f));
        r.state = row[ImportField::State].toUpper();
        if (!r.state.isEmpty() && !rules.states.isEmpty() && !rules.states.contains(r.state))
            return QStringLiteral("the state \"%1\" is not in the state list").arg(row[ImportField::State]);
        r.cityOrAddr3 = r.city;
        r.zipOrAddr4 = r.zip;
        if (r.city.size() > customerfield::City.width)
            r.city.truncate(customerfield::City.width); // the short copy, as the customer screen keeps it
        return std::nullopt;
    }
    r.state.clear();
    r.cityOrAddr3 = row[ImportField::Address3].isEmpty() ? r.city : row[ImportField::Address3];
    r.zipOrAddr4 = row[ImportField::Address4].isEmpty()
                       ? QStringList{row[ImportField::State], r.zip}.join(u' ').trimmed()
                       : row[ImportField::Address4];
    if (r.city.size() > customerfield::City.width)
        return tooLong(QStringLiteral("City"), r.city, customerfield::City.width);
    if (r.zipOrAddr4.size() > customerfield::ZipOrAddr4.width)
        return tooLong(QStringLiteral("Address 4 (state and postal code)"), r.zipOrAddr4, customerfield::ZipOrAddr4.width);
    return std::nullopt;
}

std::optional<QString> putBilling(const RowReader &row, const ImportRules &rules, CycleRecord &c)
{
    const QString service = row[ImportField::Service];
    c.service = service.isEmpty() ? QStringLiteral("None") : service;
    const QString chargeText = row[ImportField::Charge];
    if (chargeText.isEmpty()) {
        const qsizetype at = rules.services.indexOf(service, 0);
        const qsizetype folded = at >= 0 ? at : [&] {
            for (qsizetype i = 0; i < rules.services.size(); ++i)
                if (rules.services.at(i).compare(service, Qt::CaseInsensitive) == 0)
                    return i;
            return qsizetype(-1);
        }();
        if (!service.isEmpty() && folded >= 0 && folded < rules.costs.size())
            c.charge = base::Money::parse(rules.costs.at(folded), rules.locale).value_or(base::Money());
    } else {
        const std::optional<base::Money> charge = base::Money::parse(chargeText, rules.locale);
        if (!charge || ambiguousDecimal(chargeText, rules.locale))
            return QStringLiteral("the charge \"%1\" is not an amount of money").arg(chargeText);
        c.charge = *charge;
    }
    const std::optional<int> mode = modeOf(row[ImportField::Frequency]);
    if (!mode)
        return QStringLiteral("the billing frequency \"%1\" is none of Monthly, Quarterly, Semi-Annual, Annual, None")
            .arg(row[ImportField::Frequency]);
    c.billingMode = std::int16_t(*mode);
    const std::optional<int> month = monthOf(row[ImportField::StartMonth], rules.locale);
    if (!month)
        return QStringLiteral("the start month \"%1\" is not a month").arg(row[ImportField::StartMonth]);
    c.startMonth = std::int16_t(*month);
    return std::nullopt;
}

QString ruleProblem(Problem p, const CustomerRecord &r)
{
    switch (p) {
    case Problem::NameBlank: return QStringLiteral("a business account needs a business name");
    case Problem::PersonalNameMissing: return QStringLiteral("an individual account needs a first and a last name");
    case Problem::NoNumber: return QStringLiteral("the row has neither an account number nor a telephone number");
    case Problem::UnsafeNumber:
        return QStringLiteral("the account number \"%1\" cannot name the account's files (it may not hold "
                              "/ \\ : * ? \" < > | or a control character, nor be . or ..)")
            .arg(r.acctNo.isEmpty() ? r.phone.trimmed() : r.acctNo);
    case Problem::None: break;
    }
    return QString();
}

// One row as an account, or the reason it cannot be one.
std::variant<AcceptedRow, QString> checkRow(const RowReader &row, const ImportRules &rules)
{
    if (const QString problem = fieldProblem(row); !problem.isEmpty())
        return problem;
    AcceptedRow a;
    CustomerRecord &r = a.customer;
    if (std::optional<QString> problem = accountType(row, r.acctType))
        return *problem;
    r.acctNo = row[ImportField::AcctNo];
    r.title = row[ImportField::Title];
    r.firstName = row[ImportField::FirstName];
    r.middleInitial = row[ImportField::Initial];
    r.lastName = row[ImportField::LastName];
    r.name = row[ImportField::BusinessName];
    r.phone = row[ImportField::Phone];
    r.cellPhone = row[ImportField::Cell];
    r.email = row[ImportField::Email];
    if (std::optional<QString> problem = putAddress(row, rules, r))
        return *problem;
    if (const Problem p = problemOf(r); p != Problem::None)
        return ruleProblem(p, r);
    takePhoneAsAcctNo(r);
    if (std::optional<QString> problem = putBilling(row, rules, a.cycle))
        return *problem;
    return a;
}

} // namespace

const QStringList &importFieldNames()
{
    static const QStringList names = [] {
        QStringList n;
        for (const FieldInfo &f : fieldInfo())
            n.append(QString::fromLatin1(f.name));
        return n;
    }();
    return names;
}

std::vector<ImportField> guessMapping(const QStringList &header)
{
    std::vector<ImportField> mapping;
    QSet<int> taken;
    for (const QString &h : header) {
        ImportField f = fieldNamed(h);
        if (taken.contains(int(f)))
            f = ImportField::None;
        if (f != ImportField::None)
            taken.insert(int(f));
        mapping.push_back(f);
    }
    return mapping;
}

bool looksLikeHeader(const QStringList &first)
{
    int named = 0;
    for (const QString &h : first)
        named += fieldNamed(h) != ImportField::None;
    return named >= 2;
}

ImportSource readSource(const QByteArray &bytes, std::optional<base::csv::Encoding> encoding)
{
    ImportSource s;
    s.encoding = encoding.value_or(base::csv::detectEncoding(bytes));
    const QString text = base::csv::decode(bytes, s.encoding);
    s.separator = base::csv::detectSeparator(text);
    s.table = base::csv::parse(text, s.separator);
    return s;
}

ImportRules importRules(const store::FileStore &store, const QLocale &locale, bool usaStyle)
{
    ImportRules rules;
    const AcctNoIndex index = AcctNoIndex::read(store);
    rules.customerCount = index.count();
    for (int n = 1; n <= index.count(); ++n)
        rules.existingAcctNos.append(index.number(n));
    rules.states = loadStateList(store);
    catalog::Catalog catalogue(locale);
    catalogue.loadServices(store);
    for (const catalog::ServiceRow &s : catalogue.services()) {
        rules.services.append(s.description);
        rules.costs.append(s.charge);
    }
    rules.usaStyle = usaStyle;
    rules.locale = locale;
    return rules;
}

ImportPlan planImport(const base::csv::Table &table, const std::vector<ImportField> &mapping, bool header,
                      const ImportRules &rules)
{
    ImportPlan plan;
    QSet<QString> taken(rules.existingAcctNos.cbegin(), rules.existingAcctNos.cend());
    QHash<QString, int> acceptedAt; // account number -> line of the row that took it
    for (qsizetype i = header ? 1 : 0; i < table.records.size(); ++i) {
        const QStringList &cells = table.records.at(i);
        const int line = table.lines.at(i);
        if (std::all_of(cells.cbegin(), cells.cend(), [](const QString &c) { return c.trimmed().isEmpty(); }))
            continue; // a spreadsheet's empty row
        std::variant<AcceptedRow, QString> checked = checkRow(RowReader(cells, mapping), rules);
        if (auto *row = std::get_if<AcceptedRow>(&checked)) {
            const QString acct = row->customer.acctNo;
            if (acceptedAt.contains(acct))
                checked = QStringLiteral("the account number %1 is already on line %2 of this file").arg(acct).arg(acceptedAt[acct]);
            else if (taken.contains(acct))
                checked = QStringLiteral("the account number %1 is already a customer's").arg(acct);
            else if (rules.customerCount + int(plan.accepted.size()) >= AccountStore::kMaxCustomers)
                checked = QStringLiteral("the customer file is full (%1 customers)").arg(AccountStore::kMaxCustomers);
        }
        if (auto *row = std::get_if<AcceptedRow>(&checked)) {
            row->line = line;
            acceptedAt.insert(row->customer.acctNo, line);
            plan.accepted.push_back(std::move(*row));
        } else {
            plan.rejected.push_back({line, cells, std::get<QString>(checked)});
        }
    }
    return plan;
}

QByteArray rejectedCsv(const ImportPlan &plan, const QStringList &header)
{
    QByteArray out = base::csv::line(QStringList{QStringLiteral("Line"), QStringLiteral("Reason")} + header);
    for (const RejectedRow &r : plan.rejected)
        out += base::csv::line(QStringList{QString::number(r.line), r.reason} + r.fields);
    return out;
}

namespace {

// The accounts' folders that are not there yet, made; their names come
// back so that a failed write can take them away again.
std::variant<QStringList, QString> makeNewFolders(const store::FileStore &store, const ImportPlan &plan,
                                                  const ImportProgress &progress)
{
    if (store::FileResult r = store.makeFolders({auxdata::kAuxFolder}); !r)
        return r.error;
    QSet<QString> existing;
    for (const QString &name : QDir(store.path(auxdata::kAuxFolder)).entryList(QDir::Dirs | QDir::NoDotAndDotDot))
        existing.insert(name.toLower());
    QStringList all, made;
    for (const AcceptedRow &a : plan.accepted) {
        all.append(a.customer.acctNo);
        if (!existing.contains(a.customer.acctNo.toLower()))
            made.append(a.customer.acctNo);
    }
    const int total = int(all.size());
    const QString failed = auxdata::makeAccountFolders(store, all, false, [&](int done, int) {
        if (progress)
            progress(done / 2, total);
    });
    if (!failed.isEmpty()) {
        for (const QString &acct : made)
            QDir(store.path(auxdata::kAuxFolder + u'/' + acct)).removeRecursively();
        return QStringLiteral("the folder %1 cannot be made").arg(failed);
    }
    return made;
}

} // namespace

ImportResult importCustomers(const store::FileStore &store, const AccountStore &accounts, const ImportPlan &plan,
                             const ImportProgress &progress)
{
    ImportResult result;
    if (plan.accepted.empty())
        return result;
    const int total = int(plan.accepted.size());
    std::variant<QStringList, QString> folders = makeNewFolders(store, plan, progress);
    if (const QString *error = std::get_if<QString>(&folders)) {
        result.written = store::FileResult::failure(*error);
        return result;
    }
    store::Transaction tx(store, QStringLiteral("an import of customers"));
    const int count = accounts.customerCount();
    // Side files shorter than the customer file are filled out with their
    // default records first, so that the new records line up.
    QByteArray customerBytes, cycleBytes, contractBytes;
    const QByteArray contract = accounts.defaultContract().encode();
    store.restoreFromBackup(kCycleFile);
    store.restoreFromBackup(kContractFile);
    const int cycles = std::min<int>(store.recordCount(kCycleFile, CycleRecord::kLength), count);
    const int contracts = std::min<int>(store.recordCount(kContractFile, ContractRecord::kLength), count);
    for (int i = cycles; i < count; ++i)
        cycleBytes += CycleRecord().encode();
    for (int i = contracts; i < count; ++i)
        contractBytes += contract;
    for (int i = 0; i < total; ++i) {
        customerBytes += plan.accepted[size_t(i)].customer.encode();
        cycleBytes += plan.accepted[size_t(i)].cycle.encode();
        contractBytes += contract;
        if (progress && i % 512 == 0)
            progress(total / 2 + i / 2, total);
    }
    // Each file cut at its last new record: a torn tail or records past the
    // customers' count are written over, so the three stay in step.
    const qint64 after = qint64(count) + total;
    tx.writeAt(kCustomerFile, qint64(count) * CustomerRecord::kLength, customerBytes, after * CustomerRecord::kLength);
    tx.writeAt(kCycleFile, qint64(cycles) * CycleRecord::kLength, cycleBytes, after * CycleRecord::kLength);
    tx.writeAt(kContractFile, qint64(contracts) * ContractRecord::kLength, contractBytes, after * ContractRecord::kLength);
    result.written = tx.commit();
    if (!result.written && !result.written.replaced) {
        for (const QString &acct : std::get<QStringList>(folders))
            QDir(store.path(auxdata::kAuxFolder + u'/' + acct)).removeRecursively();
        return result;
    }
    result.imported = result.written ? total : 0;
    if (progress)
        progress(total, total);
    return result;
}

} // namespace exchange
