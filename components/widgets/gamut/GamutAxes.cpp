#include "GamutAxes.h"

#include "GamutMonitor.h"

namespace {

constexpr float AXIS_L = 50.0f;
constexpr float COLUMN_HALF_WIDTH = 2.5f; // a and b units
constexpr float LABEL_GAP = 8.0f;        // between an axis end and its label

} // namespace

GamutAxes::GamutAxes(const GamutMonitor& monitor)
{
    const float end = AXIS_LENGTH;
    auto shown = [&monitor](float L, float a, float b) { return monitor.displayColour(QVector3D(L, a, b)); };

    // Each half axis runs from neutral grey to the colour at its end.
    const QVector3D grey = shown(AXIS_L, 0.0f, 0.0f);
    addLine({AXIS_L, 0.0f, 0.0f}, grey, {AXIS_L, end, 0.0f}, shown(AXIS_L, 80.0f, 0.0f));
    addLine({AXIS_L, 0.0f, 0.0f}, grey, {AXIS_L, -end, 0.0f}, shown(AXIS_L, -80.0f, 0.0f));
    addLine({AXIS_L, 0.0f, 0.0f}, grey, {AXIS_L, 0.0f, end}, shown(AXIS_L, 0.0f, 80.0f));
    addLine({AXIS_L, 0.0f, 0.0f}, grey, {AXIS_L, 0.0f, -end}, shown(AXIS_L, 0.0f, -80.0f));
    // The neutral axis goes on a little past black and white.
    const QVector3D white = shown(100.0f, 0.0f, 0.0f);
    addLine({0.0f, 0.0f, 0.0f}, shown(0.0f, 0.0f, 0.0f), {-10.0f, 0.0f, 0.0f}, shown(0.0f, 0.0f, 0.0f));
    addLine({100.0f, 0.0f, 0.0f}, white, {112.0f, 0.0f, 0.0f}, white);

    for (int step = 0; step < GREY_STEPS; ++step) {
        const float low = 100.0f * step / GREY_STEPS;
        const float high = 100.0f * (step + 1) / GREY_STEPS;
        addGreyStep(low, high, shown((low + high) / 2.0f, 0.0f, 0.0f));
    }

    m_labels = {{{112.0f + LABEL_GAP, 0.0f, 0.0f}, QStringLiteral("L")},
                {{AXIS_L, end + LABEL_GAP, 0.0f}, QStringLiteral("+a")},
                {{AXIS_L, -end - LABEL_GAP, 0.0f}, QStringLiteral("-a")},
                {{AXIS_L, 0.0f, end + LABEL_GAP}, QStringLiteral("+b")},
                {{AXIS_L, 0.0f, -end - LABEL_GAP}, QStringLiteral("-b")}};
}

void GamutAxes::addLine(const QVector3D& from, const QVector3D& fromColour, const QVector3D& to,
                        const QVector3D& toColour)
{
    const QVector3D along = (to - from).normalized();
    m_lines.push_back({from, along, fromColour});
    m_lines.push_back({to, along, toColour});
}

void GamutAxes::addGreyStep(float lowL, float highL, const QVector3D& colour)
{
    // Four sides of a square column around the neutral axis, wound
    // counter-clockwise seen from outside. Lab axes: x = L, y = a, z = b.
    const float w = COLUMN_HALF_WIDTH;
    const QVector3D corners[4] = {{0, w, w}, {0, -w, w}, {0, -w, -w}, {0, w, -w}};
    for (int side = 0; side < 4; ++side) {
        const QVector3D& c0 = corners[side];
        const QVector3D& c1 = corners[(side + 1) % 4];
        const QVector3D normal = ((c0 + c1) / 2.0f).normalized();
        const QVector3D low0 = c0 + QVector3D(lowL, 0, 0);
        const QVector3D low1 = c1 + QVector3D(lowL, 0, 0);
        const QVector3D high0 = c0 + QVector3D(highL, 0, 0);
        const QVector3D high1 = c1 + QVector3D(highL, 0, 0);
        for (const QVector3D& p : {low0, high0, high1, low0, high1, low1})
            m_greyScale.push_back({p, normal, colour});
    }
}
