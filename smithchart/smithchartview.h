#pragma once

#include "smithchartrenderer.h"

#include <QPixmap>
#include <QWidget>

#include <complex>
#include <optional>

// A widget that paints one Smith chart, filling itself, and reads it out where the pointer
// is: gamma, the impedance and the contoured quantities there. It opens at the measured region
// or at the whole chart; the mouse wheel zooms about the pointer. On a focused chart, which a
// frame marks, the arrow keys move a mark from which the read-out is taken instead (shift for
// larger steps).
class SmithChartView final : public QWidget
{
    Q_OBJECT

public:
    // How far an arrow key moves the mark, in gamma; ten times as far with shift.
    static constexpr double KeyStep = 0.01;
    // How much one step of the wheel zooms in (or, turned back, out).
    static constexpr double WheelZoom = 1.25;

    explicit SmithChartView(QWidget *parent = nullptr);

    // A new chart opens at the view's window: the measured region or the whole chart.
    void setContent(const SmithChartContent &content);
    void setView(SmithChartRenderer::View view);
    const SmithChartRenderer &renderer() const { return m_renderer; }
    // Where the chart lies in the widget as it is now.
    SmithMapping mapping() const;
    // Where the read-out is taken; nothing when the pointer left and no key moved the mark.
    std::optional<std::complex<double>> pointed() const { return m_pointed; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    // The read-out at the place pointed at; empty when nothing is pointed at.
    void readoutChanged(const QString &readout);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    void point(std::optional<std::complex<double>> gamma, bool marked);
    void showWindow(const SmithMapping::Window &window);

    SmithChartRenderer m_renderer;
    SmithChartRenderer::View m_view = SmithChartRenderer::View::Data;
    SmithMapping::Window m_window;
    // The chart as last painted: moving the pointer or the mark paints it again unchanged.
    QPixmap m_picture;
    std::optional<std::complex<double>> m_pointed;
    bool m_marked = false; // the arrow keys put the read-out there
};
