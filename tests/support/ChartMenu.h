#ifndef CHARTMENU_H
#define CHARTMENU_H

#include "Colourcheck.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
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

#endif
