#pragma once
// One screen of the program: a page of the main window with its caption.
// The navigator runs activate() each time the screen comes to the front
// (it re-reads its files there), handing it the routine that asked for it,
// and deactivate() when it goes.
#include <QString>
#include <QWidget>

namespace ui {

// Every screen the navigator can show. Screens ask for each other by these,
// never by name and never by pointer.
enum class ScreenId { Start, MainMenu, Customers, Services, Payments, Setup, Billing, History, Contract, BillingRuns, Receivables, Export, Import, DataCheck, Backups };

// The main-menu routine a screen was opened for, where the screen behaves
// differently for it (the customer screen goes on to the contract screen
// for the contract routine).
enum class Routine { None, Invoices, Contract, Payments, Services, Customers, History };

class Screen : public QWidget {
    Q_OBJECT
public:
    using QWidget::QWidget;
    virtual QString caption() const = 0;
    virtual void activate(Routine routine) { Q_UNUSED(routine); }
    // Shown for a customer record chosen on the screen before (the contract
    // screen takes it); the others go on as for the routine alone.
    virtual void activate(Routine routine, int chosenRecord)
    {
        Q_UNUSED(chosenRecord);
        activate(routine);
    }
    virtual void deactivate() {}
};

} // namespace ui
