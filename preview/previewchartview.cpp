#include "previewchartview.h"

#include "smithchartrenderer.h"

#include <QPainter>

PreviewChartView::PreviewChartView(QWidget *parent)
    : QWidget(parent)
{
    setMinimumSize(240, 240);
}

void PreviewChartView::setRenderer(std::shared_ptr<const SmithChartRenderer> renderer)
{
    m_renderer = std::move(renderer);
    m_picture = QPixmap();
    update();
}

QSize PreviewChartView::sizeHint() const
{
    return {520, 560};
}

void PreviewChartView::paintEvent(QPaintEvent *)
{
    if (m_picture.size() != size() * devicePixelRatioF()) {
        m_picture = QPixmap(size() * devicePixelRatioF());
        m_picture.setDevicePixelRatio(devicePixelRatioF());
        m_picture.fill(palette().base().color());
        if (m_renderer) {
            QPainter painter(&m_picture);
            m_renderer->paint(painter, rect(), m_renderer->window(SmithChartRenderer::View::Data));
        }
    }
    QPainter(this).drawPixmap(0, 0, m_picture);
}
