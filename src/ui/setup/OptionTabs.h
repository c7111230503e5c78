#pragma once
// The setup screen's "Options" tab: three option pages, each a class of its
// own over the live settings (every control edits them as it changes).
#include "context/AppContext.h"
#include "ui/setup/SetupChoosers.h"

#include <QWidget>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QGroupBox;
class QLabel;
class QLineEdit;
class QRadioButton;
class QTabWidget;
class QVBoxLayout;

namespace ui {

class PhoneTab;

// "Printing Options": colour, copies, font, the two colours, the paper and
// the invoice numbering scheme.
class PrintingTab : public QWidget {
    Q_OBJECT
public:
    PrintingTab(context::AppContext &ctx, const SetupChoosers &choosers, QWidget *parent = nullptr);
    // The colour, copies, font and colour samples from the live values.
    void fillColors();
    // Everything on the page from the live values.
    void fill();

private:
    int buildColours(QGridLayout *grid, int row);
    int buildPaperAndNumbering(QGridLayout *grid, int row);
    void chooseColour(int which);
    void chooseFont();

    context::AppContext &m_ctx;
    const SetupChoosers &m_choosers;
    QCheckBox *m_color = nullptr;
    QComboBox *m_copies = nullptr;
    QLabel *m_font = nullptr;
    QLineEdit *m_textSample = nullptr;
    QLineEdit *m_borderSample = nullptr;
    QRadioButton *m_plain = nullptr;
    QRadioButton *m_remit = nullptr;
    QCheckBox *m_sequential = nullptr;
    QCheckBox *m_previousBalance = nullptr;
};

// "Taxation": two taxes, when they apply, and the graduated scheme.
class TaxTab : public QWidget {
    Q_OBJECT
public:
    explicit TaxTab(context::AppContext &ctx, QWidget *parent = nullptr);
    void fill();

private:
    void buildTaxes(QVBoxLayout *layout);
    void buildChecks(QVBoxLayout *layout);
    QGroupBox *buildGraduatedFrame();
    void closeGraduated();

    context::AppContext &m_ctx;
    QComboBox *m_heading[2] = {};
    QComboBox *m_rate[2] = {};
    QCheckBox *m_apply1st = nullptr;
    QCheckBox *m_apply2nd = nullptr;
    QCheckBox *m_taxServices = nullptr;
    QCheckBox *m_graduated = nullptr;
    QGroupBox *m_graduatedFrame = nullptr;
    QLineEdit *m_graduatedBox[2] = {};
};

// The three pages under their own tabs, with the picture that moves on.
class OptionsTab : public QWidget {
    Q_OBJECT
public:
    OptionsTab(context::AppContext &ctx, const SetupChoosers &choosers, QWidget *parent = nullptr);
    PrintingTab *printing() const { return m_printing; }
    void fill();

private:
    QTabWidget *m_subTabs = nullptr;
    PrintingTab *m_printing = nullptr;
    TaxTab *m_tax = nullptr;
    PhoneTab *m_phone = nullptr;
};

} // namespace ui
