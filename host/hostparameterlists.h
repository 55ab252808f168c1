#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

#include <vector>

class ReferenceTvlInterface;
struct TvlValue;

// Component parameter lists in the host's form, built and read the way the host does,
// independently of the plug-in's own conversion. The reference host keeps components
// this way, and tests build and check lists with it.
namespace HostParameterLists {

using Parameters = QMap<QString, QStringList>;

// A list whose header counts the entries, then one entry (name, count, values) per parameter.
TvlValue *make(ReferenceTvlInterface &tvl, const Parameters &parameters,
               const QString &instanceName = QStringLiteral("DBLP1"));
// An entry with an explicit count and value elements, for lists that do not add up.
TvlValue *makeEntry(ReferenceTvlInterface &tvl, const QString &name, int count,
                    const std::vector<TvlValue *> &values);
TvlValue *makeListWithHeaderCount(ReferenceTvlInterface &tvl, int count,
                                  const std::vector<TvlValue *> &entries,
                                  const QString &instanceName = QStringLiteral("DBLP1"));
// Every entry of a list made by the plug-in, checking the header count against it.
Parameters read(ReferenceTvlInterface &tvl, TvlValue *list, bool *headerMatches = nullptr);

} // namespace HostParameterLists
