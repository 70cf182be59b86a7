#include "GamutHull.h"

#include "GamutMonitor.h"
#include "KxCmsConversion.h"
#include "KxIccHeader.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int N = GamutHull::SAMPLES_PER_SIDE;
constexpr int VERTICES_PER_FACE = N * N;

// Device values of sample (i, j) on face: face / 2 is the channel held
// fixed, face % 2 says whether at none or all of it; the other two channels
// run with i and j. Each value 0..1.
void cubeSample(int face, int i, int j, double cube[3])
{
    const int fixed = face / 2;
    const int first = (fixed + 1) % 3;
    const int second = (fixed + 2) % 3;
    cube[fixed] = face % 2;
    cube[first] = double(i) / (N - 1);
    cube[second] = double(j) / (N - 1);
}

// The inks of a point on the C, M, Y cube's surface, each 0..1. The grey
// component, the least of the three, goes to black, and what is left of
// the colour inks is stretched back to the strongest of them: on the faces
// at no ink nothing changes, while the faces at full ink become the
// darkest saturated colours, one or two colour inks at full strength with
// black, which bound a printer's gamut from below. The black corner is all
// four inks.
void inksOnSurface(const double cube[3], double inks[4])
{
    const double grey = std::min({cube[0], cube[1], cube[2]});
    const double strongest = std::max({cube[0], cube[1], cube[2]});
    const double stretch = strongest > grey ? strongest / (strongest - grey) : 1.0;
    for (int channel = 0; channel < 3; ++channel)
        inks[channel] = strongest > grey ? (cube[channel] - grey) * stretch : strongest;
    inks[3] = grey;
}

} // namespace

void GamutHull::clear()
{
    m_vertices.clear();
    m_triangles.clear();
    m_deviceSpace = DeviceSpace::None;
    m_whyNot.clear();
}

bool GamutHull::fromICC(const char* profilePath, const GamutMonitor& monitor)
{
    clear();
    if (!profilePath || !*profilePath) {
        m_whyNot = tr("No profile chosen");
        return false;
    }
    const std::optional<KxIccHeader> header = KxIccHeader::read(profilePath);
    if (!header) {
        m_whyNot = tr("The profile cannot be read");
        return false;
    }
    const icColorSpaceSignature space = header->colourSpace;
    if (space != icSigRgbData && space != icSigCmykData) {
        m_whyNot = tr("Only RGB and CMYK profiles have a gamut to show");
        return false;
    }
    // The profile to itself, exact: only its D50 Lab (absolute colorimetric,
    // so the hull stands where the colours really are, a printer's paper
    // white below L 100) is asked for, so no device link is built.
    KxCmsConversion::Settings settings;
    settings.highAccuracy = true;
    settings.deviceLink = false;
    const std::unique_ptr<KxCmsConversion> profile = KxCmsConversion::open(profilePath, profilePath, settings);
    if (!profile) {
        m_whyNot = tr("The profile gives no Lab colours");
        return false;
    }
    const bool cmyk = space == icSigCmykData;

    m_vertices.resize(std::size_t(FACE_COUNT) * VERTICES_PER_FACE);
    for (int face = 0; face < FACE_COUNT; ++face) {
        for (int i = 0; i < N; ++i) {
            for (int j = 0; j < N; ++j) {
                double cube[3];
                cubeSample(face, i, j, cube);
                double device[4] = {cube[0], cube[1], cube[2], 0.0};
                if (cmyk)
                    inksOnSurface(cube, device);
                double lab[3];
                if (!profile->deviceToLabD50(device, lab)) {
                    clear();
                    m_whyNot = tr("The profile gives no Lab colours");
                    return false;
                }
                GamutVertex& vertex = m_vertices[std::size_t(face) * VERTICES_PER_FACE + i * N + j];
                vertex.lab = QVector3D(float(lab[0]), float(lab[1]), float(lab[2]));
                vertex.colour = monitor.displayColour(vertex.lab);
            }
        }
    }
    buildFaces();
    orientAndShade();
    m_deviceSpace = cmyk ? DeviceSpace::Cmyk : DeviceSpace::Rgb;
    return true;
}

double GamutHull::volume() const
{
    // Divergence theorem: each outward-wound triangle adds the signed
    // volume of the tetrahedron it spans with the origin.
    double sixfold = 0.0;
    for (std::size_t t = 0; t < m_triangles.size(); t += 3) {
        const QVector3D& p0 = m_vertices[m_triangles[t]].lab;
        const QVector3D& p1 = m_vertices[m_triangles[t + 1]].lab;
        const QVector3D& p2 = m_vertices[m_triangles[t + 2]].lab;
        const double cross[3] = {double(p1.y()) * p2.z() - double(p1.z()) * p2.y(),
                                 double(p1.z()) * p2.x() - double(p1.x()) * p2.z(),
                                 double(p1.x()) * p2.y() - double(p1.y()) * p2.x()};
        sixfold += p0.x() * cross[0] + p0.y() * cross[1] + p0.z() * cross[2];
    }
    return sixfold / 6.0;
}

void GamutHull::buildFaces()
{
    m_triangles.clear();
    m_triangles.reserve(std::size_t(FACE_COUNT) * (N - 1) * (N - 1) * 6);
    for (int face = 0; face < FACE_COUNT; ++face) {
        const std::uint32_t base = std::uint32_t(face) * VERTICES_PER_FACE;
        for (int i = 0; i + 1 < N; ++i) {
            for (int j = 0; j + 1 < N; ++j) {
                const std::uint32_t a = base + i * N + j;
                const std::uint32_t b = a + N;
                const std::uint32_t c = a + 1;
                const std::uint32_t d = a + N + 1;
                m_triangles.insert(m_triangles.end(), {a, b, d, a, d, c});
            }
        }
    }
}

void GamutHull::orientAndShade()
{
    QVector3D centre;
    for (const GamutVertex& vertex : m_vertices)
        centre += vertex.lab;
    centre /= float(m_vertices.size());

    const std::size_t indicesPerFace = m_triangles.size() / FACE_COUNT;
    for (int face = 0; face < FACE_COUNT; ++face) {
        const auto first = m_triangles.begin() + std::ptrdiff_t(face * indicesPerFace);
        const auto last = first + std::ptrdiff_t(indicesPerFace);
        // A face is wound one way throughout; it is turned round as a whole
        // when most of its area faces the inside of the solid.
        float outwards = 0.0f;
        for (auto t = first; t != last; t += 3) {
            const QVector3D& p0 = m_vertices[t[0]].lab;
            const QVector3D& p1 = m_vertices[t[1]].lab;
            const QVector3D& p2 = m_vertices[t[2]].lab;
            const QVector3D middle = (p0 + p1 + p2) / 3.0f;
            outwards += QVector3D::dotProduct(QVector3D::crossProduct(p1 - p0, p2 - p0), middle - centre);
        }
        if (outwards < 0.0f) {
            for (auto t = first; t != last; t += 3)
                std::swap(t[1], t[2]);
        }
    }

    // Area-weighted vertex normals, one set per face.
    for (GamutVertex& vertex : m_vertices)
        vertex.normal = QVector3D();
    for (std::size_t t = 0; t < m_triangles.size(); t += 3) {
        GamutVertex& v0 = m_vertices[m_triangles[t]];
        GamutVertex& v1 = m_vertices[m_triangles[t + 1]];
        GamutVertex& v2 = m_vertices[m_triangles[t + 2]];
        const QVector3D area = QVector3D::crossProduct(v1.lab - v0.lab, v2.lab - v0.lab);
        v0.normal += area;
        v1.normal += area;
        v2.normal += area;
    }
    for (int face = 0; face < FACE_COUNT; ++face) {
        const auto first = m_vertices.begin() + std::ptrdiff_t(face) * VERTICES_PER_FACE;
        const auto last = first + VERTICES_PER_FACE;
        QVector3D faceNormal;
        for (auto v = first; v != last; ++v)
            faceNormal += v->normal;
        faceNormal.normalize();
        // Where a face's samples meet in one Lab point (a printer's black)
        // a vertex has no area of its own and takes the face's direction.
        for (auto v = first; v != last; ++v) {
            const float length = v->normal.length();
            v->normal = length > 1e-6f ? v->normal / length : faceNormal;
        }
    }
}
