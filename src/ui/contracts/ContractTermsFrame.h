#pragma once
// The contract screen's terms: the service and its price (from the
// catalogue's list, or typed by hand), the billing frequency, the
// commencement date, the duration, automatic renewal, and the business
// the contract is submitted to. The screen asks for the terms when the
// contract is created; the frame checks them.
#include "base/Money.h"
#include "context/AppContext.h"

#include <QDate>
#include <QWidget>
#include <optional>

class QCalendarWidget;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;

namespace ui {

struct ContractTerms {
    QString service;
    base::Money price;
    QString frequency;
    QDate commencing;
    QString duration;
    bool renews = false;
};

class ContractTermsFrame : public QWidget {
    Q_OBJECT
public:
    ContractTermsFrame(context::AppContext &ctx, QWidget *parent = nullptr);

    // The catalogue's services with their prices; false when there is no
    // services file (the manual frame is shown).
    bool loadServices();
    // The list of services, or the boxes to type one.
    void showServices(bool list);
    // Every choice back to its start: today, monthly, one year.
    void reset();
    void setCommencement(const QDate &date);
    void setContractor(const QString &block);
    QString contractor() const;
    // The terms chosen; nothing when the service or price is missing or
    // not an amount (the user has been told).
    std::optional<ContractTerms> terms() const;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void buildServiceFrames();
    void buildTermControls();
    void commencementPicked();
    void leavePrice();

    context::AppContext &m_ctx;
    QGroupBox *m_servicesFrame = nullptr;
    QComboBox *m_services = nullptr;
    QComboBox *m_prices = nullptr;
    QGroupBox *m_manualFrame = nullptr;
    QLineEdit *m_service = nullptr;
    QLineEdit *m_price = nullptr;
    QListWidget *m_frequency = nullptr;
    QCalendarWidget *m_calendar = nullptr;
    QComboBox *m_duration = nullptr;
    QCheckBox *m_renew = nullptr;
    QPlainTextEdit *m_contractor = nullptr;
};

} // namespace ui
