#include "charttext.h"

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
