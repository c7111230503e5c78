#pragma once
// What every screen owes a keyboard and a screen-reader user, checked over
// whatever part of a screen is in sight: one control per accelerator
// letter, labels that let their value be heard, and commands that lie
// inside the window.
#include <QAbstractButton>
#include <QAccessible>
#include <QGroupBox>
#include <QLabel>
#include <QMap>
#include <QMenuBar>
#include <QStringList>
#include <QTabBar>
#include <QTextDocumentFragment>
#include <QWidget>

namespace screenchecks {

// The letter after a single "&", lower case; none for "&&" or no "&".
inline QChar accelerator(const QString &caption)
{
    for (qsizetype i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != u'&')
            continue;
        if (caption[i + 1] == u'&') {
            ++i;
            continue;
        }
        return caption[i + 1].toLower();
    }
    return {};
}

inline bool inSight(QWidget *w, QWidget *root)
{
    return w->isVisibleTo(root) && w->isVisible();
}

// "x: Caption one | Caption two" for each letter two visible controls share.
inline QStringList sharedAccelerators(QWidget *root)
{
    QMap<QChar, QStringList> byLetter;
    auto note = [&](const QString &caption) {
        if (const QChar c = accelerator(caption); !c.isNull())
            byLetter[c].append(caption);
    };
    for (QAbstractButton *b : root->findChildren<QAbstractButton *>()) {
        if (inSight(b, root))
            note(b->text());
    }
    for (QLabel *l : root->findChildren<QLabel *>()) {
        if (inSight(l, root) && l->buddy())
            note(l->text());
    }
    for (QGroupBox *g : root->findChildren<QGroupBox *>()) {
        if (inSight(g, root))
            note(g->title());
    }
    for (QTabBar *t : root->findChildren<QTabBar *>()) {
        if (!inSight(t, root))
            continue;
        for (int i = 0; i < t->count(); ++i)
            note(t->tabText(i));
    }
    for (QMenuBar *m : root->findChildren<QMenuBar *>()) {
        if (!inSight(m, root))
            continue;
        for (QAction *a : m->actions())
            note(a->text());
    }
    QStringList shared;
    for (auto it = byLetter.cbegin(); it != byLetter.cend(); ++it) {
        if (it.value().size() > 1)
            shared.append(QString(it.key()) + QStringLiteral(": ") + it.value().join(QStringLiteral(" | ")));
    }
    return shared;
}

// The name a screen reader hears for a control, as Qt's accessibility
// layer hands it to the system's (the AT-SPI bus on Linux).
inline QString heardName(QWidget *w)
{
    QAccessibleInterface *face = QAccessible::queryAccessibleInterface(w);
    return face ? face->text(QAccessible::Name) : QString();
}

// Visible labels showing a text that a screen reader does not hear: a fixed
// accessible name is announced instead of the text. Captions (fixed texts
// named for what they are) may be listed as allowed.
inline QStringList unheardLabels(QWidget *root, const QStringList &captions = {})
{
    QStringList unheard;
    for (QLabel *l : root->findChildren<QLabel *>()) {
        if (!inSight(l, root) || captions.contains(l->objectName()))
            continue;
        const QString text = QTextDocumentFragment::fromHtml(l->text()).toPlainText().remove(u'&').simplified();
        const QString heard = heardName(l).remove(u'&').simplified();
        if (!text.isEmpty() && !heard.contains(text))
            unheard.append(l->objectName() + QStringLiteral(" \"") + text + QStringLiteral("\" is heard as \"") + heard
                           + u'"');
    }
    return unheard;
}

// Visible buttons that lie outside the window or behind a scrolled part
// of it: a command the user cannot see without scrolling sideways.
inline QStringList commandsOutOf(QWidget *window, QWidget *root)
{
    QStringList out;
    for (QAbstractButton *b : root->findChildren<QAbstractButton *>()) {
        if (!inSight(b, root) || b->objectName().startsWith(QLatin1String("qt_")) || b->inherits("QTableCornerButton"))
            continue;
        if (qobject_cast<QTabBar *>(b->parentWidget()))
            continue;
        const QRect where(b->mapTo(window, QPoint(0, 0)), b->size());
        // Clipped by a scrolled parent: the visible part is what counts.
        const QRect seen = b->visibleRegion().boundingRect();
        if (!window->rect().contains(where) || seen.width() < b->width())
            out.append(b->objectName() + QStringLiteral(" \"") + b->text() + u'"');
    }
    return out;
}

} // namespace screenchecks
