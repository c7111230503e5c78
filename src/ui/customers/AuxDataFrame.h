#pragma once
// The customer screen's data boxes: six notes per account under six
// headings shared by all accounts, and the larger window that edits one
// box at a time.
#include "context/AppContext.h"
#include "customers/AuxData.h"

#include <QGroupBox>
#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace ui {

class AuxDataFrame : public QGroupBox {
    Q_OBJECT
public:
    AuxDataFrame(context::AppContext &ctx, QWidget *parent = nullptr);

    void loadHeadings();
    store::FileResult saveHeadings();
    // The boxes of an account, unless RETAIN is on.
    void loadData(const QString &acctNo);
    store::FileResult saveData(const QString &acctNo);
    void setAccountName(const QString &name);
    void setCustomerName(const QString &name); // the frame's caption

    // Double click on a data box or a heading.
    void editBox(int box);
    void clearHeading(int heading);
    void hideBig();

    customers::auxdata::Boxes boxes() const;
    QString editingCaption() const;

Q_SIGNALS:
    // The commands that need the customer screen.
    void closeRequested();
    void reloadRequested();
    // The next (or previous) account's boxes, once this one's are saved.
    void stepRequested(bool next);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QLayout *buildBoxes();
    QLayout *buildHints();
    QLayout *buildCommands();
    QGroupBox *buildBig(const QFont &strong);
    context::AppContext &m_ctx;
    std::array<QLineEdit *, customers::auxdata::kBoxes> m_heading{};
    std::array<QPlainTextEdit *, customers::auxdata::kBoxes> m_box{};
    QLabel *m_account = nullptr;
    QCheckBox *m_retain = nullptr;
    QGroupBox *m_big = nullptr;
    QPlainTextEdit *m_bigText = nullptr;
    QLabel *m_editing = nullptr;
    int m_editingBox = 0;
};

} // namespace ui
