#include "ui/history/HistoryModel.h"

#include "ui/widgets/Colours.h"

#include <QBrush>
#include <QColor>

namespace ui {

namespace {
// The headings and alignments of the two grids' format strings ("^"
// centred, "<" left).
struct Column {
    const char *heading;
    Qt::Alignment align;
};
const Column kFinancial[] = {{"Account", Qt::AlignHCenter},
                             {"Name", Qt::AlignLeft},
                             {"Date", Qt::AlignHCenter},
                             {"Invoice Number    /Reference", Qt::AlignLeft},
                             {"Amount", Qt::AlignHCenter}};
const Column kService[] = {{"Account", Qt::AlignHCenter},
                           {"Name", Qt::AlignLeft},
                           {"Date", Qt::AlignHCenter},
                           {"Service Provided", Qt::AlignLeft},
                           {"Serviced By", Qt::AlignLeft}};
} // namespace

void HistoryModel::setView(history::HistoryView view)
{
    beginResetModel();
    m_view = std::move(view);
    m_readRow = -1;
    endResetModel();
}

const history::HistoryRow &HistoryModel::rowAt(int r) const
{
    if (r != m_readRow) {
        m_read = m_view.row(r, m_locale);
        m_readRow = r;
    }
    return m_read;
}

QString HistoryModel::cellText(const history::HistoryRow &r, int column) const
{
    switch (column) {
    case 0: return r.acctNo;
    case 1: return r.name;
    case 2: return r.dateText;
    case 3: return r.text;
    case 4: return m_financial && r.amount ? r.amount->toCurrencyText(m_locale) : r.extra;
    default: return {};
    }
}

QStringList HistoryModel::rowTexts(int r) const
{
    const history::HistoryRow &row = rowAt(r);
    QStringList texts;
    for (int c = 0; c < 5; ++c)
        texts.append(cellText(row, c));
    return texts;
}

int HistoryModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(m_view.size());
}

int HistoryModel::columnCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : 5;
}

QVariant HistoryModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= m_view.size())
        return {};
    if (role == Qt::TextAlignmentRole)
        return QVariant((m_financial ? kFinancial : kService)[index.column()].align | Qt::AlignVCenter);
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole && role != Qt::ForegroundRole && role != Qt::ToolTipRole)
        return {};
    const history::HistoryRow &r = rowAt(index.row());
    const bool badDate = index.column() == 2 && !r.date.isValid();
    const bool badAmount = m_financial && index.column() == 4 && !r.amount;
    switch (role) {
    case Qt::ForegroundRole:
        return badDate || badAmount ? QVariant(QBrush(warningTextColour())) : QVariant();
    case Qt::ToolTipRole:
        if (badDate)
            return QStringLiteral("This date cannot be read: the record is shown whatever the date range");
        if (badAmount)
            return QStringLiteral("This amount cannot be read: it is left out of the total");
        return {};
    default: return cellText(r, index.column());
    }
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section > 4)
        return QAbstractTableModel::headerData(section, orientation, role);
    const Column &c = (m_financial ? kFinancial : kService)[section];
    if (role == Qt::DisplayRole)
        return QString::fromLatin1(c.heading);
    if (role == Qt::TextAlignmentRole)
        return QVariant(c.align | Qt::AlignVCenter);
    return {};
}

} // namespace ui
