#include "smithchartview.h"

#include <QFontMetricsF>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

SmithChartView::SmithChartView(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
    setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
}

void SmithChartView::setContent(const SmithChartContent &content)
{
    m_renderer = SmithChartRenderer(content);
    m_picture = QPixmap();
    update();
    if (m_pointed)
        emit readoutChanged(m_renderer.readout(*m_pointed));
}

SmithMapping SmithChartView::mapping() const
{
    return m_renderer.mappingFor(rect(), QFontMetricsF(font()));
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
        m_renderer.paint(painter, rect());
    }
    QPainter painter(this);
    painter.drawPixmap(0, 0, m_picture);
    if (m_marked && m_pointed) {
        const QPointF at = mapping().toChart(*m_pointed);
        painter.setPen(QPen(Qt::black, 1.0));
        painter.drawLine(at - QPointF(8, 0), at + QPointF(8, 0));
        painter.drawLine(at - QPointF(0, 8), at + QPointF(0, 8));
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

void SmithChartView::point(std::optional<std::complex<double>> gamma, bool marked)
{
    if (marked || m_marked)
        update();
    m_pointed = gamma;
    m_marked = marked;
    emit readoutChanged(gamma ? m_renderer.readout(*gamma) : QString());
}
