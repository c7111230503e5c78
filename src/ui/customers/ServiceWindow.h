#pragma once
// The customer screen's service window: the service billed to the shown
// account, its charge, the billing frequency, the "for" text and the first
// month, with the choices that help pick a charge.
#include "context/AppContext.h"
#include "customers/BillingOptions.h"

#include <QGroupBox>
#include <array>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace ui {

class ServiceWindow : public QGroupBox {
    Q_OBJECT
public:
    ServiceWindow(context::AppContext &ctx, QWidget *parent = nullptr);

    // The three remembered options.
    void loadOptions();
    store::FileResult saveOptions() const;
    // Saves the options, telling the user when they cannot be saved.
    void keepOptions();
    customers::WindowOptions options() const;

    // The default state: no service, Monthly Fee, the current month.
    void reset();
    // Shows an account's cycle record; the window opens or closes by the
    // account's service and the "opens if service found" option.
    void load(const customers::CycleRecord &cycle);
    // The record the window describes, keeping the flag of `before`;
    // nothing when the cost box holds no amount of money.
    std::optional<customers::CycleRecord> cycle(const customers::CycleRecord &before) const;
    // After a save: a typed charge not in the cost list joins it.
    void noteSavedCharge();
    QString costText() const;
    // Puts the values of a record into the window (Set All, and tests).
    void putValues(const customers::CycleRecord &values);

    // The service and cost lists, from the catalogue.
    void refreshLists();

    // The user's choices, as a click on each list makes them.
    void chooseService(int index);
    void chooseCost(int index);
    void chooseMode(int mode);

Q_SIGNALS:
    void setAllRequested();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void makeControls();
    std::pair<QPushButton *, QPushButton *> placeControls();
    void connectControls();
    void showChargeText();
    int mode() const;

    context::AppContext &m_ctx;
    QComboBox *m_service = nullptr;
    QComboBox *m_cost = nullptr;
    QListWidget *m_mode = nullptr;
    QLineEdit *m_for = nullptr;
    QComboBox *m_month = nullptr;
    QCheckBox *m_autoFind = nullptr;
    QCheckBox *m_loadDefault = nullptr;
    QCheckBox *m_showService = nullptr;
    std::array<QLabel *, 13> m_label{};
};

} // namespace ui
