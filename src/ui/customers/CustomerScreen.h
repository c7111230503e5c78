#pragma once
// The customer screen: accounts are created, changed, found and deleted
// here, and an account is chosen for the routine that opened the screen.
// The shown customer is saved (SaveCustomer) before any command that leaves
// it, and the command goes on only when the save succeeded.
#include "context/AppContext.h"
#include "customers/AccountStore.h"
#include "ui/shell/Screen.h"

#include <array>

class QAction;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTableView;

namespace ui {

class AuxDataFrame;
class FoundCustomersModel;
class ServiceWindow;
class Navigator;

class CustomerScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Customers;
    CustomerScreen(context::AppContext &ctx, Navigator &navigator, QWidget *parent = nullptr);

    QString caption() const override;
    void activate(Routine routine) override;
    void deactivate() override;

    // The operations other screens and the tests drive.
    void loadCustomer();
    bool saveCustomer();
    void addNewCustomer();
    void cancelAddNew();
    void deleteCustomer();
    void setAccountType(const QString &type);
    void navigate(int button);
    void locate(int button);
    void startSearch();
    void listAllCustomers();
    void selectFoundRow(int row);
    void leaveAccountList();
    void toggleServiceWindow();
    void toggleDataWindow();
    void setAllAccounts();
    void auxCommand(int index);

    int currentRecord() const { return m_currentRecord; }
    int customerCount() const { return m_customerCount; }
    bool saveOk() const { return m_saveOk; }
    bool usaStyle() const { return m_usaStyle; }
    QString currentCustomer() const { return m_currentCustomer; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *buildGeneral();
    QWidget *buildCommands();
    QWidget *buildSearch();
    QWidget *buildResults();
    void loadStates();
    void clearCustomerBoxes();
    void loadAccountList();
    void addCityToList(const QString &city);
    void enableNavButtons(bool on);
    void enableLocateButtons(bool on);
    void setMenusEnabled(bool on);
    void checkDuplicateAcctNo();
    void checkNameLength();
    void chooseCriterion(int criterion);
    void completeAccountText(const QString &text);
    void leaveScreen(bool select);
    void showBusinessCityStateZip();
    bool isBusinessShown() const;
    void setAuxCaption();
    bool saveAuxData();

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    customers::AccountStore m_accounts;

    Routine m_routine = Routine::None; // the main-menu routine that opened the screen
    int m_currentRecord = 1;
    int m_customerCount = 0;
    bool m_saveOk = true;
    bool m_usaStyle = true;
    bool m_adding = false;
    bool m_skipAutoComplete = false;
    bool m_checking = false; // a focus check is showing its message
    QString m_currentCustomer;
    customers::CustomerRecord m_customer; // the record of the shown account, as read
    customers::ContractRecord m_contract;
    customers::CycleRecord m_cycle;

    std::array<QLineEdit *, 12> m_box{}; // txtCustomer 0..11, no 4
    QComboBox *m_city = nullptr;
    QComboBox *m_states = nullptr;
    QComboBox *m_title = nullptr;
    QLineEdit *m_add3 = nullptr;
    QLineEdit *m_add4 = nullptr;
    QGroupBox *m_usaFrame = nullptr;
    QGroupBox *m_intFrame = nullptr;
    QLabel *m_type = nullptr;
    QLabel *m_nameLabel = nullptr;
    QWidget *m_personalNames = nullptr;
    QComboBox *m_accountList = nullptr;
    std::array<QPushButton *, 7> m_nav{};
    std::array<QPushButton *, 4> m_locate{};
    QPushButton *m_cancelAdd = nullptr;
    QPushButton *m_select = nullptr;
    QAction *m_mnuAdd = nullptr;
    QAction *m_mnuDelete = nullptr;
    QAction *m_mnuToggle = nullptr;
    QAction *m_mnuAux = nullptr;
    ServiceWindow *m_serviceWindow = nullptr;
    AuxDataFrame *m_aux = nullptr;

    QGroupBox *m_search = nullptr;
    std::array<QRadioButton *, 9> m_criteria{};
    QLineEdit *m_searchFor = nullptr;
    QGroupBox *m_results = nullptr;
    QTableView *m_grid = nullptr;
    FoundCustomersModel *m_found = nullptr;
};

} // namespace ui
