#ifndef MENUENTRIES_H
#define MENUENTRIES_H

// A main window's menus as the user reads them, for the tests that choose
// from them.

#include <QAction>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QString>
#include <QStringList>

// The menu's entry of that text, or null.
inline QAction* menuEntry(const QMenu* menu, const QString& text)
{
    for (QAction* action : menu->actions())
        if (action->text() == text)
            return action;
    return nullptr;
}

// The texts of the menu's entries, in order.
inline QStringList entryTexts(const QMenu* menu)
{
    QStringList texts;
    for (const QAction* action : menu->actions())
        texts << action->text();
    return texts;
}

// The titles of the window's menus, in order.
inline QStringList menuTitles(const QMainWindow& window)
{
    QStringList titles;
    for (const QAction* action : window.menuBar()->actions())
        titles << action->text();
    return titles;
}

#endif
