#include "interfaceholder.h"

InterfaceHolder &InterfaceHolder::instance()
{
    static InterfaceHolder holder;
    return holder;
}

void InterfaceHolder::store(TvlInterface *tvl)
{
    m_interface = tvl;
    m_compatible = false;
}
