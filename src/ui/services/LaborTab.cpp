#include "ui/services/LaborTab.h"

#include "catalog/Catalog.h"
#include "ui/services/CatalogTabParts.h"
#include "ui/widgets/KeyFilter.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace catalog;
using namespace ui::catalogtab;

namespace ui {

LaborTab::LaborTab(context::AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(boldLabel("LABOR RATES", this, 2));
    layout->addWidget(new QLabel(QStringLiteral("Create upto 3 Labor Headings and Assign Labor Rates to each"), this));
    auto *grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Labor Heading"), this), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Hourly Rate"), this), 0, 1);
    for (int i = 0; i < 3; ++i) {
        m_heading[size_t(i)] = entryBox(this, QStringLiteral("txtLabor_%1").arg(i), QStringLiteral("Labor Heading %1").arg(i + 1));
        m_rate[size_t(i)] = entryBox(this, QStringLiteral("txtLaborRate_%1").arg(i), QStringLiteral("Hourly Rate %1").arg(i + 1));
        m_rate[size_t(i)]->setAlignment(Qt::AlignRight);
        KeyFilter::refuseQuotes(m_heading[size_t(i)], m_ctx.prompt);
        KeyFilter::refuseQuotes(m_rate[size_t(i)], m_ctx.prompt);
        grid->addWidget(m_heading[size_t(i)], i + 1, 0);
        grid->addWidget(m_rate[size_t(i)], i + 1, 1);
    }
    grid->setColumnStretch(0, 3);
    grid->setColumnStretch(1, 1);
    layout->addLayout(grid);
    auto *hint = new QLabel(QStringLiteral("If you do not have specialized labor categories, Click Create General Labor "
                                           "Button and enter an hourly rate for general labor"),
                            this);
    hint->setWordWrap(true);
    layout->addWidget(hint);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(command(12, "Create General Labor", "Sets 1st Heading to General Labor, enter Rate", [this] {
        clearBoxes();
        m_heading[0]->setText(QStringLiteral("General Labor"));
        m_rate[0]->setFocus();
    }));
    buttons->addWidget(command(15, "&Clear All", "Clears all Headings and Rates", [this] {
        clearBoxes();
        m_heading[0]->setFocus();
    }));
    m_reload = command(16, "Reload from File", "Loads boxes with Labor Headings and Rates", [this] { load(); });
    buttons->addWidget(m_reload);
    buttons->addWidget(command(17, "Save &Labor Rates", "Sets 1st Heading to Genereal Labor, enter Rate", [this] { save(); }));
    buttons->addStretch();
    layout->addLayout(buttons);
    layout->addStretch();
    load();
}

QPushButton *LaborTab::command(int index, const char *caption, const char *tip, std::function<void()> run)
{
    QPushButton *b = commandButton(this, index, caption, tip);
    connect(b, &QPushButton::clicked, this, std::move(run));
    return b;
}

void LaborTab::clearBoxes()
{
    for (int i = 0; i < 3; ++i) {
        m_heading[size_t(i)]->clear();
        m_rate[size_t(i)]->clear();
    }
}

void LaborTab::load()
{
    const std::optional<LaborRates> stored = Catalog::loadLaborRates(m_ctx.store);
    const LaborRates rates = stored.value_or(m_ctx.catalog.defaultLaborRates());
    for (int i = 0; i < 3; ++i) {
        m_heading[size_t(i)]->setText(rates[size_t(i)].heading);
        m_rate[size_t(i)]->setText(rates[size_t(i)].rate);
    }
    m_reload->setEnabled(stored.has_value());
}

void LaborTab::save()
{
    LaborRates rates;
    for (int i = 0; i < 3; ++i)
        rates[size_t(i)] = {m_heading[size_t(i)]->text(), m_rate[size_t(i)]->text()};
    if (const std::optional<QString> problem = Catalog::laborRatesProblem(rates)) {
        m_ctx.prompt.message(*problem, context::kAppTitle);
        return;
    }
    if (store::FileResult r = Catalog::saveLaborRates(m_ctx.store, rates); !r) {
        m_ctx.prompt.message(QStringLiteral("The labor rates could not be saved (%1).\nThe boxes keep what you entered.")
                                 .arg(r.error),
                             context::kAppTitle);
        return;
    }
    m_reload->setEnabled(true);
    Q_EMIT saved();
}

} // namespace ui
