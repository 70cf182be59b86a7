#include "ColourcheckContents.h"

#include <QMouseEvent>
#include <QPalette>

ColourcheckContents::ColourcheckContents(QWidget* parent) : QWidget(parent)
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, Qt::white);
    setPalette(colours);
    setAutoFillBackground(true);
    setAcceptDrops(true);
    setMouseTracking(true);
}

void ColourcheckContents::mousePressEvent(QMouseEvent* event)
{
    // Presses on a patch arrive here too: patches leave them to their parent.
    event->accept();
    emit pressed(event);
}
