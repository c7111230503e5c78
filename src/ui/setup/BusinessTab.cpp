#include "ui/setup/BusinessTab.h"

#include "ui/widgets/Colours.h"

#include "setup/SettingsFiles.h"
#include "ui/widgets/KeyFilter.h"
#include "ui/widgets/PictureButton.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

using namespace setup;

namespace ui {

namespace {

const char *const kBusinessLabels[9] = {"Name",        "Address 1", "Address 2", "City", "State",
                                        "Postal Code", "Telephone", "Aux 1",     "Aux 2"};
const char *const kBusinessTips[9] = {
    "Your Company Name Here",
    "Your Company Street Address here",
    "A Secondary Address can be entered here",
    "The City in which your Company is Located",
    "The State in which your Company is Located",
    "Your Company's Zip Code Here",
    "Your Company Telco No Here",
    "Your Company FAX No Here",
    "Enter your FEIN or VAT if desired",
};
// How much a business box takes when typing; a longer value read from the
// file is never cut (see setBoxText).
constexpr int kBusinessBoxLength = 80;
constexpr int kTwipsPerPixel = 15;

QString *businessField(BusinessValues &v, int i)
{
    QString *fields[9] = {&v.businessName,  &v.businessAddress1, &v.businessAddress2,
                          &v.businessCity,  &v.businessState,    &v.businessZip,
                          &v.businessPhone, &v.businessFax,      &v.businessTaxId};
    return fields[i];
}

// A box's length limit applies to typing; a text already there or loaded
// from the file is kept whole, so nothing is lost by a reload or a change of
// address style.
void setBoxLimit(QLineEdit *box, int limit)
{
    box->setMaxLength(std::max(limit, int(box->text().size())));
}

void setBoxText(QLineEdit *box, const QString &text, int limit)
{
    box->setMaxLength(std::max(limit, int(text.size())));
    if (box->text() != text)
        box->setText(text);
}

} // namespace

BusinessTab::BusinessTab(context::AppContext &ctx, QWidget *parent) : QWidget(parent), m_ctx(ctx)
{
    // The form on the left; on the right, the heading as it will stand on a
    // page, kept up to date as the user types.
    auto *sides = new QHBoxLayout(this);
    auto *layout = new QVBoxLayout;
    sides->addLayout(layout, 3);
    m_preview = new QLabel(this);
    m_preview->setObjectName(QStringLiteral("lblPreview"));
    m_preview->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    m_preview->setTextFormat(Qt::RichText);
    m_preview->setFrameShape(QFrame::StyledPanel);
    m_preview->setMargin(24);
    m_preview->setMinimumWidth(260);
    m_preview->setStyleSheet(QStringLiteral("QLabel#lblPreview { background: white; color: black; }"));
    m_preview->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Expanding);
    sides->addWidget(m_preview, 2);
    connect(&m_ctx.settings, &BusinessSettings::changed, this, &BusinessTab::showPreview);
    auto *intro = new QLabel(QStringLiteral("Enter Information about your Business that will appear on Invoices and Statements"), this);
    intro->setWordWrap(true);
    QFont bold = intro->font();
    bold.setBold(true);
    intro->setFont(bold);
    layout->addWidget(intro);

    auto *grid = new QGridLayout;
    grid->setColumnStretch(2, 1);
    for (int i = 0; i < 9; ++i) {
        auto *label = new QLabel(QString::fromLatin1(kBusinessLabels[i]), this);
        label->setObjectName(QStringLiteral("lblAddress_%1").arg(i));
        auto *box = new QLineEdit(this);
        box->setObjectName(QStringLiteral("txtBusiness_%1").arg(i));
        box->setToolTip(QString::fromLatin1(kBusinessTips[i]));
        box->setMaxLength(kBusinessBoxLength);
        if (i != 3 && i != 4)
            box->setMinimumWidth(5385 / kTwipsPerPixel); // boxes 3 and 4 take the style's widths
        label->setBuddy(box);
        KeyFilter::refuseQuotes(box, m_ctx.prompt);
        connect(box, &QLineEdit::textChanged, this, [this, i](const QString &text) {
            m_ctx.settings.edit([&](BusinessValues &v) { *businessField(v, i) = text; });
        });
        grid->addWidget(label, i, 0, Qt::AlignRight);
        grid->addWidget(box, i, 1);
        m_business[size_t(i)] = box;
        m_labels[size_t(i)] = label;
    }
    m_postalNote = new QLabel(QStringLiteral("Postal Code is Mandatory"), this);
    m_postalNote->setObjectName(QStringLiteral("lblPostal"));
    QPalette warn = m_postalNote->palette();
    warn.setColor(QPalette::WindowText, warningTextColour());
    m_postalNote->setPalette(warn);
    grid->addWidget(m_postalNote, 5, 2);
    layout->addLayout(grid);

    auto *aux = new QLabel(QStringLiteral("Use Aux Fields to enter additional Information about your Company that you wish Printed on Documents"), this);
    aux->setWordWrap(true);
    layout->addWidget(aux);
    layout->addWidget(new QLabel(QStringLiteral("Enter the Heading followed by the Information"), this));
    layout->addWidget(new QLabel(QStringLiteral(" EG: Fax - 999-123-5555"), this));
    layout->addLayout(buildCommands());
    layout->addStretch();
    showPreview();
}

void BusinessTab::showPreview()
{
    const BusinessValues &v = m_ctx.settings.values();
    const bool usa = v.addressStyle == AddressStyle::USA;
    QStringList lines = {v.businessAddress1, v.businessAddress2};
    if (usa)
        lines.append((v.businessCity + QStringLiteral(", ") + v.businessState + u' ' + v.businessZip).trimmed());
    else
        lines.append({v.businessCity, v.businessState});
    lines.append({v.businessPhone, v.businessFax, v.businessTaxId});
    QString html = QStringLiteral("<p style='font-size:large'><b>%1</b></p>").arg(v.businessName.toHtmlEscaped());
    for (const QString &line : lines) {
        if (!line.trimmed().isEmpty() && line.trimmed() != QLatin1String(","))
            html += line.toHtmlEscaped() + QStringLiteral("<br>");
    }
    m_preview->setText(html);
}

QLayout *BusinessTab::buildCommands()
{
    auto *row = new QHBoxLayout;
    m_addressStyle = new QPushButton(this);
    m_addressStyle->setObjectName(QStringLiteral("cmdAddress"));
    connect(m_addressStyle, &QPushButton::clicked, this, &BusinessTab::toggleAddressStyle);
    row->addWidget(m_addressStyle);
    row->addStretch();
    auto picture = [&](const char *name, QStyle::StandardPixmap icon, const char *tip) {
        auto *b = pictureButton(this, QString::fromLatin1(name), style()->standardIcon(icon), 28, QString::fromLatin1(tip));
        row->addWidget(b);
        return b;
    };
    connect(picture("Image5", QStyle::SP_BrowserReload, "Reload Business Data"), &QToolButton::clicked, this,
            &BusinessTab::reloadBusinessData);
    connect(picture("Image4", QStyle::SP_DialogResetButton, "Clear All business Data"), &QToolButton::clicked,
            this, &BusinessTab::resetBusinessData);
    return row;
}

void BusinessTab::fill()
{
    BusinessValues v = m_ctx.settings.values();
    for (int i = 0; i < 9; ++i)
        setBoxText(m_business[size_t(i)], *businessField(v, i), m_business[size_t(i)]->maxLength());
}

void BusinessTab::focusFirst()
{
    m_business[0]->setFocus();
}

void BusinessTab::showAddressStyle(AddressStyle style, bool toggled)
{
    const bool usa = style == AddressStyle::USA;
    m_ctx.settings.edit([&](BusinessValues &v) { v.addressStyle = style; });
    m_addressStyle->setText(addressStyleCaption(style));
    m_labels[3]->setText(usa ? QStringLiteral("City") : QStringLiteral("Address 3"));
    m_labels[4]->setText(usa ? QStringLiteral("State") : QStringLiteral("Address 4"));
    m_labels[5]->setVisible(usa);
    m_postalNote->setVisible(usa);
    m_business[5]->setVisible(usa);
    // Switching to the international style empties the postal code; showing
    // a loaded international address keeps whatever code it was saved with.
    if (!usa && toggled)
        m_business[5]->clear();
    m_business[4]->setFixedWidth((usa ? 930 : 5385) / kTwipsPerPixel);
    setBoxLimit(m_business[4], usa ? 2 : 55);
    m_business[3]->setFixedWidth((usa ? 3150 : 5385) / kTwipsPerPixel);
}

void BusinessTab::toggleAddressStyle()
{
    const bool toUsa = m_addressStyle->text() != addressStyleCaption(AddressStyle::USA);
    showAddressStyle(toUsa ? AddressStyle::USA : AddressStyle::International, true);
}

void BusinessTab::resetBusinessData()
{
    if (!m_ctx.prompt.ask(QStringLiteral("Do you want to reset (clear)all Business Data?"),
                          QStringLiteral("Reset Business Data")))
        return;
    for (QLineEdit *box : m_business)
        box->clear();
    m_business[0]->setFocus();
}

void BusinessTab::reloadBusinessData()
{
    BusinessValues v = m_ctx.settings.values();
    setup::loadBusinessData(m_ctx.store, v);
    m_ctx.settings.setValues(v);
    fill();
}

} // namespace ui
