#include "GamutRenderer.h"

#include "GamutAxes.h"
#include "GamutHull.h"
#include "GamutMarker.h"
#include "GamutWireFrame.h"

#include <cstddef>

namespace {

const char* const VERTEX_SHADER = R"(
attribute vec3 lab;
attribute vec3 normal;
attribute vec3 colour;
uniform mat4 modelView;
uniform mat4 projection;
uniform mat3 normalMatrix;
varying vec3 eyePosition;
varying vec3 eyeNormal;
varying vec3 vertexColour;
void main()
{
    vec4 eye = modelView * vec4(lab, 1.0);
    eyePosition = eye.xyz;
    eyeNormal = normalMatrix * normal;
    vertexColour = colour;
    gl_Position = projection * eye;
}
)";

// One light above and to the left of the viewer, with some ambient light so
// that faces turned away keep their colour, and a soft highlight.
const char* const FRAGMENT_SHADER = R"(
#ifdef GL_ES
precision mediump float;
#endif
uniform bool lit;
uniform float opacity;
varying vec3 eyePosition;
varying vec3 eyeNormal;
varying vec3 vertexColour;
void main()
{
    if (!lit) {
        gl_FragColor = vec4(vertexColour, opacity);
        return;
    }
    vec3 n = normalize(eyeNormal);
    if (!gl_FrontFacing)
        n = -n;
    vec3 toLight = normalize(vec3(-0.4, 0.7, 1.0));
    vec3 toEye = normalize(-eyePosition);
    float diffuse = max(dot(n, toLight), 0.0);
    float highlight = pow(max(dot(reflect(-toLight, n), toEye), 0.0), 24.0);
    gl_FragColor = vec4(vertexColour * (0.4 + 0.6 * diffuse) + vec3(0.2 * highlight), opacity);
}
)";

const QVector3D Background(0.22f, 0.22f, 0.24f);
constexpr float HULL_OPACITY = 0.85f;
// A marked colour is drawn a second time over everything, so that it stays
// visible inside the solid, where the solid veils its first drawing.
constexpr float MARKER_OVERLAY_OPACITY = 0.6f;

} // namespace

GamutRenderer::GamutRenderer()
{
    initializeOpenGLFunctions();
    m_valid = m_program.addShaderFromSourceCode(QOpenGLShader::Vertex, VERTEX_SHADER)
        && m_program.addShaderFromSourceCode(QOpenGLShader::Fragment, FRAGMENT_SHADER)
        && m_program.link();
    if (!m_valid)
        return;
    m_labLocation = m_program.attributeLocation("lab");
    m_normalLocation = m_program.attributeLocation("normal");
    m_colourLocation = m_program.attributeLocation("colour");
    for (QOpenGLVertexArrayObject* array : {&m_hullArray, &m_axesArray, &m_wireArray, &m_markerArray})
        array->create();
    for (QOpenGLBuffer* buffer : {&m_hullVertices, &m_hullTriangles, &m_axesVertices, &m_wireVertices, &m_markerVertices})
        buffer->create();
}

GamutRenderer::~GamutRenderer() = default;

void GamutRenderer::describeVertices(QOpenGLBuffer& buffer)
{
    buffer.bind();
    const int stride = int(sizeof(GamutVertex));
    m_program.enableAttributeArray(m_labLocation);
    m_program.setAttributeBuffer(m_labLocation, GL_FLOAT, int(offsetof(GamutVertex, lab)), 3, stride);
    if (m_normalLocation >= 0) {
        m_program.enableAttributeArray(m_normalLocation);
        m_program.setAttributeBuffer(m_normalLocation, GL_FLOAT, int(offsetof(GamutVertex, normal)), 3, stride);
    }
    m_program.enableAttributeArray(m_colourLocation);
    m_program.setAttributeBuffer(m_colourLocation, GL_FLOAT, int(offsetof(GamutVertex, colour)), 3, stride);
}

void GamutRenderer::upload(const GamutHull& hull, const GamutAxes& axes)
{
    if (!m_valid)
        return;
    m_program.bind();

    const std::vector<GamutVertex>& vertices = hull.vertices();
    const std::vector<std::uint32_t>& triangles = hull.triangles();
    m_hullVertices.bind();
    m_hullVertices.allocate(vertices.data(), int(vertices.size() * sizeof(GamutVertex)));
    m_hullTriangles.bind();
    m_hullTriangles.allocate(triangles.data(), int(triangles.size() * sizeof(std::uint32_t)));
    m_triangleIndexCount = int(triangles.size());

    // Lines first, then the grey scale's triangles, in one buffer.
    std::vector<GamutVertex> reference = axes.lines();
    reference.insert(reference.end(), axes.greyScale().begin(), axes.greyScale().end());
    m_axesVertices.bind();
    m_axesVertices.allocate(reference.data(), int(reference.size() * sizeof(GamutVertex)));
    m_lineVertexCount = int(axes.lines().size());
    m_greyScaleVertexCount = int(axes.greyScale().size());

    // Where vertex arrays are available they remember the layout; otherwise
    // it is described again before each draw.
    if (m_hullArray.isCreated()) {
        QOpenGLVertexArrayObject::Binder binder(&m_hullArray);
        describeVertices(m_hullVertices);
        m_hullTriangles.bind();
    }
    if (m_axesArray.isCreated()) {
        QOpenGLVertexArrayObject::Binder binder(&m_axesArray);
        describeVertices(m_axesVertices);
    }
    m_program.release();
}

void GamutRenderer::uploadComparison(const GamutWireFrame& wireFrame)
{
    if (!m_valid)
        return;
    m_program.bind();
    const std::vector<GamutVertex>& lines = wireFrame.lines();
    m_wireVertices.bind();
    m_wireVertices.allocate(lines.data(), int(lines.size() * sizeof(GamutVertex)));
    m_wireVertexCount = int(lines.size());
    if (m_wireArray.isCreated()) {
        QOpenGLVertexArrayObject::Binder binder(&m_wireArray);
        describeVertices(m_wireVertices);
    }
    m_program.release();
}

void GamutRenderer::uploadMarker(const GamutMarker* marker)
{
    if (!m_valid)
        return;
    m_program.bind();
    // The sphere first, then its outline, in one buffer.
    std::vector<GamutVertex> vertices;
    if (marker) {
        vertices = marker->body();
        vertices.insert(vertices.end(), marker->outline().begin(), marker->outline().end());
    }
    m_markerVertices.bind();
    m_markerVertices.allocate(vertices.data(), int(vertices.size() * sizeof(GamutVertex)));
    m_markerBodyVertexCount = marker ? int(marker->body().size()) : 0;
    m_markerOutlineVertexCount = marker ? int(marker->outline().size()) : 0;
    if (m_markerArray.isCreated()) {
        QOpenGLVertexArrayObject::Binder binder(&m_markerArray);
        describeVertices(m_markerVertices);
    }
    m_program.release();
}

void GamutRenderer::paint(const QMatrix4x4& modelView, const QMatrix4x4& projection)
{
    glClearColor(Background.x(), Background.y(), Background.z(), 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (!m_valid || m_triangleIndexCount == 0)
        return;

    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glDisable(GL_BLEND);
    glDisable(GL_CULL_FACE);

    m_program.bind();
    m_program.setUniformValue("modelView", modelView);
    m_program.setUniformValue("projection", projection);
    m_program.setUniformValue("normalMatrix", modelView.normalMatrix());
    drawAxes();
    drawComparison();
    drawMarker(1.0f);
    drawHull();
    if (m_markerBodyVertexCount > 0) {
        glClear(GL_DEPTH_BUFFER_BIT);
        drawMarker(MARKER_OVERLAY_OPACITY);
    }
    m_program.release();
    glDisable(GL_DEPTH_TEST);
}

void GamutRenderer::drawAxes()
{
    QOpenGLVertexArrayObject::Binder binder(&m_axesArray);
    if (!m_axesArray.isCreated())
        describeVertices(m_axesVertices);
    m_program.setUniformValue("lit", false);
    glDrawArrays(GL_LINES, 0, m_lineVertexCount);
    m_program.setUniformValue("lit", true);
    m_program.setUniformValue("opacity", 1.0f);
    glDrawArrays(GL_TRIANGLES, m_lineVertexCount, m_greyScaleVertexCount);
}

void GamutRenderer::drawHull()
{
    QOpenGLVertexArrayObject::Binder binder(&m_hullArray);
    if (!m_hullArray.isCreated()) {
        describeVertices(m_hullVertices);
        m_hullTriangles.bind();
    }
    // Slightly see-through, so that the grey scale shows inside the solid:
    // the far side first, then the near side over it.
    m_program.setUniformValue("lit", true);
    m_program.setUniformValue("opacity", HULL_OPACITY);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glDepthMask(GL_FALSE);
    glEnable(GL_CULL_FACE);
    for (GLenum side : {GL_FRONT, GL_BACK}) {
        glCullFace(side);
        glDrawElements(GL_TRIANGLES, m_triangleIndexCount, GL_UNSIGNED_INT, nullptr);
    }
    glDisable(GL_CULL_FACE);
    glDepthMask(GL_TRUE);
    glDisable(GL_BLEND);
}

void GamutRenderer::drawComparison()
{
    if (m_wireVertexCount == 0)
        return;
    QOpenGLVertexArrayObject::Binder binder(&m_wireArray);
    if (!m_wireArray.isCreated())
        describeVertices(m_wireVertices);
    // Drawn before the solid: where the solid lies in front, it veils the lines.
    m_program.setUniformValue("lit", false);
    glDrawArrays(GL_LINES, 0, m_wireVertexCount);
}

void GamutRenderer::drawMarker(float opacity)
{
    if (m_markerBodyVertexCount == 0)
        return;
    QOpenGLVertexArrayObject::Binder binder(&m_markerArray);
    if (!m_markerArray.isCreated())
        describeVertices(m_markerVertices);
    if (opacity < 1.0f) {
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }
    m_program.setUniformValue("opacity", opacity);
    glEnable(GL_CULL_FACE);
    // The white shell from the inside: only its rim shows round the sphere.
    m_program.setUniformValue("lit", false);
    glCullFace(GL_FRONT);
    glDrawArrays(GL_TRIANGLES, m_markerBodyVertexCount, m_markerOutlineVertexCount);
    m_program.setUniformValue("lit", true);
    glCullFace(GL_BACK);
    glDrawArrays(GL_TRIANGLES, 0, m_markerBodyVertexCount);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
}
