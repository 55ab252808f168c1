#include "smithchartview.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>

#include <algorithm>
#include <cmath>

namespace {

// The closest the wheel zooms in, and the farthest out, as the half side of the window.
constexpr double LeastHalfSide = 0.005;
constexpr double MostHalfSide = 4.0;
constexpr double FocusFrameWidth = 2.0;

} // namespace

SmithChartView::SmithChartView(QWidget *parent)
    : QWidget(parent)
    , m_window(m_renderer.window(m_view))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void SmithChartView::setContent(const SmithChartContent &content)
{
    m_renderer = SmithChartRenderer(content);
    showWindow(m_renderer.window(m_view));
}

void SmithChartView::setView(SmithChartRenderer::View view)
{
    m_view = view;
    showWindow(m_renderer.window(m_view));
}

void SmithChartView::showWindow(const SmithMapping::Window &window)
{
    m_window = window;
    m_picture = QPixmap();
    update();
    if (m_pointed)
        emit readoutChanged(m_renderer.readout(*m_pointed));
}

SmithMapping SmithChartView::mapping() const
{
    return m_renderer.mappingFor(rect(), QFontMetricsF(font()), m_window);
}

QSize SmithChartView::sizeHint() const
{
    return {520, 560};
}

QSize SmithChartView::minimumSizeHint() const
{
    return {240, 260};
}

void SmithChartView::paintEvent(QPaintEvent *)
{
    const qreal ratio = devicePixelRatioF();
    if (m_picture.size() != size() * ratio) {
        m_picture = QPixmap(size() * ratio);
        m_picture.setDevicePixelRatio(ratio);
        QPainter painter(&m_picture);
        painter.setFont(font());
        m_renderer.paint(painter, rect(), m_window);
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    if (m_marked && m_pointed) {
        const QPointF at = mapping().toChart(*m_pointed);
        painter.setPen(QPen(Qt::black, 1.0));
        painter.drawLine(at - QPointF(8, 0), at + QPointF(8, 0));
        painter.drawLine(at - QPointF(0, 8), at + QPointF(0, 8));
    }
    if (hasFocus()) {
        painter.setPen(QPen(palette().color(QPalette::Highlight), FocusFrameWidth));
        painter.setBrush(Qt::NoBrush);
        const double inset = FocusFrameWidth / 2.0;
        painter.drawRect(QRectF(rect()).adjusted(inset, inset, -inset, -inset));
    }
}

void SmithChartView::mouseMoveEvent(QMouseEvent *event)
{
    point(mapping().toGamma(event->pos()), false);
}

void SmithChartView::leaveEvent(QEvent *)
{
    if (!m_marked)
        point(std::nullopt, false);
}

void SmithChartView::keyPressEvent(QKeyEvent *event)
{
    const double step = event->modifiers() & Qt::ShiftModifier ? 10 * KeyStep : KeyStep;
    std::complex<double> move;
    switch (event->key()) {
    case Qt::Key_Left:
        move = -step;
        break;
    case Qt::Key_Right:
        move = step;
        break;
    case Qt::Key_Up:
        move = {0.0, step};
        break;
    case Qt::Key_Down:
        move = {0.0, -step};
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    point(m_pointed.value_or(0.0) + move, true);
}

// About the place under the pointer, which stays under it.
void SmithChartView::wheelEvent(QWheelEvent *event)
{
    const double steps = event->angleDelta().y() / 120.0;
    if (steps == 0.0)
        return;
    const SmithMapping before = mapping();
    const std::complex<double> pointer = before.toGamma(event->position());
    const double halfSide =
        std::clamp(m_window.halfSide * std::pow(WheelZoom, -steps), LeastHalfSide, MostHalfSide);
    const double factor = halfSide / m_window.halfSide;
    showWindow({pointer + (m_window.centre - pointer) * factor, halfSide});
    event->accept();
}

void SmithChartView::focusInEvent(QFocusEvent *event)
{
    QWidget::focusInEvent(event);
    update();
}

void SmithChartView::focusOutEvent(QFocusEvent *event)
{
    QWidget::focusOutEvent(event);
    update();
}

void SmithChartView::point(std::optional<std::complex<double>> gamma, bool marked)
{
    if (marked || m_marked)
        update();
    m_pointed = gamma;
    m_marked = marked;
    emit readoutChanged(gamma ? m_renderer.readout(*gamma) : QString());
}
