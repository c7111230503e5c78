#pragma once
// Two lists that show the same rows side by side (a service and its
// price): a choice in either moves the other to the same row. The move is
// made with the other's signals held, so it never comes back: clearing a
// filled list would otherwise bounce between the two without end.
#include <QComboBox>
#include <QListWidget>
#include <QSignalBlocker>

namespace ui {

namespace aligned {
inline int row(const QComboBox *list) { return list->currentIndex(); }
inline void setRow(QComboBox *list, int row) { list->setCurrentIndex(row); }
inline auto rowSignal(QComboBox *) { return &QComboBox::currentIndexChanged; }
inline int row(const QListWidget *list) { return list->currentRow(); }
inline void setRow(QListWidget *list, int row) { list->setCurrentRow(row); }
inline auto rowSignal(QListWidget *) { return &QListWidget::currentRowChanged; }

template <typename Leader, typename Follower>
void follow(Leader *leader, Follower *follower)
{
    QObject::connect(leader, rowSignal(leader), follower, [follower](int r) {
        if (row(follower) == r)
            return;
        const QSignalBlocker hold(follower);
        setRow(follower, r);
    });
}
} // namespace aligned

template <typename A, typename B>
void keepRowsAligned(A *a, B *b)
{
    aligned::follow(a, b);
    aligned::follow(b, a);
}

} // namespace ui
