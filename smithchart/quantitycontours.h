#pragma once

#include "measuredmesh.h"
#include "smithchartcontent.h"

#include <QLineF>
#include <QString>

#include <complex>
#include <memory>
#include <optional>
#include <vector>

// The contours of one quantity over the triangles between the points where it is finite: the
// levels of its step (ContourLevels), each traced across the triangles it crosses, and its
// highest value. Why there are none, when there are none.
class QuantityContours
{
public:
    enum class Contouring { NoFiniteValues, Constant, SpanTooWide, OnOneLine, Drawn };

    struct Contour
    {
        double level = 0.0;
        std::vector<QLineF> segments; // in the plane of the reflection coefficient
    };

    // `mesh`: the triangles between the points where the quantity's values are finite.
    QuantityContours(const SmithChartContent::Quantity &quantity,
                     std::shared_ptr<const MeasuredMesh> mesh,
                     const SmithChartContent::Levels &levels = {});

    const QString &name() const { return m_name; }
    const QString &unit() const { return m_unit; }
    const MeasuredMesh &mesh() const { return *m_mesh; }
    // Every level of the step between the lowest and highest value, and the contours of those
    // that cross a triangle.
    const std::vector<double> &levels() const { return m_levels; }
    const std::vector<Contour> &contours() const { return m_contours; }
    // The highest value's point, as a position in the content's gammas; none when the values
    // are all one or none is finite.
    std::optional<int> maximum() const { return m_maximum; }
    double maximumValue() const { return m_maximumValue; }
    Contouring contouring() const { return m_contouring; }
    // Linear inside each triangle, as the contours take it; nothing outside them.
    std::optional<double> valueAt(std::complex<double> gamma) const;
    // What the contours show, e.g. "Pout contours every 1 dB; highest 39.9 dBm at -0.55 + j0.12".
    QString note(const std::vector<std::complex<double>> &gammas) const;

private:
    void traceLevels(const SmithChartContent::Levels &levels, double lowest, double highest);

    QString m_name;
    QString m_unit;
    std::shared_ptr<const MeasuredMesh> m_mesh;
    std::vector<double> m_values; // at the mesh's points
    std::vector<double> m_levels;
    std::vector<Contour> m_contours;
    double m_step = 0.0;
    bool m_levelsNamed = false; // the levels were chosen, not stepped
    std::optional<int> m_maximum;
    double m_maximumValue = 0.0;
    Contouring m_contouring = Contouring::NoFiniteValues;
};
