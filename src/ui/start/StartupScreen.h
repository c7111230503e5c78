#pragma once
// The main menu: the routine labels that open the working screens, the
// Files / Order Forms / Help menus, and the two notices shown while the
// services or customer files are still missing.
#include "context/AppContext.h"
#include "ui/shell/Screen.h"

#include "overview/Overview.h"
#include "exchange/DataCheck.h"

#include <QFutureWatcher>
#include <array>
#include <functional>
#include <optional>

class QGroupBox;
class QLabel;
class QAction;
class QCommandLinkButton;
class QMenuBar;
class QPushButton;

namespace ui {

class Navigator;
class RoutineLabel;

class StartupScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::MainMenu;
    // Indexes of the routine labels in the label array; the others are spacers.
    enum Label { Invoices = 0, Contract = 4, Payments = 5, Services = 7, Customers = 8, History = 9 };
    static constexpr int kLabelCount = 11;

    StartupScreen(context::AppContext &ctx, Navigator &navigator, std::function<void()> exitProgram,
                  QWidget *parent = nullptr);

    QString caption() const override;
    // Enables the routines the data files present allow.
    void activate(Routine routine) override;

    // The screen a routine label opens (the customer screen for 4 and 8),
    // and the routine it is opened for.
    struct Target {
        ScreenId screen;
        Routine routine;
    };
    static std::optional<Target> targetFor(int label);
    static QString captionFor(int label);
    void runRoutine(int label);

    // The business at a glance, read off the window's thread when the page
    // is shown; `glanceShown` is emitted once its figures are on the page.
    enum Figure { Due = 0, Balances, LastRun, PaymentsIn, kFigures };
    QCommandLinkButton *figure(Figure f) const { return m_figures[size_t(f)]; }
    // The figures as the page words them, for a glance read elsewhere.
    static QString figureText(Figure f, const overview::Glance &g, const QLocale &locale);
    static QString figureDetail(Figure f, const overview::Glance &g, const QLocale &locale);

Q_SIGNALS:
    void glanceShown();

private:
    void buildMenus(QMenuBar *bar);
    QWidget *buildRoutines();
    QWidget *buildGlance();
    void enableRoutines();
    void readGlance();
    static QString readingText(int figure);
    void showGlance(const overview::Glance &g);
    void showAbout();
    void askAndOpen(const QString &text, const QString &title, const QString &address);
    void openAddress(const QString &address);
    void openSetup();
    bool canRun(int label) const;

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    std::function<void()> m_exit;
    std::array<QWidget *, kLabelCount> m_labels{};
    QGroupBox *m_noCustomer = nullptr;
    QGroupBox *m_noService = nullptr;
    QPushButton *m_gotoCustomers = nullptr;
    QPushButton *m_gotoServices = nullptr;
    QAction *m_mnuCreate = nullptr;
    QAction *m_mnuRuns = nullptr;
    QAction *m_mnuReceivables = nullptr;
    QAction *m_mnuExport = nullptr;
    QLabel *m_sampleNote = nullptr;
    std::array<QCommandLinkButton *, kFigures> m_figures{};
    QFutureWatcher<overview::Glance> m_glance;
    // The data-folder check of the program's start, once, on a worker.
    QWidget *buildCheckNotice();
    void startDataCheck();
    void openDataCheck();
    QFutureWatcher<std::vector<exchange::Finding>> m_dataCheck;
    bool m_dataCheckStarted = false;
    QGroupBox *m_checkNotice = nullptr;
    QLabel *m_checkText = nullptr;
    QPushButton *m_openCheck = nullptr;
    QAction *m_mnuDataCheck = nullptr;
    QAction *m_mnuBackUp = nullptr;
    QAction *m_mnuRestore = nullptr;
    int m_glanceAsked = 0; // a reading started before the last one is not shown
};

} // namespace ui
