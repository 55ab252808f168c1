#pragma once

#include <QString>
#include <QStringList>

// What the load-pull data library reports for a set of data files, as text for a
// person to read.
class DataReport
{
public:
    // False, with the library's reason in `error`, when it refuses the files.
    static bool describe(const QStringList &files, QString *report, QString *error);
};
