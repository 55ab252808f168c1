#include "entryrefusal.h"

#include <QCoreApplication>
#include <QString>

#include <algorithm>
#include <cstring>

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("EntryRefusal", text);
}

bool isControl(QChar c)
{
    return c.unicode() < 0x20 || (c.unicode() >= 0x7f && c.unicode() <= 0x9f);
}

// The first character outside Latin-1, whole even where it takes two code units.
QString firstNonLatin1(const QString &text)
{
    const auto it =
        std::find_if(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() > 0xff; });
    if (it == text.cend())
        return QString();
    const int at = int(it - text.cbegin());
    return text.mid(at, it->isHighSurrogate() ? 2 : 1);
}

bool parenthesesPair(const QString &text)
{
    int depth = 0;
    for (const QChar c : text) {
        if (c == QLatin1Char('('))
            ++depth;
        else if (c == QLatin1Char(')') && --depth < 0)
            return false;
    }
    return depth == 0;
}

bool isOneOf(QChar c, const char *characters)
{
    return c.unicode() < 0x80 && std::strchr(characters, c.toLatin1()) != nullptr;
}

} // namespace

QString entryRefusal(const QString &text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return tr("it is empty");
    if (const QString foreign = firstNonLatin1(text); !foreign.isEmpty())
        return tr("%1 cannot be kept by the host, which keeps only Latin-1 text").arg(foreign);
    if (std::any_of(text.cbegin(), text.cend(), isControl))
        return tr("it holds a control character");
    if (isOneOf(trimmed.back(), "+-*/^"))
        return tr("it ends in an operator");
    if (isOneOf(trimmed.front(), "*/^"))
        return tr("it begins with an operator");
    if (!parenthesesPair(trimmed))
        return tr("its parentheses do not pair");
    return QString();
}

bool isLatin1(const QString &text)
{
    return firstNonLatin1(text).isEmpty();
}

QString refusalNote(const QString &entry, const QString &asWhat, const QString &reason)
{
    if (reason.isEmpty())
        return {};
    return tr("\"%1\" was not taken as %2: %3.").arg(entry, asWhat, reason);
}
