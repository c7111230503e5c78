// The customer screen's command column and the ways it reaches an account:
// the navigation buttons, the account list, the search by criteria and the
// list of all customers.
#include "ui/customers/CustomerScreen.h"

#include "ui/phone/DialerDialog.h"
#include "ui/widgets/PictureButton.h"
#include "ui/widgets/TelephonePicture.h"

#include "customers/CustomerFinder.h"
#include "ui/customers/CustomerForm.h"
#include "ui/customers/SearchFrames.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

using namespace context;
using namespace customers;

namespace ui {

QWidget *CustomerScreen::buildCommands()
{
    auto *column = new QWidget(this);
    auto *layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(buildNavigation(column));
    layout->addWidget(buildLocate(column));
    layout->addWidget(buildActions(column));
    layout->addStretch();
    return column;
}

QWidget *CustomerScreen::buildNavigation(QWidget *parent)
{
    auto *navFrame = new QGroupBox(QStringLiteral("Navigate"), parent);
    auto *navGrid = new QGridLayout(navFrame);
    // The stepping buttons show the standard media icons, the position
    // buttons how far into the file they go; each keeps its caption in its
    // accessible name, with its tooltip so that no two names are alike.
    struct Nav {
        int index;
        QString caption;
        const char *tip;
        QStyle::StandardPixmap icon;
        const char *shown;
    };
    const Nav navs[] = {
        {0, QStringLiteral("|<<"), "Selects 1st Customer Record", QStyle::SP_MediaSkipBackward, nullptr},
        {1, QStringLiteral("<"), "Selects Previous Customer Record", QStyle::SP_ArrowBack, nullptr},
        {2, QStringLiteral(">"), "Selects Next Customer Record", QStyle::SP_ArrowForward, nullptr},
        {3, QStringLiteral(">>|"), "Selects Last Customer Record", QStyle::SP_MediaSkipForward, nullptr},
        {4, QStringLiteral(">"), "Goes  1/4 into Customer Records", QStyle::SP_CustomBase, "25%"},
        {6, QStringLiteral(">>"), "Goes 1/2 into Customer Records", QStyle::SP_CustomBase, "50%"},
        {5, QStringLiteral(">>>"), "Goes 3/4 into Customer Record", QStyle::SP_CustomBase, "75%"},
    };
    for (const Nav &n : navs) {
        auto *b = new QPushButton(navFrame);
        if (n.shown)
            b->setText(QString::fromLatin1(n.shown));
        else
            b->setIcon(style()->standardIcon(n.icon));
        b->setObjectName(QStringLiteral("cmdNav_%1").arg(n.index));
        b->setToolTip(QString::fromLatin1(n.tip));
        b->setAccessibleName(n.caption + QStringLiteral(" ") + b->toolTip());
        connect(b, &QPushButton::clicked, this, [this, i = n.index] { navigate(i); });
        m_nav[size_t(n.index)] = b;
    }
    for (int i = 0; i < 4; ++i)
        navGrid->addWidget(m_nav[size_t(i)], 0, i);
    auto *percent = new QLabel(QStringLiteral("(% of File)"), navFrame);
    percent->setToolTip(QStringLiteral("Position Record Pointer"));
    navGrid->addWidget(new QLabel(QStringLiteral("Position"), navFrame), 1, 0);
    navGrid->addWidget(m_nav[4], 1, 1);
    navGrid->addWidget(m_nav[6], 1, 2);
    navGrid->addWidget(m_nav[5], 1, 3);
    navGrid->addWidget(percent, 2, 0, 1, 4);
    return navFrame;
}

QWidget *CustomerScreen::buildLocate(QWidget *parent)
{
    auto *locateFrame = new QGroupBox(QStringLiteral("Locate Accounts"), parent);
    auto *locateBox = new QVBoxLayout(locateFrame);
    const std::pair<QString, const char *> locates[] = {
        {QStringLiteral("&Search by Criteria,such as Street Address"), "opens the search window to find a Customer by criteria"},
        {QStringLiteral("&Find Account in Name List Alphbetically"), "Converts the Name window to a drop down list window"},
        {QStringLiteral("Select from &Account List"), "Select Account"},
        {QStringLiteral("&Locate Account in Name List"), "Converts the Name window to a drop down list window"},
    };
    for (int i = 0; i < 4; ++i) {
        auto *b = new QPushButton(locates[i].first, locateFrame);
        b->setObjectName(QStringLiteral("Command1_%1").arg(i));
        b->setToolTip(QString::fromLatin1(locates[i].second));
        connect(b, &QPushButton::clicked, this, [this, i] { locate(i); });
        locateBox->addWidget(b);
        m_locate[size_t(i)] = b;
    }
    return locateFrame;
}

QWidget *CustomerScreen::buildActions(QWidget *parent)
{
    auto *actions = new QGroupBox(QStringLiteral("Actions"), parent);
    auto *actionBox = new QVBoxLayout(actions);
    auto action = [&](const char *name, const QString &caption, const char *tip, auto onClick) {
        auto *b = new QPushButton(caption, actions);
        b->setObjectName(QString::fromLatin1(name));
        if (tip)
            b->setToolTip(QString::fromLatin1(tip));
        connect(b, &QPushButton::clicked, this, onClick);
        actionBox->addWidget(b);
        return b;
    };
    action("cmdNew", QStringLiteral("Add New Customer"), nullptr, [this] { addNewCustomer(); });
    m_select = action("cmdCustomer_1", QStringLiteral("Select &this Account Start Routine"), "Selects this acct for action",
                      [this] { leaveScreen(true); });
    action("cmdCustomer_0", QStringLiteral("&Menu"), "Returns to the Main Menu", [this] { leaveScreen(false); });
    m_cancelAdd = action("cmdCustomer_13", QStringLiteral("Cancel Add &New"), "Cancels the Current New Account",
                         [this] { cancelAddNew(); });
    m_cancelAdd->hide();
    action("cmdCustomer_4", QStringLiteral("Toggle Service Window"), nullptr, [this] { toggleServiceWindow(); });
    m_dialPicture = pictureButton(actions, QStringLiteral("Image1_1"), telephoneIcon(), 32,
                                  QStringLiteral("Call Selected Account"));
    connect(m_dialPicture, &QToolButton::clicked, this, &CustomerScreen::callCustomer);
    actionBox->addWidget(m_dialPicture, 0, Qt::AlignLeft);
    connect(&m_ctx.modem, &phone::Modem::detectionChanged, this, &CustomerScreen::showDialPicture);
    connect(&m_ctx.settings, &setup::BusinessSettings::changed, this, &CustomerScreen::showDialPicture);
    showDialPicture();
    return actions;
}

void CustomerScreen::showDialPicture()
{
    m_dialPicture->setVisible(m_ctx.settings.values().phoneDaisyChained && m_ctx.modem.found());
}

// The dialer takes the name and telephone as the boxes show them. The boxes
// keep what was typed: coming back from the dialer does not read the
// account again over the user's unsaved changes.
void CustomerScreen::callCustomer()
{
    DialerDialog dialer(m_ctx, m_form->text(CustomerForm::Name), m_form->text(CustomerForm::Phone), this);
    dialer.exec();
    if (dialer.endProgramAsked())
        window()->close();
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

void CustomerScreen::navigate(int button)
{
    if (!saveCustomer())
        return;
    showRecord(finder::navigate(button, m_currentRecord, m_customerCount));
}

void CustomerScreen::locate(int button)
{
    switch (button) {
    case 0:
        if (!saveCustomer())
            return;
        m_form->closeAccountList();
        m_results->hide();
        m_search->open();
        break;
    case 1:
        if (m_form->accountCount() == 0)
            return;
        m_search->hide();
        m_results->hide();
        m_form->openAccountList();
        break;
    case 2:
        m_form->closeAccountList();
        m_search->hide();
        m_results->hide();
        setAccountType(m_form->type());
        break;
    case 3:
        m_form->closeAccountList();
        m_search->hide();
        listAllCustomers();
        break;
    default:
        break;
    }
}

void CustomerScreen::search(int criterion, const QString &text)
{
    std::vector<finder::Found> found = finder::search(CustomerFile::read(m_ctx.store), criterion, text);
    m_search->hide();
    if (found.empty()) {
        // The grid keeps the rows of the last search that found something.
        m_ctx.prompt.message(QStringLiteral("No Customer Record meets this Criteria"), QStringLiteral("Customer not Found"));
        toggleServiceWindow();
        return;
    }
    if (found.size() == 1) {
        const int record = found.front().recordNumber;
        m_results->keepRows(std::move(found));
        showRecord(record);
        return;
    }
    m_results->showRows(std::move(found), QStringLiteral("Customers Search by Name Results"));
}

void CustomerScreen::listAllCustomers()
{
    if (!m_ctx.store.dataFileExists(kCustomerFile)) {
        m_ctx.prompt.beep();
        return;
    }
    m_results->showRows(finder::search(CustomerFile::read(m_ctx.store), finder::All, QString()),
                        QStringLiteral("Customer List"));
    m_results->showPrintCommands();
}

} // namespace ui
