#pragma once

#include <QString>

// The names of the component parameters that the editor reads and writes.
namespace ParameterNames {

inline const QString FileType = QStringLiteral("FileType");
inline const QString FileName = QStringLiteral("FileName");
inline const QString FreqVarName = QStringLiteral("FreqVarName");
inline const QString IndepVarName = QStringLiteral("IndepVarName");
inline const QString IndepVarValue = QStringLiteral("IndepVarValue");
inline const QString IndepVarUnitType = QStringLiteral("IndepVarUnitType");
inline const QString GammaName = QStringLiteral("GammaName");
inline const QString GammaType = QStringLiteral("GammaType");
inline const QString GammaDomain = QStringLiteral("GammaDomain");
inline const QString GammaValue = QStringLiteral("GammaValue");
inline const QString GammaHarmIndex = QStringLiteral("GammaHarmIndex");
inline const QString PrfmParamName = QStringLiteral("PrfmParamName");
inline const QString PrfmParamOutput = QStringLiteral("PrfmParamOutput");
inline const QString PrfmParamAutoPlot = QStringLiteral("PrfmParamAutoPlot");
inline const QString PrfmParamType = QStringLiteral("PrfmParamType");
inline const QString InterpMode = QStringLiteral("InterpMode");
inline const QString InterpDom = QStringLiteral("InterpDom");
inline const QString ExtrapMode = QStringLiteral("ExtrapMode");
inline const QString NUM = QStringLiteral("NUM");
inline const QString Z = QStringLiteral("Z");
inline const QString UseFrequencyRangeFromDataFiles =
    QStringLiteral("UseFrequencyRangeFromDataFiles");
inline const QString CalcGamma = QStringLiteral("CalcGamma");
inline const QString CalcAdmittance = QStringLiteral("CalcAdmittance");
inline const QString CalcImpedance = QStringLiteral("CalcImpedance");
inline const QString StatusLevel = QStringLiteral("StatusLevel");
inline const QString AllowNonlinearDevices = QStringLiteral("AllowNonlinearDevices");
inline const QString AvoidOutOfRangeData = QStringLiteral("AvoidOutOfRangeData");
inline const QString Weight = QStringLiteral("Weight");

} // namespace ParameterNames
