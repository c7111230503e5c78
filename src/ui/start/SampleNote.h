#pragma once
// The line that says the folder open is the sample business, on the start
// screen and the home page alike.
#include <QLabel>

namespace ui {

inline QLabel *sampleBusinessNote(const QString &objectName, QWidget *parent)
{
    auto *note = new QLabel(QStringLiteral("Sample business: a made-up lawn and garden business to explore. Nothing in "
                                           "it is your own data."),
                            parent);
    note->setObjectName(objectName);
    note->setWordWrap(true);
    QFont bold = note->font();
    bold.setBold(true);
    note->setFont(bold);
    note->hide();
    return note;
}

} // namespace ui
