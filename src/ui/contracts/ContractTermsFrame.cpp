#include "ui/contracts/ContractTermsFrame.h"

#include "base/FieldRoutines.h"
#include "catalog/CatalogRecords.h"
#include "contracts/Contract.h"
#include "ui/widgets/AlignedLists.h"

#include <QCalendarWidget>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>

using namespace base;
using namespace contracts;

namespace ui {

ContractTermsFrame::ContractTermsFrame(context::AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    auto *v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    buildServiceFrames();
    v->addWidget(m_servicesFrame);
    v->addWidget(m_manualFrame);
    buildTermControls();
}

void ContractTermsFrame::buildServiceFrames()
{
    m_servicesFrame = new QGroupBox(QStringLiteral("Create from Services"), this);
    m_servicesFrame->setObjectName(QStringLiteral("fraServices"));
    auto *fg = new QGridLayout(m_servicesFrame);
    m_services = new QComboBox(m_servicesFrame);
    m_services->setObjectName(QStringLiteral("cboServices"));
    m_prices = new QComboBox(m_servicesFrame);
    m_prices->setObjectName(QStringLiteral("cboPrices"));
    auto *sl = new QLabel(QStringLiteral("Select a Service"), m_servicesFrame);
    sl->setBuddy(m_services);
    auto *pl = new QLabel(QStringLiteral("Cost"), m_servicesFrame);
    pl->setBuddy(m_prices);
    keepRowsAligned(m_services, m_prices);
    fg->addWidget(sl, 0, 0);
    fg->addWidget(m_services, 0, 1);
    fg->addWidget(pl, 1, 0);
    fg->addWidget(m_prices, 1, 1);

    m_manualFrame = new QGroupBox(QStringLiteral("Create Manually"), this);
    m_manualFrame->setObjectName(QStringLiteral("fraManual"));
    auto *mg = new QGridLayout(m_manualFrame);
    m_service = new QLineEdit(m_manualFrame);
    m_service->setObjectName(QStringLiteral("txtService"));
    m_price = new QLineEdit(m_manualFrame);
    m_price->setObjectName(QStringLiteral("txtPrice"));
    m_price->installEventFilter(this);
    auto *ml = new QLabel(QStringLiteral("Enter a Service Description"), m_manualFrame);
    ml->setBuddy(m_service);
    auto *mp = new QLabel(QStringLiteral("Enter the Price"), m_manualFrame);
    mp->setBuddy(m_price);
    mg->addWidget(ml, 0, 0);
    mg->addWidget(m_service, 0, 1);
    mg->addWidget(mp, 1, 0);
    mg->addWidget(m_price, 1, 1);
}

void ContractTermsFrame::buildTermControls()
{
    auto *grid = new QGridLayout;
    m_frequency = new QListWidget(this);
    m_frequency->setObjectName(QStringLiteral("lstFrequency"));
    m_frequency->setToolTip(QStringLiteral("Select Cycle to display accounts"));
    m_frequency->addItems(frequencies());
    m_frequency->setMaximumHeight(90);
    auto *fl = new QLabel(QStringLiteral("Select Billing Frequency"), this);
    fl->setBuddy(m_frequency);
    m_calendar = new QCalendarWidget(this);
    m_calendar->setObjectName(QStringLiteral("Calendar1"));
    m_calendar->setAccessibleName(QStringLiteral("Commencement date"));
    connect(m_calendar, &QCalendarWidget::clicked, this, &ContractTermsFrame::commencementPicked);
    connect(m_calendar, &QCalendarWidget::activated, this, &ContractTermsFrame::commencementPicked);
    auto *cl = new QLabel(QStringLiteral("Select a Commencement Date"), this);
    cl->setBuddy(m_calendar);
    m_duration = new QComboBox(this);
    m_duration->setObjectName(QStringLiteral("cboDuration"));
    m_duration->setEditable(true);
    m_duration->setInsertPolicy(QComboBox::NoInsert);
    m_duration->addItems(durations());
    auto *dl = new QLabel(QStringLiteral("Select the Contract Duration"), this);
    dl->setBuddy(m_duration);
    m_renew = new QCheckBox(QStringLiteral("Automatically Renew at the end of the Duration"), this);
    m_renew->setObjectName(QStringLiteral("ckRenew"));
    m_contractor = new QPlainTextEdit(this);
    m_contractor->setObjectName(QStringLiteral("txtContractor"));
    m_contractor->setReadOnly(true);
    m_contractor->setMaximumHeight(80);
    auto *tl = new QLabel(QStringLiteral("Submit to:"), this);
    tl->setBuddy(m_contractor);
    grid->addWidget(fl, 0, 0);
    grid->addWidget(m_frequency, 1, 0);
    grid->addWidget(dl, 2, 0);
    grid->addWidget(m_duration, 3, 0);
    grid->addWidget(m_renew, 4, 0);
    grid->addWidget(tl, 5, 0);
    grid->addWidget(m_contractor, 6, 0);
    grid->addWidget(cl, 0, 1);
    grid->addWidget(m_calendar, 1, 1, 6, 1);
    static_cast<QVBoxLayout *>(layout())->addLayout(grid);
}

bool ContractTermsFrame::loadServices()
{
    const QSignalBlocker holdServices(m_services);
    const QSignalBlocker holdPrices(m_prices);
    m_services->clear();
    m_prices->clear();
    const bool present = m_ctx.store.dataFileExists(catalog::kServicesFile);
    if (present) {
        const QByteArray file = m_ctx.store.readFile(catalog::kServicesFile).value_or(QByteArray());
        const int count = m_ctx.store.recordCount(catalog::kServicesFile, catalog::ServiceRecord::kLength);
        for (int n = 0; n < count; ++n) {
            const catalog::ServiceRecord r = catalog::ServiceRecord::decode(
                file.mid(qsizetype(n) * catalog::ServiceRecord::kLength, catalog::ServiceRecord::kLength));
            m_services->addItem(r.description.trimmed());
            const std::optional<Money> charge = Money::parse(r.charge, m_ctx.locale);
            m_prices->addItem(charge ? charge->toCurrencyText(m_ctx.locale) : r.charge.trimmed());
        }
    }
    showServices(present);
    return present;
}

void ContractTermsFrame::showServices(bool list)
{
    m_servicesFrame->setVisible(list);
    m_manualFrame->setVisible(!list);
}

void ContractTermsFrame::reset()
{
    m_calendar->setSelectedDate(m_ctx.clock.today());
    m_service->clear();
    m_price->setText(Money().toCurrencyText(m_ctx.locale));
    m_frequency->setCurrentRow(0);
    m_duration->setCurrentIndex(durations().indexOf(QStringLiteral("1 Year")));
}

void ContractTermsFrame::setCommencement(const QDate &date)
{
    m_calendar->setSelectedDate(date);
}

void ContractTermsFrame::setContractor(const QString &block)
{
    m_contractor->setPlainText(block);
}

QString ContractTermsFrame::contractor() const
{
    return m_contractor->toPlainText();
}

void ContractTermsFrame::commencementPicked()
{
    if (m_calendar->selectedDate() < m_ctx.clock.today())
        fields::showCalendarInvalid(m_ctx.prompt, context::kAppTitle);
}

bool ContractTermsFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_price) {
        const QString zero = Money().toCurrencyText(m_ctx.locale);
        if (event->type() == QEvent::KeyPress && m_price->text() == zero) {
            const auto *key = static_cast<QKeyEvent *>(event);
            if (!key->text().isEmpty() && key->text().at(0).isPrint())
                m_price->clear();
        } else if (event->type() == QEvent::FocusOut) {
            leavePrice();
        }
    }
    return QWidget::eventFilter(watched, event);
}

void ContractTermsFrame::leavePrice()
{
    const std::optional<Money> price = Money::parse(m_price->text(), m_ctx.locale);
    if (price) {
        m_price->setText(price->toCurrencyText(m_ctx.locale));
        return;
    }
    m_ctx.prompt.beep();
    m_price->setText(Money().toCurrencyText(m_ctx.locale));
}

std::optional<ContractTerms> ContractTermsFrame::terms() const
{
    const bool list = !m_servicesFrame->isHidden();
    const QString service = (list ? m_services->currentText() : m_service->text()).trimmed();
    const std::optional<Money> price = Money::parse(list ? m_prices->currentText() : m_price->text(), m_ctx.locale);
    if (service.isEmpty() || !price || price->raw() < 0) {
        m_ctx.prompt.message(QStringLiteral("Choose or enter a service and a price that reads as an amount before the "
                                            "contract is created."),
                             QStringLiteral("Create Contract"));
        return std::nullopt;
    }
    ContractTerms t;
    t.service = service;
    t.price = *price;
    t.frequency = m_frequency->currentItem() ? m_frequency->currentItem()->text() : frequencies().first();
    t.commencing = m_calendar->selectedDate();
    t.duration = m_duration->currentText().trimmed();
    t.renews = m_renew->isChecked();
    return t;
}

} // namespace ui
