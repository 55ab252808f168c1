#include "storedparameters.h"

#include "parameternames.h"

namespace LoadPullStateUtils {

namespace P = ParameterNames;

// The lists that run parallel, one entry per variable named by `key`: the settings the user
// makes, and what the data files declare.
struct StoredParameters::Group
{
    QString key;
    QStringList settings;
    QStringList declared;
};

namespace {

QStringList hostTexts(const QStringList &editorTexts)
{
    QStringList texts;
    texts.reserve(editorTexts.size());
    for (const QString &text : editorTexts)
        texts.append(hostText(text));
    return texts;
}

ParameterMap hostTexts(const ParameterMap &editorTexts)
{
    ParameterMap map;
    for (auto it = editorTexts.cbegin(); it != editorTexts.cend(); ++it)
        map.insert(it.key(), hostTexts(it.value()));
    return map;
}

// The stored texts as the editor reads them, in the host's form again: what the editor writes
// for a name it read is compared with this.
QStringList readBack(const QStringList &storedTexts)
{
    QStringList texts;
    texts.reserve(storedTexts.size());
    for (const QString &text : storedTexts)
        texts.append(hostText(unquote(text)));
    return texts;
}

} // namespace

StoredParameters::StoredParameters(const ParameterMap &stored)
    : m_stored(stored)
{}

void StoredParameters::setOpened(const ParameterMap &editorTexts)
{
    m_opened = hostTexts(editorTexts);
}

void StoredParameters::setChanged(const QString &parameter, const QString &variable)
{
    m_changed.insert(parameter + QLatin1Char('\n') + variable);
}

bool StoredParameters::isChanged(const QString &parameter, const QString &variable) const
{
    return m_changed.contains(parameter + QLatin1Char('\n') + variable);
}

ParameterMap StoredParameters::written(const ParameterMap &editorTexts) const
{
    static const Group groups[] = {
        {P::FileName, {}, {}},
        {P::IndepVarName, {P::IndepVarValue}, {P::IndepVarUnitType}},
        {P::GammaName, {}, {P::GammaType, P::GammaDomain, P::GammaValue, P::GammaHarmIndex}},
        {P::PrfmParamName, {P::PrfmParamOutput, P::PrfmParamAutoPlot}, {P::PrfmParamType}},
    };
    const ParameterMap current = hostTexts(editorTexts);
    ParameterMap result = current;
    QStringList grouped;
    for (const Group &group : groups) {
        writeGroup(group, current, result);
        grouped << group.key << group.settings << group.declared;
    }
    for (auto it = current.cbegin(); it != current.cend(); ++it) {
        const bool declared = it.key() == P::FreqVarName;
        const bool unchanged = declared || it.value() == m_opened.value(it.key());
        if (!grouped.contains(it.key()) && unchanged && m_stored.contains(it.key()))
            result.insert(it.key(), m_stored.value(it.key()));
    }
    return result;
}

// While the variables are those of the opening, the stored lists stand as they are, in their
// order and length, with only the entries the user changed written anew in their places.
// Otherwise the lists are those of the variables shown, each variable the stored lists name
// keeping its stored entries but for the settings the user changed.
void StoredParameters::writeGroup(const Group &group, const ParameterMap &current,
                                  ParameterMap &result) const
{
    const QStringList lists = QStringList{group.key} + group.settings + group.declared;
    const QStringList keys = current.value(group.key);
    const QStringList storedKeys = readBack(m_stored.value(group.key));
    if (keys == m_opened.value(group.key) && changedInPlace(group, current, result)) {
        // A list the component lacks follows its stored variables.
        for (const QString &list : lists) {
            if (m_stored.contains(list))
                continue;
            QStringList texts;
            for (const QString &key : storedKeys)
                texts.append(current.value(list).value(keys.indexOf(key)));
            result.insert(list, texts);
        }
        return;
    }
    for (int i = 0; i < keys.size(); ++i) {
        const int s = storedKeys.lastIndexOf(keys.at(i));
        if (s < 0)
            continue;
        const QString variable = unquote(keys.at(i));
        for (const QString &list : lists) {
            const QStringList stored = m_stored.value(list);
            QStringList &texts = result[list];
            if (s < stored.size() && i < texts.size() && !isChanged(list, variable))
                texts[i] = stored.at(s);
        }
    }
}

// The stored lists with the user's changes in the places of their variables; false when a
// changed variable has no stored entry to take its place.
bool StoredParameters::changedInPlace(const Group &group, const ParameterMap &current,
                                      ParameterMap &result) const
{
    const QStringList keys = current.value(group.key);
    const QStringList storedKeys = readBack(m_stored.value(group.key));
    ParameterMap lists;
    for (const QString &list : QStringList{group.key} + group.settings + group.declared) {
        if (m_stored.contains(list))
            lists.insert(list, m_stored.value(list));
    }
    for (const QString &setting : group.settings) {
        for (int i = 0; i < keys.size(); ++i) {
            if (!isChanged(setting, unquote(keys.at(i))))
                continue;
            const int s = storedKeys.lastIndexOf(keys.at(i));
            if (s < 0 || s >= lists.value(setting).size())
                return false;
            lists[setting][s] = current.value(setting).value(i);
        }
    }
    for (auto it = lists.cbegin(); it != lists.cend(); ++it)
        result.insert(it.key(), it.value());
    return true;
}

bool operator==(const StoredParameters &a, const StoredParameters &b)
{
    return a.m_stored == b.m_stored && a.m_opened == b.m_opened && a.m_changed == b.m_changed;
}

} // namespace LoadPullStateUtils
