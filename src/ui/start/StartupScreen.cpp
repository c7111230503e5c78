#include "ui/start/StartupScreen.h"

#include "customers/Records.h"
#include "sample/SampleBusiness.h"
#include "ui/backup/BackupRunner.h"
#include "ui/shell/Navigator.h"
#include "ui/start/SampleNote.h"
#include "ui/start/SplashScreen.h"
#include "ui/start/WebShortcut.h"
#include "ui/widgets/RoutineLabel.h"
#include "ui/start/SupplierLinks.h"

#include "base/Dates.h"

#include <QAction>
#include <QCommandLinkButton>
#include <QCoreApplication>
#include <QDir>
#include <QHBoxLayout>
#include <QIcon>
#include <QMessageBox>
#include <QStyle>
#include <QtConcurrent/QtConcurrentRun>
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

// The theme's picture for a routine, or the style's where the theme has none.
QIcon routineIcon(int label, QStyle *style)
{
    struct Pick {
        const char *theme;
        QStyle::StandardPixmap fallback;
    };
    Pick pick{"", QStyle::SP_FileIcon};
    switch (label) {
    case StartupScreen::Invoices: pick = {"document-print", QStyle::SP_FileDialogDetailedView}; break;
    case StartupScreen::Customers: pick = {"system-users", QStyle::SP_DirHomeIcon}; break;
    case StartupScreen::Payments: pick = {"wallet-open", QStyle::SP_DialogApplyButton}; break;
    case StartupScreen::Services: pick = {"document-properties", QStyle::SP_FileDialogListView}; break;
    case StartupScreen::Contract: pick = {"document-new", QStyle::SP_FileIcon}; break;
    case StartupScreen::History: pick = {"document-open-recent", QStyle::SP_FileDialogInfoView}; break;
    default: break;
    }
    return QIcon::fromTheme(QString::fromLatin1(pick.theme), style->standardIcon(pick.fallback));
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

    auto *page = new QHBoxLayout;
    page->addWidget(buildRoutines(), 3);
    page->addWidget(buildGlance(), 2, Qt::AlignTop);
    layout->addLayout(page);

    m_sampleNote = sampleBusinessNote(QStringLiteral("lblSampleBusiness"), this);
    layout->insertWidget(0, m_sampleNote);

    auto *hint = new QLabel(QStringLiteral("Click on a Routine to Run it"), this);
    hint->setObjectName(QStringLiteral("lblHint"));
    QFont italic = hint->font();
    italic.setItalic(true);
    hint->setFont(italic);
    layout->addWidget(hint);

    // Both notices can show at once: each "Goto" is heard with where it goes.
    auto notice = [this](const QString &name, const QString &caption, const QString &text, int gotoIndex,
                         int routine, const QString &heard) {
        auto *frame = new QGroupBox(caption, this);
        frame->setObjectName(name);
        auto *inner = new QVBoxLayout(frame);
        auto *label = new QLabel(text, frame);
        label->setWordWrap(true);
        inner->addWidget(label);
        auto *go = new QPushButton(QStringLiteral("Goto"), frame);
        go->setObjectName(QStringLiteral("cmdGoto_%1").arg(gotoIndex));
        go->setAccessibleName(heard);
        connect(go, &QPushButton::clicked, this, [this, routine] { runRoutine(routine); });
        inner->addWidget(go, 0, Qt::AlignLeft);
        frame->hide();
        return std::pair{frame, go};
    };
    std::tie(m_noCustomer, m_gotoCustomers) = notice(QStringLiteral("fraNoCustomerFound"), QStringLiteral("No Customers Found"),
                          QStringLiteral("Your Customer file or Cycle file was not Found. This is Normal when 1st "
                                         "Starting to use the Program.  Click Goto and create at least one "
                                         "Customer entry."),
                          0, Customers, QStringLiteral("Goto the customer screen"));
    std::tie(m_noService, m_gotoServices) = notice(QStringLiteral("fraNoServiceFound"), QStringLiteral("No Services Found"),
                         QStringLiteral("Your Services file  was not Found.                  This is Normal when "
                                        "1st Starting to use the Program.  Click Goto and create at least one "
                                        "Service Entry"),
                         1, Services, QStringLiteral("Goto the services screen"));
    layout->addWidget(m_noCustomer);
    layout->addWidget(m_noService);
    layout->addWidget(buildCheckNotice());
    layout->addStretch();
}

// What the start's check of the data folder found, when it found
// anything: the window is not held for it, and nothing is changed until
// the user opens the check.
QWidget *StartupScreen::buildCheckNotice()
{
    m_checkNotice = new QGroupBox(QStringLiteral("Data Folder Check"), this);
    m_checkNotice->setObjectName(QStringLiteral("fraDataCheck"));
    auto *checkLayout = new QVBoxLayout(m_checkNotice);
    m_checkText = new QLabel(m_checkNotice);
    m_checkText->setObjectName(QStringLiteral("lblDataCheck"));
    m_checkText->setWordWrap(true);
    checkLayout->addWidget(m_checkText);
    m_openCheck = new QPushButton(QStringLiteral("Check &Data Folder..."), m_checkNotice);
    m_openCheck->setObjectName(QStringLiteral("cmdOpenDataCheck"));
    connect(m_openCheck, &QPushButton::clicked, this, &StartupScreen::openDataCheck);
    checkLayout->addWidget(m_openCheck, 0, Qt::AlignLeft);
    m_checkNotice->hide();
    connect(&m_dataCheck, &QFutureWatcher<std::vector<exchange::Finding>>::finished, this, [this] {
        const std::vector<exchange::Finding> found = m_dataCheck.result();
        if (found.empty())
            return;
        m_checkText->setText(QStringLiteral("When the program started, its check of the data folder found something: %1 "
                                            "Nothing has been changed.")
                                 .arg(exchange::checkSummary(found)));
        // The button is heard with what it reports.
        m_openCheck->setAccessibleDescription(m_checkText->text());
        m_checkNotice->setVisible(m_navigator.has(ScreenId::DataCheck));
    });
    return m_checkNotice;
}

void StartupScreen::startDataCheck()
{
    if (m_dataCheckStarted)
        return;
    m_dataCheckStarted = true;
    const QString root = m_ctx.store.programFolder();
    const QLocale locale = m_ctx.locale;
    m_dataCheck.setFuture(QtConcurrent::run([root, locale] {
        const store::FileStore store(root);
        return exchange::checkDataFolder(store, locale);
    }));
}

void StartupScreen::openDataCheck()
{
    m_checkNotice->hide();
    m_navigator.show(ScreenId::DataCheck);
}

QWidget *StartupScreen::buildRoutines()
{
    auto *box = new QWidget(this);
    for (int i = 0; i < kLabelCount; ++i) {
        const QString caption = captionFor(i);
        QWidget *label = caption.isEmpty() ? static_cast<QWidget *>(new QLabel(box))
                                           : static_cast<QWidget *>(new RoutineLabel(caption, box));
        label->setObjectName(QStringLiteral("lblSub_%1").arg(i));
        if (auto *routine = qobject_cast<RoutineLabel *>(label)) {
            routine->setIcon(routineIcon(i, style()));
            connect(routine, &QPushButton::clicked, this, [this, i] { runRoutine(i); });
        } else {
            label->setFixedHeight(2); // a spacer between routines
        }
        m_labels[size_t(i)] = label;
    }
    auto *panel = new QGridLayout(box);
    panel->setContentsMargins(0, 0, 0, 0);
    panel->setColumnMinimumWidth(0, 12);
    panel->setColumnStretch(1, 1);
    int row = 0;
    auto addGroup = [&](const QString &title, std::initializer_list<int> routines) {
        panel->addWidget(groupLabel(title, box), row++, 0, 1, 2);
        for (int r : routines)
            panel->addWidget(m_labels[size_t(r)], row++, 1);
    };
    addGroup(QStringLiteral("Cycle Invoicing Routines"), {Invoices, 1});
    addGroup(QStringLiteral("Cycle Billing Routines"), {Customers, 2});
    addGroup(QStringLiteral("Payments"), {Payments, 3});
    addGroup(QStringLiteral("Data File Routines"), {Services, 6});
    addGroup(QStringLiteral("Other Routines"), {Contract, History, 10});
    return box;
}

QWidget *StartupScreen::buildGlance()
{
    auto *box = new QGroupBox(QStringLiteral("Your Business at a Glance"), this);
    box->setObjectName(QStringLiteral("fraGlance"));
    auto *v = new QVBoxLayout(box);
    // Each figure opens the screen it comes from.
    const struct {
        const char *name;
        int routine;
    } figures[kFigures] = {{"cmdGlanceDue", Invoices}, {"cmdGlanceBalances", Payments},
                           {"cmdGlanceLastRun", History}, {"cmdGlancePayments", Payments}};
    for (int f = 0; f < kFigures; ++f) {
        auto *b = new QCommandLinkButton(box);
        b->setObjectName(QString::fromLatin1(figures[f].name));
        b->setText(readingText(f));
        const int routine = figures[f].routine;
        connect(b, &QCommandLinkButton::clicked, this, [this, routine] { runRoutine(routine); });
        m_figures[size_t(f)] = b;
        v->addWidget(b);
    }
    connect(&m_glance, &QFutureWatcher<overview::Glance>::finished, this, [this] {
        if (m_glance.property("asked").toInt() == m_glanceAsked)
            showGlance(m_glance.result());
    });
    return box;
}

QString StartupScreen::figureText(Figure f, const overview::Glance &g, const QLocale &locale)
{
    switch (f) {
    case Due: {
        const int all = g.due[0] + g.due[1] + g.due[2] + g.due[3];
        return QStringLiteral("Due this month: %1 %2").arg(all).arg(all == 1 ? QStringLiteral("account") : QStringLiteral("accounts"));
    }
    case Balances:
        return QStringLiteral("Open balances: %1").arg(g.openTotal.toCurrencyText(locale));
    case LastRun:
        return g.lastRun.isValid() ? QStringLiteral("Last billing run: %1").arg(base::dates::toShortDateText(g.lastRun, locale))
                                   : QStringLiteral("No billing run yet");
    case PaymentsIn:
        return QStringLiteral("Payments this month: %1").arg(g.paymentsTotal.toCurrencyText(locale));
    case kFigures: break;
    }
    return QString();
}

QString StartupScreen::figureDetail(Figure f, const overview::Glance &g, const QLocale &locale)
{
    Q_UNUSED(locale);
    switch (f) {
    case Due:
        return QStringLiteral("Monthly %1, quarterly %2, semi-annually %3, annually %4")
            .arg(g.due[0]).arg(g.due[1]).arg(g.due[2]).arg(g.due[3]);
    case Balances:
        return QStringLiteral("%1 %2 with a balance").arg(g.openAccounts).arg(g.openAccounts == 1 ? QStringLiteral("account")
                                                                                                  : QStringLiteral("accounts"));
    case LastRun:
        return g.lastRun.isValid() ? QStringLiteral("%1 %2 billed, %3")
                                         .arg(g.lastRunAccounts)
                                         .arg(g.lastRunAccounts == 1 ? QStringLiteral("account") : QStringLiteral("accounts"),
                                              g.lastRunTotal.toCurrencyText(locale))
                                   : QStringLiteral("Bills appear here once a run is made");
    case PaymentsIn:
        return QStringLiteral("%1 %2 entered").arg(g.paymentsThisMonth).arg(g.paymentsThisMonth == 1 ? QStringLiteral("payment")
                                                                                                       : QStringLiteral("payments"));
    case kFigures: break;
    }
    return QString();
}

// What a figure shows while it is read: what it is, so each is heard apart.
QString StartupScreen::readingText(int figure)
{
    static const char *const what[kFigures] = {"Due this month", "Open balances", "Last billing run",
                                               "Payments this month"};
    return QString::fromLatin1(what[figure]) + QStringLiteral(": reading...");
}

void StartupScreen::readGlance()
{
    // The files are read on a worker thread through a store of its own, so
    // the page answers at once; a later reading replaces an earlier one.
    const int asked = ++m_glanceAsked;
    m_glance.setProperty("asked", asked);
    for (int f = 0; f < kFigures; ++f) {
        m_figures[size_t(f)]->setText(readingText(f));
        m_figures[size_t(f)]->setDescription(QString());
    }
    const QString root = m_ctx.store.programFolder();
    const QDate today = m_ctx.clock.today();
    const QLocale locale = m_ctx.locale;
    m_glance.setFuture(QtConcurrent::run([root, today, locale] {
        const store::FileStore store(root);
        return overview::readGlance(store, today, locale);
    }));
}

void StartupScreen::showGlance(const overview::Glance &g)
{
    for (int f = 0; f < kFigures; ++f) {
        QCommandLinkButton *b = m_figures[size_t(f)];
        b->setText(figureText(Figure(f), g, m_ctx.locale));
        b->setDescription(figureDetail(Figure(f), g, m_ctx.locale));
        // A screen reader hears the figure and what it is made of.
        b->setAccessibleName(b->text());
        b->setAccessibleDescription(b->description());
    }
    // A figure opens its screen only where its routine may run.
    m_figures[Due]->setEnabled(m_labels[Invoices]->isEnabled());
    m_figures[Balances]->setEnabled(m_labels[Payments]->isEnabled());
    m_figures[LastRun]->setEnabled(m_labels[History]->isEnabled());
    m_figures[PaymentsIn]->setEnabled(m_labels[Payments]->isEnabled());
    Q_EMIT glanceShown();
}

void StartupScreen::showAbout()
{
    auto *about = new QMessageBox(this);
    about->setObjectName(QStringLiteral("dlgAbout"));
    about->setAttribute(Qt::WA_DeleteOnClose);
    about->setWindowTitle(QStringLiteral("About Brenvoy"));
    about->setIconPixmap(QIcon(QStringLiteral(":/icons/brenvoy.svg")).pixmap(96, 96));
    about->setText(QStringLiteral("<h3>%1</h3>%2").arg(kAppTitle, SplashScreen::versionText()));
    about->setInformativeText(
        QStringLiteral("Billing for businesses that sell services on a recurring schedule.<br><br>"
                       "Data folder: %1<br>Qt %2<br><br>"
                       "Brenvoy is free software under the GNU General Public License, version 3 or later; "
                       "it comes with no warranty. See the LICENSE file installed with it.")
            .arg(QDir::toNativeSeparators(m_ctx.store.programFolder()).toHtmlEscaped(), QString::fromLatin1(qVersion())));
    about->setStandardButtons(QMessageBox::Ok);
    about->open(); // the window stays responsive behind it
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
    m_mnuRuns = named(files->addAction(QStringLiteral("Billing Runs")), "mnuBillingRuns");
    connect(m_mnuRuns, &QAction::triggered, this, [this] { m_navigator.show(ScreenId::BillingRuns); });
    m_mnuReceivables = named(files->addAction(QStringLiteral("Accounts Receivable")), "mnuReceivables");
    connect(m_mnuReceivables, &QAction::triggered, this, [this] { m_navigator.show(ScreenId::Receivables); });
    m_mnuExport = named(files->addAction(QStringLiteral("Export...")), "mnuExport");
    connect(m_mnuExport, &QAction::triggered, this, [this] { m_navigator.show(ScreenId::Export); });
    m_mnuDataCheck = named(files->addAction(QStringLiteral("Check Data Folder...")), "mnuDataCheck");
    connect(m_mnuDataCheck, &QAction::triggered, this, &StartupScreen::openDataCheck);
    files->addSeparator();
    m_mnuBackUp = named(files->addAction(QStringLiteral("Back Up Now...")), "mnuBackUpNow");
    connect(m_mnuBackUp, &QAction::triggered, this, [this] { (void)runBackup(this, m_ctx); });
    m_mnuRestore = named(files->addAction(QStringLiteral("Restore from Backup...")), "mnuRestore");
    connect(m_mnuRestore, &QAction::triggered, this, [this] { m_navigator.show(ScreenId::Backups); });
    files->addSeparator();
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

    QMenu *help = bar->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("mnuHelpMenu"));
    connect(named(help->addAction(QStringLiteral("Manual")), "mnuHelp"), &QAction::triggered, this, [this] {
        openAddress(QUrl::fromLocalFile(m_ctx.shippedFolder + links::kManualFile).toString());
    });
    connect(named(help->addAction(QStringLiteral("About Brenvoy")), "mnuAbout"), &QAction::triggered, this,
            &StartupScreen::showAbout);
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
    // The files are looked for (and a missing one restored from its copy)
    // here on the window's thread first; the glance then only reads.
    enableRoutines();
    readGlance();
    startDataCheck();
}

void StartupScreen::enableRoutines()
{
    // A routine whose screen the program does not have stays disabled
    // whatever the files say.
    auto enable = [this](int i, bool on) { m_labels[size_t(i)]->setEnabled(on && (captionFor(i).isEmpty() || canRun(i))); };
    for (int i = 0; i < kLabelCount; ++i) {
        if (i != Payments)
            enable(i, false);
    }
    enable(Payments, true);
    m_mnuCreate->setEnabled(m_navigator.has(ScreenId::Setup));
    m_mnuRuns->setEnabled(m_navigator.has(ScreenId::BillingRuns));
    m_mnuReceivables->setEnabled(m_navigator.has(ScreenId::Receivables));
    m_mnuExport->setEnabled(m_navigator.has(ScreenId::Export));
    m_mnuDataCheck->setEnabled(m_navigator.has(ScreenId::DataCheck));
    m_mnuRestore->setEnabled(m_navigator.has(ScreenId::Backups));
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
    openWebAddress(m_ctx.store, address, m_ctx.web);
}

} // namespace ui
