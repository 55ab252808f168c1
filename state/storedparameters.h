#pragma once

#include "parameterlist.h"

#include <QSet>

namespace LoadPullStateUtils {

// The component's parameter texts as the host stored them. An entry the user left alone is
// written back exactly as stored, whatever form it has: only what the user changed, and the
// variables the listed files bring or take away, are written anew.
//
// Entries are compared in the form the editor writes them. A single parameter keeps its stored
// texts while the editor writes what it wrote on opening. The per-variable lists (independent
// variables, reflection coefficients, performance quantities, and the files) keep their stored
// texts, in their order and length, while the editor shows the variables of the opening, with
// only the settings the user changed written anew in their places; once the listed files
// change the variables, the lists are those of the variables shown, each variable the stored
// lists name keeping its stored entries. What the data files declare of a variable (its unit
// type, gamma type, domain and harmonic, whether a quantity is complex) and the frequency
// variable's name keep their stored texts too, so that the same component opened afresh
// writes the same.
class StoredParameters
{
public:
    StoredParameters() = default;
    explicit StoredParameters(const ParameterMap &stored);

    ParameterMap stored() const { return m_stored; }
    // The editor's texts right after it opened the component.
    void setOpened(const ParameterMap &editorTexts);
    // The user changed the setting `parameter` (a per-variable list such as "IndepVarValue")
    // of `variable`.
    void setChanged(const QString &parameter, const QString &variable);

    // The texts for the host of the editor's texts, stored texts kept where nothing changed.
    ParameterMap written(const ParameterMap &editorTexts) const;

    friend bool operator==(const StoredParameters &a, const StoredParameters &b);

private:
    struct Group;
    void writeGroup(const Group &group, const ParameterMap &current, ParameterMap &result) const;
    bool changedInPlace(const Group &group, const ParameterMap &current,
                        ParameterMap &result) const;
    bool isChanged(const QString &parameter, const QString &variable) const;

    ParameterMap m_stored;
    ParameterMap m_opened;
    QSet<QString> m_changed;
};

inline bool operator!=(const StoredParameters &a, const StoredParameters &b)
{
    return !(a == b);
}

} // namespace LoadPullStateUtils
