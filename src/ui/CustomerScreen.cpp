#include "ui/CustomerScreen.h"

#include "base/FieldRoutines.h"
#include "base/ValueList.h"
#include "customers/AccountRules.h"
#include "ui/AuxDataFrame.h"
#include "customers/CustomerFinder.h"
#include "ui/FoundCustomersModel.h"
#include "ui/KeyFilter.h"
#include "ui/Navigator.h"
#include "ui/ServiceWindow.h"

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

namespace {

const QString kBusiness = QStringLiteral("Business");
const QString kIndividual = QStringLiteral("Individual");
const QString kPhoneTip = QStringLiteral("Enter telephone Number with Area Code FIRST (as AAA-EEE-NNNN)");
constexpr int kBoxWidths[12] = {20, 45, 35, 25, 0, 10, 13, 30, 15, 1, 25, 13};

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

QWidget *CustomerScreen::buildGeneral()
{
    auto *frame = new QGroupBox(QStringLiteral("Customer General Information"), this);
    frame->setObjectName(QStringLiteral("fraGeneral"));
    auto *grid = new QGridLayout(frame);
    grid->setColumnStretch(1, 1);
    auto box = [&](int i, const char *label, const QString &tip = QString()) {
        auto *b = new QLineEdit(frame);
        b->setObjectName(QStringLiteral("txtCustomer_%1").arg(i));
        b->setMaxLength(kBoxWidths[i]);
        if (!tip.isEmpty())
            b->setToolTip(tip);
        m_box[size_t(i)] = b;
        QLabel *l = label ? new QLabel(QString::fromLatin1(label), frame) : nullptr;
        if (l)
            l->setBuddy(b);
        else
            b->setAccessibleName(tip);
        return std::pair{b, l};
    };
    int row = 0;
    auto [acct, acctLabel] = box(0, "Account No");
    grid->addWidget(acctLabel, row, 0, Qt::AlignRight);
    grid->addWidget(acct, row++, 1);

    auto *typeRow = new QHBoxLayout;
    m_type = new QLabel(kBusiness, frame);
    m_type->setObjectName(QStringLiteral("lbLType"));
    m_type->setFrameShape(QFrame::StyledPanel);
    m_type->setMinimumWidth(90);
    auto *toggle = new QPushButton(QStringLiteral("Toggle Account Type"), frame);
    toggle->setObjectName(QStringLiteral("cmdAcctType"));
    toggle->setToolTip(QStringLiteral("toggle between Business and Individual"));
    connect(toggle, &QPushButton::clicked, this, [this] {
        m_accountList->hide();
        setAccountType(m_type->text() == kIndividual ? kBusiness : kIndividual);
    });
    typeRow->addWidget(m_type);
    typeRow->addWidget(toggle);
    typeRow->addStretch();
    grid->addWidget(new QLabel(QStringLiteral("Account Type"), frame), row, 0, Qt::AlignRight);
    grid->addLayout(typeRow, row++, 1);

    // The name row: the business name, or the personal names, or the
    // account list shown in their place.
    auto [name, nameLabel] = box(1, "Name", QStringLiteral("Displays Business Accts"));
    m_nameLabel = nameLabel;
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(name, 1);
    m_personalNames = new QWidget(frame);
    auto *personal = new QHBoxLayout(m_personalNames);
    personal->setContentsMargins(0, 0, 0, 0);
    m_title = new QComboBox(m_personalNames);
    m_title->setObjectName(QStringLiteral("cboTitle"));
    m_title->setEditable(true);
    m_title->addItems({QStringLiteral("Mr/Mrs"), QStringLiteral("Mr."), QStringLiteral("Mrs"), QStringLiteral("Ms"),
                       QStringLiteral("Miss")});
    m_title->lineEdit()->setMaxLength(10);
    m_title->setAccessibleName(QStringLiteral("Title"));
    personal->addWidget(m_title);
    auto [first, firstLabel] = box(8, nullptr, QStringLiteral("First Name"));
    auto [initial, initialLabel] = box(9, nullptr, QStringLiteral("Middle Initial"));
    auto [last, lastLabel] = box(10, nullptr, QStringLiteral("Last Name"));
    first->setPlaceholderText(QStringLiteral("First"));
    initial->setPlaceholderText(QStringLiteral("I"));
    initial->setFixedWidth(36);
    last->setPlaceholderText(QStringLiteral("Last"));
    personal->addWidget(first, 2);
    personal->addWidget(initial);
    personal->addWidget(last, 3);
    nameRow->addWidget(m_personalNames, 1);
    m_accountList = new QComboBox(frame);
    m_accountList->setObjectName(QStringLiteral("cboAccounts"));
    m_accountList->setToolTip(QStringLiteral("Accts are shown alphabetically"));
    m_accountList->setEditable(true);
    m_accountList->setInsertPolicy(QComboBox::NoInsert);
    m_accountList->setCompleter(nullptr); // the list completes the text itself
    m_accountList->setMaxVisibleItems(20);
    m_accountList->hide();
    nameRow->addWidget(m_accountList, 1);
    grid->addWidget(nameLabel, row, 0, Qt::AlignRight);
    grid->addLayout(nameRow, row++, 1);

    auto [a1, a1Label] = box(2, "Address1");
    grid->addWidget(a1Label, row, 0, Qt::AlignRight);
    grid->addWidget(a1, row++, 1);
    auto [a2, a2Label] = box(3, "Address2", QStringLiteral("Enter a Sub-divsion, PO Box, etc"));
    grid->addWidget(a2Label, row, 0, Qt::AlignRight);
    grid->addWidget(a2, row++, 1);

    m_usaFrame = new QGroupBox(frame);
    m_usaFrame->setObjectName(QStringLiteral("fraUSAddress"));
    auto *usa = new QGridLayout(m_usaFrame);
    m_city = new QComboBox(m_usaFrame);
    m_city->setObjectName(QStringLiteral("cboCity"));
    m_city->setEditable(true);
    m_city->setInsertPolicy(QComboBox::NoInsert);
    m_city->lineEdit()->setMaxLength(25);
    m_states = new QComboBox(m_usaFrame);
    m_states->setObjectName(QStringLiteral("cboStates"));
    m_states->setEditable(true);
    m_states->setInsertPolicy(QComboBox::NoInsert);
    m_states->lineEdit()->setMaxLength(2);
    auto *postal = m_box[5] = new QLineEdit(m_usaFrame);
    postal->setObjectName(QStringLiteral("txtCustomer_5"));
    postal->setMaxLength(10);
    postal->setToolTip(QStringLiteral("Enter Zipcode here"));
    auto label = [](const char *text, QWidget *buddy, QWidget *parent) {
        auto *l = new QLabel(QString::fromLatin1(text), parent);
        l->setBuddy(buddy);
        return l;
    };
    usa->addWidget(label("City", m_city, m_usaFrame), 0, 0, Qt::AlignRight);
    usa->addWidget(m_city, 0, 1);
    usa->addWidget(label("St", m_states, m_usaFrame), 0, 2);
    usa->addWidget(m_states, 0, 3);
    usa->addWidget(label("Postal", postal, m_usaFrame), 0, 4);
    usa->addWidget(postal, 0, 5);
    usa->setColumnStretch(1, 3);
    usa->setColumnStretch(5, 1);
    m_intFrame = new QGroupBox(frame);
    m_intFrame->setObjectName(QStringLiteral("fraIntAddress"));
    auto *intl = new QGridLayout(m_intFrame);
    m_add3 = new QLineEdit(m_intFrame);
    m_add3->setObjectName(QStringLiteral("txtAdd3"));
    m_add3->setMaxLength(25);
    m_add4 = new QLineEdit(m_intFrame);
    m_add4->setObjectName(QStringLiteral("txtAdd4"));
    m_add4->setMaxLength(25);
    intl->addWidget(label("Address 3", m_add3, m_intFrame), 0, 0, Qt::AlignRight);
    intl->addWidget(m_add3, 0, 1);
    intl->addWidget(label("Address 4", m_add4, m_intFrame), 1, 0, Qt::AlignRight);
    intl->addWidget(m_add4, 1, 1);
    // The two address frames only hold their boxes: no border, and their
    // labels take the width of the label column, so the boxes line up.
    const QFontMetrics metrics(frame->font());
    int labelWidth = 0;
    for (const char *text : {"Account No", "Account Type", "Title / Name", "Address1", "Address2", "City", "Address 3",
                             "Address 4", "Phone", "Cell", "Email"})
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(QString::fromLatin1(text)) + 4);
    grid->setColumnMinimumWidth(0, labelWidth);
    usa->setColumnMinimumWidth(0, labelWidth);
    intl->setColumnMinimumWidth(0, labelWidth);
    for (QGroupBox *f : {m_usaFrame, m_intFrame}) {
        f->setFlat(true);
        f->setStyleSheet(QStringLiteral("QGroupBox { border: 0; margin: 0; padding: 0; }"));
        f->layout()->setContentsMargins(0, 0, 0, 0);
    }
    grid->addWidget(m_usaFrame, row++, 0, 1, 2);
    grid->addWidget(m_intFrame, row++, 0, 1, 2);

    auto [phone, phoneLabel] = box(6, "Phone", kPhoneTip);
    grid->addWidget(phoneLabel, row, 0, Qt::AlignRight);
    grid->addWidget(phone, row++, 1);
    auto [cell, cellLabel] = box(11, "Cell", kPhoneTip);
    grid->addWidget(cellLabel, row, 0, Qt::AlignRight);
    grid->addWidget(cell, row++, 1);
    auto [email, emailLabel] = box(7, "Email", QStringLiteral("Store Account email Address"));
    grid->addWidget(emailLabel, row, 0, Qt::AlignRight);
    grid->addWidget(email, row++, 1);
    // Extra height goes below the boxes, not between them.
    grid->setRowStretch(row, 1);

    KeyFilter::install(acct, KeyFilter::Kind::Text, m_ctx.prompt, m_ctx.locale);
    KeyFilter::install(phone, KeyFilter::Kind::Text, m_ctx.prompt, m_ctx.locale);
    acct->installEventFilter(this);
    name->installEventFilter(this);
    phone->installEventFilter(this);
    m_accountList->installEventFilter(this);
    m_accountList->lineEdit()->installEventFilter(this);
    connect(m_accountList, &QComboBox::editTextChanged, this, &CustomerScreen::completeAccountText);
    connect(m_accountList, &QComboBox::activated, this, [this](int index) {
        if (index < 0)
            return;
        m_accountList->hide();
        m_currentRecord = m_accountList->itemData(index).toInt();
        loadCustomer();
    });
    return frame;
}

QWidget *CustomerScreen::buildCommands()
{
    auto *column = new QWidget(this);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);

    auto *navFrame = new QGroupBox(QStringLiteral("Navigate"), column);
    auto *navGrid = new QGridLayout(navFrame);
    struct Nav {
        int index;
        QString caption;
        const char *tip;
    };
    const Nav navs[] = {
        {0, QStringLiteral("|<<"), "Selects 1st Customer Record"},
        {1, QStringLiteral("<"), "Selects Previous Customer Record"},
        {2, QStringLiteral(">"), "Selects Next Customer Record"},
        {3, QStringLiteral(">>|"), "Selects Last Customer Record"},
        {4, QStringLiteral(">"), "Goes  1/4 into Customer Records"},
        {6, QStringLiteral(">>"), "Goes 1/2 into Customer Records"},
        {5, QStringLiteral(">>>"), "Goes 3/4 into Customer Record"},
    };
    for (const Nav &n : navs) {
        auto *b = new QPushButton(n.caption, navFrame);
        b->setObjectName(QStringLiteral("cmdNav_%1").arg(n.index));
        b->setToolTip(QString::fromLatin1(n.tip));
        b->setAccessibleName(b->toolTip());
        connect(b, &QPushButton::clicked, this, [this, i = n.index] { navigate(i); });
        m_nav[size_t(n.index)] = b;
    }
    for (int i = 0; i < 4; ++i)
        navGrid->addWidget(m_nav[size_t(i)], 0, i);
    auto *position = new QLabel(QStringLiteral("Position"), navFrame);
    auto *percent = new QLabel(QStringLiteral("(% of File)"), navFrame);
    percent->setToolTip(QStringLiteral("Position Record Pointer"));
    navGrid->addWidget(position, 1, 0);
    navGrid->addWidget(m_nav[4], 1, 1);
    navGrid->addWidget(m_nav[6], 1, 2);
    navGrid->addWidget(m_nav[5], 1, 3);
    navGrid->addWidget(percent, 2, 0, 1, 4);
    layout->addWidget(navFrame);

    auto *locate = new QGroupBox(QStringLiteral("Locate Accounts"), column);
    auto *locateBox = new QVBoxLayout(locate);
    const std::pair<QString, const char *> locates[] = {
        {QStringLiteral("&Search by Criteria,such as Street Address"), "opens the search window to find a Customer by criteria"},
        {QStringLiteral("&Find Account in Name List Alphbetically"), "Converts the Name window to a drop down list window"},
        {QStringLiteral("Select from &Account List"), "Select Account"},
        {QStringLiteral("&Locate Account in Name List"), "Converts the Name window to a drop down list window"},
    };
    for (int i = 0; i < 4; ++i) {
        auto *b = new QPushButton(locates[i].first, locate);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        b->setToolTip(QString::fromLatin1(locates[i].second));
        connect(b, &QPushButton::clicked, this, [this, i] { this->locate(i); });
        locateBox->addWidget(b);
        m_locate[size_t(i)] = b;
    }
    layout->addWidget(locate);

    auto *actions = new QGroupBox(QStringLiteral("Actions"), column);
    auto *actionBox = new QVBoxLayout(actions);
    auto action = [&](const char *name, const QString &caption, const char *tip) {
        auto *b = new QPushButton(caption, actions);
        b->setObjectName(QString::fromLatin1(name));
        if (tip)
            b->setToolTip(QString::fromLatin1(tip));
        actionBox->addWidget(b);
        return b;
    };
    connect(action("cmdNew", QStringLiteral("Add New Customer"), nullptr), &QPushButton::clicked, this,
            &CustomerScreen::addNewCustomer);
    connect(action("cmdCustomer_1", QStringLiteral("&Select this Account Start Routine"), "Selects this acct for action"),
            &QPushButton::clicked, this, [this] { leaveScreen(true); });
    connect(action("cmdCustomer_0", QStringLiteral("&Menu"), "Returns to the Main Menu"), &QPushButton::clicked, this,
            [this] { leaveScreen(false); });
    m_cancelAdd = action("cmdCustomer_13", QStringLiteral("Cancel Add &New"), "Cancels the Current New Account");
    connect(m_cancelAdd, &QPushButton::clicked, this, &CustomerScreen::cancelAddNew);
    m_cancelAdd->hide();
    connect(action("cmdCustomer_4", QStringLiteral("Toggle Service Window"), nullptr), &QPushButton::clicked, this,
            &CustomerScreen::toggleServiceWindow);
    layout->addWidget(actions);
    layout->addStretch();
    return column;
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

void CustomerScreen::activate()
{
    m_serviceWindow->loadOptions();
    m_cycle = m_accounts.defaultCycle();
    m_contract = m_accounts.defaultContract(&m_contract);
    m_serviceWindow->reset();
    m_aux->loadHeadings();
    clearCustomerBoxes();
    m_type->setText(kBusiness);
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
        if (!m_ctx.store.dataFileExists(kContractFile))
            m_accounts.buildContractInfo(m_customerCount, m_contract, m_ctx.prompt);
        if (!m_ctx.store.dataFileExists(kCycleFile))
            m_accounts.buildCycleInfo(m_customerCount, m_cycle, m_ctx.prompt);
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
        setAccountType(kIndividual);
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
    return m_type->text() == kBusiness;
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
        findChild<QPushButton *>(QStringLiteral("cmdCustomer_1"))->setFocus();
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
    const bool business = type == kBusiness;
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
    m_type->setText(business ? kBusiness : kIndividual);
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
    switch (accounts::problemOf(r)) {
    case accounts::Problem::NameBlank:
        m_ctx.prompt.message(accounts::problemText(accounts::Problem::NameBlank), kAppTitle);
        m_box[1]->setFocus();
        return false;
    case accounts::Problem::PersonalNameMissing:
        m_box[8]->setFocus();
        m_ctx.prompt.message(accounts::problemText(accounts::Problem::PersonalNameMissing), kAppTitle);
        return false;
    case accounts::Problem::NoNumber:
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
        if (Screen *menu = m_navigator.find(QStringLiteral("frmStartup")))
            m_navigator.show(menu);
        return false;
    case accounts::Problem::UnsafeNumber:
    case accounts::Problem::None:
        break;
    }
    if (accounts::takePhoneAsAcctNo(r)) {
        m_box[0]->setText(r.acctNo);
        m_ctx.prompt.message(QStringLiteral("Telephone Number will be used as Acct No."),
                             QStringLiteral("Account not Entered"));
    }
    // The account number names the ledger file and the data folder: a
    // pasted or typed one that cannot be a file name is refused here.
    if (accounts::problemOf(r) == accounts::Problem::UnsafeNumber) {
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
    m_cycle = m_accounts.readCycle(m_currentRecord);
    m_contract = m_accounts.readContract(m_currentRecord);
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
    setAccountType(kIndividual);
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
    Screen *next = nullptr;
    if (select && m_ctx.menuChoice == 4)
        next = m_navigator.find(QStringLiteral("frmContract"));
    if (!next)
        next = m_navigator.find(QStringLiteral("frmStartup"));
    m_navigator.show(next);
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
    if (!finder::isDuplicateAcctNo(m_accounts.readAllCustomers(), typed, m_currentRecord))
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

void CustomerScreen::toggleServiceWindow()
{
    if (m_serviceWindow->isVisibleTo(this)) {
        m_serviceWindow->hide();
        return;
    }
    m_serviceWindow->show();
    m_aux->hide();
}

void CustomerScreen::toggleDataWindow()
{
    m_aux->setVisible(!m_aux->isVisibleTo(this));
    if (m_aux->isVisibleTo(this)) {
        m_serviceWindow->hide();
        setAuxCaption();
    }
}

void CustomerScreen::setAuxCaption()
{
    if (isBusinessShown())
        m_aux->setAccountName(m_box[1]->text());
    else
        m_aux->setAccountName(m_title->currentText() + u' ' + m_box[8]->text() + u' ' + m_box[10]->text());
}

bool CustomerScreen::saveAuxData()
{
    if (FileResult r = m_aux->saveData(m_box[0]->text()); !r) {
        m_ctx.prompt.message(QStringLiteral("The data boxes could not be saved (%1).\nThey still show what you "
                                            "entered.")
                                 .arg(r.error),
                             kAppTitle);
        return false;
    }
    return true;
}

void CustomerScreen::auxCommand(int index)
{
    switch (index) {
    case 2:
        if (saveAuxData())
            m_aux->hide();
        break;
    case 3:
        m_aux->loadData(m_box[0]->text());
        break;
    case 7:
    case 8: {
        if (!saveAuxData())
            return;
        const bool next = index == 7;
        if (next ? m_currentRecord == m_customerCount : m_currentRecord < 2)
            return;
        m_currentRecord += next ? 1 : -1;
        loadCustomer(); // loads the boxes too
        setAuxCaption();
        break;
    }
    default:
        break;
    }
}

void CustomerScreen::setAllAccounts()
{
    if (!m_ctx.prompt.ask(QStringLiteral("This sets ALL Customers Invoicing Data \nto the Information Displayed\nin the "
                                         "Service Window\nClick Yes to Continue to Set all Equal"),
                          QStringLiteral("Set All Services Equal")))
        return;
    // The shown account first, so that its own edits are not lost.
    if (!saveCustomer())
        return;
    std::optional<CycleRecord> values = m_serviceWindow->cycle(CycleRecord());
    if (!values)
        return;
    if (values->startMonth < 0)
        values->startMonth = 0; // January when no month was chosen
    const accounts::SetAllResult result = accounts::setAll(m_ctx.store, m_accounts, *values);
    if (!result.written) {
        m_ctx.prompt.message(QStringLiteral("The accounts could not be set (%1).\nNo account was changed.")
                                 .arg(result.written.error),
                             QStringLiteral("Set All Services Equal"));
        return;
    }
    if (result.numbersFromPhone > 0)
        m_ctx.prompt.message(QStringLiteral("Telephone Number will be used as Acct No."),
                             QStringLiteral("Account not Entered"));
    loadAccountList();
    m_currentRecord = result.stoppedAt != 0 ? result.stoppedAt : 1;
    loadCustomer();
    if (result.stoppedAt != 0) {
        m_ctx.prompt.message(QStringLiteral("Set All stopped at record %1, account \"%2\":\n%3\n\nThe %4 accounts "
                                            "before it are set; this account and the ones after it are unchanged.")
                                 .arg(result.stoppedAt)
                                 .arg(m_customer.acctNo.isEmpty() ? m_customer.displayName() : m_customer.acctNo,
                                      accounts::problemText(result.problem))
                                 .arg(result.accountsSet),
                             QStringLiteral("Set All Services Equal"));
    }
}
