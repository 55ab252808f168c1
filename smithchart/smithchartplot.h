#pragma once

#include <QString>

#include <optional>

// The Smith chart of a data file written as a picture (PNG), a drawing (SVG, PDF) or data
// (JSON), by the file's suffix, as the viewer's chart shows it when opened: the lowest
// frequency, the highest drive level; or, given a compression, the loads at that gain
// compression.
class SmithChartPlot
{
public:
    // An empty coefficient or quantity takes the first of the file; the quantity "none" draws
    // the points alone. Missing folders of the picture are made. False, with the reason in
    // `error`, when the file is refused, lacks the coefficient or the quantity, holds nothing to
    // find a compression with, or the picture cannot be written.
    static bool write(const QString &dataFile, const QString &coefficient, const QString &quantity,
                      std::optional<double> compression, const QString &pictureFile,
                      QString *error);
};
