#include "parameterlist.h"

#include "interfaceholder.h"
#include "parameternames.h"
#include "tvlinterface.h"

#include <optional>

namespace LoadPullStateUtils {

namespace {

// The text a value holds, or nothing when it holds none.
std::optional<QString> textOf(TvlInterface *tvl, TvlValue *value)
{
    if (tvl->GetTextLength(value) <= 0)
        return std::nullopt;
    const auto *data = static_cast<const char *>(tvl->GetValueData(value));
    if (!data)
        return std::nullopt;
    return QString::fromLatin1(data);
}

// The count a list element declares. It is only a bound: reading stops at the first
// element the host does not have, so a corrupt count costs nothing.
qint64 declaredCount(TvlInterface *tvl, TvlValue *value, bool *ok)
{
    int count = 0;
    *ok = tvl->GetInteger(value, &count) != 0;
    return count;
}

// Value texts keep their positions, so that lists that run parallel (names, types,
// values) stay aligned; a value without text reads as the empty text.
QStringList readValues(TvlInterface *tvl, TvlValue *values, qint64 count)
{
    QStringList texts;
    for (qint64 j = 0; j < count; ++j) {
        TvlValue *value = tvl->GetListElement(values, int(j));
        if (!value)
            break;
        texts.append(textOf(tvl, value).value_or(QString()));
    }
    return texts;
}

void readEntry(TvlInterface *tvl, TvlValue *entry, ParameterMap &map)
{
    const std::optional<QString> name = textOf(tvl, tvl->GetListElement(entry, 0));
    bool ok = false;
    const qint64 count = declaredCount(tvl, tvl->GetListElement(entry, 1), &ok);
    TvlValue *values = tvl->GetListElement(entry, 2);
    // An entry of no values is kept as such, so that it is written back without any.
    if (!name || !ok || count < 0 || !values)
        return;
    map.insert(*name, readValues(tvl, values, count));
}

TvlValue *makeEntry(TvlInterface *tvl, const QString &name, const QStringList &texts)
{
    TvlValue *entry = tvl->MakeList(3);
    tvl->SetListElement(entry, 0, tvl->MakeString(name.toLatin1().constData()));
    tvl->SetListElement(entry, 1, tvl->MakeInteger(texts.size()));
    TvlValue *values = tvl->MakeList(texts.size());
    for (int j = 0; j < texts.size(); ++j)
        tvl->SetListElement(values, j, tvl->MakeString(texts.at(j).toLatin1().constData()));
    tvl->SetListElement(entry, 2, values);
    return entry;
}

} // namespace

bool readParameterList(TvlValue *list, ParameterMap &map)
{
    TvlInterface *tvl = InterfaceHolder::instance().tvlInterface();
    if (!tvl || !list)
        return false;
    TvlValue *header = tvl->GetListElement(list, 0);
    if (!header)
        return false;
    bool ok = false;
    const qint64 count = declaredCount(tvl, tvl->GetListElement(header, 0), &ok);
    if (!ok)
        return false;
    for (qint64 i = 1; i <= count; ++i) {
        TvlValue *entry = tvl->GetListElement(list, int(i));
        if (!entry)
            break;
        readEntry(tvl, entry, map);
    }
    return true;
}

TvlValue *writeParameterList(const ParameterMap &map)
{
    TvlInterface *tvl = InterfaceHolder::instance().tvlInterface();
    if (!tvl || map.isEmpty())
        return nullptr;
    TvlValue *list = tvl->MakeList(1);
    for (auto it = map.cbegin(); it != map.cend(); ++it)
        tvl->AppendListElement(list, makeEntry(tvl, it.key(), it.value()));
    return tvl->FinishList(list, 0);
}

// A text between double quotes would lose them when it is read back: it goes out in one
// more pair, so that it reads back as itself.
QString hostText(const QString &text)
{
    const QChar quote(QLatin1Char('"'));
    if (text.size() >= 2 && text.startsWith(quote) && text.endsWith(quote))
        return quote + text + quote;
    return text;
}

QString unquote(const QString &text)
{
    const QChar quote(QLatin1Char('"'));
    if (text.size() >= 2 && text.startsWith(quote) && text.endsWith(quote))
        return text.mid(1, text.size() - 2);
    return text;
}

QStringList unquoted(const QStringList &texts)
{
    QStringList result;
    result.reserve(texts.size());
    for (const QString &text : texts)
        result.append(unquote(text));
    return result;
}

} // namespace LoadPullStateUtils
