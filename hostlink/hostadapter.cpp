#include "hostadapter.h"

#include "interfaceholder.h"
#include "tvlinterface.h"

#include <QString>

#include <algorithm>

void HostAdapter::executeCommand(const QString &target, const QString &command)
{
    if (TvlInterface *tvl = InterfaceHolder::instance().tvlInterface())
        tvl->ExecuteCommand(target.toLatin1().constData(), command.toLatin1().constData());
}

std::optional<QString> HostAdapter::scriptString(const QString &text)
{
    const auto uncarried = [](QChar c) {
        return c.category() == QChar::Other_Control || c.unicode() > 0xff;
    };
    if (std::any_of(text.cbegin(), text.cend(), uncarried))
        return std::nullopt;
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}
