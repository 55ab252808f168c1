#include "enumerations.h"

#include "elidedtext.h"

#include <QCoreApplication>
#include <QMap>

namespace LoadPullStateUtils {

namespace {

using TextTable = QMap<int, QString>;

template<typename Enumeration> const TextTable &table();

template<> const TextTable &table<LoadPullFileType>()
{
    static const TextTable texts{{MauryFileType, QStringLiteral("Maury")},
                                 {DatasetFileType, QStringLiteral("Dataset")},
                                 {FocusFileType, QStringLiteral("Focus")}};
    return texts;
}

template<> const TextTable &table<InterpolationMethod>()
{
    static const TextTable texts{{LinearInterpolation, QStringLiteral("Linear")},
                                 {CubicSplineInterpolation, QStringLiteral("Cubic Spline")},
                                 {CubicInterpolation, QStringLiteral("Cubic")}};
    return texts;
}

template<> const TextTable &table<InterpolationDomain>()
{
    static const TextTable texts{{RectangularDomain, QStringLiteral("Rectangular")},
                                 {PolarDomain, QStringLiteral("Polar")}};
    return texts;
}

template<> const TextTable &table<ExtrapolationMethod>()
{
    static const TextTable texts{
        {InterpolationModeExtrapolation, QStringLiteral("Interpolation Mode")},
        {ConstantExtrapolation, QStringLiteral("Constant Extrapolation")}};
    return texts;
}

template<> const TextTable &table<GammaType>()
{
    static const TextTable texts{{UnknownGamma, QStringLiteral("Unknown")},
                                 {LoadGamma, QStringLiteral("Load")},
                                 {SourceGamma, QStringLiteral("Source")}};
    return texts;
}

template<> const TextTable &table<GammaDomain>()
{
    static const TextTable texts{{RectRealDomain, QStringLiteral("Rect-Real")},
                                 {RectImagDomain, QStringLiteral("Rect-Imag")},
                                 {PolarMagDomain, QStringLiteral("Polar-Mag")},
                                 {PolarPhaseDomain, QStringLiteral("Polar-Phase")}};
    return texts;
}

template<typename Enumeration> QString textOf(Enumeration value)
{
    return table<Enumeration>().value(value);
}

template<typename Enumeration> Enumeration valueOf(const QString &text)
{
    const TextTable &texts = table<Enumeration>();
    for (auto it = texts.cbegin(); it != texts.cend(); ++it) {
        if (it.value() == text)
            return Enumeration(it.key());
    }
    return Enumeration(0);
}

template<typename Enumeration> QStringList textsOf()
{
    static const QStringList texts = table<Enumeration>().values();
    return texts;
}

} // namespace

QString toText(LoadPullFileType value)
{
    return textOf(value);
}

QString toText(InterpolationMethod value)
{
    return textOf(value);
}

QString toText(InterpolationDomain value)
{
    return textOf(value);
}

QString toText(ExtrapolationMethod value)
{
    return textOf(value);
}

QString toText(GammaType value)
{
    return textOf(value);
}

QString toText(GammaDomain value)
{
    return textOf(value);
}

template<> LoadPullFileType fromText<LoadPullFileType>(const QString &text)
{
    return valueOf<LoadPullFileType>(text);
}

template<> InterpolationMethod fromText<InterpolationMethod>(const QString &text)
{
    return valueOf<InterpolationMethod>(text);
}

template<> InterpolationDomain fromText<InterpolationDomain>(const QString &text)
{
    return valueOf<InterpolationDomain>(text);
}

template<> ExtrapolationMethod fromText<ExtrapolationMethod>(const QString &text)
{
    return valueOf<ExtrapolationMethod>(text);
}

template<> QStringList texts<LoadPullFileType>()
{
    return supportedFileTypeTexts();
}

template<> QStringList texts<InterpolationMethod>()
{
    return textsOf<InterpolationMethod>();
}

template<> QStringList texts<InterpolationDomain>()
{
    return textsOf<InterpolationDomain>();
}

template<> QStringList texts<ExtrapolationMethod>()
{
    return textsOf<ExtrapolationMethod>();
}

template<> QStringList texts<GammaDomain>()
{
    return textsOf<GammaDomain>();
}

QStringList supportedFileTypeTexts()
{
    static const QStringList texts{toText(MauryFileType)};
    return texts;
}

LoadPullFileType fileTypeFromParameter(const QString &text)
{
    if (supportedFileTypeTexts().contains(text))
        return fromText<LoadPullFileType>(text);
    return MauryFileType;
}

QString unsupportedFileTypeMessage(const QString &text)
{
    if (supportedFileTypeTexts().contains(text))
        return QString();
    return elidedText(text) +
           QCoreApplication::translate(
               "LoadPullStateUtils",
               " is not of a load pull file type supported by Talvex.\n"
               "Please choose a type using the component dialog.\n"
               " The editor shows the component's settings as Maury settings and keeps its "
               "file type as it is.");
}

QString yesNoText(bool flag)
{
    return flag ? QStringLiteral("yes") : QStringLiteral("no");
}

QString valueTypeText(bool isComplex)
{
    return isComplex ? QStringLiteral("Complex") : QStringLiteral("Real");
}

} // namespace LoadPullStateUtils
