#pragma once

#include <QString>
#include <QStringList>

// What the load-pull data library reports for a set of data files, as text for a
// person to read.
class DataReport
{
public:
    static QString describe(const QStringList &files);
};
