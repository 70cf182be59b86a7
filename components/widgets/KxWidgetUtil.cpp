#include "KxWidgetUtil.h"

#include "KxRegistry.h"
#include "KxSettingsKeys.h"

#include <QLabel>
#include <QScreen>
#include <QTextDocumentFragment>
#include <QWidget>
#include <algorithm>

void KxWidgetUtil::saveSizeToRegistry(QWidget* widget, KxRegistry* registry, const KxSettingsKey& width,
                                      const KxSettingsKey& height)
{
    if (!widget || !registry)
        return;
    registry->putlong(width, widget->width());
    registry->putlong(height, widget->height());
}

void KxWidgetUtil::restoreSizeFromRegistry(QWidget* widget, KxRegistry* registry, const KxSettingsKey& width,
                                           const KxSettingsKey& height, bool restoreWidth, bool restoreHeight)
{
    if (!widget || !registry)
        return;
    const long storedWidth = registry->getlong(width);
    const long storedHeight = registry->getlong(height);
    QSize size = widget->size();
    const QScreen* screen = widget->screen();
    const QSize room = screen ? screen->availableSize() : QSize(16384, 16384);
    if (restoreWidth && storedWidth > 0)
        size.setWidth(static_cast<int>(std::min<long>(storedWidth, room.width())));
    if (restoreHeight && storedHeight > 0)
        size.setHeight(static_cast<int>(std::min<long>(storedHeight, room.height())));
    if (size != widget->size())
        widget->resize(size);
}

void KxWidgetUtil::nameAfterCaption(QLabel* caption, std::initializer_list<QWidget*> controls)
{
    QString name = QTextDocumentFragment::fromHtml(caption->text()).toPlainText().trimmed();
    if (name.endsWith(QLatin1Char(':')))
        name.chop(1);
    name = name.trimmed();
    caption->setBuddy(*controls.begin());
    for (QWidget* control : controls)
        control->setAccessibleName(name);
}
