#ifndef CHARTMENU_H
#define CHARTMENU_H

#include "Colourcheck.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QMenuBar>
#include <QStringList>
#include <QTimer>

// The entries of the chart's context menu as it opens now; the menu is
// closed again at once.
inline QStringList contextMenuEntries(Colourcheck& chart)
{
    QStringList entries;
    QTimer::singleShot(0, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            for (QAction* action : menu->actions())
                entries << action->text();
            menu->close();
        }
    });
    QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(300, 300), chart.mapToGlobal(QPoint(300, 300)));
    QApplication::sendEvent(chart.viewport(), &event);
    return entries;
}

// The entries of the chart window's menu bar as it opens now: all of them,
// or only those that apply (the others are greyed out).
inline QStringList menuBarEntries(Colourcheck& chart, bool applyingOnly)
{
    QStringList entries;
    const auto* bar = chart.container->findChild<QMenuBar*>();
    for (QAction* title : bar ? bar->actions() : QList<QAction*>()) {
        emit title->menu()->aboutToShow();
        for (QAction* action : title->menu()->actions())
            if (!action->isSeparator() && (!applyingOnly || action->isEnabled()))
                entries << action->text();
    }
    return entries;
}

#endif
