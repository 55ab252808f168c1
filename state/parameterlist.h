#pragma once

#include <QMap>
#include <QString>
#include <QStringList>

struct TvlValue;

namespace LoadPullStateUtils {

// Parameter name to its value texts, in name order.
using ParameterMap = QMap<QString, QStringList>;

// The component's parameter list in the host's form: element 0 a header whose element 0
// counts the entries after it; each entry a list of the name, the number of values and
// the list of value texts. Read and built through the registered script interface.

// Reads the texts as the host holds them, quotes and all. False when there is no interface, no
// list, or no header count.
bool readParameterList(TvlValue *list, ParameterMap &map);
// The host list of the map's entries in name order, each text as it is; null for an empty map
// or without an interface.
TvlValue *writeParameterList(const ParameterMap &map);

// A text of at least two characters between double quotes loses them when the editor reads
// it; any other text comes back unchanged.
QString unquote(const QString &text);
// Each text unquoted.
QStringList unquoted(const QStringList &texts);
// The text a host list holds so that the editor reads it back as `text`.
QString hostText(const QString &text);

} // namespace LoadPullStateUtils
