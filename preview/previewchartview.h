#pragma once

#include <QPixmap>
#include <QWidget>

#include <memory>

class SmithChartRenderer;

// Paints a chart made elsewhere (on the preview's thread), fitted to the measured region; the
// picture is kept until the chart or the size changes.
class PreviewChartView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(PreviewChartView)

public:
    explicit PreviewChartView(QWidget *parent = nullptr);

    void setRenderer(std::shared_ptr<const SmithChartRenderer> renderer);
    const SmithChartRenderer *renderer() const { return m_renderer.get(); }
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    std::shared_ptr<const SmithChartRenderer> m_renderer;
    QPixmap m_picture;
};
