#pragma once

#include <QLocale>

// The locale for the number checks: group separators are refused, because a text such
// as "1,000" converts to no number.
QLocale numberLocale(QLocale locale);
