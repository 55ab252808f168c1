#include "componententry.h"

#include "parameterlist.h"

namespace LoadPullStateUtils {

QStringList ComponentEntry::written() const
{
    if (stored && storedSaysShown && (kept || !touched))
        return *stored;
    return {hostText(shown)};
}

ComponentEntry entryOf(const EntryMap &entries, const QString &parameter, const QString &variable)
{
    return entries.value(parameter).value(variable);
}

} // namespace LoadPullStateUtils
