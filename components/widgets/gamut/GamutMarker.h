#ifndef GAMUTMARKER_H
#define GAMUTMARKER_H

#include "GamutVertex.h"

#include <vector>

class GamutMonitor;

// A colour marked in the gamut view: a small sphere at its D50 Lab, in the
// colour the monitor shows for it, inside a white shell a little larger.
// Drawn from the inside only, the shell shows as a white outline round the
// sphere, which keeps it visible against a hull of the same colour.
class GamutMarker
{
public:
    static constexpr float RADIUS = 3.0f;        // Lab units
    static constexpr float OUTLINE_RADIUS = 4.2f; // Lab units

    GamutMarker(const QVector3D& lab, const GamutMonitor& monitor);

    const QVector3D& lab() const { return m_lab; }
    // Triangles, three vertices each, wound counter-clockwise seen from outside.
    const std::vector<GamutVertex>& body() const { return m_body; }
    const std::vector<GamutVertex>& outline() const { return m_outline; }

private:
    QVector3D m_lab;
    std::vector<GamutVertex> m_body;
    std::vector<GamutVertex> m_outline;
};

#endif
