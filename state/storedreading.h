#pragma once

#include "gammasstate.h"
#include "indepvariablesstate.h"
#include "interpolationtabstate.h"
#include "parameterlist.h"
#include "performancevarinfo.h"
#include "termtabstate.h"

#include <QHash>
#include <QList>
#include <QStringList>

#include <optional>

namespace LoadPullStateUtils {

// The one reading of the texts a component stores: what each says, as the editor reads it.
// The import takes its records from it, and the model of the entries asks it whether a stored
// text says the value shown, so that no text is read twice, by two readers that could differ.
class StoredReading
{
public:
    StoredReading() = default;
    explicit StoredReading(const ParameterMap &stored);

    // A parameter's first text, its quotes taken off; empty when it has none.
    QString text(const QString &parameter) const { return m_texts.value(parameter); }
    // What a flag's first text says: yes, no, or neither for any other text (none included).
    std::optional<bool> flag(const QString &parameter) const;
    const InterpolationTabState &interpolation() const { return m_interpolation; }
    // The term number and the impedance the component gives; the defaults where it gives none.
    TermTabState term(TermTabState defaults) const;

    // The records of the variables the per-variable lists name, the last naming of each.
    const IndepVariablesState &independent() const { return m_independent; }
    const GammasState &gammas() const { return m_gammas; }
    const QList<PerformanceVarInfo> &quantities() const { return m_quantities; }
    // What the text at `index` of a per-variable list says: a flag, a quantity's type (true for
    // complex), a value of an independent variable.
    std::optional<bool> flagAt(const QString &parameter, int index) const;
    std::optional<bool> typeAt(int index) const { return m_types.value(index); }
    IndepVarInfo valueAt(int index) const { return m_values.value(index); }

    // What the user is told of the texts read: a file type not offered, a malformed dBm value.
    const QStringList &warnings() const { return m_warnings; }

private:
    void readSingles(const ParameterMap &stored);
    void readIndependent(const ParameterMap &stored);
    void readGammas(const ParameterMap &stored);
    void readQuantities(const ParameterMap &stored);

    QHash<QString, QString> m_texts;
    QHash<QString, std::optional<bool>> m_flags;
    InterpolationTabState m_interpolation;
    bool m_hasTermNumber = false;
    std::optional<TermTabState> m_impedance;
    IndepVariablesState m_independent;
    GammasState m_gammas;
    QList<PerformanceVarInfo> m_quantities;
    QList<IndepVarInfo> m_values;
    QHash<QString, QList<std::optional<bool>>> m_listFlags;
    QList<std::optional<bool>> m_types;
    QStringList m_warnings;
};

} // namespace LoadPullStateUtils
