#ifndef CHARTLAYOUT_H
#define CHARTLAYOUT_H

// Where the patches of a chart lie: 16 to a row, 32 x 32 squares at a pitch
// of 40 with a margin of 8, row by row in list order. On screen in pixels
// from the top left; on the PostScript page in points from the bottom left.
class ChartLayout
{
public:
    static constexpr int PATCH_SIZE = 32;
    static constexpr int PITCH = 40;
    static constexpr int MARGIN = 8;
    static constexpr unsigned long PER_ROW = 16;
    static constexpr int WIDTH = 648; // MARGIN + PER_ROW * PITCH

    static unsigned long rows(unsigned long patches) { return (patches + PER_ROW - 1) / PER_ROW; }

    // Top left of patch i on screen.
    static int screenX(unsigned long i) { return MARGIN + PITCH * static_cast<int>(i % PER_ROW); }
    static int screenY(unsigned long i) { return MARGIN + PITCH * static_cast<int>(i / PER_ROW); }
    // Height of the chart's contents: down to one pitch below the last row's
    // top; an empty chart is one row high.
    static int contentsHeight(unsigned long patches)
    {
        return patches ? screenY(patches - 1) + PITCH : MARGIN + PITCH;
    }

    // Page height and lower left corner of patch i on the page.
    static unsigned long pageHeight(unsigned long patches) { return PITCH * rows(patches) + MARGIN; }
    static int pageX(unsigned long i) { return screenX(i); }
    static int pageY(unsigned long i, unsigned long patches)
    {
        return static_cast<int>(pageHeight(patches)) - PITCH - PITCH * static_cast<int>(i / PER_ROW);
    }
};

#endif
