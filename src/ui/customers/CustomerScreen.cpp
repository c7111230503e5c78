#include "ui/customers/CustomerScreen.h"

#include "base/FieldRoutines.h"
#include "base/ValueList.h"
#include "customers/AccountRules.h"
#include "customers/CustomerFinder.h"
#include "ui/customers/AuxDataFrame.h"
#include "ui/customers/FoundCustomersModel.h"
#include "ui/widgets/KeyFilter.h"
#include "ui/shell/Navigator.h"
#include "ui/customers/ServiceWindow.h"

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QVBoxLayout>

using namespace store;
using namespace context;
using namespace setup;
using namespace customers;

namespace ui {

namespace {


QString invalidAcctNoText(const QString &acctNo)
{
    return QStringLiteral("The Account Number \"%1\" cannot be used.\n"
                          "An account number names the account's own files, so it may not hold / \\ : * ? \" < > | "
                          "or a control character, and may not be . or ..\nEnter a different Number.")
        .arg(acctNo);
}

} // namespace

CustomerScreen::CustomerScreen(AppContext &ctx, Navigator &navigator, QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_accounts(ctx.store, ctx.clock, ctx.locale),
      m_contract(m_accounts.defaultContract())
{
    setObjectName(QStringLiteral("frmCustomer"));
    auto *layout = new QVBoxLayout(this);
    auto *bar = new QMenuBar(this);
    QMenu *files = bar->addMenu(QStringLiteral("Files"));
    files->setObjectName(QStringLiteral("mnuCust"));
    m_mnuAdd = files->addAction(QStringLiteral("Add a New Customer"));
    m_mnuAdd->setObjectName(QStringLiteral("mnuAdd"));
    connect(m_mnuAdd, &QAction::triggered, this, &CustomerScreen::addNewCustomer);
    m_mnuDelete = files->addAction(QStringLiteral("DELETE This customer"));
    m_mnuDelete->setObjectName(QStringLiteral("mnuDelete"));
    connect(m_mnuDelete, &QAction::triggered, this, &CustomerScreen::deleteCustomer);
    QAction *print = files->addAction(QStringLiteral("Print Customers"));
    print->setObjectName(QStringLiteral("mnuPrint"));
    connect(print, &QAction::triggered, this, &CustomerScreen::listAllCustomers);
    QMenu *windows = bar->addMenu(QStringLiteral("Show Windows"));
    m_mnuToggle = windows->addAction(QStringLiteral("Toggle Service Window"));
    m_mnuToggle->setObjectName(QStringLiteral("mnuToggle"));
    connect(m_mnuToggle, &QAction::triggered, this, &CustomerScreen::toggleServiceWindow);
    m_mnuAux = windows->addAction(QStringLiteral("Toggle Data Window"));
    m_mnuAux->setObjectName(QStringLiteral("mnuAux"));
    connect(m_mnuAux, &QAction::triggered, this, &CustomerScreen::toggleDataWindow);
    layout->setMenuBar(bar);

    auto *top = new QHBoxLayout;
    top->addWidget(buildGeneral(), 3);
    top->addWidget(buildCommands(), 2);
    layout->addLayout(top);
    m_serviceWindow = new ServiceWindow(m_ctx, this);
    m_serviceWindow->hide();
    connect(m_serviceWindow, &ServiceWindow::setAllRequested, this, &CustomerScreen::setAllAccounts);
    layout->addWidget(m_serviceWindow);
    m_aux = new AuxDataFrame(m_ctx, this);
    m_aux->hide();
    connect(m_aux, &AuxDataFrame::commandClicked, this, &CustomerScreen::auxCommand);
    layout->addWidget(m_aux);
    layout->addWidget(buildSearch());
    layout->addWidget(buildResults(), 1);
    layout->addStretch();

    // Loading the screen, once: the title list and the state list.
    loadStates();
}

QString CustomerScreen::caption() const
{
    return QStringLiteral("Customer Selection");
}

void CustomerScreen::loadStates()
{
    m_states->clear();
    const std::optional<QByteArray> file = m_ctx.store.readFile(QStringLiteral("/StatesList.txt"));
    if (!file)
        return;
    valuelist::Reader reader(*file);
    for (int i = 0; i < 50 && !reader.atEnd(); ++i)
        m_states->addItem(reader.text());
}

void CustomerScreen::activate(Routine routine)
{
    m_routine = routine;
    m_serviceWindow->loadOptions();
    m_cycle = m_accounts.defaultCycle();
    m_contract = m_accounts.defaultContract(&m_contract);
    m_serviceWindow->reset();
    m_aux->loadHeadings();
    clearCustomerBoxes();
    m_type->setText(CustomerRecord::kBusiness);
    locate(2);
    m_usaStyle = m_ctx.settings.values().addressStyle == AddressStyle::USA;
    m_usaFrame->setVisible(m_usaStyle);
    m_intFrame->setVisible(!m_usaStyle);

    if (m_ctx.store.dataFileExists(kCustomerFile)) {
        m_accounts.recoverPending();
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
        showBusinessCityStateZip();
        m_box[5]->clear();
        m_ctx.prompt.message(QStringLiteral("Your Customer File is Empty\nCreate your First Customer Now"),
                             QStringLiteral("Create Customers"));
        m_mnuDelete->setEnabled(false);
        clearCustomerBoxes();
        showBusinessCityStateZip();
        m_customer = CustomerRecord();
        setAccountType(CustomerRecord::kIndividual);
    }
    m_box[0]->setFocus();
}

void CustomerScreen::deactivate()
{
    if (FileResult r = m_serviceWindow->saveOptions(); !r)
        m_ctx.prompt.message(QStringLiteral("The service window options could not be saved (%1).").arg(r.error),
                             kAppTitle);
}

void CustomerScreen::showBusinessCityStateZip()
{
    const BusinessValues &b = m_ctx.settings.values();
    m_city->setEditText(b.businessCity);
    m_states->setEditText(b.businessState);
}

void CustomerScreen::clearCustomerBoxes()
{
    for (QLineEdit *b : m_box) {
        if (b)
            b->clear();
    }
    m_city->setEditText(QString());
    m_states->setEditText(QString());
    m_add3->clear();
    m_add4->clear();
}

bool CustomerScreen::isBusinessShown() const
{
    return m_type->text() == CustomerRecord::kBusiness;
}

void CustomerScreen::loadCustomer()
{
    if (m_currentRecord < 1)
        return;
    clearCustomerBoxes();
    m_search->hide();
    m_customer = m_accounts.readCustomer(m_currentRecord);
    m_type->setText(m_customer.acctType.trimmed());
    setAccountType(m_type->text());
    const CustomerRecord &c = m_customer;
    m_box[0]->setText(c.acctNo);
    m_box[1]->setText(m_currentCustomer);
    m_box[2]->setText(c.address1);
    m_box[3]->setText(c.address2);
    m_city->setEditText(c.cityOrAddr3);
    m_add3->setText(c.cityOrAddr3);
    m_states->setEditText(c.state);
    m_box[5]->setText(c.zip.trimmed().isEmpty() ? c.zipOrAddr4 : c.zip);
    m_add4->setText(c.zipOrAddr4);
    m_box[6]->setText(c.phone);
    m_box[7]->setText(c.email);
    m_box[8]->setText(c.firstName);
    m_box[9]->setText(c.middleInitial);
    m_box[10]->setText(c.lastName);
    m_box[11]->setText(c.cellPhone);
    m_title->setEditText(c.title);
    setAccountType(m_type->text());
    if (!m_box[0]->text().isEmpty())
        m_select->setFocus();
    else
        m_box[0]->setFocus();
    m_aux->loadData(m_box[0]->text());
    m_contract = m_accounts.readContract(m_currentRecord);
    m_cycle = m_accounts.readCycle(m_currentRecord);
    m_serviceWindow->load(m_cycle);
    setAuxCaption(); // the data boxes always name the account they belong to
    if (!m_box[1]->text().isEmpty())
        m_box[0]->setFocus();
}

void CustomerScreen::setAccountType(const QString &type)
{
    m_box[0]->setFocus();
    const bool business = type == CustomerRecord::kBusiness;
    if (business) {
        m_currentCustomer = m_customer.name.trimmed();
    } else {
        m_currentCustomer = fields::fullName(m_customer.title, m_customer.firstName, m_customer.middleInitial,
                                             m_customer.lastName);
    }
    const bool listShown = m_accountList->isVisibleTo(this);
    m_box[1]->setVisible(business && !listShown);
    m_personalNames->setVisible(!business && !listShown);
    m_nameLabel->setText(business ? QStringLiteral("Name") : QStringLiteral("Title / Name"));
    m_type->setText(business ? CustomerRecord::kBusiness : CustomerRecord::kIndividual);
    m_aux->setCustomerName(m_currentCustomer);
}

bool CustomerScreen::saveCustomer()
{
    m_saveOk = false;
    CustomerRecord r = m_customer; // keeps the two reserved fields
    r.acctNo = m_box[0]->text().trimmed();
    r.name = m_box[1]->text();
    r.address1 = m_box[2]->text();
    r.address2 = m_box[3]->text();
    r.city = m_city->currentText();
    r.zip = m_box[5]->text();
    r.phone = m_box[6]->text();
    r.email = m_box[7]->text();
    r.firstName = m_box[8]->text();
    r.middleInitial = m_box[9]->text();
    r.lastName = m_box[10]->text();
    r.cellPhone = m_box[11]->text();
    r.title = m_title->currentText();
    r.acctType = m_type->text();
    if (m_usaStyle) {
        r.cityOrAddr3 = m_city->currentText();
        r.state = m_states->currentText();
        r.zipOrAddr4 = m_box[5]->text();
    } else {
        r.cityOrAddr3 = m_add3->text();
        r.state.clear();
        r.zipOrAddr4 = m_add4->text();
    }
    switch (customers::problemOf(r)) {
    case customers::Problem::NameBlank:
        m_ctx.prompt.message(customers::problemText(customers::Problem::NameBlank), kAppTitle);
        m_box[1]->setFocus();
        return false;
    case customers::Problem::PersonalNameMissing:
        m_box[8]->setFocus();
        m_ctx.prompt.message(customers::problemText(customers::Problem::PersonalNameMissing), kAppTitle);
        return false;
    case customers::Problem::NoNumber:
        m_ctx.prompt.message(QStringLiteral("The Telephone Number cannot be blank"), QStringLiteral("No number"));
        if (!m_ctx.prompt.ask(QStringLiteral("Would you like to exit\nwithout creating a Customer?"),
                              QStringLiteral("No Customer"))) {
            m_box[6]->setFocus();
            return false;
        }
        // The screen starts afresh next time, at record 1.
        m_adding = false;
        m_cancelAdd->hide();
        m_currentRecord = 1;
        m_navigator.show(ScreenId::MainMenu);
        return false;
    case customers::Problem::UnsafeNumber:
    case customers::Problem::None:
        break;
    }
    if (customers::takePhoneAsAcctNo(r)) {
        m_box[0]->setText(r.acctNo);
        m_ctx.prompt.message(QStringLiteral("Telephone Number will be used as Acct No."),
                             QStringLiteral("Account not Entered"));
    }
    // The account number names the ledger file and the data folder: a
    // pasted or typed one that cannot be a file name is refused here.
    if (customers::problemOf(r) == customers::Problem::UnsafeNumber) {
        m_ctx.prompt.message(invalidAcctNoText(r.acctNo), QStringLiteral("Invalid Account Number"));
        m_box[0]->setFocus();
        return false;
    }
    // A charge that is no amount of money would be stored as another one.
    const std::optional<CycleRecord> cycle = m_serviceWindow->cycle(m_cycle);
    if (!cycle) {
        m_ctx.prompt.message(QStringLiteral("The charge \"%1\" is not an amount of money.\nEnter the charge as an "
                                            "amount, such as 25.00.")
                                 .arg(m_serviceWindow->costText()),
                             QStringLiteral("Invalid Charge"));
        return false;
    }
    m_saveOk = true;
    if (FileResult w = m_accounts.writeAccount(m_currentRecord, r, m_contract, *cycle); !w) {
        m_ctx.prompt.message(QStringLiteral("The customer could not be saved (%1).\nNothing was lost: the screen "
                                            "keeps what you entered.")
                                 .arg(w.error),
                             kAppTitle);
        m_saveOk = false;
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
    addCityToList(r.cityOrAddr3.trimmed());
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
    clearCustomerBoxes();
    setAccountType(CustomerRecord::kIndividual);
    loadAccountList();
    const BusinessValues &b = m_ctx.settings.values();
    showBusinessCityStateZip();
    m_box[5]->setText(b.businessZip);
    m_box[6]->clear();
    m_box[0]->setFocus();
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
        m_box[0]->setFocus();
        return;
    }
    if (FileResult r = m_accounts.removeCustomer(m_currentRecord, m_customerCount); !r) {
        m_ctx.prompt.message(QStringLiteral("The customer could not be deleted (%1).\nThe customer files are as they "
                                            "were.")
                                 .arg(r.error),
                             kAppTitle);
        return;
    }
    if (m_customerCount > 1)
        --m_customerCount;
    loadAccountList();
    m_currentRecord = 1;
    loadCustomer();
    m_box[0]->setFocus();
}

void CustomerScreen::leaveScreen(bool select)
{
    if (!m_box[0]->text().isEmpty() && !saveCustomer())
        return;
    // Chosen for a contract, the account goes on to the contract screen
    // (the menu while the program has none).
    if (select && m_routine == Routine::Contract && m_navigator.show(ScreenId::Contract, m_routine))
        return;
    m_navigator.show(ScreenId::MainMenu);
}

void CustomerScreen::addCityToList(const QString &city)
{
    for (int i = 0; i < m_city->count(); ++i) {
        if (m_city->itemText(i).trimmed() == city)
            return;
    }
    const QString shown = m_city->currentText();
    m_city->addItem(city);
    m_city->setEditText(shown);
}

void CustomerScreen::loadAccountList()
{
    m_accountList->blockSignals(true);
    m_accountList->clear();
    const QString shownCity = m_city->currentText();
    m_city->clear();
    const std::vector<CustomerRecord> records = m_accounts.readAllCustomers();
    std::vector<std::pair<QString, int>> items;
    items.reserve(records.size());
    QStringList cities;
    QSet<QString> seen;
    for (size_t i = 0; i < records.size(); ++i) {
        const QString city = records[i].cityOrAddr3.trimmed();
        if (!seen.contains(city)) {
            seen.insert(city);
            cities.append(city);
        }
        items.emplace_back(records[i].listText(), int(i) + 1);
    }
    std::stable_sort(items.begin(), items.end(), [](const auto &a, const auto &b) {
        return QString::compare(a.first, b.first, Qt::CaseInsensitive) < 0;
    });
    for (const auto &[text, record] : items)
        m_accountList->addItem(text, record);
    m_city->addItems(cities);
    m_city->setEditText(shownCity);
    m_accountList->setEditText(QString());
    m_accountList->blockSignals(false);
}

void CustomerScreen::enableNavButtons(bool on)
{
    for (QPushButton *b : m_nav)
        b->setEnabled(on);
}

void CustomerScreen::enableLocateButtons(bool on)
{
    for (int i = 0; i < 3; ++i)
        m_locate[size_t(i)]->setEnabled(on);
}

void CustomerScreen::checkDuplicateAcctNo()
{
    const QString typed = m_box[0]->text();
    if (typed.isEmpty())
        return;
    if (!customers::finder::isDuplicateAcctNo(m_accounts.readAllCustomers(), typed, m_currentRecord))
        return;
    if (m_ctx.prompt.ask(QStringLiteral("The Account Number is a duplicate\nClick Yes to Replace it\nEnter a different Number"),
                         QStringLiteral("Duplicate Account Number"))) {
        m_box[0]->clear();
        m_box[0]->setFocus();
    }
}

void CustomerScreen::checkNameLength()
{
    if (m_box[1]->isVisible() && m_box[1]->text().size() < 2)
        m_ctx.prompt.message(QStringLiteral("The Name Field Must be at least 2 Characters\nThis is okay if Cancelling a "
                                            "New Entry\nClick Cancel AddNew Again"),
                             QStringLiteral("No Name Entered"));
}

bool CustomerScreen::eventFilter(QObject *watched, QEvent *event)
{
    // A message box takes the focus; the check it came from must not run again for that.
    if (event->type() == QEvent::FocusOut && !m_checking) {
        m_checking = true;
        if (watched == m_box[0])
            checkDuplicateAcctNo();
        else if (watched == m_box[1])
            checkNameLength();
        else if (watched == m_accountList->lineEdit() && m_accountList->isVisible()
                 && !m_accountList->view()->isVisible())
            leaveAccountList();
        m_checking = false;
    } else if (event->type() == QEvent::FocusIn && watched == m_box[6] && m_box[6]->text().size() == 8) {
        m_box[6]->end(false);
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == m_box[1] && m_box[1]->text() == QLatin1String("Enter Name") && !key->text().isEmpty())
            m_box[1]->clear();
        if (watched == m_accountList->lineEdit() && (key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace))
            m_skipAutoComplete = true;
    }
    return Screen::eventFilter(watched, event);
}

} // namespace ui
