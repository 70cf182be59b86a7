#include "KxGamutView.h"

#include "GamutAxes.h"
#include "GamutMonitor.h"
#include "GamutRenderer.h"
#include "OpenGlAvailability.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>
#include <QWheelEvent>

#include <optional>

bool KxGamutView::supported()
{
    static std::optional<bool> answer;
    if (!answer) {
        // Without a GUI application there is nothing to ask yet; the answer
        // is only remembered once it could be found out.
        auto* application = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
        if (!application || QThread::currentThread() != application->thread())
            return false;
        answer = OpenGlAvailability::widgetsCanBeShown();
    }
    return *answer;
}

KxGamutView::KxGamutView(QWidget* parent, const char* name)
    : QOpenGLWidget(parent)
    , m_axes(std::make_unique<GamutAxes>(GamutMonitor(nullptr)))
    , m_message(tr("No profile chosen"))
{
    if (name)
        setObjectName(QString::fromLatin1(name));
    setMinimumSize(100, 100);
}

KxGamutView::~KxGamutView()
{
    // The base class destroys the context after this object is gone.
    if (context())
        disconnect(context(), nullptr, this, nullptr);
    releaseRenderer();
}

int KxGamutView::fromICC(const char* profilePath, const char* monitorProfilePath)
{
    const GamutMonitor monitor(monitorProfilePath);
    m_axes = std::make_unique<GamutAxes>(monitor);
    const bool loaded = m_hull.fromICC(profilePath, monitor);
    m_message = loaded ? QString() : m_hull.errorText();
    m_camera.reset();
    m_geometryChanged = true;
    update();
    return loaded ? 1 : 0;
}

void KxGamutView::releaseRenderer()
{
    if (!m_renderer)
        return;
    // The buffers and the shader program belong to this view's context.
    makeCurrent();
    m_renderer.reset();
    doneCurrent();
    m_geometryChanged = true;
}

void KxGamutView::initializeGL()
{
    // A new context (the view moved to another window) needs new buffers;
    // the old ones go while their context still exists.
    connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, &KxGamutView::releaseRenderer,
            Qt::UniqueConnection);
    m_renderer = std::make_unique<GamutRenderer>();
    m_geometryChanged = true;
}

void KxGamutView::paintGL()
{
    if (!m_renderer)
        return;
    if (m_geometryChanged) {
        m_renderer->upload(m_hull, *m_axes);
        m_geometryChanged = false;
    }
    m_renderer->paint(m_camera.modelView(), m_camera.projection(aspectRatio()));
    if (!m_renderer->isValid())
        m_message = tr("OpenGL cannot draw the gamut here");

    if (m_message.isEmpty())
        drawLabels();
    else
        drawMessage();
}

float KxGamutView::aspectRatio() const
{
    return height() > 0 ? float(width()) / float(height()) : 1.0f;
}

void KxGamutView::drawLabels()
{
    const QMatrix4x4 toClip = m_camera.projection(aspectRatio()) * m_camera.modelView();
    QPainter painter(this);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setPen(QColor(230, 230, 230));
    const QFontMetrics metrics(painter.font());
    for (const GamutAxes::Label& label : m_axes->labels()) {
        const QVector4D clip = toClip * QVector4D(label.lab, 1.0f);
        if (clip.w() <= 0.0f)
            continue; // behind the viewer
        const float x = (clip.x() / clip.w() + 1.0f) * 0.5f * float(width());
        const float y = (1.0f - clip.y() / clip.w()) * 0.5f * float(height());
        const QRect box = metrics.boundingRect(label.text);
        painter.drawText(QPointF(x - box.width() / 2.0, y + metrics.ascent() / 2.0), label.text);
    }
}

void KxGamutView::drawMessage()
{
    QPainter painter(this);
    painter.setPen(QColor(230, 230, 230));
    painter.drawText(rect().adjusted(8, 8, -8, -8), Qt::AlignCenter | Qt::TextWordWrap, m_message);
}

void KxGamutView::mousePressEvent(QMouseEvent* event)
{
    m_dragFrom = event->position().toPoint();
    event->accept();
}

void KxGamutView::mouseMoveEvent(QMouseEvent* event)
{
    if (!(event->buttons() & Qt::LeftButton))
        return;
    const QPoint here = event->position().toPoint();
    m_camera.rotateBy(QPointF(here - m_dragFrom));
    m_dragFrom = here;
    event->accept();
    update();
}

void KxGamutView::mouseDoubleClickEvent(QMouseEvent* event)
{
    m_camera.reset();
    event->accept();
    update();
}

void KxGamutView::wheelEvent(QWheelEvent* event)
{
    m_camera.zoomBy(event->angleDelta().y());
    event->accept();
    update();
}
