#pragma once
// The customer screen's two search frames: "fraSearch", where a criterion
// and the text to look for are chosen, and "fraCustomersFound", the grid of
// the customers a search or the customer list found.
#include "context/AppContext.h"
#include "customers/CustomerFinder.h"

#include <QGroupBox>
#include <array>
#include <vector>

class QLineEdit;
class QRadioButton;
class QPushButton;
class QTableView;

namespace ui {

class FoundCustomersModel;

class SearchFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit SearchFrame(context::AppContext &ctx, QWidget *parent = nullptr);
    // Shown with an empty search text.
    void open();

Q_SIGNALS:
    // Search was asked for with a text (upper case, no blanks at the ends)
    // and the criterion chosen, -1 for none.
    void searchRequested(int criterion, const QString &text);

private:
    void chooseCriterion(int criterion);
    void startSearch();

    context::AppContext &m_ctx;
    std::array<QRadioButton *, 9> m_criteria{};
    QLineEdit *m_searchFor = nullptr;
};

class FoundCustomersFrame : public QGroupBox {
    Q_OBJECT
public:
    explicit FoundCustomersFrame(QWidget *parent = nullptr);
    // The rows, under a title, brought to the front.
    void showRows(std::vector<customers::finder::Found> rows, const QString &title);
    // Keeps the rows without showing them (a search that found one).
    void keepRows(std::vector<customers::finder::Found> rows);
    // Print and its preview: shown once every customer is listed, and kept
    // over the results of later searches.
    void showPrintCommands();

Q_SIGNALS:
    void customerChosen(int record);
    void retryClicked();
    void printClicked();
    void previewClicked();

private:
    void chooseRow(int row);

    FoundCustomersModel *m_found = nullptr;
    QTableView *m_grid = nullptr;
    QPushButton *m_print = nullptr;
    QPushButton *m_preview = nullptr;
};

} // namespace ui
