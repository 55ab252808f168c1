#pragma once

#include "conditionpreview.h"
#include "parameterlist.h"

#include <QStringList>

namespace LoadPullStateUtils {
class DBLPCState;
}

// What the preview charts, taken from what the editor holds: the listed files, each held
// variable's value, the interpolation choices and the quantities marked for output. The
// editor's records, or the component's stored texts read as the editor reads them.
struct PreviewSettings
{
    QStringList files;
    QString frequencyName;
    QStringList marked;               // the quantities marked for output
    ConditionPreview::Settings chart; // contours none until a caller chooses

    static PreviewSettings fromState(const LoadPullStateUtils::DBLPCState &state);
    static PreviewSettings fromParameters(const LoadPullStateUtils::ParameterMap &stored);
};
