#ifndef KXWIDGETUTIL_H
#define KXWIDGETUTIL_H

class KxRegistry;
class QWidget;

// Window sizes in the settings, as longs "width" and "height" of a section.
class KxWidgetUtil
{
public:
    static void saveSizeToRegistry(QWidget* widget, KxRegistry* registry, const char* section);
    // Applies the stored width and/or height (as the flags say), held within
    // the screen the widget is on; leaves the widget as it is when nothing
    // usable is stored.
    static void restoreSizeFromRegistry(QWidget* widget, KxRegistry* registry, const char* section,
                                        bool restoreWidth, bool restoreHeight);
};

#endif
