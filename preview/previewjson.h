#pragma once

#include "conditionpreview.h"

#include <QByteArray>

class SmithChartRenderer;

// The preview as data for scripts: the chart's JSON (SmithChartJson) and two keys more,
// "condition" (the values charted, the file and the notes) and "between" (the measured
// conditions weighed in, each with its weight). docs/preview.md describes them.
class PreviewJson
{
public:
    static QByteArray of(const SmithChartRenderer &renderer, const ConditionPreview::Chart &chart,
                         const QString &file);
};
