#include "ui/customers/AuxDataFrame.h"

#include <QCheckBox>
#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

using namespace store;
using namespace context;

namespace ui {

AuxDataFrame::AuxDataFrame(AppContext &ctx, QWidget *parent) : QGroupBox(parent), m_ctx(ctx)
{
    setObjectName(QStringLiteral("fraAux"));
    auto *layout = new QVBoxLayout(this);
    auto *top = new QHBoxLayout;
    m_account = new QLabel(this);
    m_account->setObjectName(QStringLiteral("lblAccount"));
    QFont strong = m_account->font();
    strong.setBold(true);
    m_account->setFont(strong);
    top->addWidget(m_account, 1);
    m_retain = new QCheckBox(QStringLiteral("RETAIN Aux Data between Accounts"), this);
    m_retain->setObjectName(QStringLiteral("ckSaveAux"));
    m_retain->setToolTip(QStringLiteral("The data for one account is not cleared when the next account is loaded"));
    top->addWidget(m_retain);
    layout->addLayout(top);

    layout->addLayout(buildBoxes());
    layout->addLayout(buildHints());
    layout->addLayout(buildCommands());
    layout->addWidget(buildBig(strong), 1);
}

QLayout *AuxDataFrame::buildBoxes()
{
    auto *grid = new QGridLayout;
    for (int i = 0; i < customers::auxdata::kBoxes; ++i) {
        auto *heading = new QLineEdit(QStringLiteral("Heading #%1").arg(i + 1), this);
        heading->setObjectName(QStringLiteral("txtHeading_%1").arg(i));
        heading->setToolTip(QStringLiteral("Applies to All Accounts"));
        heading->setAccessibleName(QStringLiteral("Heading %1").arg(i + 1));
        heading->installEventFilter(this);
        auto *box = new QPlainTextEdit(this);
        box->setObjectName(QStringLiteral("txtAux_%1").arg(i));
        box->setToolTip(QStringLiteral("Dbl Click to show in Big Window"));
        // A box is called by its heading, as the user named it.
        const QString fallback = QStringLiteral("Data Box %1").arg(i + 1);
        box->setAccessibleName(fallback);
        connect(heading, &QLineEdit::textChanged, box, [box, fallback](const QString &text) {
            box->setAccessibleName(text.trimmed().isEmpty() ? fallback : text.trimmed());
        });
        box->setTabChangesFocus(true);
        box->setMaximumHeight(box->fontMetrics().lineSpacing() * 4 + 12);
        box->viewport()->installEventFilter(this);
        m_heading[size_t(i)] = heading;
        m_box[size_t(i)] = box;
        grid->addWidget(heading, (i / 3) * 2, i % 3);
        grid->addWidget(box, (i / 3) * 2 + 1, i % 3);
    }
    return grid;

}

QLayout *AuxDataFrame::buildHints()
{
    auto *hints = new QGridLayout;
    const char *const lines[] = {"Headings apply to all Accounts", "Enter New Heading, click", "Save Headings",
                                 "when All Headings are completed",
                                 "(place the cursor over the Heading and Dbl-click to Clear)",
                                 "Enter unique data in each box for each account.",
                                 "(Double Click any Data Box for Larger Data Screen)"};
    auto *left = new QLabel(this);
    left->setText(QString::fromLatin1(lines[0]) + u'\n' + QString::fromLatin1(lines[1]) + u' '
                  + QString::fromLatin1(lines[2]) + u' ' + QString::fromLatin1(lines[3]) + u'\n'
                  + QString::fromLatin1(lines[4]));
    auto *right = new QLabel(QString::fromLatin1(lines[5]) + u'\n' + QString::fromLatin1(lines[6]), this);
    auto *retainHint = new QLabel(QStringLiteral("If data in all text boxes will be the same in many accounts, click "
                                                 "RETAIN to load the same data to the next account selected"),
                                  this);
    retainHint->setWordWrap(true);
    hints->addWidget(left, 0, 0);
    hints->addWidget(right, 0, 1);
    hints->addWidget(retainHint, 1, 0, 1, 2);
    return hints;

}

QLayout *AuxDataFrame::buildCommands()
{
    auto *buttons = new QHBoxLayout;
    auto button = [&](int index, const char *caption, const char *tip) {
        auto *b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QStringLiteral("cmdSaveAux_%1").arg(index));
        b->setToolTip(QString::fromLatin1(tip));
        buttons->addWidget(b);
        return b;
    };
    connect(button(0, "Save &Headings", "Saves the Aux Headings"), &QPushButton::clicked, this, [this] {
        if (FileResult r = saveHeadings(); !r)
            m_ctx.prompt.message(QStringLiteral("The headings could not be saved (%1).").arg(r.error), kAppTitle);
    });
    buttons->addStretch();
    buttons->addWidget(new QLabel(QStringLiteral("Data is SAVED when clicking"), this));
    connect(button(8, "Show &Previous Account", "Save the aux data for this Account"), &QPushButton::clicked, this,
            [this] { Q_EMIT stepRequested(false); });
    connect(button(7, "&Show Next Account", "Save the aux data for this Account"), &QPushButton::clicked, this,
            [this] { Q_EMIT stepRequested(true); });
    connect(button(3, "&Reload This Acct", "Reload Aux Data for this Account"), &QPushButton::clicked, this,
            &AuxDataFrame::reloadRequested);
    connect(button(2, "&Close Window", "Closes the Aux Data Screen"), &QPushButton::clicked, this,
            &AuxDataFrame::closeRequested);
    return buttons;

}

// The larger window for one box.
QGroupBox *AuxDataFrame::buildBig(const QFont &strong)
{
    m_big = new QGroupBox(this);
    m_big->setObjectName(QStringLiteral("fraBig"));
    auto *big = new QVBoxLayout(m_big);
    m_editing = new QLabel(QStringLiteral("Editing"), m_big);
    m_editing->setObjectName(QStringLiteral("lblEditing"));
    m_editing->setFont(strong);
    big->addWidget(m_editing);
    m_bigText = new QPlainTextEdit(m_big);
    m_bigText->setObjectName(QStringLiteral("txtBig"));
    m_bigText->setAccessibleName(QStringLiteral("Editing"));
    big->addWidget(m_bigText, 1);
    auto *bigButtons = new QHBoxLayout;
    auto bigButton = [&](int index, const char *caption, const char *tip) {
        auto *b = new QPushButton(QString::fromLatin1(caption), m_big);
        b->setObjectName(QStringLiteral("cmdSaveAux_%1").arg(index));
        b->setToolTip(QString::fromLatin1(tip));
        // Named for the big window, apart from the search frame's buttons.
        b->setAccessibleName(QString::fromLatin1(caption).remove(u'&') + QStringLiteral(" Big Window"));
        bigButtons->addWidget(b);
        return b;
    };
    connect(bigButton(4, "Hi&de", "Closes the Aux Data Screen"), &QPushButton::clicked, this, &AuxDataFrame::hideBig);
    connect(bigButton(5, "Clear", "Clear Data Box"), &QPushButton::clicked, m_bigText, &QPlainTextEdit::clear);
    connect(bigButton(6, "Oops, Reload", "Clear Data Box"), &QPushButton::clicked, this,
            [this] { m_bigText->setPlainText(m_box[size_t(m_editingBox)]->toPlainText()); });
    bigButtons->addStretch();
    big->addLayout(bigButtons);
    m_big->hide();
    return m_big;
}


void AuxDataFrame::setCustomerName(const QString &name)
{
    setTitle(QStringLiteral("Data for ") + name);
}

void AuxDataFrame::setAccountName(const QString &name)
{
    m_account->setText(name);
}

void AuxDataFrame::loadHeadings()
{
    const std::optional<QStringList> headings = customers::auxdata::loadHeadings(m_ctx.store);
    if (!headings)
        return;
    for (int i = 0; i < headings->size() && i < customers::auxdata::kBoxes; ++i)
        m_heading[size_t(i)]->setText(headings->at(i));
}

FileResult AuxDataFrame::saveHeadings()
{
    QStringList headings;
    for (QLineEdit *h : m_heading)
        headings.append(h->text());
    return customers::auxdata::saveHeadings(m_ctx.store, headings);
}

void AuxDataFrame::loadData(const QString &acctNo)
{
    if (m_retain->isChecked())
        return;
    const customers::auxdata::Boxes boxes = customers::auxdata::loadBoxes(m_ctx.store, acctNo);
    for (int i = 0; i < customers::auxdata::kBoxes; ++i)
        m_box[size_t(i)]->setPlainText(boxes[size_t(i)]);
}

customers::auxdata::Boxes AuxDataFrame::boxes() const
{
    customers::auxdata::Boxes b;
    for (int i = 0; i < customers::auxdata::kBoxes; ++i)
        b[size_t(i)] = m_box[size_t(i)]->toPlainText();
    return b;
}

FileResult AuxDataFrame::saveData(const QString &acctNo)
{
    return customers::auxdata::saveBoxes(m_ctx.store, acctNo, boxes());
}

void AuxDataFrame::editBox(int box)
{
    if (box < 0 || box >= customers::auxdata::kBoxes)
        return;
    m_editingBox = box;
    m_bigText->setPlainText(m_box[size_t(box)]->toPlainText());
    m_big->show();
    m_editing->setText(QStringLiteral("Editing Data Box # %1 - %2 - for %3")
                           .arg(box + 1)
                           .arg(m_heading[size_t(box)]->text(), m_account->text()));
    m_bigText->setFocus();
}

QString AuxDataFrame::editingCaption() const
{
    return m_editing->text();
}

void AuxDataFrame::hideBig()
{
    m_box[size_t(m_editingBox)]->setPlainText(m_bigText->toPlainText());
    m_big->hide();
}

void AuxDataFrame::clearHeading(int heading)
{
    if (heading >= 0 && heading < customers::auxdata::kBoxes)
        m_heading[size_t(heading)]->clear();
}

bool AuxDataFrame::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonDblClick) {
        for (int i = 0; i < customers::auxdata::kBoxes; ++i) {
            if (watched == m_box[size_t(i)]->viewport()) {
                editBox(i);
                return true;
            }
            if (watched == m_heading[size_t(i)]) {
                clearHeading(i);
                return true;
            }
        }
    }
    return QGroupBox::eventFilter(watched, event);
}

} // namespace ui
