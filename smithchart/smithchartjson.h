#pragma once

#include <QByteArray>

#include <utility>
#include <vector>

class SmithChartRenderer;

// A Smith chart as data for scripts, in JSON (UTF-8): what it shows (the coefficient, the
// frequency, the drive level or compression, the quantity), the points with their values, the
// triangles between them, the contour levels and segments, the highest value and the note.
// Numbers are written in their shortest form that reads back as the same double; a value that
// is not finite is null. docs/smith-chart.md describes every key.
class SmithChartJson
{
public:
    // Members a caller writes in place of the chart's own "condition", last in the object: each
    // a name and its value as compact JSON.
    using Members = std::vector<std::pair<const char *, QByteArray>>;

    static QByteArray of(const SmithChartRenderer &renderer, const Members &ownCondition = {});
};
