#pragma once
// The business's own settings: identity, address style, printing, invoice
// and tax options, logo and telephone. One live object is shared by every
// screen; the setup screen edits it and every reader takes its current
// values. The settings files are its stored form (SettingsFiles.h).
#include <QLocale>
#include <QObject>
#include <QString>
#include <optional>
#include <cstdint>

namespace setup {

enum class AddressStyle { USA, International };

struct BusinessValues {
    // "MyBusinessData.txt", in file order.
    QString businessName;
    QString businessAddress1;
    QString businessAddress2;
    QString businessCity;   // the third address line in the international style
    QString businessState;  // the fourth address line in the international style
    QString businessZip;    // empty in the international style
    QString businessPhone;
    QString businessFax;    // first auxiliary line
    QString businessTaxId;  // second auxiliary line

    AddressStyle addressStyle = AddressStyle::International;

    // "PrintColors.txt". Colours are 0x00BBGGRR.
    std::uint32_t printBorderColor = 0;
    std::uint32_t printTextColor = 0;
    QString printFontName = QStringLiteral("Arial");
    bool printInColor = true;
    std::uint8_t printCopies = 3;
    // The current drawing colour of the printed page, taken from the border
    // colour whenever the print colours are loaded or saved.
    std::uint32_t lineColor = 0;

    // "CycleSetupInfo.txt".
    int taxServicesAndItems = 0;
    bool usePlainPaper = true;
    bool useRemittanceForm = false;
    int sequentialInvoiceNumbers = 0;
    int applyGraduatedTax = 0;
    QString graduatedLimit;     // currency text; zero as currency by default
    QString graduatedSurcharge; // currency text; zero as currency by default

    // "TaxSettings.txt".
    QString taxHeading1 = QStringLiteral("Sales Tax");
    QString taxHeading2 = QStringLiteral("Tax");
    QString taxRate1 = QStringLiteral("4.0");
    QString taxRate2 = QStringLiteral("4.0");
    int apply1stTax = 0;
    int apply2ndTax = 0;

    // "CompanyLogo.txt" and "LogoSettings.txt" (twips).
    QString logoFile;
    float logoWidth = 1440.0f;
    float logoHeight = 1440.0f;

    // "InvoiceBalance.txt": the invoice's totals show the balance before it
    // and the amount due.
    bool previousBalanceOnInvoices = false;

    // "Phone.txt" and "CallID.txt".
    bool phoneDaisyChained = false;
    std::int16_t modemPort = 0;
    bool callerIdEnabled = false;

    // The defaults that hold when no settings file is present.
    static BusinessValues defaults(const QLocale &locale);
    bool operator==(const BusinessValues &) const = default;
};

// The address style a postal code implies: USA for a number, else International.
AddressStyle addressStyleForZip(const QString &zip, const QLocale &locale);
// The caption the address-style command shows, which names the style.
QString addressStyleCaption(AddressStyle style);

// A typed tax rate as a number: its leading decimal number with "." as the
// point, stopping at the first other character ("5,0" is 5, "" is 0).
double taxRateValue(const QString &rate);
// The question asked before a rate that does not begin with a number (and so
// counts as 0) is saved; nothing for a number or an empty rate.
std::optional<QString> taxRateQuestion(const QString &rate);
inline const QString kTaxRateTitle = QStringLiteral("Tax Rate");

// The lists the setup screen offers; a rate or heading may also be typed.
const QStringList &taxRateChoices();
const QStringList &taxHeadingChoices();

class BusinessSettings : public QObject {
    Q_OBJECT
public:
    explicit BusinessSettings(const QLocale &locale, QObject *parent = nullptr);

    const BusinessValues &values() const { return m_values; }
    // Replaces the values; every reader is told when anything changed.
    void setValues(const BusinessValues &values);
    template <typename Edit>
    void edit(Edit &&change)
    {
        BusinessValues next = m_values;
        change(next);
        setValues(next);
    }

Q_SIGNALS:
    void changed();

private:
    BusinessValues m_values;
};

} // namespace setup
