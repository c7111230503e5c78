#pragma once
// The contract screen "Contract Creation Form": the chosen customer's
// details, a service and price from the services list or typed, a billing
// frequency, a commencement date, a duration and renewal; the template
// loaded, its placeholders filled, the contract saved as rich text named
// after the account, and on request as a PDF.
#include "context/AppContext.h"
#include "customers/Records.h"
#include "ui/shell/Screen.h"

#include <functional>

class QAction;
class QGroupBox;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTextEdit;

namespace ui {

class Navigator;
class ContractTermsFrame;

class ContractScreen : public Screen {
    Q_OBJECT
public:
    static constexpr ScreenId kId = ScreenId::Contract;
    // Where "Save as PDF" writes: a save dialog in the program, a path in
    // the tests; empty for "cancelled".
    using PdfFile = std::function<QString(QWidget *parent)>;
    ContractScreen(context::AppContext &ctx, Navigator &navigator, PdfFile pdfFile = {}, QWidget *parent = nullptr);

    QString caption() const override;
    // Shown for the customer record chosen on the customer screen; shown
    // again by Redo for the same one.
    void activate(Routine routine, int chosenRecord) override;
    using Screen::activate;

private:
    QWidget *buildChoices();
    QWidget *buildAccountFrame(QWidget *box);
    QWidget *buildInstructions();
    void loadServices();
    void resetEntries();
    void buildNewContract();
    void createContract();
    void savePdf();
    void openContract();
    QString contractFileName() const;

    context::AppContext &m_ctx;
    Navigator &m_navigator;
    PdfFile m_pdfFile;
    customers::CustomerRecord m_customer;
    int m_chosenRecord = 0;
    QPlainTextEdit *m_customerInfo = nullptr;
    QLabel *m_customerName = nullptr;
    QLabel *m_customerTel = nullptr;
    ContractTermsFrame *m_terms = nullptr;
    QTextEdit *m_body = nullptr;
    QPushButton *m_create = nullptr;
    QPushButton *m_pdf = nullptr;
    QPushButton *m_open = nullptr;
    QAction *m_mnuServices = nullptr;
};

} // namespace ui
