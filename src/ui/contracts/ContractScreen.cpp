#include "ui/contracts/ContractScreen.h"

#include "base/Dates.h"
#include "base/FieldRoutines.h"
#include "catalog/CatalogRecords.h"
#include "contracts/Contract.h"
#include "contracts/Rtf.h"
#include "customers/AccountStore.h"
#include "ui/shell/Navigator.h"
#include "ui/contracts/ContractTermsFrame.h"

#include <QAction>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFocusEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QPdfWriter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextEdit>
#include <QUrl>
#include <QVBoxLayout>

using namespace base;
using namespace context;
using namespace contracts;

namespace ui {

ContractScreen::ContractScreen(AppContext &ctx, Navigator &navigator, PdfFile pdfFile, QWidget *parent)
    : Screen(parent), m_ctx(ctx), m_navigator(navigator), m_pdfFile(std::move(pdfFile))
{
    setObjectName(QStringLiteral("frmContract"));
    if (!m_pdfFile) {
        m_pdfFile = [](QWidget *parent) {
            return QFileDialog::getSaveFileName(parent, QStringLiteral("Save the Contract as PDF"), QString(),
                                                QStringLiteral("PDF files (*.pdf)"));
        };
    }
    auto *bar = new QMenuBar(this);
    QMenu *show = bar->addMenu(QStringLiteral("Show Services"));
    show->setObjectName(QStringLiteral("mnuShow"));
    m_mnuServices = show->addAction(QStringLiteral("Services List"));
    m_mnuServices->setObjectName(QStringLiteral("mnuServices"));
    connect(m_mnuServices, &QAction::triggered, this, [this] { m_terms->showServices(true); });
    QAction *manual = show->addAction(QStringLiteral("Manual Selection"));
    manual->setObjectName(QStringLiteral("mnuManual"));
    connect(manual, &QAction::triggered, this, [this] { m_terms->showServices(false); });

    // The commands run across the top, always in sight; below them the
    // choices scroll on their own beside the document, so a small window
    // scrolls the content and never the commands.
    auto *layout = new QVBoxLayout(this);
    layout->setMenuBar(bar);
    auto *commands = new QHBoxLayout;
    layout->addLayout(commands);
    auto *content = new QHBoxLayout;
    layout->addLayout(content, 1);
    auto *choices = new QWidget;
    auto *left = new QVBoxLayout(choices);
    left->setContentsMargins(0, 0, 0, 0);
    left->addWidget(buildChoices());
    left->addWidget(buildInstructions());
    left->addStretch();
    auto *scroller = new QScrollArea(this);
    scroller->setObjectName(QStringLiteral("scrChoices"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    scroller->setWidget(choices);
    scroller->setMinimumWidth(choices->minimumSizeHint().width() + scroller->verticalScrollBar()->sizeHint().width());
    content->addWidget(scroller);
    m_body = new QTextEdit(this);
    m_body->setObjectName(QStringLiteral("txtBody"));
    m_body->setAccessibleName(QStringLiteral("Contract"));
    m_body->setAcceptRichText(true);
    content->addWidget(m_body, 1);
    auto button = [&](const char *name, const QString &caption, const QString &tip) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        if (!tip.isEmpty())
            b->setToolTip(tip);
        commands->addWidget(b);
        return b;
    };
    connect(button("cmdGeneric", QStringLiteral("Build a New Contract"), QString()), &QPushButton::clicked, this,
            &ContractScreen::buildNewContract);
    m_create = button("cmdAddServicetoBody", QStringLiteral("Create Contract"), QStringLiteral("Loads the Default template"));
    connect(m_create, &QPushButton::clicked, this, &ContractScreen::createContract);
    m_pdf = button("cmdSavePdf", QStringLiteral("Save as P&DF"), QStringLiteral("Saves the contract shown as a PDF file"));
    connect(m_pdf, &QPushButton::clicked, this, &ContractScreen::savePdf);
    m_open = button("cmdOpen", QStringLiteral("&Open"), QStringLiteral("Opens the saved contract in your word processor"));
    connect(m_open, &QPushButton::clicked, this, &ContractScreen::openContract);
    connect(button("Command2", QStringLiteral("&Redo"), QString()), &QPushButton::clicked, this,
            [this] { activate(Routine::Contract, m_chosenRecord); });
    commands->addStretch();
    connect(button("cmdMenu", QStringLiteral("Return to the &Menu"), QStringLiteral("Returns to the main menu")),
            &QPushButton::clicked, this, [this] { m_navigator.show(ScreenId::MainMenu); });
    loadServices();
}

QString ContractScreen::caption() const
{
    return QStringLiteral("Contract Creation Form");
}

QWidget *ContractScreen::buildChoices()
{
    auto *box = new QWidget(this);
    auto *v = new QVBoxLayout(box);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(buildAccountFrame(box));
    m_terms = new ContractTermsFrame(m_ctx, box);
    v->addWidget(m_terms);
    return box;
}

QWidget *ContractScreen::buildAccountFrame(QWidget *box)
{
    auto *start = new QGroupBox(QStringLiteral("Account Information"), box);
    start->setObjectName(QStringLiteral("fraStart"));
    auto *sg = new QVBoxLayout(start);
    m_customerName = new QLabel(start);
    m_customerName->setObjectName(QStringLiteral("lblCustomerName"));
    m_customerTel = new QLabel(start);
    m_customerTel->setObjectName(QStringLiteral("lblCustomerTel"));
    m_customerInfo = new QPlainTextEdit(start);
    m_customerInfo->setObjectName(QStringLiteral("txtCustomerInfo"));
    m_customerInfo->setAccessibleName(QStringLiteral("Customer address"));
    m_customerInfo->setToolTip(QStringLiteral("Click to Call Account"));
    m_customerInfo->setReadOnly(true);
    m_customerInfo->setMaximumHeight(80);
    sg->addWidget(m_customerName);
    sg->addWidget(m_customerTel);
    sg->addWidget(m_customerInfo);
    return start;

}

QWidget *ContractScreen::buildInstructions()
{
    auto *box = new QGroupBox(QStringLiteral("Instructions"), this);
    auto *v = new QVBoxLayout(box);
    for (const char *line :
         {"Click Build a New Contract to start the Process.", "Select a Billing Frequency.", "Enter the Service and Price.",
          "Click on the Calendar to select a commencement Date.", "Select or enter the Duration of the Contract.",
          "NOTE: If you enter a term other than those available, you will need to enter it manually on the contract.",
          "To automatically renew, click the Renew Checkbox.",
          "Click Create Contract. The Contract will be created and stored.",
          "The file name will be Contract - (Followed by the Account Number) and has an extension of .rtf."}) {
        auto *l = new QLabel(QString::fromLatin1(line), box);
        l->setWordWrap(true);
        v->addWidget(l);
    }
    // Where the contracts really are, instead of a folder this system does
    // not have.
    auto *where = new QLabel(QStringLiteral("You will find it in the folder %1.")
                                 .arg(QDir::toNativeSeparators(m_ctx.store.programFolder() + QStringLiteral("/Templates/Contracts"))),
                             box);
    where->setWordWrap(true);
    v->addWidget(where);
    auto *use = new QLabel(QStringLiteral("Use Microsoft Word or WordPad to alter or Print it."), box);
    use->setWordWrap(true);
    v->addWidget(use);
    return box;
}

void ContractScreen::loadServices()
{
    m_mnuServices->setEnabled(m_terms->loadServices());
}

void ContractScreen::activate(Routine, int chosenRecord)
{
    m_chosenRecord = chosenRecord;
    loadServices();
    resetEntries();
    customers::AccountStore accounts(m_ctx.store, m_ctx.clock, m_ctx.locale);
    m_customer = chosenRecord > 0 ? accounts.readCustomer(chosenRecord) : customers::CustomerRecord();
    const customers::CustomerRecord &c = m_customer;
    const bool usa = m_ctx.settings.values().addressStyle == setup::AddressStyle::USA;
    m_customerName->setText(c.name.trimmed());
    m_customerTel->setText(c.phone.trimmed());
    QString info = c.name.trimmed() + QStringLiteral("\r\n") + c.address1.trimmed() + QStringLiteral("\r\n");
    if (!c.address2.trimmed().isEmpty())
        info += c.address2.trimmed() + QStringLiteral("\r\n");
    info += usa ? c.city.trimmed() + QStringLiteral(", ") + c.state.trimmed() + u' ' + c.zip.trimmed()
                : c.cityOrAddr3.trimmed() + QStringLiteral("\r\n") + c.zipOrAddr4.trimmed();
    m_customerInfo->setPlainText(info);
    const setup::BusinessValues &b = m_ctx.settings.values();
    QString contractor = b.businessName + QStringLiteral("\r\n") + b.businessAddress1 + QStringLiteral("\r\n");
    if (!b.businessAddress2.isEmpty())
        contractor += b.businessAddress2 + QStringLiteral("\r\n");
    contractor += b.businessCity + QStringLiteral(", ") + b.businessState + u' ' + b.businessZip;
    m_terms->setContractor(contractor);
}

void ContractScreen::resetEntries()
{
    m_terms->reset();
    m_create->setEnabled(false);
    m_body->setVisible(true);
}

QString ContractScreen::contractFileName() const
{
    return contractFile(m_customer.acctNo);
}

void ContractScreen::buildNewContract()
{
    const QString file = contractFileName();
    if (file.isEmpty()) {
        m_ctx.prompt.message(QStringLiteral("The account number \"%1\" cannot name a contract file; choose the customer "
                                            "again.")
                                 .arg(m_customer.acctNo.trimmed()),
                             kAppTitle);
        return;
    }
    if (m_ctx.store.fileExists(file)
        && !m_ctx.prompt.ask(QStringLiteral("A Contract Exists for this Account\nClick Yes to Delete it and create a new "
                                            "Contract"),
                             QStringLiteral("Replace Existing Contract"))) {
        m_navigator.show(ScreenId::MainMenu);
        return;
    }
    const std::optional<QByteArray> rtf = m_ctx.store.readFile(kTemplateFile);
    if (!rtf || !readRtf(*rtf, *m_body->document())) {
        m_ctx.prompt.beep();
        m_ctx.prompt.message(QStringLiteral("The Generic Contract File could not be Found\nContact Pendrak for a Replacement"),
                             kAppTitle);
        m_navigator.show(ScreenId::MainMenu);
        return;
    }
    indentBody(*m_body->document());
    m_terms->setCommencement(m_ctx.clock.today());
    m_create->setEnabled(true);
}

void ContractScreen::createContract()
{
    const std::optional<ContractTerms> terms = m_terms->terms();
    if (!terms)
        return;
    const QString file = contractFileName();
    if (file.isEmpty())
        return;
    const setup::BusinessValues &b = m_ctx.settings.values();
    ContractValues v;
    v.service = terms->service;
    v.price = terms->price;
    v.businessName = b.businessName;
    v.customerName = m_customerName->text();
    v.created = m_ctx.clock.today();
    v.commencing = terms->commencing;
    v.duration = terms->duration;
    v.frequency = terms->frequency;
    v.renews = terms->renews;
    v.contractorBlock = m_terms->contractor().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    v.customerBlock = m_customerInfo->toPlainText().replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    fillContract(*m_body->document(), v, m_ctx.locale);
    m_create->setEnabled(false);
    if (!m_ctx.store.makeFolder(QStringLiteral("/Templates/Contracts"))
        || !m_ctx.store.replaceFile(file, writeRtf(*m_body->document()))) {
        m_ctx.prompt.message(QStringLiteral("The contract could not be saved as %1.").arg(file.mid(1)),
                             QStringLiteral("Contract Created"));
        return;
    }
    m_ctx.prompt.message(QStringLiteral("The Contract has been Created\nYou can modify and Print it Using MicroSoft Word or "
                                        "WordPad\nIt is named Contract - %1.rtf and is Located in \n%2\nDo not create "
                                        "another Contract for this Customer\nuntil you have printed this Contract")
                             .arg(m_customer.acctNo.trimmed(),
                                  QDir::toNativeSeparators(m_ctx.store.programFolder() + QStringLiteral("/Templates/Contracts"))),
                         QStringLiteral("Contract Created"));
}

void ContractScreen::savePdf()
{
    const QString path = m_pdfFile(this);
    if (path.isEmpty())
        return;
    QPdfWriter pdf(path);
    pdf.setPageSize(QPageSize(QPageSize::Letter));
    pdf.setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    m_body->document()->print(&pdf);
}

void ContractScreen::openContract()
{
    const QString file = contractFileName();
    if (file.isEmpty() || !m_ctx.store.fileExists(file)) {
        m_ctx.prompt.message(QStringLiteral("No contract has been saved for this account yet."), kAppTitle);
        return;
    }
    m_ctx.web.open(QUrl::fromLocalFile(m_ctx.store.path(file)));
}

} // namespace ui
