#ifndef GAMUTWIREFRAME_H
#define GAMUTWIREFRAME_H

#include "GamutHull.h"
#include "GamutVertex.h"

#include <vector>

// A gamut drawn as lines over another one: on each face of the hull, every
// LINE_STEP-th row and column of its samples, the face's border included, in
// the colours the monitor shows.
class GamutWireFrame
{
public:
    static constexpr int LINE_STEP = 4;
    static_assert((GamutHull::SAMPLES_PER_SIDE - 1) % LINE_STEP == 0, "the lines end on the faces' borders");

    explicit GamutWireFrame(const GamutHull& hull);

    // Pairs of vertices, one line each; empty for an empty hull.
    const std::vector<GamutVertex>& lines() const { return m_lines; }

private:
    std::vector<GamutVertex> m_lines;
};

#endif
