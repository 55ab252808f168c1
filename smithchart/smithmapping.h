#pragma once

#include <QPointF>
#include <QRectF>

#include <complex>

// Where reflection coefficients and impedances lie on a Smith chart drawn in a plane of
// pixels: the unit circle of the reflection coefficient has `unitRadius` pixels about
// `centre`, with the imaginary axis pointing up.
class SmithMapping
{
public:
    // A circle in the plane of the reflection coefficient.
    struct Circle
    {
        std::complex<double> centre;
        double radius = 0.0;
    };

    // A part of a circle: from `start` degrees, counter-clockwise from the positive real axis
    // as seen from the circle's centre, through `sweep` degrees (clockwise when negative).
    struct Arc
    {
        Circle circle;
        double start = 0.0;
        double sweep = 0.0;
    };

    // A square of the plane of the reflection coefficient, which a chart shows whole.
    struct Window
    {
        std::complex<double> centre;
        double halfSide = 1.0;
    };

    SmithMapping(const QPointF &centre, double unitRadius);

    // The chart that shows the window in the largest square that `area` holds, centred in it.
    static SmithMapping fitting(const QRectF &area, const Window &window);

    // (z - z0) / (z + z0); an infinite impedance (an open) is 1.
    static std::complex<double> reflectionOf(std::complex<double> impedance, double z0);
    // z0 (1 + gamma) / (1 - gamma); a gamma of 1 (an open) gives an infinite impedance.
    static std::complex<double> impedanceOf(std::complex<double> gamma, double z0);
    // The circles of constant normalised resistance r and reactance x, on which the chart's
    // grid lies; the reactance circle's arc inside the unit circle is the grid line.
    static Circle resistanceCircle(double r);
    static Circle reactanceCircle(double x);
    // The part of the reactance circle inside the unit circle: from the open to jx.
    static Arc reactanceArc(double x);

    QPointF toChart(std::complex<double> gamma) const;
    std::complex<double> toGamma(const QPointF &point) const;
    QRectF boundsOf(const Circle &circle) const; // the circle's bounding square on the chart
    // What of the plane an area of the chart shows, with the imaginary axis pointing up.
    QRectF gammaRect(const QRectF &area) const;
    QPointF centre() const { return m_centre; } // where gamma is 0
    double unitRadius() const { return m_unitRadius; }

private:
    QPointF m_centre;
    double m_unitRadius;
};
