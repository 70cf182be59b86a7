#ifndef GAMUTHULL_H
#define GAMUTHULL_H

#include "GamutVertex.h"

#include <QCoreApplication>
#include <QString>

#include <cstdint>
#include <vector>

class GamutMonitor;

// The surface of a profile's gamut as a triangle mesh in D50 Lab.
//
// The surface of the device space is sampled on a grid of SAMPLES_PER_SIDE by
// SAMPLES_PER_SIDE points per face: for RGB the six faces of the cube; for
// CMYK the six faces of the C, M, Y cube with their grey component given to
// black, so that the faces at no ink stay without black while the faces at
// full ink run through the darkest saturated colours down to the printer's
// darkest black. Faces share no vertices, so each face keeps its own
// normals and the device cube's edges stay visible as creases.
class GamutHull
{
    // The hull's messages are shown by the gamut view, in its context.
    Q_DECLARE_TR_FUNCTIONS(KxGamutView)

public:
    static constexpr int SAMPLES_PER_SIDE = 33;
    static constexpr int FACE_COUNT = 6;

    enum class DeviceSpace { None, Rgb, Cmyk };

    // Replaces the mesh with the gamut of profilePath, coloured through
    // monitor. False, with an empty mesh and whyNot() saying why, when
    // the profile cannot be read or is not an RGB or CMYK device profile.
    bool fromICC(const char* profilePath, const GamutMonitor& monitor);
    void clear();

    bool isEmpty() const { return m_vertices.empty(); }
    // The volume the surface encloses, in cubic CIELAB units; 0 when empty.
    double volume() const;
    DeviceSpace deviceSpace() const { return m_deviceSpace; }
    QString whyNot() const { return m_whyNot; }

    // FACE_COUNT * SAMPLES_PER_SIDE^2 vertices, face after face.
    const std::vector<GamutVertex>& vertices() const { return m_vertices; }
    // Three indices per triangle, wound counter-clockwise seen from outside.
    const std::vector<std::uint32_t>& triangles() const { return m_triangles; }

private:
    void buildFaces();
    void orientAndShade();

    std::vector<GamutVertex> m_vertices;
    std::vector<std::uint32_t> m_triangles;
    DeviceSpace m_deviceSpace = DeviceSpace::None;
    QString m_whyNot;
};

#endif
