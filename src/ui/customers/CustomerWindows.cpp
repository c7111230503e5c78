// The customer screen's two lower frames, the service window and the data
// boxes: showing them, the data-box commands, and Set All.
#include "ui/customers/CustomerScreen.h"

#include "customers/AccountRules.h"
#include "ui/customers/AuxDataFrame.h"
#include "ui/customers/CustomerForm.h"
#include "ui/customers/ServiceWindow.h"

#include "customers/CustomerFile.h"
#include "printing/CustomerListReport.h"
#include "printing/PainterSurface.h"

#include <QComboBox>
#include <QPrinter>
#include <QLabel>
#include <QLineEdit>

using namespace store;
using namespace context;
using namespace customers;

namespace ui {

void CustomerScreen::toggleServiceWindow()
{
    if (m_serviceWindow->isVisibleTo(this)) {
        m_serviceWindow->hide();
        return;
    }
    m_serviceWindow->show();
    m_aux->hide();
}

void CustomerScreen::toggleDataWindow()
{
    m_aux->setVisible(!m_aux->isVisibleTo(this));
    if (m_aux->isVisibleTo(this)) {
        m_serviceWindow->hide();
        setAuxCaption();
    }
}

void CustomerScreen::setAuxCaption()
{
    m_aux->setAccountName(m_form->accountName());
}

bool CustomerScreen::saveAuxData()
{
    if (FileResult r = m_aux->saveData(m_form->text(CustomerForm::AcctNo)); !r) {
        m_ctx.prompt.message(QStringLiteral("The data boxes could not be saved (%1).\nThey still show what you "
                                            "entered.")
                                 .arg(r.error),
                             kAppTitle);
        return false;
    }
    return true;
}

void CustomerScreen::closeAuxData()
{
    if (saveAuxData())
        m_aux->hide();
}

void CustomerScreen::stepAuxData(bool next)
{
    if (!saveAuxData())
        return;
    if (next ? m_currentRecord == m_customerCount : m_currentRecord < 2)
        return;
    m_currentRecord += next ? 1 : -1;
    loadCustomer(); // loads the boxes too
    setAuxCaption();
}

void CustomerScreen::setAllAccounts()
{
    if (!m_ctx.prompt.ask(QStringLiteral("This sets ALL Customers Invoicing Data \nto the Information Displayed\nin the "
                                         "Service Window\nClick Yes to Continue to Set all Equal"),
                          QStringLiteral("Set All Services Equal")))
        return;
    // The shown account first, so that its own edits are not lost.
    if (!saveCustomer())
        return;
    std::optional<CycleRecord> values = m_serviceWindow->cycle(CycleRecord());
    if (!values)
        return;
    if (values->startMonth < 0)
        values->startMonth = 0; // January when no month was chosen
    const customers::SetAllResult result = customers::setAll(m_ctx.store, m_accounts, *values);
    if (!result.written) {
        m_ctx.prompt.message(QStringLiteral("The accounts could not be set (%1).\nNo account was changed.")
                                 .arg(result.written.error),
                             QStringLiteral("Set All Services Equal"));
        return;
    }
    if (result.numbersFromPhone > 0)
        m_ctx.prompt.message(QStringLiteral("Telephone Number will be used as Acct No."),
                             QStringLiteral("Account not Entered"));
    loadAccountList();
    m_currentRecord = result.stoppedAt != 0 ? result.stoppedAt : 1;
    loadCustomer();
    if (result.stoppedAt != 0) {
        m_ctx.prompt.message(QStringLiteral("Set All stopped at record %1, account \"%2\":\n%3\n\nThe %4 accounts "
                                            "before it are set; this account and the ones after it are unchanged.")
                                 // One substitution: a "%" in the account's own text stays as typed.
                                 .arg(QString::number(result.stoppedAt),
                                      m_customer.acctNo.isEmpty() ? m_customer.displayName() : m_customer.acctNo,
                                      customers::problemText(result.problem), QString::number(result.accountsSet)),
                             QStringLiteral("Set All Services Equal"));
    }
}

// The report holds every customer of the file, whatever the grid shows.
void CustomerScreen::printCustomers(bool preview)
{
    if (!preview && !m_ctx.prompt.ask(QStringLiteral("Click Yes to print a Customer Report"),
                                      QStringLiteral("Customer Report")))
        return;
    const CustomerFile file = CustomerFile::read(m_ctx.store);
    const QDateTime now = m_ctx.clock.now();
    auto render = [&](QPrinter &printer) {
        printing::PainterSurface surface(printer);
        printing::PagePrinter page(surface, m_ctx.settings.values(), m_ctx.store);
        if (printing::printCustomerList(page, file, m_usaStyle, now, m_ctx.locale))
            return true;
        m_printError = printerProblem(printer, surface.error());
        return false;
    };
    if (preview) {
        m_printers.preview(this, render);
        return;
    }
    std::unique_ptr<QPrinter> printer = m_printers.choose(this);
    if (!printer) {
        m_ctx.prompt.message(QStringLiteral("The Customer List will not be Printed"), kAppTitle);
        return;
    }
    m_printError.clear();
    if (!render(*printer))
        m_ctx.prompt.message(QStringLiteral("A Print Error has occurred\n(%1)").arg(m_printError),
                             QStringLiteral("Print Error"));
}

} // namespace ui
