#pragma once

#include <QMetaType>
#include <QString>
#include <QStringList>

namespace LoadPullStateUtils {

// Each enumeration is a plain int with a table of display texts; a value outside the
// table is legal and has no text. The fixed underlying type keeps such values defined.

enum LoadPullFileType : int {
    NoFileType = 0,
    MauryFileType = 1,
    DatasetFileType = 2,
    FocusFileType = 3
};

enum InterpolationMethod : int {
    LinearInterpolation = 0,
    CubicSplineInterpolation = 1,
    CubicInterpolation = 2
};

// A choice the component stores in a text the editor does not offer: the box shows that text,
// and it goes back as stored.
constexpr int KeptChoice = -1;

enum InterpolationDomain : int { RectangularDomain = 0, PolarDomain = 1 };

enum ExtrapolationMethod : int { InterpolationModeExtrapolation = 0, ConstantExtrapolation = 1 };

enum GammaType : int { UnknownGamma = 0, LoadGamma = 1, SourceGamma = 2 };

enum GammaDomain : int {
    RectRealDomain = 0,
    RectImagDomain = 1,
    PolarMagDomain = 2,
    PolarPhaseDomain = 3
};

// The display text of a value; empty for a value without one.
QString toText(LoadPullFileType value);
QString toText(InterpolationMethod value);
QString toText(InterpolationDomain value);
QString toText(ExtrapolationMethod value);
QString toText(GammaType value);
QString toText(GammaDomain value);

// The value whose display text equals text exactly (case-sensitive); 0 for any other
// text. Exists for the enumerations whose texts come back from the host.
template<typename Enumeration> Enumeration fromText(const QString &text) = delete;
template<> LoadPullFileType fromText<LoadPullFileType>(const QString &text);
template<> InterpolationMethod fromText<InterpolationMethod>(const QString &text);
template<> InterpolationDomain fromText<InterpolationDomain>(const QString &text);
template<> ExtrapolationMethod fromText<ExtrapolationMethod>(const QString &text);

// The texts offered in combo boxes and pull-downs, in ascending value order. For file
// types these are the supported types only.
template<typename Enumeration> QStringList texts() = delete;
template<> QStringList texts<LoadPullFileType>();
template<> QStringList texts<InterpolationMethod>();
template<> QStringList texts<InterpolationDomain>();
template<> QStringList texts<ExtrapolationMethod>();
template<> QStringList texts<GammaDomain>();

// The file types that the editor works on: Maury alone.
QStringList supportedFileTypeTexts();

// The file type the editor works with for a component parameter's text: for a text other than
// a supported type, the Maury settings.
LoadPullFileType fileTypeFromParameter(const QString &text);
// What the user is told of a file type text the editor does not offer; empty for one it does.
QString unsupportedFileTypeMessage(const QString &text);

// Flags travel to and from the host as "yes" and "no"; readYesNo reads them back.
QString yesNoText(bool flag);

// The value type of a performance quantity: "Complex" or "Real".
QString valueTypeText(bool isComplex);

} // namespace LoadPullStateUtils

Q_DECLARE_METATYPE(LoadPullStateUtils::LoadPullFileType)
