#pragma once
// A fresh program folder and a main window with a stand-in main menu, in
// which one screen under test is shown and driven by its object names.
#include "support/TestSupport.h"
#include "ui/shell/Navigator.h"

#include <QAbstractButton>
#include <QAction>
#include <QCoreApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QMap>
#include <QTabBar>
#include <QApplication>
#include <QTest>
#include <QFocusEvent>
#include <QLabel>
#include <QStackedWidget>
#include <QTabWidget>
#include <gtest/gtest.h>
#include <memory>

class MenuStandIn : public ui::Screen {
public:
    MenuStandIn() { setObjectName(QStringLiteral("frmStartup")); }
    QString caption() const override { return QStringLiteral("menu"); }
};

// The label a screen reader names a control by (its buddy), or null.
inline QLabel *labelOf(QWidget *root, QWidget *control)
{
    for (QLabel *label : root->findChildren<QLabel *>()) {
        if (label->buddy() == control)
            return label;
    }
    return nullptr;
}

// The names a screen reader would give two or more of a screen's buttons
// and grids alike (an accessible name, else the caption without its "&").
inline QStringList sharedAccessibleNames(QWidget *root)
{
    QMap<QString, int> seen;
    auto nameOf = [](QWidget *w, const QString &caption) {
        QString name = w->accessibleName().isEmpty() ? caption : w->accessibleName();
        return name.remove(u'&').trimmed();
    };
    for (QAbstractButton *b : root->findChildren<QAbstractButton *>()) {
        if (qobject_cast<QTabBar *>(b->parentWidget()) || b->inherits("QTableCornerButton")
            || b->objectName().startsWith(QLatin1String("qt_")))
            continue; // Qt's own: tab scrolling, a grid's unused corner, a menu bar's overflow
        const QString name = nameOf(b, b->text().isEmpty() ? b->toolTip() : b->text());
        ++seen[name.isEmpty() ? QStringLiteral("(no name: %1 %2)").arg(QString::fromLatin1(b->metaObject()->className()), b->objectName()) : name];
    }
    for (QAbstractItemView *v : root->findChildren<QAbstractItemView *>()) {
        if (qobject_cast<QComboBox *>(v->parentWidget()) || !v->objectName().startsWith(QLatin1String("fg")))
            continue; // lists inside combo boxes
        ++seen[nameOf(v, QString())];
    }
    QStringList shared;
    for (auto it = seen.cbegin(); it != seen.cend(); ++it) {
        if (it.value() > 1 || it.key().isEmpty() || it.key().startsWith(QLatin1String("(no name")))
            shared.append(it.key().isEmpty() ? QStringLiteral("(no name)") : it.key());
    }
    return shared;
}

// Brings the tab pages that hold a control to the front, as a user does
// before clicking it.
inline void bringToFront(QWidget *w)
{
    for (QWidget *child = w, *parent = w->parentWidget(); parent; child = parent, parent = parent->parentWidget()) {
        auto *stack = qobject_cast<QStackedWidget *>(parent);
        if (!stack || stack->indexOf(child) < 0)
            continue;
        if (auto *tabs = qobject_cast<QTabWidget *>(stack->parentWidget()))
            tabs->setCurrentWidget(child);
        else
            stack->setCurrentWidget(child);
    }
}

template <typename S>
struct ScreenHost {
    ScreenHost()
    {
        stack = new QStackedWidget(&window);
        navigator = std::make_unique<ui::Navigator>(*stack, window);
        navigator->add(ui::ScreenId::MainMenu, menu);
    }
    // Makes the screen over the files written so far and shows it.
    void open()
    {
        if (!screen) {
            screen = new S(folder.context(), *navigator);
            navigator->add(S::kId, screen);
        }
        navigator->show(S::kId);
    }
    template <typename T = QWidget>
    T *child(const char *name)
    {
        T *found = screen->template findChild<T *>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    // A click on a row of a grid, as the user makes it (the window is shown
    // first, so the rows have their places).
    void clickRow(QAbstractItemView *view, int row)
    {
        window.show();
        const QRect cell = view->visualRect(view->model()->index(row, 0));
        QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, cell.center());
    }
    // What the program said last; an empty entry when it said nothing.
    PromptEntry said() const
    {
        return folder.prompt.entries.isEmpty() ? PromptEntry{PromptEntry::Message, {}, {}} : folder.prompt.entries.last();
    }
    // A menu command, run as the menu runs it: queued, after the click.
    void command(const char *name)
    {
        auto *action = screen->template findChild<QAction *>(QString::fromLatin1(name));
        ASSERT_NE(action, nullptr) << name;
        action->trigger();
        QCoreApplication::processEvents();
    }
    // The focus leaves a box, as when the user moves on.
    static void leave(QWidget *w)
    {
        QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
        QApplication::sendEvent(w, &out);
    }

    TestFolder folder;
    QWidget window;
    QStackedWidget *stack = nullptr;
    std::unique_ptr<ui::Navigator> navigator;
    MenuStandIn *menu = new MenuStandIn;
    S *screen = nullptr;
};
