#ifndef GAMUTRENDERER_H
#define GAMUTRENDERER_H

#include <QMatrix4x4>
#include <QOpenGLBuffer>
#include <QOpenGLFunctions>
#include <QOpenGLShaderProgram>
#include <QOpenGLVertexArrayObject>

class GamutAxes;
class GamutHull;

// The OpenGL side of the gamut view: one shader program, and vertex buffers
// for the hull and for the axes with their grey scale. Everything here
// needs the view's context current, construction and destruction included.
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
    void paint(const QMatrix4x4& modelView, const QMatrix4x4& projection);

private:
    void describeVertices(QOpenGLBuffer& buffer);
    void drawAxes();
    void drawHull();

    QOpenGLShaderProgram m_program;
    QOpenGLBuffer m_hullVertices{QOpenGLBuffer::VertexBuffer};
    QOpenGLBuffer m_hullTriangles{QOpenGLBuffer::IndexBuffer};
    QOpenGLBuffer m_axesVertices{QOpenGLBuffer::VertexBuffer};
    QOpenGLVertexArrayObject m_hullArray;
    QOpenGLVertexArrayObject m_axesArray;
    int m_triangleIndexCount = 0;
    int m_lineVertexCount = 0;
    int m_greyScaleVertexCount = 0;
    int m_labLocation = -1;
    int m_normalLocation = -1;
    int m_colourLocation = -1;
    bool m_valid = false;
};

#endif
