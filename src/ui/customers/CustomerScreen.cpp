#include "ui/customers/CustomerScreen.h"

#include "base/FieldRoutines.h"
#include "catalog/CatalogRules.h"
#include "customers/AccountRules.h"
#include "customers/CustomerFinder.h"
#include "ui/customers/AuxDataFrame.h"
#include "ui/customers/CustomerForm.h"
#include "ui/customers/SearchFrames.h"
#include "ui/customers/ServiceWindow.h"
#include "ui/shell/Navigator.h"
#include "ui/widgets/FailureText.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSet>
#include <QVBoxLayout>

using namespace base;
using namespace store;
using namespace context;
using namespace setup;
using namespace customers;

namespace ui {

namespace {

QString invalidAcctNoText(const QString &acctNo)
{
    return QStringLiteral("The Account Number \"%1\" cannot be used.\n"
                          "An account number names the account's own files, so it may not hold / \\ : * ? \" < > |, "
                          "a control character or a character outside Western European letters, and may not be . or "
                          "..\nEnter a different Number.")
        .arg(acctNo);
}

} // namespace

CustomerScreen::CustomerScreen(AppContext &ctx, Navigator &navigator, PrinterChooser printers, QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_printers(std::move(printers)),
      m_accounts(ctx.store, ctx.clock, ctx.locale),
      m_contract(m_accounts.defaultContract())
{
    setObjectName(QStringLiteral("frmCustomer"));
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(buildMenus());
    m_form = new CustomerForm(m_ctx, this);
    auto *top = new QHBoxLayout;
    top->addWidget(m_form, 3);
    top->addWidget(buildCommands(), 2);
    layout->addLayout(top);
    m_serviceWindow = new ServiceWindow(m_ctx, this);
    m_serviceWindow->hide();
    layout->addWidget(m_serviceWindow);
    m_aux = new AuxDataFrame(m_ctx, this);
    m_aux->hide();
    layout->addWidget(m_aux);
    m_search = new SearchFrame(m_ctx, this);
    layout->addWidget(m_search);
    m_results = new FoundCustomersFrame(this);
    layout->addWidget(m_results, 1);
    layout->addStretch();
    connectFrames();
}

QString CustomerScreen::caption() const
{
    return QStringLiteral("Customer Selection");
}

QMenuBar *CustomerScreen::buildMenus()
{
    auto *bar = new QMenuBar(this);
    // The commands run after the menu has closed (queued): one that asks a
    // question never keeps the caller of the action waiting for the answer.
    auto action = [this](QMenu *menu, const QString &caption, const char *name, void (CustomerScreen::*slot)()) {
        QAction *a = menu->addAction(caption);
        a->setObjectName(QString::fromLatin1(name));
        connect(a, &QAction::triggered, this, slot, Qt::QueuedConnection);
        return a;
    };
    QMenu *files = bar->addMenu(QStringLiteral("Files"));
    files->setObjectName(QStringLiteral("mnuCust"));
    m_mnuAdd = action(files, QStringLiteral("Add a New Customer"), "mnuAdd", &CustomerScreen::addNewCustomer);
    m_mnuDelete = action(files, QStringLiteral("DELETE This customer"), "mnuDelete", &CustomerScreen::deleteCustomer);
    action(files, QStringLiteral("Print Customers"), "mnuPrint", &CustomerScreen::listAllCustomers);
    files->addSeparator();
    m_mnuImport = action(files, QStringLiteral("Import Customers from CSV..."), "mnuImport", &CustomerScreen::openImport);
    QMenu *windows = bar->addMenu(QStringLiteral("Show Windows"));
    action(windows, QStringLiteral("Toggle Service Window"), "mnuToggle", &CustomerScreen::toggleServiceWindow);
    m_mnuAux = action(windows, QStringLiteral("Toggle Data Window"), "mnuAux", &CustomerScreen::toggleDataWindow);
    return bar;
}

void CustomerScreen::connectFrames()
{
    connect(m_form, &CustomerForm::typeToggleClicked, this, [this] {
        m_form->closeAccountList();
        setAccountType(m_form->type() == CustomerRecord::kIndividual ? CustomerRecord::kBusiness
                                                                     : CustomerRecord::kIndividual);
    });
    connect(m_form, &CustomerForm::acctNoLeft, this, &CustomerScreen::checkDuplicateAcctNo);
    connect(m_form, &CustomerForm::accountChosen, this, &CustomerScreen::showRecord);
    connect(m_form, &CustomerForm::accountNotFound, this, [this] { showRecord(1); });
    connect(m_serviceWindow, &ServiceWindow::setAllRequested, this, &CustomerScreen::setAllAccounts);
    connect(m_aux, &AuxDataFrame::closeRequested, this, &CustomerScreen::closeAuxData);
    connect(m_aux, &AuxDataFrame::reloadRequested, this,
            [this] { m_aux->loadData(m_form->text(CustomerForm::AcctNo)); });
    connect(m_aux, &AuxDataFrame::stepRequested, this, &CustomerScreen::stepAuxData);
    connect(m_search, &SearchFrame::searchRequested, this, &CustomerScreen::search);
    connect(m_results, &FoundCustomersFrame::customerChosen, this, &CustomerScreen::showRecord);
    connect(m_results, &FoundCustomersFrame::retryClicked, this, [this] { locate(2); });
    connect(m_results, &FoundCustomersFrame::printClicked, this, [this] { printCustomers(false); });
    connect(m_results, &FoundCustomersFrame::previewClicked, this, [this] { printCustomers(true); });
}

void CustomerScreen::activate(Routine routine)
{
    m_routine = routine;
    m_serviceWindow->loadOptions();
    m_cycle = m_accounts.defaultCycle();
    m_contract = m_accounts.defaultContract(&m_contract);
    m_serviceWindow->reset();
    m_aux->loadHeadings();
    m_form->clear();
    m_form->showType(CustomerRecord::kBusiness);
    locate(2);
    m_usaStyle = m_ctx.settings.values().addressStyle == AddressStyle::USA;
    m_form->showAddressStyle(m_usaStyle);

    if (m_ctx.store.dataFileExists(kCustomerFile)) {
        enableNavButtons(true);
        enableLocateButtons(true);
        m_customerCount = m_accounts.customerCount();
        loadAccountList();
        // A side file that cannot be rebuilt is said; the screen still
        // opens, and the next save of an account writes its record again.
        auto rebuilt = [this](const QString &file, const FileResult &r) {
            if (!r)
                m_ctx.prompt.message(QStringLiteral("The file %1 could not be rebuilt (%2).").arg(file.mid(1), r.error),
                                     kAppTitle);
        };
        if (!m_ctx.store.dataFileExists(kContractFile))
            rebuilt(kContractFile, m_accounts.buildContractInfo(m_customerCount, m_contract, m_ctx.prompt));
        if (!m_ctx.store.dataFileExists(kCycleFile))
            rebuilt(kCycleFile, m_accounts.buildCycleInfo(m_customerCount, m_cycle, m_ctx.prompt));
        if (!m_adding) {
            if (m_currentRecord > m_customerCount)
                m_currentRecord = 1;
            loadCustomer();
        }
    } else {
        enableNavButtons(false);
        enableLocateButtons(false);
        m_customerCount = 0;
        m_currentRecord = 1;
        m_adding = false;
        m_cancelAdd->hide();
        showBusinessCityState();
        m_form->setText(CustomerForm::Postal, QString());
        m_ctx.prompt.message(QStringLiteral("Your Customer File is Empty\nCreate your First Customer Now"),
                             QStringLiteral("Create Customers"));
        m_mnuDelete->setEnabled(false);
        m_form->clear();
        showBusinessCityState();
        m_customer = CustomerRecord();
        setAccountType(CustomerRecord::kIndividual);
    }
    m_form->focus(CustomerForm::AcctNo);
}

void CustomerScreen::deactivate()
{
    m_serviceWindow->keepOptions();
}

void CustomerScreen::showBusinessCityState()
{
    const BusinessValues &b = m_ctx.settings.values();
    m_form->setCityState(b.businessCity, b.businessState);
}

void CustomerScreen::showRecord(int record)
{
    m_currentRecord = record;
    loadCustomer();
}

void CustomerScreen::loadCustomer()
{
    if (m_currentRecord < 1)
        return;
    m_form->clear();
    m_search->hide();
    m_customer = m_accounts.readCustomer(m_currentRecord);
    setAccountType(m_customer.acctType.trimmed());
    m_form->load(m_customer, m_currentCustomer);
    setAccountType(m_form->type());
    const QString acctNo = m_form->text(CustomerForm::AcctNo);
    if (!acctNo.isEmpty())
        m_select->setFocus();
    else
        m_form->focus(CustomerForm::AcctNo);
    m_aux->loadData(acctNo);
    m_contract = m_accounts.readContract(m_currentRecord);
    m_cycle = m_accounts.readCycle(m_currentRecord);
    m_serviceWindow->load(m_cycle);
    setAuxCaption(); // the data boxes always name the account they belong to
    if (!m_form->text(CustomerForm::Name).isEmpty())
        m_form->focus(CustomerForm::AcctNo);
}

void CustomerScreen::setAccountType(const QString &type)
{
    m_form->focus(CustomerForm::AcctNo);
    if (type == CustomerRecord::kBusiness)
        m_currentCustomer = m_customer.name.trimmed();
    else
        m_currentCustomer = fields::fullName(m_customer.title, m_customer.firstName, m_customer.middleInitial,
                                             m_customer.lastName);
    m_form->showType(type);
    m_aux->setCustomerName(m_currentCustomer);
}

// Shows why the record cannot be saved and puts the focus where it can be
// mended. True when the save may go on.
bool CustomerScreen::refuseProblem(Problem problem)
{
    switch (problem) {
    case Problem::NameBlank:
        m_ctx.prompt.message(problemText(Problem::NameBlank), kAppTitle);
        m_form->focus(CustomerForm::Name);
        return false;
    case Problem::PersonalNameMissing:
        m_form->focus(CustomerForm::First);
        m_ctx.prompt.message(problemText(Problem::PersonalNameMissing), kAppTitle);
        return false;
    case Problem::NoNumber:
        m_ctx.prompt.message(QStringLiteral("The Telephone Number cannot be blank"), QStringLiteral("No number"));
        if (!m_ctx.prompt.ask(QStringLiteral("Would you like to exit\nwithout creating a Customer?"),
                              QStringLiteral("No Customer"))) {
            m_form->focus(CustomerForm::Phone);
            return false;
        }
        // The screen starts afresh next time, at record 1.
        m_adding = false;
        m_cancelAdd->hide();
        m_currentRecord = 1;
        m_navigator.show(ScreenId::MainMenu);
        return false;
    case Problem::UnsafeNumber:
    case Problem::None:
        break;
    }
    return true;
}

bool CustomerScreen::saveCustomer()
{
    CustomerRecord r = m_form->typed(m_customer, m_usaStyle); // keeps the two reserved fields
    if (!refuseProblem(problemOf(r)))
        return false;
    if (takePhoneAsAcctNo(r)) {
        m_form->setText(CustomerForm::AcctNo, r.acctNo);
        m_ctx.prompt.message(QStringLiteral("Telephone Number will be used as Acct No."),
                             QStringLiteral("Account not Entered"));
    }
    // The account number names the ledger file and the data folder: a
    // pasted or typed one that cannot be a file name is refused here.
    if (problemOf(r) == Problem::UnsafeNumber) {
        m_ctx.prompt.message(invalidAcctNoText(r.acctNo), QStringLiteral("Invalid Account Number"));
        m_form->focus(CustomerForm::AcctNo);
        return false;
    }
    // The number is unique among the records, however the record is left:
    // a command's accelerator moves no focus, so the save asks again.
    if (refuseDuplicate(r.acctNo, Check::File)) {
        m_form->focus(CustomerForm::AcctNo);
        return false;
    }
    // A charge that is no amount of money would be stored as another one.
    const std::optional<CycleRecord> cycle = m_serviceWindow->cycle(m_cycle);
    if (!cycle) {
        m_ctx.prompt.message(catalog::notAnAmountText(QStringLiteral("charge"), m_serviceWindow->costText()),
                             catalog::kInvalidChargeTitle);
        return false;
    }
    if (const std::optional<QString> problem = unstorableText(r, *cycle)) {
        m_ctx.prompt.message(*problem, kAppTitle);
        return false;
    }
    if (FileResult w = m_accounts.writeAccount(m_currentRecord, r, m_contract, *cycle); !w) {
        m_ctx.prompt.message(failureText(QStringLiteral("The customer could not be saved"), w,
                                         QStringLiteral("Nothing was lost: the screen keeps what you entered."),
                                         QStringLiteral("The disk did not confirm the save; it will be completed when "
                                                        "the program next starts.")),
                             kAppTitle);
        return false;
    }
    m_serviceWindow->noteSavedCharge();
    m_customer = CustomerRecord::decode(r.encode());
    if (m_currentRecord > m_customerCount)
        m_customerCount = m_currentRecord;
    // The added customer is now written: the adding state is over, so a
    // later Cancel cannot hide a record that is in the file.
    m_adding = false;
    m_cancelAdd->hide();
    m_form->addCity(r.cityOrAddr3.trimmed());
    enableNavButtons(true);
    enableLocateButtons(true);
    // The shown account's service records stay those just written, so a
    // second save of it keeps them.
    m_cycle = *cycle;
    setMenusEnabled(true);
    return true;
}

void CustomerScreen::setMenusEnabled(bool on)
{
    m_mnuAdd->setEnabled(on);
    m_mnuDelete->setEnabled(on);
    m_mnuAux->setEnabled(on);
    m_mnuImport->setEnabled(on && m_navigator.has(ScreenId::Import));
}

void CustomerScreen::addNewCustomer()
{
    if (m_customerCount >= AccountStore::kMaxCustomers) {
        m_ctx.prompt.message(QStringLiteral("The customer file holds %1 customers, the most it can hold.\n"
                                            "No more customers can be added.")
                                 .arg(AccountStore::kMaxCustomers),
                             QStringLiteral("Customer File Full"));
        return;
    }
    if (!saveCustomer())
        return;
    ++m_customerCount;
    m_currentRecord = m_customerCount;
    m_customer = CustomerRecord();
    m_customer.lastName = QStringLiteral("'");
    m_form->clear();
    setAccountType(CustomerRecord::kIndividual);
    loadAccountList();
    showBusinessCityState();
    m_form->setText(CustomerForm::Postal, m_ctx.settings.values().businessZip);
    m_form->setText(CustomerForm::Phone, QString());
    m_form->focus(CustomerForm::AcctNo);
    m_adding = true;
    m_cancelAdd->show();
    m_cycle = m_accounts.defaultCycle();
    m_contract = m_accounts.defaultContract(&m_contract);
    // A new account starts with no service, not the one shown before it.
    m_serviceWindow->reset();
    m_serviceWindow->hide();
    setMenusEnabled(false);
}

void CustomerScreen::cancelAddNew()
{
    if (m_adding)
        --m_customerCount;
    m_adding = false;
    m_currentRecord = 1;
    m_cancelAdd->hide();
    loadCustomer();
    setMenusEnabled(true);
}

void CustomerScreen::deleteCustomer()
{
    if (!m_ctx.prompt.ask(QStringLiteral("Delete this Customer"), kAppTitle)) {
        m_form->focus(CustomerForm::AcctNo);
        return;
    }
    if (FileResult r = m_accounts.removeCustomer(m_currentRecord, m_customerCount); !r) {
        m_ctx.prompt.message(failureText(QStringLiteral("The customer could not be deleted"), r,
                                         QStringLiteral("The customer files are as they were."),
                                         QStringLiteral("The disk did not confirm the deletion; it will be completed "
                                                        "when the program next starts.")),
                             kAppTitle);
        return;
    }
    if (m_customerCount > 1)
        --m_customerCount;
    loadAccountList();
    m_currentRecord = 1;
    loadCustomer();
    m_form->focus(CustomerForm::AcctNo);
}

// The shown account is saved first, as for any command that leaves it.
void CustomerScreen::openImport()
{
    if (!m_form->text(CustomerForm::AcctNo).isEmpty() && !saveCustomer())
        return;
    m_navigator.show(ScreenId::Import, m_routine);
}

void CustomerScreen::leaveScreen(bool select)
{
    if (!m_form->text(CustomerForm::AcctNo).isEmpty() && !saveCustomer())
        return;
    // Chosen for a contract, the account goes on to the contract screen
    // (the menu while the program has none), which is shown for it.
    if (select && m_routine == Routine::Contract && m_navigator.show(ScreenId::Contract, m_routine, m_currentRecord))
        return;
    m_navigator.show(ScreenId::MainMenu);
}

// The account list (the list sorts it), the city list in file order and the
// account-number index, from one read of the customer file.
void CustomerScreen::loadAccountList()
{
    const CustomerFile file = CustomerFile::read(m_ctx.store);
    std::vector<std::pair<QString, int>> items;
    items.reserve(size_t(file.count()));
    QStringList cities;
    QSet<QByteArrayView> seen;
    for (int n = 1; n <= file.count(); ++n) {
        const QByteArrayView city = file.field(n, customerfield::CityOrAddr3);
        if (!seen.contains(city)) {
            seen.insert(city);
            cities.append(file.text(n, customerfield::CityOrAddr3).trimmed());
        }
        items.emplace_back(file.listText(n), n);
    }
    m_form->setAccounts(std::move(items));
    m_form->setCities(cities);
    m_acctNos = AcctNoIndex(file);
}

void CustomerScreen::checkDuplicateAcctNo()
{
    refuseDuplicate(m_form->text(CustomerForm::AcctNo).trimmed(), Check::Index);
}

// Asks about an account number another record has; true when it is one.
// Leaving the box asks the index of the last read; the save reads the file,
// so what it writes is checked against what is there.
bool CustomerScreen::refuseDuplicate(const QString &acctNo, Check check)
{
    if (acctNo.isEmpty())
        return false;
    const bool taken = check == Check::Index ? m_acctNos.isTaken(acctNo, m_currentRecord)
                                             : m_accounts.isAcctNoTaken(acctNo, m_currentRecord);
    if (!taken)
        return false;
    if (m_ctx.prompt.ask(QStringLiteral("The Account Number is a duplicate\nClick Yes to Replace it\nEnter a different Number"),
                         QStringLiteral("Duplicate Account Number"))) {
        m_form->setText(CustomerForm::AcctNo, QString());
        m_form->focus(CustomerForm::AcctNo);
    }
    return true;
}

} // namespace ui
