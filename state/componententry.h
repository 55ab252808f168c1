#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace LoadPullStateUtils {

// One entry of the component's parameters as the editor holds it: a single parameter, or one
// variable's entry in a parameter of one entry per variable. What OK writes follows from it
// alone: the stored texts of an entry the user left alone while they say exactly the value
// shown, else the value shown in the form the editor writes.
struct ComponentEntry
{
    QString parameter;
    // The variable (or data file) the entry belongs to; empty for a single parameter.
    QString variable;
    // The texts as the host holds them, quotes and all: a single parameter's whole list, or
    // the one text of a variable's entry. Nothing when the component has none.
    std::optional<QStringList> stored;
    // What the editor shows, as the editor writes it.
    QString shown;
    bool storedSaysShown = false;
    // The user acted on the control that shows the entry, even to leave it as it was.
    bool touched = false;
    // The control shows the stored text itself, which none of its own values says (a choice
    // it does not offer, a flag neither yes nor no); it goes back as stored.
    bool kept = false;
    // Why the entry is marked; empty when it is not.
    QString note;

    QStringList written() const;
};

// The entries by parameter, then by variable; a single parameter's under the empty text.
using EntryMap = QHash<QString, QHash<QString, ComponentEntry>>;

// The entry of the parameter and variable, or a default entry when the map holds none.
ComponentEntry entryOf(const EntryMap &entries, const QString &parameter,
                       const QString &variable = QString());

} // namespace LoadPullStateUtils
