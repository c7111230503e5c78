#pragma once
// The customer screen's general-information frame ("fraGeneral"): the
// account's boxes, its type, the USA or international address, and the
// alphabetical account list that takes the name row's place while it is
// open. It shows a record and gives back the record its boxes describe;
// what is saved, and when, is the screen's business.
#include "context/AppContext.h"
#include "customers/Records.h"

#include <QGroupBox>
#include <array>
#include <utility>
#include <vector>

class QComboBox;
class QGridLayout;
class QLabel;
class QLineEdit;

namespace ui {

class AccountListModel;

class CustomerForm : public QGroupBox {
    Q_OBJECT
public:
    // Box i is "txtCustomer_<i>" (there is no box 4).
    enum Box { AcctNo = 0, Name = 1, Address1 = 2, Address2 = 3, Postal = 5, Phone = 6, Email = 7, First = 8,
               Initial = 9, Last = 10, Cell = 11 };

    CustomerForm(context::AppContext &ctx, QWidget *parent = nullptr);

    // One box's text, set, or focus: the screen works through these, never
    // on the boxes themselves.
    QString text(Box b) const;
    void setText(Box b, const QString &text);
    void focus(Box b);
    // Fills the boxes from a record; the name box shows shownName.
    void load(const customers::CustomerRecord &record, const QString &shownName);
    // The record the boxes describe, over `base` (which keeps the fields no
    // box shows).
    customers::CustomerRecord typed(const customers::CustomerRecord &base, bool usaStyle) const;
    void clear();

    QString type() const;
    bool isBusiness() const;
    // Shows the business name or the personal names for the type (neither
    // while the account list is open).
    void showType(const QString &type);
    void showAddressStyle(bool usa);
    void setCityState(const QString &city, const QString &state);
    // The city list, keeping the city shown.
    void setCities(const QStringList &cities);
    void addCity(const QString &city);
    // The name the data boxes are captioned with.
    QString accountName() const;

    // The account list: its texts with their record numbers, alphabetical.
    void setAccounts(std::vector<std::pair<QString, int>> accounts);
    int accountCount() const;
    void openAccountList();
    void closeAccountList();
    // The typed name is looked up in the list (case ignored): chosen when
    // found, "not found" otherwise. Runs when the list's box is left.
    void leaveAccountList();

Q_SIGNALS:
    void typeToggleClicked();
    // The account box was left after the user typed in it (the screen
    // checks for a duplicate).
    void acctNoLeft();
    void accountChosen(int record);
    void accountNotFound();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLineEdit *box(Box b) const { return m_box[size_t(b)]; }
    QLineEdit *makeBox(int i, const QString &tip = QString());
    QLabel *labelFor(const char *text, QWidget *buddy);
    int addNameRow(QGridLayout *grid, int row);
    int addAddressFrames(QGridLayout *grid, int row);
    void alignLabelColumns(QGridLayout *grid);
    void loadStates();
    void completeAccountText(const QString &text);
    void checkNameLength();

    context::AppContext &m_ctx;
    std::array<QLineEdit *, 12> m_box{};
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
    AccountListModel *m_accountRows = nullptr;
    bool m_skipAutoComplete = false;
    bool m_checking = false; // a focus check is showing its message
};

} // namespace ui
