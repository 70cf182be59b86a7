#ifndef GAMUTRENDERER_H
#define GAMUTRENDERER_H

#include <QMatrix4x4>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLVertexArrayObject>

class GamutAxes;
class GamutHull;
class GamutMarker;
class GamutWireFrame;

// The OpenGL side of the gamut view: one shader program, and vertex buffers
// for the hull, for the axes with their grey scale, for a second gamut's
// wire frame and for a marked colour. Everything here needs the view's
// context current, construction and destruction included.
class GamutRenderer : protected QOpenGLFunctions
{
public:
    GamutRenderer();
    ~GamutRenderer();
    GamutRenderer(const GamutRenderer&) = delete;
    GamutRenderer& operator=(const GamutRenderer&) = delete;

    // False when the shaders cannot be built; nothing can be drawn then.
    bool isValid() const { return m_valid; }

    // Copies the geometry into the vertex buffers; an empty hull draws nothing.
    void upload(const GamutHull& hull, const GamutAxes& axes);
    // An empty wire frame, or a null marker, draws none.
    void uploadComparison(const GamutWireFrame& wireFrame);
    void uploadMarker(const GamutMarker* marker);
    void paint(const QMatrix4x4& modelView, const QMatrix4x4& projection);

private:
    void describeVertices(QOpenGLBuffer& buffer);
    void drawAxes();
    void drawHull();
    void drawComparison();
    void drawMarker(float opacity);

    QOpenGLShaderProgram m_program;
    QOpenGLBuffer m_hullVertices{QOpenGLBuffer::VertexBuffer};
    QOpenGLBuffer m_hullTriangles{QOpenGLBuffer::IndexBuffer};
    QOpenGLBuffer m_axesVertices{QOpenGLBuffer::VertexBuffer};
    QOpenGLBuffer m_wireVertices{QOpenGLBuffer::VertexBuffer};
    QOpenGLBuffer m_markerVertices{QOpenGLBuffer::VertexBuffer};
    QOpenGLVertexArrayObject m_hullArray;
    QOpenGLVertexArrayObject m_axesArray;
    QOpenGLVertexArrayObject m_wireArray;
    QOpenGLVertexArrayObject m_markerArray;
    int m_triangleIndexCount = 0;
    int m_lineVertexCount = 0;
    int m_greyScaleVertexCount = 0;
    int m_wireVertexCount = 0;
    int m_markerBodyVertexCount = 0;
    int m_markerOutlineVertexCount = 0;
    int m_labLocation = -1;
    int m_normalLocation = -1;
    int m_colourLocation = -1;
    bool m_valid = false;
};

#endif
