#pragma once

#include <QSize>
#include <QString>

// The Smith chart of a data file written as a PNG picture, as the viewer's chart shows it when
// opened: the first frequency, the highest drive level.
class SmithChartPlot
{
public:
    static constexpr QSize Size{800, 800};

    // An empty coefficient or quantity takes the first of the file; the quantity "none" draws
    // the points alone. Missing folders of the picture are made. False, with the reason in
    // `error`, when the file is refused, lacks the coefficient or the quantity, or the picture
    // cannot be written.
    static bool write(const QString &dataFile, const QString &coefficient, const QString &quantity,
                      const QString &pictureFile, QString *error);
};
