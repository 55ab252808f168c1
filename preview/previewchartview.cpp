#include "previewchartview.h"

#include "smithchartrenderer.h"

#include <QPainter>

PreviewChartView::PreviewChartView(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(240, 240);
}

void PreviewChartView::setChart(std::shared_ptr<const SmithChartRenderer> renderer,
                                const QImage &picture)
{
    m_renderer = std::move(renderer);
    m_picture = picture;
    update();
}

QSize PreviewChartView::sizeHint() const
{
    return {520, 560};
}

void PreviewChartView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_picture.isNull())
        painter.drawImage(rect(), m_picture);
}

void PreviewChartView::resizeEvent(QResizeEvent *)
{
    emit resized();
}
