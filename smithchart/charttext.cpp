#include "charttext.h"

#include "realstringparser.h"

#include <QLocale>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

QString ChartText::number(double value, int digits)
{
    return QString::number(value, 'g', digits);
}

QString ChartText::withUnit(double value, const QString &unit, int digits)
{
    return unit.isEmpty() ? number(value, digits) : number(value, digits) + QLatin1Char(' ') + unit;
}

QString ChartText::complex(std::complex<double> value, int digits)
{
    return number(value.real(), digits) +
           (value.imag() < 0 ? QStringLiteral(" - j") : QStringLiteral(" + j")) +
           number(std::abs(value.imag()), digits);
}

double ChartText::resolutionOf(const std::vector<double> &values)
{
    for (int decimals = 0; decimals <= 15; ++decimals) {
        const double scale = std::pow(10.0, decimals);
        if (std::all_of(values.begin(), values.end(), [scale](double value) {
                const double scaled = value * scale;
                return std::abs(scaled - std::round(scaled)) <= 1e-9 + 1e-14 * std::abs(scaled);
            }))
            return 1.0 / scale;
    }
    return 0.0;
}

std::optional<std::complex<double>> ChartText::complexFrom(const QString &text)
{
    static const QRegularExpression pattern(QStringLiteral(
        "^\\s*([-+]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?)"
        "\\s*(?:([-+])\\s*j\\s*((?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][-+]?\\d+)?))?\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const double re = QLocale::c().toDouble(match.captured(1));
    if (match.captured(2).isEmpty())
        return std::complex<double>(re, 0.0);
    const double im = QLocale::c().toDouble(match.captured(3));
    return std::complex<double>(re, match.captured(2) == QLatin1String("-") ? -im : im);
}

QString ChartText::fromLibrary(const std::string &text)
{
    return QString::fromLatin1(text.data(), int(text.size()));
}

QString ChartText::unitFromLibrary(const std::string &unit)
{
    return unit == "None" ? QString() : fromLibrary(unit);
}

std::optional<std::pair<double, QString>> ChartText::quantityFrom(const QString &text)
{
    QString number, unit;
    if (!RealStringParser::parseNumberAndUnits(text, number, unit))
        return std::nullopt;
    return std::pair(QLocale::c().toDouble(number), unit);
}
