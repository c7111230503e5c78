#pragma once
// The customer screen: accounts are created, changed, found and deleted
// here, and an account is chosen for the routine that opened the screen.
// The shown customer is saved (SaveCustomer) before any command that leaves
// it, and the command goes on only when the save succeeded. The screen
// coordinates its frames: the general information, the service window, the
// data boxes and the two search frames.
#include "context/AppContext.h"
#include "customers/AccountRules.h"
#include "customers/CustomerFile.h"
#include "ui/shell/PrinterChooser.h"
#include "ui/shell/Screen.h"

#include <array>

class QAction;
class QMenuBar;
class QPushButton;
class QToolButton;

namespace ui {

class AuxDataFrame;
class CustomerForm;
class FoundCustomersFrame;
class Navigator;
class SearchFrame;
class ServiceWindow;

class CustomerScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Customers;
    CustomerScreen(context::AppContext &ctx, Navigator &navigator, PrinterChooser printers = PrinterChooser::system(),
                   QWidget *parent = nullptr);

    QString caption() const override;
    void activate(Routine routine) override;
    void deactivate() override;

    // SaveCustomer: the shown account is checked and written; false, with
    // the reason shown, when it cannot be.
    bool saveCustomer();

    int currentRecord() const { return m_currentRecord; }
    int customerCount() const { return m_customerCount; }

private:
    QMenuBar *buildMenus();
    QWidget *buildCommands();
    QWidget *buildNavigation(QWidget *parent);
    QWidget *buildLocate(QWidget *parent);
    QWidget *buildActions(QWidget *parent);
    void connectFrames();

    void loadCustomer();
    void loadAccountList();
    void setAccountType(const QString &type);
    bool refuseProblem(customers::Problem problem);
    void addNewCustomer();
    void openImport();
    void cancelAddNew();
    void deleteCustomer();
    void navigate(int button);
    void locate(int button);
    void search(int criterion, const QString &text);
    void listAllCustomers();
    void showRecord(int record);
    void leaveScreen(bool select);
    void enableNavButtons(bool on);
    void enableLocateButtons(bool on);
    void setMenusEnabled(bool on);
    void checkDuplicateAcctNo();
    enum class Check { Index, File };
    bool refuseDuplicate(const QString &acctNo, Check check);
    void showBusinessCityState();
    // The dial picture: shown when a telephone is daisy-chained and the
    // modem was found; it opens the dialer for the shown customer.
    void showDialPicture();
    void callCustomer();

    // The service window and the data boxes.
    void toggleServiceWindow();
    void toggleDataWindow();
    void setAuxCaption();
    bool saveAuxData();
    void closeAuxData();
    void stepAuxData(bool next);
    void setAllAccounts();

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    // The customer report, printed or previewed.
    void printCustomers(bool preview);

    PrinterChooser m_printers;
    QString m_printError; // the reason the last print job gave
    customers::AccountStore m_accounts;
    customers::AcctNoIndex m_acctNos; // from the last read of the customer file

    Routine m_routine = Routine::None; // the main-menu routine that opened the screen
    int m_currentRecord = 1;
    int m_customerCount = 0;
    bool m_usaStyle = true;
    bool m_adding = false;
    QString m_currentCustomer;
    customers::CustomerRecord m_customer; // the record of the shown account, as read
    customers::ContractRecord m_contract;
    customers::CycleRecord m_cycle;

    CustomerForm *m_form = nullptr;
    ServiceWindow *m_serviceWindow = nullptr;
    AuxDataFrame *m_aux = nullptr;
    SearchFrame *m_search = nullptr;
    FoundCustomersFrame *m_results = nullptr;
    std::array<QPushButton *, 7> m_nav{};
    std::array<QPushButton *, 4> m_locate{};
    QPushButton *m_cancelAdd = nullptr;
    QToolButton *m_dialPicture = nullptr;
    QPushButton *m_select = nullptr;
    QAction *m_mnuAdd = nullptr;
    QAction *m_mnuDelete = nullptr;
    QAction *m_mnuAux = nullptr;
    QAction *m_mnuImport = nullptr;
};

} // namespace ui
