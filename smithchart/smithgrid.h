#pragma once

#include "smithmapping.h"

#include <QLineF>
#include <QRectF>
#include <QString>

#include <vector>

// The grid of a Smith chart as much of it as a window shows: circles of constant resistance and
// arcs of constant reactance, the real axis and the rim. Showing the whole chart, the lines
// are the classic 0.2, 0.5, 1, 2 and 5; showing a part, each line steps from the one before by
// the round value (1, 2 or 5 times a power of ten) that sets them about LeastSpacing pixels
// apart where they cross the real axis or meet the rim, so that the steps grow towards the
// open as the lines crowd there; at most MostLines of each. Every line is cut to the window,
// with no clipping: vector drawings may ignore it.
class SmithGrid
{
public:
    static constexpr double ClassicValues[] = {0.2, 0.5, 1.0, 2.0, 5.0};
    static constexpr double LeastSpacing = 45.0;
    static constexpr int MostLines = 40;

    // A circle of constant resistance or an arc of constant reactance, normalised, in the
    // parts that the window shows.
    struct Line
    {
        double value = 0.0;
        bool reactance = false;
        std::vector<SmithMapping::Arc> parts;
        QString label() const;
    };

    // `visible`: the part of the plane of the reflection coefficient that the chart shows;
    // `extent`: the radius of the widened rim, beyond the unit circle, or 1.
    SmithGrid(const SmithMapping &mapping, const QRectF &visible, double extent);

    const std::vector<Line> &lines() const { return m_lines; }
    // The unit circle, and the widened rim when there is one, as far as they show.
    const std::vector<SmithMapping::Arc> &rim() const { return m_rim; }
    const std::vector<SmithMapping::Arc> &widenedRim() const { return m_widenedRim; }
    // The real axis inside the unit circle, as far as it shows; none when it does not.
    const std::vector<QLineF> &axis() const { return m_axis; }
    bool showsWhole() const { return m_whole; }

    // The parts of a circle's arc inside a rectangle of the plane.
    static std::vector<SmithMapping::Arc> cut(const SmithMapping::Arc &arc, const QRectF &rect);

private:
    void addSteppedLines(const SmithMapping &mapping);
    void addLines(const std::vector<double> &resistances, const std::vector<double> &reactances);

    QRectF m_visible;
    bool m_whole = false;
    std::vector<Line> m_lines;
    std::vector<SmithMapping::Arc> m_rim;
    std::vector<SmithMapping::Arc> m_widenedRim;
    std::vector<QLineF> m_axis;
};
