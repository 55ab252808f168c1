#pragma once

#include "smithchartrenderer.h"

#include <QPixmap>
#include <QWidget>

#include <complex>
#include <optional>

// A widget that paints one Smith chart, filling itself, and reads it out where the pointer
// is: gamma, the impedance and the contoured quantity there. On a focused chart the arrow keys
// move a mark from which the read-out is taken instead (shift for larger steps).
class SmithChartView final : public QWidget
{
    Q_OBJECT

public:
    // How far an arrow key moves the mark, in gamma; ten times as far with shift.
    static constexpr double KeyStep = 0.01;

    explicit SmithChartView(QWidget *parent = nullptr);

    void setContent(const SmithChartContent &content);
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

private:
    void point(std::optional<std::complex<double>> gamma, bool marked);

    SmithChartRenderer m_renderer;
    // The chart as last painted: moving the pointer or the mark paints it again unchanged.
    QPixmap m_picture;
    std::optional<std::complex<double>> m_pointed;
    bool m_marked = false; // the arrow keys put the read-out there
};
