#include "hugecomponent.h"

namespace {

constexpr int Megabyte = 1 << 20;

const QStringList ParameterNames = {QStringLiteral("AllowNonlinearDevices"),
                                    QStringLiteral("AvoidOutOfRangeData"),
                                    QStringLiteral("CalcAdmittance"),
                                    QStringLiteral("CalcGamma"),
                                    QStringLiteral("CalcImpedance"),
                                    QStringLiteral("ExtrapMode"),
                                    QStringLiteral("FileName"),
                                    QStringLiteral("FileType"),
                                    QStringLiteral("FreqVarName"),
                                    QStringLiteral("GammaDomain"),
                                    QStringLiteral("GammaHarmIndex"),
                                    QStringLiteral("GammaName"),
                                    QStringLiteral("GammaType"),
                                    QStringLiteral("GammaValue"),
                                    QStringLiteral("IndepVarName"),
                                    QStringLiteral("IndepVarUnitType"),
                                    QStringLiteral("IndepVarValue"),
                                    QStringLiteral("InterpDom"),
                                    QStringLiteral("InterpMode"),
                                    QStringLiteral("NUM"),
                                    QStringLiteral("PrfmParamAutoPlot"),
                                    QStringLiteral("PrfmParamName"),
                                    QStringLiteral("PrfmParamOutput"),
                                    QStringLiteral("PrfmParamType"),
                                    QStringLiteral("StatusLevel"),
                                    QStringLiteral("UseFrequencyRangeFromDataFiles"),
                                    QStringLiteral("Weight"),
                                    QStringLiteral("Z")};

// A megabyte of one character: a design variable name for the letters, a path for '/'.
QString huge(QChar c)
{
    return QString(Megabyte, c);
}

} // namespace

HostParameterLists::Parameters hugeComponent(const HostParameterLists::Parameters &normal)
{
    HostParameterLists::Parameters parameters;
    for (const QString &name : ParameterNames)
        parameters.insert(name, {huge(QLatin1Char('x'))});
    parameters.insert(QStringLiteral("FileName"), {huge(QLatin1Char('/'))});
    for (auto it = normal.cbegin(); it != normal.cend(); ++it)
        parameters.insert(it.key(), it.value());
    return parameters;
}
