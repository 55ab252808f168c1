#include "hostparameterlists.h"

#include "referencetvlinterface.h"

namespace HostParameterLists {

TvlValue *makeEntry(ReferenceTvlInterface &tvl, const QString &name, int count,
                    const std::vector<TvlValue *> &values)
{
    return tvl.makeList({tvl.MakeString(name.toLatin1().constData()), tvl.MakeInteger(count),
                         tvl.makeList(values)});
}

TvlValue *makeListWithHeaderCount(ReferenceTvlInterface &tvl, int count,
                                  const std::vector<TvlValue *> &entries,
                                  const QString &instanceName)
{
    std::vector<TvlValue *> elements = {
        tvl.makeList({tvl.MakeInteger(count), tvl.MakeString(instanceName.toLatin1().constData()),
                      tvl.makeList({})})};
    elements.insert(elements.end(), entries.begin(), entries.end());
    return tvl.makeList(elements);
}

TvlValue *make(ReferenceTvlInterface &tvl, const Parameters &parameters,
               const QString &instanceName)
{
    std::vector<TvlValue *> entries;
    for (auto it = parameters.cbegin(); it != parameters.cend(); ++it) {
        std::vector<TvlValue *> values;
        for (const QString &text : it.value())
            values.push_back(tvl.MakeString(text.toLatin1().constData()));
        entries.push_back(makeEntry(tvl, it.key(), int(values.size()), values));
    }
    return makeListWithHeaderCount(tvl, int(entries.size()), entries, instanceName);
}

Parameters read(ReferenceTvlInterface &tvl, TvlValue *list, bool *headerMatches)
{
    Parameters parameters;
    if (!tvl.owns(list) || list->kind != TvlValue::List || list->elements.empty())
        return parameters;
    for (size_t i = 1; i < list->elements.size(); ++i) {
        const TvlValue *entry = list->elements[i];
        QStringList texts;
        for (const TvlValue *value : entry->elements.at(2)->elements)
            texts.append(QString::fromLatin1(value->text.c_str()));
        parameters.insert(QString::fromLatin1(entry->elements.at(0)->text.c_str()), texts);
    }
    if (headerMatches) {
        const TvlValue *header = list->elements[0];
        *headerMatches = header->kind == TvlValue::List &&
                         header->elements.at(0)->integer == int(list->elements.size() - 1);
    }
    return parameters;
}

} // namespace HostParameterLists
