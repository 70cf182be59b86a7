#ifndef GAMUTAXES_H
#define GAMUTAXES_H

#include "GamutVertex.h"

#include <QString>

#include <vector>

class GamutMonitor;

// The reference drawn with every gamut: the a and b axes crossing the
// neutral axis at L 50, and the neutral axis itself as a grey scale, a
// column of greys from black to white as the monitor shows them.
class GamutAxes
{
public:
    struct Label
    {
        QVector3D lab;
        QString text;
    };

    static constexpr float AXIS_LENGTH = 115.0f; // a and b units either side
    static constexpr int GREY_STEPS = 10;

    explicit GamutAxes(const GamutMonitor& monitor);

    // Pairs of vertices, one line each.
    const std::vector<GamutVertex>& lines() const { return m_lines; }
    // Triangles of the grey scale column, three vertices each, lit like the hull.
    const std::vector<GamutVertex>& greyScale() const { return m_greyScale; }
    const std::vector<Label>& labels() const { return m_labels; }

private:
    void addLine(const QVector3D& from, const QVector3D& fromColour, const QVector3D& to, const QVector3D& toColour);
    void addGreyStep(float lowL, float highL, const QVector3D& colour);

    std::vector<GamutVertex> m_lines;
    std::vector<GamutVertex> m_greyScale;
    std::vector<Label> m_labels;
};

#endif
