#ifndef GAMUTWIREFRAME_H
#define GAMUTWIREFRAME_H

#include "GamutHull.h"
#include "GamutVertex.h"

#include <vector>

// A gamut drawn as lines over another one: on each face of the hull, every
// LineStep-th row and column of its samples, the face's border included, in
// the colours the monitor shows.
class GamutWireFrame
{
public:
    static constexpr int LineStep = 4;
    static_assert((GamutHull::SamplesPerSide - 1) % LineStep == 0, "the lines end on the faces' borders");

    explicit GamutWireFrame(const GamutHull& hull);

    // Pairs of vertices, one line each; empty for an empty hull.
    const std::vector<GamutVertex>& lines() const { return m_lines; }

private:
    std::vector<GamutVertex> m_lines;
};

#endif
