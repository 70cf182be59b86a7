#include "KxGamutView.h"

#include "GamutAxes.h"
#include "GamutMarker.h"
#include "GamutMonitor.h"
#include "GamutRenderer.h"
#include "GamutSolid.h"
#include "GamutWireFrame.h"
#include "KxModal.h"
#include "OpenGlAvailability.h"

#include <QContextMenuEvent>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QThread>
#include <QWheelEvent>

#include <cmath>
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
    , m_monitor(std::make_unique<GamutMonitor>(nullptr))
    , m_axes(std::make_unique<GamutAxes>(*m_monitor))
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

namespace {

QString fileNameOf(const QByteArray& path)
{
    return QFileInfo(QFile::decodeName(path)).fileName();
}

// Numbers read the same in every language of the program: a decimal point,
// as everywhere else in it, and thousands set apart by spaces, which no
// reader takes for a decimal sign.
QString decimal(double value)
{
    return QString::number(value, 'f', 1);
}

// A volume in cubic CIELAB units, rounded to thousands: the hull's samples
// and Argyll's differ by more than that.
QString thousands(double volume)
{
    QString digits = QString::number(std::llround(volume / 1000.0) * 1000);
    for (int at = int(digits.size()) - 3; at > (digits.startsWith(QLatin1Char('-')) ? 1 : 0); at -= 3)
        digits.insert(at, QChar(0x00A0));
    return digits;
}

} // namespace

int KxGamutView::fromICC(const char* profilePath, const char* monitorProfilePath)
{
    m_monitor = std::make_unique<GamutMonitor>(monitorProfilePath);
    m_axes = std::make_unique<GamutAxes>(*m_monitor);
    const bool loaded = m_hull.fromICC(profilePath, *m_monitor);
    m_profilePath = profilePath;
    m_volume = m_hull.volume();
    m_comparison.clear();
    m_marker.reset();
    if (!loaded || !m_gamutCheck.create(nullptr, profilePath))
        m_gamutCheck.close();
    m_message = loaded ? QString() : m_hull.whyNot();
    m_camera.reset();
    m_geometryChanged = true;
    update();
    return loaded ? 1 : 0;
}

bool KxGamutView::compareWith(const char* profilePath)
{
    m_whyNot.clear();
    if (m_hull.isEmpty()) {
        m_whyNot = tr("There is no gamut to compare with");
        return false;
    }
    GamutHull comparison;
    if (!comparison.fromICC(profilePath, *m_monitor)) {
        m_whyNot = comparison.whyNot();
        return false;
    }
    m_comparison = std::move(comparison);
    m_comparisonPath = profilePath;
    m_comparisonVolume = m_comparison.volume();
    m_comparisonShare = GamutSolid(m_comparison).shareInside(GamutSolid(m_hull));
    m_geometryChanged = true;
    updateWindowTitle();
    update();
    return true;
}

void KxGamutView::removeComparison()
{
    m_comparison.clear();
    m_comparisonPath.clear();
    m_comparisonShare = 0.0;
    m_geometryChanged = true;
    updateWindowTitle();
    update();
}

void KxGamutView::showColour(const QVector3D& lab)
{
    if (!std::isfinite(lab.x()) || !std::isfinite(lab.y()) || !std::isfinite(lab.z()))
        return;
    m_marker = std::make_unique<GamutMarker>(lab, *m_monitor);
    const double colour[3] = {lab.x(), lab.y(), lab.z()};
    const double difference = m_gamutCheck.difference(colour);
    m_markInside = difference >= 0.0 && !KxGamutCheck::isOutOfGamut(difference);
    m_geometryChanged = true;
    update();
}

std::optional<QVector3D> KxGamutView::markedColour() const
{
    return m_marker ? std::optional<QVector3D>(m_marker->lab()) : std::nullopt;
}

QStringList KxGamutView::figures() const
{
    QStringList lines;
    if (m_hull.isEmpty())
        return lines;
    const QString name = fileNameOf(m_profilePath);
    lines << tr("%1: %2 cubic Lab units").arg(name, thousands(m_volume));
    if (hasComparison()) {
        const QString compared = fileNameOf(m_comparisonPath);
        lines << tr("%1 (wire frame): %2 cubic Lab units").arg(compared, thousands(m_comparisonVolume));
        lines << tr("%1 % of %2 lies inside %3").arg(decimal(100.0 * m_comparisonShare), compared, name);
    }
    if (m_marker) {
        const QVector3D& lab = m_marker->lab();
        const QString where = m_markInside ? tr("L %1, a %2, b %3 lies inside %4")
                                           : tr("L %1, a %2, b %3 lies outside %4");
        lines << where.arg(decimal(lab.x()), decimal(lab.y()), decimal(lab.z()), name);
    }
    return lines;
}

void KxGamutView::updateWindowTitle()
{
    const QString name = fileNameOf(m_profilePath);
    window()->setWindowTitle(hasComparison()
                                 ? tr("%1 with %2 as wire frame").arg(name, fileNameOf(m_comparisonPath))
                                 : name);
}

void KxGamutView::contextMenuEvent(QContextMenuEvent* event)
{
    event->accept();
    QMenu menu(this);
    menu.addAction(tr("Compare with profile..."), this, &KxGamutView::chooseComparison)->setEnabled(hasGamut());
    menu.addAction(tr("Remove comparison"), this, &KxGamutView::removeComparison)->setEnabled(hasComparison());
    menu.addAction(tr("Show colour..."), this, &KxGamutView::chooseColour)->setEnabled(hasGamut());
    menu.exec(event->globalPos());
}

void KxGamutView::chooseComparison()
{
    const QString folder = QFileInfo(QFile::decodeName(m_profilePath)).absolutePath();
    const QString chosen =
        KxModal::current().getOpenFileName(this, tr("Choose an ICC profile to compare with"), folder);
    if (chosen.isNull() || compareWith(QFile::encodeName(chosen).constData()))
        return;
    KxMessage message;
    message.kind = KxMessage::Warning;
    message.parent = this;
    message.caption = tr("Compare with profile");
    message.text = m_whyNot;
    KxModal::current().message(message);
}

void KxGamutView::chooseColour()
{
    QVector3D lab = m_marker ? m_marker->lab() : m_startColour;
    if (KxModal::current().getLab(this, tr("Show colour"), lab))
        showColour(lab);
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
        m_renderer->uploadComparison(GamutWireFrame(m_comparison));
        m_renderer->uploadMarker(m_marker.get());
        m_geometryChanged = false;
    }
    m_renderer->paint(m_camera.modelView(), m_camera.projection(aspectRatio()));
    if (!m_renderer->isValid())
        m_message = tr("OpenGL cannot draw the gamut here");

    if (m_message.isEmpty()) {
        // One painter for all the text: each one costs a change of state.
        QPainter painter(this);
        painter.setRenderHint(QPainter::TextAntialiasing);
        drawLabels(painter);
        drawFigures(painter);
    } else {
        drawMessage();
    }
}

float KxGamutView::aspectRatio() const
{
    return height() > 0 ? float(width()) / float(height()) : 1.0f;
}

void KxGamutView::drawLabels(QPainter& painter)
{
    const QMatrix4x4 toClip = m_camera.projection(aspectRatio()) * m_camera.modelView();
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

namespace {

// Space round the figures' box and between its edge and the text, in pixels.
constexpr int FIGURES_MARGIN = 6;
constexpr int FIGURES_FLAGS = Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap;

// Each line of text as drawn within width, wrapped where it is longer.
QList<QRect> lineRects(const QStringList& lines, const QFontMetrics& metrics, int width)
{
    QList<QRect> rects;
    int top = 0;
    for (const QString& line : lines) {
        const QRect rect = metrics.boundingRect(QRect(0, top, width, 0), FIGURES_FLAGS, line);
        rects << rect;
        top = rect.bottom() + 1;
    }
    return rects;
}

} // namespace

QRect KxGamutView::figuresRect() const
{
    const QStringList lines = figures();
    if (lines.isEmpty())
        return QRect();
    const int textWidth = std::max(1, width() - 4 * FIGURES_MARGIN);
    QRect text;
    for (const QRect& rect : lineRects(lines, fontMetrics(), textWidth))
        text |= rect;
    const QSize box = text.size() + QSize(2 * FIGURES_MARGIN, 2 * FIGURES_MARGIN);
    return QRect(QPoint(FIGURES_MARGIN, height() - box.height() - FIGURES_MARGIN), box);
}

void KxGamutView::drawFigures(QPainter& painter)
{
    const QRect box = figuresRect();
    if (box.isEmpty())
        return;
    painter.fillRect(box, QColor(0, 0, 0, 140));
    painter.setPen(QColor(230, 230, 230));
    const QPoint origin = box.topLeft() + QPoint(FIGURES_MARGIN, FIGURES_MARGIN);
    const QStringList lines = figures();
    const QList<QRect> rects = lineRects(lines, painter.fontMetrics(), box.width() - 2 * FIGURES_MARGIN);
    for (qsizetype i = 0; i < lines.size(); ++i)
        painter.drawText(rects[i].translated(origin), FIGURES_FLAGS, lines[i]);
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
