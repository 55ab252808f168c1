#include "smithchartview.h"

#include <QFontMetricsF>
#include <QPainter>

SmithChartView::SmithChartView(QWidget *parent)
    : QWidget(parent)
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void SmithChartView::setContent(const SmithChartContent &content)
{
    m_renderer = SmithChartRenderer(content);
    update();
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
    QPainter painter(this);
    m_renderer.paint(painter, rect());
}
