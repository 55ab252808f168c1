#pragma once

#include "smithmapping.h"

#include <QSize>
#include <QString>
#include <QStringList>

class SmithChartRenderer;

// A Smith chart written to a file, in the form its suffix names (in any letter case): a PNG
// picture of Size pixels; an SVG or PDF vector drawing of the same chart, at the same size
// (96 pixels to the inch); or JSON data (SmithChartJson).
class SmithChartExport
{
public:
    static constexpr QSize Size{800, 800};

    static QStringList suffixes();
    static bool knowsSuffixOf(const QString &file);
    // The window of the plane that a picture or drawing shows. Missing folders of the file are
    // made. False, with the reason in `error`, when the file cannot be written or its suffix
    // names no known form.
    static bool write(const SmithChartRenderer &renderer, const SmithMapping::Window &window,
                      const QString &file, QString *error);
};
