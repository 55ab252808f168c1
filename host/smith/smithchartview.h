#pragma once

#include "smithchartrenderer.h"

#include <QWidget>

// A widget that paints one Smith chart, filling itself.
class SmithChartView final : public QWidget
{
    Q_OBJECT

public:
    explicit SmithChartView(QWidget *parent = nullptr);

    void setContent(const SmithChartContent &content);
    const SmithChartRenderer &renderer() const { return m_renderer; }
    // Where the chart lies in the widget as it is now.
    SmithMapping mapping() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    SmithChartRenderer m_renderer;
};
