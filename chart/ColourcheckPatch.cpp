#include "ColourcheckPatch.h"

#include <KxCMS.h>

#include <algorithm>

#include <QCoreApplication>
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
    hasReading = false;
    updatePatch();
}

void ColourcheckPatch::setMeasured(double L, double a, double b)
{
    measured[0] = L;
    measured[1] = a;
    measured[2] = b;
    deltaE = KxCMS_ColourDiff_DeltaE(measured, point.labD50);
    hasReading = true;
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
    const QString labels[] = {
        QCoreApplication::translate("Colourcheck", "C, M, Y, K"),
        QCoreApplication::translate("Colourcheck", "L, a, b relative"),
        QCoreApplication::translate("Colourcheck", "L, a, b D50"),
        QCoreApplication::translate("Colourcheck", "L, a, b Measured"),
        QCoreApplication::translate("Colourcheck", "DeltaE"),
    };
    const QString values[] = {inks, lab(point.labRelative), lab(point.labD50), lab(measured), number(deltaE, 3)};
    // Labels padded to the longest, so the values line up in a fixed-width font.
    qsizetype width = 0;
    for (const QString& label : labels)
        width = std::max(width, label.size());
    QString text;
    for (int line = 0; line < 5; ++line)
        text += labels[line].leftJustified(width) + " = " + values[line] + "\n";
    setToolTip(text);
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
