#pragma once

#include <QImage>
#include <QWidget>

#include <memory>

class SmithChartRenderer;

// Shows a chart painted elsewhere (on the preview's thread), so that a chart of many points
// never holds up the editor; until a picture of its new size comes, it stretches the last.
class PreviewChartView final : public QWidget
{
    Q_OBJECT
    Q_DISABLE_COPY(PreviewChartView)

public:
    explicit PreviewChartView(QWidget *parent = nullptr);

    void setChart(std::shared_ptr<const SmithChartRenderer> renderer, const QImage &picture);
    const std::shared_ptr<const SmithChartRenderer> &shared() const { return m_renderer; }
    QSize sizeHint() const override;

signals:
    void resized();

protected:
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    std::shared_ptr<const SmithChartRenderer> m_renderer;
    QImage m_picture;
};
