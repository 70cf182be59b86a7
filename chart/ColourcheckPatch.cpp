#include "ColourcheckPatch.h"

#include "ChartMeasurementSession.h"
#include "ChartPatchColours.h"

#include <algorithm>
#include <array>

#include <QCoreApplication>
#include <QPainter>
#include <QPalette>

ColourcheckPatch::ColourcheckPatch(unsigned long width, unsigned long height, QWidget* parent, const char* name)
    : QWidget(parent), point{}
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    resize(static_cast<int>(width), static_cast<int>(height));
    setAutoFillBackground(true);
}

ColourcheckPatch::~ColourcheckPatch() = default;

void ColourcheckPatch::setSession(ChartMeasurementSession* measuring, unsigned long patch)
{
    session = measuring;
    index = patch;
}

void ColourcheckPatch::setData(const KxChartPoint& record)
{
    point = record;
    updatePatch();
}

void ColourcheckPatch::setMeasured(double L, double a, double b)
{
    if (!session)
        return;
    session->take(index, {{}, {}, {L, a, b}});
    updatePatch();
}

const double* ColourcheckPatch::measured() const
{
    const CgatsReading* reading = session ? session->reading(index) : nullptr;
    return reading ? reading->lab : point.labD50;
}

double ColourcheckPatch::deltaE() const
{
    return session ? session->deltaE(index) : 0.0;
}

bool ColourcheckPatch::hasReading() const
{
    return session && session->reading(index);
}

void ColourcheckPatch::updatePatch()
{
    QPalette colours = palette();
    colours.setColor(QPalette::Window, proofColour.value_or(QColor(point.rgb[0], point.rgb[1], point.rgb[2])));
    setPalette(colours);

    auto number = [](double value, int decimals) { return QString("%1").arg(value, 0, 'f', decimals); };
    auto lab = [&](const double* v) {
        return number(v[0], 3) + ", " + number(v[1], 3) + ", " + number(v[2], 3);
    };
    // An RGB printer's patch shows the bytes its driver is sent, a CMYK
    // printer's the ink in percent.
    const bool rgb = point.device == ChartDevice::Rgb;
    QString device;
    if (rgb) {
        device = QString("%1, %2, %3").arg(point.deviceRgb[0]).arg(point.deviceRgb[1]).arg(point.deviceRgb[2]);
    } else {
        const std::array<double, 4> ink = point.inkPercent();
        device = number(ink[0], 2) + ", " + number(ink[1], 2) + ", " + number(ink[2], 2) + ", " + number(ink[3], 2);
    }
    const QString labels[] = {
        rgb ? QCoreApplication::translate("Colourcheck", "R, G, B")
            : QCoreApplication::translate("Colourcheck", "C, M, Y, K"),
        QCoreApplication::translate("Colourcheck", "L, a, b relative"),
        QCoreApplication::translate("Colourcheck", "L, a, b D50"),
        QCoreApplication::translate("Colourcheck", "L, a, b Measured"),
        QCoreApplication::translate("Colourcheck", "DeltaE"),
        QCoreApplication::translate("Colourcheck", "ID"),
    };
    const QString patchId = QString::number(index + 1) + ", "
        + QString::fromStdString(ChartPatchColours::nameOf(point, index + 1));
    const QString values[] = {device,  lab(point.labRelative), lab(point.labD50), lab(measured()), number(deltaE(), 3),
                              patchId};
    // Labels padded to the longest, so the values line up in a fixed-width font.
    qsizetype width = 0;
    for (const QString& label : labels)
        width = std::max(width, label.size());
    QString text;
    for (int line = 0; line < 6; ++line)
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

void ColourcheckPatch::showProof(const unsigned char* rgb)
{
    if (!rgb && !proofColour)
        return;
    proofColour = rgb ? std::optional<QColor>(QColor(rgb[0], rgb[1], rgb[2])) : std::nullopt;
    updatePatch();
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
    if (deltaE() >= CROSS_THRESHOLD)
        drawCross(painter, w, h);
}

void ColourcheckPatch::drawCross(QPainter& painter, int w, int h)
{
    auto strokes = [&](const QPen& pen) {
        painter.setPen(pen);
        painter.drawLine(0, 0, w - 1, h - 1);
        painter.drawLine(w - 1, 0, 0, h - 1);
    };
    // Widest first: the dark edge, the white band, then the red cross itself.
    strokes(QPen(QColor(32, 32, 32), 5, Qt::SolidLine, Qt::FlatCap));
    strokes(QPen(Qt::white, 3, Qt::SolidLine, Qt::FlatCap));
    strokes(QPen(Qt::red));
}
