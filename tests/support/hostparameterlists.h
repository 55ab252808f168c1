#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

class ReferenceTvlInterface;
struct TvlValue;

// Component parameter lists in the host's form, built and read the way the host does,
// independently of the plug-in's own conversion.
namespace HostParameterLists {

using Parameters = QMap<QString, QStringList>;

// A list whose header counts the entries, then one entry (name, count, values) per parameter.
TvlValue *make(ReferenceTvlInterface &tvl, const Parameters &parameters);
// An entry with an explicit count and value elements, for lists that do not add up.
TvlValue *makeEntry(ReferenceTvlInterface &tvl, const QString &name, int count,
                    const std::vector<TvlValue *> &values);
TvlValue *makeListWithHeaderCount(ReferenceTvlInterface &tvl, int count,
                                  const std::vector<TvlValue *> &entries);
// Every entry of a list made by the plug-in, checking the header count against it.
Parameters read(ReferenceTvlInterface &tvl, TvlValue *list, bool *headerMatches = nullptr);

} // namespace HostParameterLists
