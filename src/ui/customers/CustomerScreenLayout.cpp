// The customer screen's general-information frame and its command column.
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

using namespace customers;

namespace ui {

namespace {

const QString kPhoneTip = QStringLiteral("Enter telephone Number with Area Code FIRST (as AAA-EEE-NNNN)");
constexpr int kBoxWidths[12] = {20, 45, 35, 25, 0, 10, 13, 30, 15, 1, 25, 13};
} // namespace

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
    m_type = new QLabel(CustomerRecord::kBusiness, frame);
    m_type->setObjectName(QStringLiteral("lbLType"));
    m_type->setFrameShape(QFrame::StyledPanel);
    m_type->setMinimumWidth(90);
    auto *toggle = new QPushButton(QStringLiteral("Toggle Account Type"), frame);
    toggle->setObjectName(QStringLiteral("cmdAcctType"));
    toggle->setToolTip(QStringLiteral("toggle between Business and Individual"));
    connect(toggle, &QPushButton::clicked, this, [this] {
        m_accountList->hide();
        setAccountType(m_type->text() == CustomerRecord::kIndividual ? CustomerRecord::kBusiness : CustomerRecord::kIndividual);
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
    m_select = action("cmdCustomer_1", QStringLiteral("&Select this Account Start Routine"), "Selects this acct for action");
    connect(m_select,
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

} // namespace ui
