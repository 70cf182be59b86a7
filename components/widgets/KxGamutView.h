#ifndef KXGAMUTVIEW_H
#define KXGAMUTVIEW_H

#include <QWidget>

// A three-dimensional view of a profile's gamut. Until it can draw one,
// supported() answers false and callers offer no gamut display.
class KxGamutView : public QWidget
{
    Q_OBJECT

public:
    // True when a gamut can be displayed on this system.
    static bool supported();

    explicit KxGamutView(QWidget* parent = nullptr, const char* name = nullptr);

    // Loads the gamut of profilePath for display corrected by
    // monitorProfilePath (either may be null or empty). Non-zero when the
    // gamut was loaded.
    int fromICC(const char* profilePath, const char* monitorProfilePath);
};

#endif
