#include "namedsettings.h"

#include <QStringList>

#include <algorithm>

NamedSettings NamedSettings::read(const QString &text)
{
    NamedSettings read;
    for (const QString &part : text.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const int equals = int(part.indexOf(QLatin1Char('=')));
        const QString name = part.left(std::max(equals, 0)).trimmed();
        const QString value = part.mid(equals + 1).trimmed();
        if (equals < 0 || name.isEmpty() || value.isEmpty()) {
            read.unreadable = part.trimmed();
            read.settings.clear();
            return read;
        }
        read.settings.push_back({name, value});
    }
    return read;
}
