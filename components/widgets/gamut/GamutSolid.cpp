#include "GamutSolid.h"

#include "GamutHull.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <utility>

namespace {

// Positions are D50 Lab with x = L, y = a, z = b; a column runs along L, so
// the a, b plane is the y, z plane.
struct PlanePoint
{
    double a;
    double b;
};

PlanePoint onPlane(const QVector3D& lab)
{
    return {lab.y(), lab.z()};
}

// Twice the signed area of u, v, p: positive when p lies to the left of u->v.
double edgeFunction(const PlanePoint& u, const PlanePoint& v, const PlanePoint& p)
{
    return (v.a - u.a) * (p.b - u.b) - (v.b - u.b) * (p.a - u.a);
}

// Of an edge and its reverse exactly one owns the points on it, so a line
// through an edge shared by two triangles meets only one of them.
bool ownsEdge(const PlanePoint& u, const PlanePoint& v)
{
    return v.b > u.b || (v.b == u.b && v.a < u.a);
}

bool inside(double w, const PlanePoint& u, const PlanePoint& v)
{
    return w > 0.0 || (w == 0.0 && ownsEdge(u, v));
}

struct Meeting
{
    double L = 0.0;
    int turn = 0; // +1 where the line, going up L, enters the solid; -1 where it leaves
};

// Where the line along L through point meets the triangle, if it does.
// Triangles are wound counter-clockwise seen from outside, so one whose
// outward normal points up L is where the line leaves the solid.
bool meetsTriangle(const QVector3D& p0, const QVector3D& p1, const QVector3D& p2, const PlanePoint& point,
                   Meeting& meeting)
{
    PlanePoint q[3] = {onPlane(p0), onPlane(p1), onPlane(p2)};
    double L[3] = {p0.x(), p1.x(), p2.x()};
    double area = edgeFunction(q[0], q[1], q[2]);
    if (area == 0.0)
        return false; // seen edge-on along L
    meeting.turn = area > 0.0 ? -1 : 1;
    if (area < 0.0) {
        std::swap(q[1], q[2]);
        std::swap(L[1], L[2]);
        area = -area;
    }
    const double w0 = edgeFunction(q[1], q[2], point);
    const double w1 = edgeFunction(q[2], q[0], point);
    const double w2 = edgeFunction(q[0], q[1], point);
    if (!inside(w0, q[1], q[2]) || !inside(w1, q[2], q[0]) || !inside(w2, q[0], q[1]))
        return false;
    meeting.L = (w0 * L[0] + w1 * L[1] + w2 * L[2]) / area;
    return true;
}

double columnCentre(int index)
{
    return (index + 0.5) * GamutSolid::COLUMN_SPACING;
}

// The columns whose centres lie within low..high, and within reach.
std::pair<int, int> columnsWithin(double low, double high)
{
    const double reach = GamutSolid::COLUMN_REACH;
    return {int(std::ceil(std::clamp(low, -reach, reach) / GamutSolid::COLUMN_SPACING - 0.5)),
            int(std::floor(std::clamp(high, -reach, reach) / GamutSolid::COLUMN_SPACING - 0.5))};
}

struct ColumnMeeting
{
    std::uint32_t column;
    float L;
    int turn;
};

} // namespace

GamutSolid::GamutSolid(const GamutHull& hull)
{
    const std::vector<GamutVertex>& vertices = hull.vertices();
    const std::vector<std::uint32_t>& triangles = hull.triangles();
    if (vertices.empty())
        return;

    auto [minA, maxA] = std::minmax_element(vertices.begin(), vertices.end(),
                                            [](const GamutVertex& x, const GamutVertex& y) { return x.lab.y() < y.lab.y(); });
    auto [minB, maxB] = std::minmax_element(vertices.begin(), vertices.end(),
                                            [](const GamutVertex& x, const GamutVertex& y) { return x.lab.z() < y.lab.z(); });
    const auto [firstA, lastA] = columnsWithin(minA->lab.y(), maxA->lab.y());
    const auto [firstB, lastB] = columnsWithin(minB->lab.z(), maxB->lab.z());
    m_firstA = firstA;
    m_firstB = firstB;
    m_columnsA = std::max(0, lastA - firstA + 1);
    m_columnsB = std::max(0, lastB - firstB + 1);

    std::vector<ColumnMeeting> meetings;
    for (std::size_t t = 0; t + 2 < triangles.size(); t += 3) {
        const QVector3D& p0 = vertices[triangles[t]].lab;
        const QVector3D& p1 = vertices[triangles[t + 1]].lab;
        const QVector3D& p2 = vertices[triangles[t + 2]].lab;
        const auto [fromA, toA] = columnsWithin(std::min({p0.y(), p1.y(), p2.y()}), std::max({p0.y(), p1.y(), p2.y()}));
        const auto [fromB, toB] = columnsWithin(std::min({p0.z(), p1.z(), p2.z()}), std::max({p0.z(), p1.z(), p2.z()}));
        for (int a = fromA; a <= toA; ++a) {
            for (int b = fromB; b <= toB; ++b) {
                Meeting meeting;
                if (meetsTriangle(p0, p1, p2, {columnCentre(a), columnCentre(b)}, meeting))
                    meetings.push_back({std::uint32_t(columnIndex(a, b)), float(meeting.L), meeting.turn});
            }
        }
    }
    std::sort(meetings.begin(), meetings.end(), [](const ColumnMeeting& x, const ColumnMeeting& y) {
        return x.column != y.column ? x.column < y.column : x.L < y.L;
    });

    // Up each column the winding number counts the surfaces passed; a
    // stretch is inside while it is not zero.
    const std::size_t columns = std::size_t(m_columnsA) * std::size_t(m_columnsB);
    m_columnStart.assign(columns + 1, 0);
    auto meeting = meetings.begin();
    for (std::size_t column = 0; column < columns; ++column) {
        m_columnStart[column] = m_stretches.size();
        int winding = 0;
        float enteredAt = 0.0f;
        for (; meeting != meetings.end() && meeting->column == column; ++meeting) {
            const int before = winding;
            winding += meeting->turn;
            if (before == 0 && winding != 0)
                enteredAt = meeting->L;
            else if (before != 0 && winding == 0 && meeting->L > enteredAt)
                m_stretches.push_back({enteredAt, meeting->L});
        }
    }
    m_columnStart[columns] = m_stretches.size();
}

std::size_t GamutSolid::columnIndex(int a, int b) const
{
    return std::size_t(a - m_firstA) * std::size_t(m_columnsB) + std::size_t(b - m_firstB);
}

bool GamutSolid::holdsColumn(int a, int b) const
{
    return a >= m_firstA && a < m_firstA + m_columnsA && b >= m_firstB && b < m_firstB + m_columnsB;
}

const GamutSolid::Stretch* GamutSolid::columnBegin(int a, int b) const
{
    return holdsColumn(a, b) ? m_stretches.data() + m_columnStart[columnIndex(a, b)] : nullptr;
}

const GamutSolid::Stretch* GamutSolid::columnEnd(int a, int b) const
{
    return holdsColumn(a, b) ? m_stretches.data() + m_columnStart[columnIndex(a, b) + 1] : nullptr;
}

double GamutSolid::volume() const
{
    double length = 0.0;
    for (const Stretch& stretch : m_stretches)
        length += double(stretch.high) - double(stretch.low);
    return length * COLUMN_SPACING * COLUMN_SPACING;
}

double GamutSolid::shareInside(const GamutSolid& other) const
{
    const double whole = volume();
    if (whole <= 0.0)
        return 0.0;
    double common = 0.0;
    for (int a = m_firstA; a < m_firstA + m_columnsA; ++a) {
        for (int b = m_firstB; b < m_firstB + m_columnsB; ++b) {
            const Stretch* mine = columnBegin(a, b);
            const Stretch* mineEnd = columnEnd(a, b);
            const Stretch* theirs = other.columnBegin(a, b);
            const Stretch* theirsEnd = other.columnEnd(a, b);
            // Both lists run up L without overlaps of their own.
            while (mine != mineEnd && theirs && theirs != theirsEnd) {
                const float low = std::max(mine->low, theirs->low);
                const float high = std::min(mine->high, theirs->high);
                if (high > low)
                    common += double(high) - double(low);
                if (mine->high < theirs->high)
                    ++mine;
                else
                    ++theirs;
            }
        }
    }
    return common * COLUMN_SPACING * COLUMN_SPACING / whole;
}
