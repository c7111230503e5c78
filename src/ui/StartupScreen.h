#pragma once
// The main menu: the routine labels that open the working screens, the
// Files / Order Forms / Help menus, and the two notices shown while the
// services or customer files are still missing.
#include "app/AppContext.h"
#include "ui/Screen.h"

#include <array>
#include <functional>

class Navigator;
class QGroupBox;
class QMenuBar;
class RoutineLabel;

class StartupScreen : public Screen {
    Q_OBJECT
public:
    // Routine indexes of the label array; the others are spacers.
    enum Routine { Invoices = 0, Contract = 4, Payments = 5, Services = 7, Customers = 8, History = 9 };
    static constexpr int kLabelCount = 11;

    StartupScreen(AppContext &ctx, Navigator &navigator, std::function<void()> exitProgram,
                  QWidget *parent = nullptr);

    QString caption() const override;
    // Enables the routines the data files present allow.
    void activate() override;

    // The form a routine opens ("frmCustomer" for 4 and 8).
    static QString formFor(int routine);
    static QString captionFor(int routine);
    void runRoutine(int routine);

private:
    void buildMenus(QMenuBar *bar);
    void askAndOpen(const QString &text, const QString &title, const QString &address);
    void openAddress(const QString &address);
    void openSetup();
    bool canRun(int routine) const;

    AppContext &m_ctx;
    Navigator &m_navigator;
    std::function<void()> m_exit;
    std::array<QWidget *, kLabelCount> m_labels{};
    QGroupBox *m_noCustomer = nullptr;
    QGroupBox *m_noService = nullptr;
};
