#include "ui/customers/CustomerForm.h"

#include "ui/customers/AccountListModel.h"

#include "customers/StateList.h"
#include "ui/widgets/KeyFilter.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QListView>
#include <QEvent>
#include <QFontMetrics>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using namespace customers;

namespace ui {

namespace {

const QString kPhoneTip = QStringLiteral("Enter telephone Number with Area Code FIRST (as AAA-EEE-NNNN)");
constexpr int kBoxWidths[12] = {20, 45, 35, 25, 0, 10, 13, 30, 15, 1, 25, 13};

int fittingWidth(const QWidget *box, int characters)
{
    return box->fontMetrics().averageCharWidth() * (std::max(characters, 4) + 3) + 16;
}

QComboBox *editableList(QWidget *parent, const char *name, int maxLength)
{
    auto *list = new QComboBox(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setEditable(true);
    list->setInsertPolicy(QComboBox::NoInsert);
    if (maxLength > 0)
        list->lineEdit()->setMaxLength(maxLength);
    return list;
}

} // namespace

CustomerForm::CustomerForm(context::AppContext &ctx, QWidget *parent)
    : QGroupBox(QStringLiteral("Customer General Information"), parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("fraGeneral"));
    auto *grid = new QGridLayout(this);
    grid->setColumnStretch(1, 1);
    int row = 0;
    QLineEdit *acct = makeBox(AcctNo);
    grid->addWidget(labelFor("Account No", acct), row, 0, Qt::AlignRight);
    grid->addWidget(acct, row++, 1);

    auto *typeRow = new QHBoxLayout;
    m_type = new QLabel(CustomerRecord::kBusiness, this);
    m_type->setObjectName(QStringLiteral("lbLType"));
    m_type->setFrameShape(QFrame::StyledPanel);
    m_type->setMinimumWidth(90);
    auto *toggle = new QPushButton(QStringLiteral("Toggle Account Type"), this);
    toggle->setObjectName(QStringLiteral("cmdAcctType"));
    toggle->setToolTip(QStringLiteral("toggle between Business and Individual"));
    connect(toggle, &QPushButton::clicked, this, &CustomerForm::typeToggleClicked);
    typeRow->addWidget(m_type);
    typeRow->addWidget(toggle);
    typeRow->addStretch();
    grid->addWidget(new QLabel(QStringLiteral("Account Type"), this), row, 0, Qt::AlignRight);
    grid->addLayout(typeRow, row++, 1);

    row = addNameRow(grid, row);
    QLineEdit *a1 = makeBox(Address1);
    grid->addWidget(labelFor("Address1", a1), row, 0, Qt::AlignRight);
    grid->addWidget(a1, row++, 1);
    QLineEdit *a2 = makeBox(Address2, QStringLiteral("Enter a Sub-divsion, PO Box, etc"));
    grid->addWidget(labelFor("Address2", a2), row, 0, Qt::AlignRight);
    grid->addWidget(a2, row++, 1);
    row = addAddressFrames(grid, row);

    const std::pair<Box, const char *> lower[] = {{Phone, "Phone"}, {Cell, "Cell"}, {Email, "Email"}};
    for (auto [b, label] : lower) {
        QLineEdit *box = makeBox(b, b == Email ? QStringLiteral("Store Account email Address") : kPhoneTip);
        grid->addWidget(labelFor(label, box), row, 0, Qt::AlignRight);
        grid->addWidget(box, row++, 1);
    }
    // Extra height goes below the boxes, not between them.
    grid->setRowStretch(row, 1);
    alignLabelColumns(grid);

    KeyFilter::install(acct, KeyFilter::Kind::Text, m_ctx.prompt, m_ctx.locale);
    KeyFilter::install(box(Phone), KeyFilter::Kind::Text, m_ctx.prompt, m_ctx.locale);
    for (QObject *o : std::initializer_list<QObject *>{acct, box(Name), box(Phone), m_accountList, m_accountList->lineEdit()})
        o->installEventFilter(this);
    connect(m_accountList, &QComboBox::editTextChanged, this, &CustomerForm::completeAccountText);
    connect(m_accountList, &QComboBox::activated, this, [this](int index) {
        if (index < 0)
            return;
        m_accountList->hide();
        Q_EMIT accountChosen(m_accountRows->row(index).second);
    });
    // Loading the screen, once: the state list.
    loadStates();
}

QLineEdit *CustomerForm::makeBox(int i, const QString &tip)
{
    auto *b = new QLineEdit(this);
    b->setObjectName(QStringLiteral("txtCustomer_%1").arg(i));
    b->setMaxLength(kBoxWidths[i]);
    // As wide as what it holds, no wider: a 20-character account number is
    // not stretched across a wide window.
    b->setMaximumWidth(fittingWidth(b, kBoxWidths[i]));
    if (!tip.isEmpty())
        b->setToolTip(tip);
    m_box[size_t(i)] = b;
    return b;
}

QLabel *CustomerForm::labelFor(const char *text, QWidget *buddy)
{
    auto *l = new QLabel(QString::fromLatin1(text), buddy->parentWidget());
    l->setBuddy(buddy);
    // An editable list is typed into through its inner box, which is what a
    // screen reader lands on: it carries the label's name as well.
    if (auto *list = qobject_cast<QComboBox *>(buddy); list && list->lineEdit())
        list->lineEdit()->setAccessibleName(l->text());
    return l;
}

// The name row: the business name, or the personal names, or the account
// list shown in their place.
int CustomerForm::addNameRow(QGridLayout *grid, int row)
{
    QLineEdit *name = makeBox(Name, QStringLiteral("Displays Business Accts"));
    m_nameLabel = labelFor("Name", name);
    auto *nameRow = new QHBoxLayout;
    nameRow->addWidget(name, 1);
    m_personalNames = new QWidget(this);
    auto *personal = new QHBoxLayout(m_personalNames);
    personal->setContentsMargins(0, 0, 0, 0);
    m_title = editableList(m_personalNames, "cboTitle", 10);
    m_title->setInsertPolicy(QComboBox::InsertAtBottom);
    m_title->addItems({QStringLiteral("Mr/Mrs"), QStringLiteral("Mr."), QStringLiteral("Mrs"), QStringLiteral("Ms"),
                       QStringLiteral("Miss")});
    m_title->setAccessibleName(QStringLiteral("Title"));
    personal->addWidget(labelFor("Title", m_title));
    personal->addWidget(m_title);
    const std::tuple<Box, const char *, int> names[] = {
        {First, "First Name", 2}, {Initial, "Middle Initial", 0}, {Last, "Last Name", 3}};
    for (auto [b, accessible, stretch] : names) {
        QLineEdit *box = makeBox(b, QString::fromLatin1(accessible));
        box->setParent(m_personalNames);
        box->setAccessibleName(QString::fromLatin1(accessible));
        personal->addWidget(box, stretch);
    }
    box(First)->setPlaceholderText(QStringLiteral("First"));
    box(Initial)->setPlaceholderText(QStringLiteral("I"));
    box(Initial)->setFixedWidth(36);
    box(Last)->setPlaceholderText(QStringLiteral("Last"));
    nameRow->addWidget(m_personalNames, 1);
    m_accountList = editableList(this, "cboAccounts", 0);
    m_accountList->setToolTip(QStringLiteral("Accts are shown alphabetically"));
    m_accountList->setCompleter(nullptr); // the list completes the text itself
    m_accountRows = new AccountListModel(m_accountList);
    m_accountList->setModel(m_accountRows);
    // Sized by its width limit, never by measuring every name in the list.
    m_accountList->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    m_accountList->setMinimumContentsLength(20);
    if (auto *view = qobject_cast<QListView *>(m_accountList->view()))
        view->setUniformItemSizes(true);
    m_accountList->setMaxVisibleItems(20);
    m_accountList->setMaximumWidth(fittingWidth(m_accountList, 45));
    m_accountList->hide();
    nameRow->addWidget(m_accountList, 1);
    grid->addWidget(m_nameLabel, row, 0, Qt::AlignRight);
    grid->addLayout(nameRow, row, 1);
    return row + 1;
}

int CustomerForm::addAddressFrames(QGridLayout *grid, int row)
{
    m_usaFrame = new QGroupBox(this);
    m_usaFrame->setObjectName(QStringLiteral("fraUSAddress"));
    auto *usa = new QGridLayout(m_usaFrame);
    m_city = editableList(m_usaFrame, "cboCity", 25);
    m_city->setMaximumWidth(fittingWidth(m_city, 25) + 24); // and the list's arrow
    m_city->setMinimumWidth(fittingWidth(m_city, 16));
    m_states = editableList(m_usaFrame, "cboStates", 2);
    QLineEdit *postal = makeBox(Postal, QStringLiteral("Enter Zipcode here"));
    postal->setParent(m_usaFrame);
    usa->addWidget(labelFor("City", m_city), 0, 0, Qt::AlignRight);
    usa->addWidget(m_city, 0, 1);
    usa->addWidget(labelFor("St", m_states), 0, 2);
    usa->addWidget(m_states, 0, 3);
    usa->addWidget(labelFor("Postal", postal), 0, 4);
    usa->addWidget(postal, 0, 5);
    usa->setColumnStretch(6, 1); // spare width after the boxes, not inside them

    m_intFrame = new QGroupBox(this);
    m_intFrame->setObjectName(QStringLiteral("fraIntAddress"));
    auto *intl = new QGridLayout(m_intFrame);
    m_add3 = new QLineEdit(m_intFrame);
    m_add3->setObjectName(QStringLiteral("txtAdd3"));
    m_add3->setMaxLength(25);
    m_add4 = new QLineEdit(m_intFrame);
    m_add4->setObjectName(QStringLiteral("txtAdd4"));
    m_add4->setMaxLength(25);
    intl->addWidget(labelFor("Address 3", m_add3), 0, 0, Qt::AlignRight);
    intl->addWidget(m_add3, 0, 1);
    intl->addWidget(labelFor("Address 4", m_add4), 1, 0, Qt::AlignRight);
    intl->addWidget(m_add4, 1, 1);
    // The two address frames only hold their boxes: no border, no margin.
    for (QGroupBox *f : {m_usaFrame, m_intFrame}) {
        f->setFlat(true);
        f->setStyleSheet(QStringLiteral("QGroupBox { border: 0; margin: 0; padding: 0; }"));
        f->layout()->setContentsMargins(0, 0, 0, 0);
    }
    grid->addWidget(m_usaFrame, row++, 0, 1, 2);
    grid->addWidget(m_intFrame, row++, 0, 1, 2);
    return row;
}

// The address frames' labels take the width of the label column, so their
// boxes line up with the others.
void CustomerForm::alignLabelColumns(QGridLayout *grid)
{
    const QFontMetrics metrics(font());
    int labelWidth = 0;
    for (const char *text : {"Account No", "Account Type", "Title / Name", "Address1", "Address2", "City", "Address 3",
                             "Address 4", "Phone", "Cell", "Email"})
        labelWidth = std::max(labelWidth, metrics.horizontalAdvance(QString::fromLatin1(text)) + 4);
    grid->setColumnMinimumWidth(0, labelWidth);
    for (QGroupBox *f : {m_usaFrame, m_intFrame})
        static_cast<QGridLayout *>(f->layout())->setColumnMinimumWidth(0, labelWidth);
}

void CustomerForm::loadStates()
{
    m_states->clear();
    m_states->addItems(loadStateList(m_ctx.store));
}

QString CustomerForm::text(Box b) const
{
    return m_box[size_t(b)]->text();
}

void CustomerForm::setText(Box b, const QString &text)
{
    m_box[size_t(b)]->setText(text);
}

void CustomerForm::focus(Box b)
{
    m_box[size_t(b)]->setFocus();
}

void CustomerForm::load(const CustomerRecord &c, const QString &shownName)
{
    box(AcctNo)->setText(c.acctNo);
    box(Name)->setText(shownName);
    box(Address1)->setText(c.address1);
    box(Address2)->setText(c.address2);
    m_city->setEditText(c.cityOrAddr3);
    m_add3->setText(c.cityOrAddr3);
    m_states->setEditText(c.state);
    box(Postal)->setText(c.zip.trimmed().isEmpty() ? c.zipOrAddr4 : c.zip);
    m_add4->setText(c.zipOrAddr4);
    box(Phone)->setText(c.phone);
    box(Email)->setText(c.email);
    box(First)->setText(c.firstName);
    box(Initial)->setText(c.middleInitial);
    box(Last)->setText(c.lastName);
    box(Cell)->setText(c.cellPhone);
    m_title->setEditText(c.title);
}

CustomerRecord CustomerForm::typed(const CustomerRecord &base, bool usaStyle) const
{
    CustomerRecord r = base;
    r.acctNo = box(AcctNo)->text().trimmed();
    r.name = box(Name)->text();
    r.address1 = box(Address1)->text();
    r.address2 = box(Address2)->text();
    r.city = m_city->currentText();
    r.zip = box(Postal)->text();
    r.phone = box(Phone)->text();
    r.email = box(Email)->text();
    r.firstName = box(First)->text();
    r.middleInitial = box(Initial)->text();
    r.lastName = box(Last)->text();
    r.cellPhone = box(Cell)->text();
    r.title = m_title->currentText();
    r.acctType = m_type->text();
    if (usaStyle) {
        r.cityOrAddr3 = m_city->currentText();
        r.state = m_states->currentText();
        r.zipOrAddr4 = box(Postal)->text();
    } else {
        r.cityOrAddr3 = m_add3->text();
        r.state.clear();
        r.zipOrAddr4 = m_add4->text();
    }
    return r;
}

void CustomerForm::clear()
{
    for (QLineEdit *b : m_box) {
        if (b)
            b->clear();
    }
    setCityState(QString(), QString());
    m_add3->clear();
    m_add4->clear();
}

QString CustomerForm::type() const
{
    return m_type->text();
}

bool CustomerForm::isBusiness() const
{
    return m_type->text() == CustomerRecord::kBusiness;
}

void CustomerForm::showType(const QString &type)
{
    const bool business = type == CustomerRecord::kBusiness;
    const bool listShown = m_accountList->isVisibleTo(this);
    box(Name)->setVisible(business && !listShown);
    m_personalNames->setVisible(!business && !listShown);
    m_nameLabel->setText(business ? QStringLiteral("Name") : QStringLiteral("Title / Name"));
    // The label names whatever the row shows, for a screen reader.
    m_nameLabel->setBuddy(listShown ? static_cast<QWidget *>(m_accountList)
                                    : business ? static_cast<QWidget *>(box(Name)) : box(First));
    m_type->setText(business ? CustomerRecord::kBusiness : CustomerRecord::kIndividual);
}

void CustomerForm::showAddressStyle(bool usa)
{
    m_usaFrame->setVisible(usa);
    m_intFrame->setVisible(!usa);
}

void CustomerForm::setCityState(const QString &city, const QString &state)
{
    m_city->setEditText(city);
    m_states->setEditText(state);
}

void CustomerForm::setCities(const QStringList &cities)
{
    const QString shown = m_city->currentText();
    m_city->clear();
    m_city->addItems(cities);
    m_city->setEditText(shown);
}

void CustomerForm::addCity(const QString &city)
{
    for (int i = 0; i < m_city->count(); ++i) {
        if (m_city->itemText(i).trimmed() == city)
            return;
    }
    const QString shown = m_city->currentText();
    m_city->addItem(city);
    m_city->setEditText(shown);
}

QString CustomerForm::accountName() const
{
    if (isBusiness())
        return box(Name)->text();
    return m_title->currentText() + u' ' + box(First)->text() + u' ' + box(Last)->text();
}

void CustomerForm::setAccounts(std::vector<std::pair<QString, int>> accounts)
{
    m_accountList->blockSignals(true);
    m_accountRows->setRows(std::move(accounts));
    m_accountList->setEditText(QString());
    m_accountList->blockSignals(false);
}

int CustomerForm::accountCount() const
{
    return m_accountList->count();
}

void CustomerForm::openAccountList()
{
    m_accountList->show();
    m_nameLabel->setBuddy(m_accountList);
    box(Name)->hide();
    m_personalNames->hide();
    m_accountList->setFocus();
    m_accountList->setEditText(QString());
}

void CustomerForm::closeAccountList()
{
    m_accountList->hide();
}

void CustomerForm::completeAccountText(const QString &text)
{
    if (m_skipAutoComplete) {
        m_skipAutoComplete = false;
        return;
    }
    if (text.isEmpty())
        return;
    const int index = m_accountRows->findStartingWith(text);
    if (index < 0)
        return;
    const QString item = m_accountRows->row(index).first;
    if (item.size() <= text.size())
        return;
    m_skipAutoComplete = true;
    QLineEdit *edit = m_accountList->lineEdit();
    edit->setText(text + item.mid(text.size()));
    edit->setSelection(int(text.size()), int(item.size() - text.size()));
}

void CustomerForm::leaveAccountList()
{
    const QString typed = m_accountList->currentText().trimmed().toUpper();
    if (typed.isEmpty())
        return;
    if (const int i = m_accountRows->findEqual(typed); i >= 0) {
        m_accountList->setCurrentIndex(i);
        m_accountList->hide();
        Q_EMIT accountChosen(m_accountRows->row(i).second);
        return;
    }
    m_ctx.prompt.message(QStringLiteral("Name Not Found\nFirst Accont is Displayed"), context::kAppTitle);
    m_accountList->setEditText(QString());
    Q_EMIT accountNotFound();
}

void CustomerForm::checkNameLength()
{
    if (box(Name)->isVisible() && box(Name)->text().size() < 2)
        m_ctx.prompt.message(QStringLiteral("The Name Field Must be at least 2 Characters\nThis is okay if Cancelling a "
                                            "New Entry\nClick Cancel AddNew Again"),
                             QStringLiteral("No Name Entered"));
}

bool CustomerForm::eventFilter(QObject *watched, QEvent *event)
{
    // The account list's keys and focus reach the combo box; it hands them
    // to its inner box by a direct call that no filter sees, so both are
    // watched here as one.
    const bool accountList = watched == m_accountList || watched == m_accountList->lineEdit();
    // A message box takes the focus; the check it came from must not run again for that.
    if (event->type() == QEvent::FocusOut && !m_checking) {
        m_checking = true;
        // Only a number the user typed is checked: one the program loaded
        // is the record's own (and reading every number again would slow
        // every step through the file).
        if (watched == box(AcctNo) && box(AcctNo)->isModified()) {
            box(AcctNo)->setModified(false);
            Q_EMIT acctNoLeft();
        }
        else if (watched == box(Name))
            checkNameLength();
        else if (accountList && m_accountList->isVisible() && !m_accountList->view()->isVisible()
                 && static_cast<QFocusEvent *>(event)->reason() != Qt::PopupFocusReason)
            leaveAccountList();
        m_checking = false;
    } else if (event->type() == QEvent::FocusIn && watched == box(Phone) && box(Phone)->text().size() == 8) {
        box(Phone)->end(false);
    } else if (event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (watched == box(Name) && box(Name)->text() == QLatin1String("Enter Name") && !key->text().isEmpty())
            box(Name)->clear();
        if (accountList && (key->key() == Qt::Key_Delete || key->key() == Qt::Key_Backspace))
            m_skipAutoComplete = true;
        // Enter chooses what was typed as leaving the list does: the same
        // rules (letter case and blanks ignored, "Name Not Found" else).
        if (accountList && (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
            && !m_accountList->view()->isVisible() && !m_checking) {
            m_checking = true;
            leaveAccountList();
            m_checking = false;
            return true;
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace ui
