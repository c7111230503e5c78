#include "ui/start/StartupScreen.h"

#include "customers/Records.h"
#include "sample/SampleBusiness.h"
#include "ui/shell/Navigator.h"
#include "ui/widgets/RoutineLabel.h"
#include "ui/start/SupplierLinks.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QUrl>
#include <QVBoxLayout>

using namespace context;
using namespace customers;
using namespace catalog;

namespace ui {

namespace {


QLabel *groupLabel(const QString &text, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    QFont f = label->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 1);
    label->setFont(f);
    return label;
}

} // namespace

std::optional<StartupScreen::Target> StartupScreen::targetFor(int label)
{
    switch (label) {
    case Invoices: return Target{ScreenId::Billing, Routine::Invoices};
    case Contract: return Target{ScreenId::Customers, Routine::Contract};
    case Payments: return Target{ScreenId::Payments, Routine::Payments};
    case Services: return Target{ScreenId::Services, Routine::Services};
    case Customers: return Target{ScreenId::Customers, Routine::Customers};
    case History: return Target{ScreenId::History, Routine::History};
    default: return std::nullopt;
    }
}

QString StartupScreen::captionFor(int label)
{
    switch (label) {
    case Invoices: return QStringLiteral("Create Invoices and/or Statement Entries");
    case Contract: return QStringLiteral("Create a Service  Contract");
    case Payments: return QStringLiteral("Enter Account Payments");
    case Services: return QStringLiteral("&Create or Modify Services and Sales Items");
    case Customers: return QStringLiteral("Create / Modify Customer General Information / Billing Options");
    case History: return QStringLiteral("View Account &History");
    default: return QString();
    }
}

StartupScreen::StartupScreen(AppContext &ctx, Navigator &navigator, std::function<void()> exitProgram,
                             QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_exit(std::move(exitProgram))
{
    setObjectName(QStringLiteral("frmStartup"));
    auto *layout = new QVBoxLayout(this);
    auto *bar = new QMenuBar(this);
    buildMenus(bar);
    layout->setMenuBar(bar);

    for (int i = 0; i < kLabelCount; ++i) {
        const QString caption = captionFor(i);
        QWidget *label = caption.isEmpty() ? static_cast<QWidget *>(new QLabel(this))
                                           : static_cast<QWidget *>(new RoutineLabel(caption, this));
        label->setObjectName(QStringLiteral("lblSub_%1").arg(i));
        if (auto *routine = qobject_cast<RoutineLabel *>(label))
            connect(routine, &QPushButton::clicked, this, [this, i] { runRoutine(i); });
        else
            label->setFixedHeight(6); // a spacer between routines
        m_labels[size_t(i)] = label;
    }

    auto *panel = new QGridLayout;
    panel->setColumnStretch(1, 1);
    int row = 0;
    auto addGroup = [&](const QString &title, std::initializer_list<int> routines) {
        panel->addWidget(groupLabel(title, this), row++, 0, 1, 2);
        for (int r : routines)
            panel->addWidget(m_labels[size_t(r)], row++, 1);
    };
    addGroup(QStringLiteral("Cycle Invoicing Routines"), {Invoices, 1});
    addGroup(QStringLiteral("Cycle Billing Routines"), {Customers, 2});
    addGroup(QStringLiteral("Payments"), {Payments, 3});
    addGroup(QStringLiteral("Data File Routines"), {Services, 6});
    addGroup(QStringLiteral("Other Routines"), {Contract, History, 10});
    layout->addLayout(panel);

    m_sampleNote = new QLabel(QStringLiteral("Sample business: a made-up lawn and garden business to explore. Nothing "
                                             "in it is your own data."),
                              this);
    m_sampleNote->setObjectName(QStringLiteral("lblSampleBusiness"));
    m_sampleNote->setWordWrap(true);
    QFont strong = m_sampleNote->font();
    strong.setBold(true);
    m_sampleNote->setFont(strong);
    m_sampleNote->hide();
    layout->insertWidget(0, m_sampleNote);

    auto *hint = new QLabel(QStringLiteral("Click on a Routine to Run it"), this);
    hint->setObjectName(QStringLiteral("lblHint"));
    QFont italic = hint->font();
    italic.setItalic(true);
    hint->setFont(italic);
    layout->addWidget(hint);

    auto notice = [this](const QString &name, const QString &caption, const QString &text, int gotoIndex,
                         int routine) {
        auto *frame = new QGroupBox(caption, this);
        frame->setObjectName(name);
        auto *inner = new QVBoxLayout(frame);
        auto *label = new QLabel(text, frame);
        label->setWordWrap(true);
        inner->addWidget(label);
        auto *go = new QPushButton(QStringLiteral("Goto"), frame);
        go->setObjectName(QStringLiteral("cmdGoto_%1").arg(gotoIndex));
        connect(go, &QPushButton::clicked, this, [this, routine] { runRoutine(routine); });
        inner->addWidget(go, 0, Qt::AlignLeft);
        frame->hide();
        return std::pair{frame, go};
    };
    std::tie(m_noCustomer, m_gotoCustomers) = notice(QStringLiteral("fraNoCustomerFound"), QStringLiteral("No Customers Found"),
                          QStringLiteral("Your Customer file or Cycle file was not Found. This is Normal when 1st "
                                         "Starting to use the Program.  Click Goto and create at least one "
                                         "Customer entry."),
                          0, Customers);
    std::tie(m_noService, m_gotoServices) = notice(QStringLiteral("fraNoServiceFound"), QStringLiteral("No Services Found"),
                         QStringLiteral("Your Services file  was not Found.                  This is Normal when "
                                        "1st Starting to use the Program.  Click Goto and create at least one "
                                        "Service Entry"),
                         1, Services);
    layout->addWidget(m_noCustomer);
    layout->addWidget(m_noService);
    layout->addStretch();
}

void StartupScreen::buildMenus(QMenuBar *bar)
{
    auto named = [](QAction *a, const char *name) {
        a->setObjectName(QString::fromLatin1(name));
        return a;
    };
    QMenu *files = bar->addMenu(QStringLiteral(" Files"));
    files->setObjectName(QStringLiteral("mnuFiles"));
    m_mnuCreate = named(files->addAction(QStringLiteral("Create/Modify")), "mnuCreate");
    connect(m_mnuCreate, &QAction::triggered, this, &StartupScreen::openSetup);
    connect(named(files->addAction(QStringLiteral("Exit")), "mnuExit"), &QAction::triggered, this,
            [this] { m_exit(); });

    QMenu *order = bar->addMenu(QStringLiteral("Order Forms"));
    order->setObjectName(QStringLiteral("mnuOrder"));
    QMenu *deluxe = order->addMenu(QStringLiteral("Deluxe Business Forms"));
    deluxe->setObjectName(QStringLiteral("mnuDeluxeForms"));
    connect(named(deluxe->addAction(QStringLiteral("Checks, Envelopes")), "mnuDeluxe"), &QAction::triggered, this,
            [this] { openAddress(links::kDeluxeChecks); });
    connect(named(deluxe->addAction(QStringLiteral("Deposit Slips")), "mnuDepositSlips"), &QAction::triggered,
            this, [this] { openAddress(links::kDeluxeDepositSlips); });
    connect(named(order->addAction(QStringLiteral("Plain Paper")), "mnuPPPaper"), &QAction::triggered, this, [this] {
        askAndOpen(QStringLiteral("Use Plain Paper for Reports (etc)\nClick Yes to connect to a Supplier"),
                   QStringLiteral("Order Paper"), links::kPlainPaper);
    });
    connect(named(order->addAction(QStringLiteral("Perforated Paper")), "mnuPPaper"), &QAction::triggered, this,
            [this] {
                askAndOpen(QStringLiteral("Perforated Response Paper is used to create\nInvoices with a remittance "
                                          "Slip\nClick Yes to connect to a Supplier"),
                           QStringLiteral("Order Paper"), links::kPerforatedPaper);
            });
    connect(named(order->addAction(QStringLiteral("Proposal Sets")), "mnuGraytex"), &QAction::triggered, this,
            [this] {
                askAndOpen(QStringLiteral("Graytex offers 2 and 3 part carbonless paper\nSuitable for creating a "
                                          "Proposal Form on which\ninformation can be hand written as well as "
                                          "printed\nConnect to Graytex Now"),
                           QStringLiteral("Order Graytex Forms"), links::kGraytex);
            });
    connect(named(order->addAction(QStringLiteral("Mailing Labels")), "mnuAvery"), &QAction::triggered, this,
            [this] {
                askAndOpen(QStringLiteral("30 to a Page Mailing Labels\nClick Yes to connect to a Supplier"),
                           QStringLiteral("Order Paper"), links::kAveryMailingLabels);
            });
    connect(named(order->addAction(QStringLiteral("Shipping Labels")), "mnuLabels"), &QAction::triggered, this,
            [this] {
                askAndOpen(QStringLiteral("Click YES to Connect to a Supplier"), QStringLiteral("Order Labels"),
                           links::kAveryShippingLabels);
            });

    connect(named(bar->addAction(QStringLiteral("Help")), "mnuHelp"), &QAction::triggered, this, [this] {
        openAddress(QUrl::fromLocalFile(m_ctx.shippedFolder + links::kManualFile).toString());
    });
}

QString StartupScreen::caption() const
{
    return QStringLiteral("Brenvoy Main Menu");
}

bool StartupScreen::canRun(int label) const
{
    const std::optional<Target> target = targetFor(label);
    // The contract routine goes through the customer screen to its own.
    if (label == Contract && !m_navigator.has(ScreenId::Contract))
        return false;
    return target && m_navigator.has(target->screen);
}

void StartupScreen::activate(Routine)
{
    m_sampleNote->setVisible(sample::isSample(m_ctx.store));
    // A routine whose screen the program does not have stays disabled
    // whatever the files say.
    auto enable = [this](int i, bool on) { m_labels[size_t(i)]->setEnabled(on && (captionFor(i).isEmpty() || canRun(i))); };
    for (int i = 0; i < kLabelCount; ++i) {
        if (i != Payments)
            enable(i, false);
    }
    enable(Payments, true);
    m_mnuCreate->setEnabled(m_navigator.has(ScreenId::Setup));
    m_gotoCustomers->setEnabled(canRun(Customers));
    m_gotoServices->setEnabled(canRun(Services));

    // Both names are tested every time, so a file with a backup copy is restored.
    const bool services = m_ctx.store.dataFileExists(kServicesFile);
    const bool items = m_ctx.store.dataFileExists(kItemsFile);
    if (!services || !items) {
        m_noService->show();
        m_noCustomer->hide();
        enable(Services, true);
        return;
    }
    m_noService->hide();
    enable(Services, true);
    const bool customers = m_ctx.store.dataFileExists(kCustomerFile);
    const bool cycles = m_ctx.store.dataFileExists(kCycleFile);
    if (customers && cycles) {
        m_noCustomer->hide();
        for (int i = 0; i < kLabelCount; ++i) {
            if (i != Payments)
                enable(i, true);
        }
    } else {
        m_noCustomer->show();
        enable(Customers, true);
    }
}

void StartupScreen::runRoutine(int label)
{
    if (const std::optional<Target> target = targetFor(label))
        m_navigator.show(target->screen, target->routine);
}

void StartupScreen::openSetup()
{
    // The setup screen opens on its first tab whoever asks for it.
    m_navigator.show(ScreenId::Setup);
}

void StartupScreen::askAndOpen(const QString &text, const QString &title, const QString &address)
{
    // Asked once the menu has closed (queued), so the caller of the action
    // never waits on the answer.
    QMetaObject::invokeMethod(
        this,
        [this, text, title, address] {
            if (m_ctx.prompt.ask(text, title))
                openAddress(address);
        },
        Qt::QueuedConnection);
}

void StartupScreen::openAddress(const QString &address)
{
    m_ctx.store.openWebAddress(address, m_ctx.web);
}

} // namespace ui
