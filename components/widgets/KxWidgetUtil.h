#ifndef KXWIDGETUTIL_H
#define KXWIDGETUTIL_H

#include <initializer_list>

class KxRegistry;
struct KxSettingsKey;
class QLabel;
class QWidget;

class KxWidgetUtil
{
public:
    // Makes caption the label of controls for assistive technology: the
    // buddy of the first, and each control's accessible name its plain text
    // without the closing colon ("<b>R:</b>" names a control "R"). Call again
    // after the caption's text changes, as a change of language does.
    static void nameAfterCaption(QLabel* caption, std::initializer_list<QWidget*> controls);

    // Window sizes in the settings, in pixels under the keys given.
    static void saveSizeToRegistry(QWidget* widget, KxRegistry* registry, const KxSettingsKey& width,
                                   const KxSettingsKey& height);
    // Applies the stored width and/or height (as the flags say), held within
    // the screen the widget is on; leaves the widget as it is when nothing
    // usable is stored.
    static void restoreSizeFromRegistry(QWidget* widget, KxRegistry* registry, const KxSettingsKey& width,
                                        const KxSettingsKey& height, bool restoreWidth, bool restoreHeight);
};

#endif
