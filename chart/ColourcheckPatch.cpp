#include "ColourcheckPatch.h"

#include <KxCMS.h>

#include <QPainter>
#include <QPalette>

ColourcheckPatch::ColourcheckPatch(unsigned long width, unsigned long height, QWidget* parent, const char* name)
    : QWidget(parent), point{}, measured{0.0, 0.0, 0.0}
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    resize(static_cast<int>(width), static_cast<int>(height));
    setAutoFillBackground(true);
}

ColourcheckPatch::~ColourcheckPatch() = default;

void ColourcheckPatch::setData(const KxChartPoint& record)
{
    point = record;
    for (int i = 0; i < 3; ++i)
        measured[i] = point.labD50[i];
    deltaE = 0.0;
    updatePatch();
}

void ColourcheckPatch::setMeasured(double L, double a, double b)
{
    measured[0] = L;
    measured[1] = a;
    measured[2] = b;
    deltaE = KxCMS_ColourDiff_DeltaE(measured, point.labD50);
    updatePatch();
}

void ColourcheckPatch::updatePatch()
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, QColor(point.rgb[0], point.rgb[1], point.rgb[2]));
    setPalette(colours);

    auto number = [](double value, int decimals) { return QString("%1").arg(value, 0, 'f', decimals); };
    auto lab = [&](const double* v) {
        return number(v[0], 3) + ", " + number(v[1], 3) + ", " + number(v[2], 3);
    };
    // cmyk holds K, C, M, Y; 255 is 100 % ink.
    const QString inks = number(point.cmyk[1] / 2.55, 2) + ", " + number(point.cmyk[2] / 2.55, 2) + ", "
        + number(point.cmyk[3] / 2.55, 2) + ", " + number(point.cmyk[0] / 2.55, 2);
    setToolTip("C, M, Y, K       = " + inks + "\n"
               + "L, a, b relative = " + lab(point.labRelative) + "\n"
               + "L, a, b D50      = " + lab(point.labD50) + "\n"
               + "L, a, b Measured = " + lab(measured) + "\n"
               + "DeltaE           = " + number(deltaE, 3) + "\n");
}

void ColourcheckPatch::setSelected(bool isSelected)
{
    if (selected == isSelected)
        return;
    selected = isSelected;
    repaint();
}

void ColourcheckPatch::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const int w = width();
    const int h = height();
    painter.fillRect(0, 0, w, h, palette().color(QPalette::Window));
    if (selected) {
        // Half of the wide pen falls outside: a 4-pixel band shows inside the edge.
        painter.setPen(QPen(palette().color(QPalette::Highlight), 8));
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(0, 0, w, h);
    }
    if (deltaE >= CROSS_THRESHOLD) {
        painter.setPen(QPen(Qt::red));
        painter.drawLine(0, 0, w - 1, h - 1);
        painter.drawLine(w - 1, 0, 0, h - 1);
    }
}
