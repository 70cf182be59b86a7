#ifndef GAMUTVERTEX_H
#define GAMUTVERTEX_H

#include <QVector3D>

// One vertex of the gamut view's geometry, laid out as the vertex buffers
// hold it. Positions are D50 Lab (x = L, y = a, z = b); colours are monitor
// RGB, each channel 0..1.
struct GamutVertex
{
    QVector3D lab;
    QVector3D normal; // unit length, pointing out of the solid (Lab axes)
    QVector3D colour;
};

static_assert(sizeof(GamutVertex) == 9 * sizeof(float), "vertex buffers expect nine packed floats");

#endif
