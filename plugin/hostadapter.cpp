#include "hostadapter.h"

#include "interfaceholder.h"
#include "tvlinterface.h"

#include <QString>

void HostAdapter::executeCommand(const QString &target, const QString &command)
{
    if (TvlInterface *tvl = InterfaceHolder::instance().tvlInterface())
        tvl->ExecuteCommand(target.toLatin1().constData(), command.toLatin1().constData());
}
