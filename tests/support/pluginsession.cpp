#include "pluginsession.h"

#include "pluginloader.h"
#include "referencehostservices.h"
#include "referencetvlinterface.h"

#include <QWidget>

PluginSession::PluginSession(const QString &pluginPath)
    : m_loader(std::make_unique<PluginLoader>(pluginPath))
    , m_tvl(std::make_unique<ReferenceTvlInterface>())
    , m_host(std::make_unique<ReferenceHostServices>(m_tvl.get()))
{
    if (!m_loader->load())
        m_error = m_loader->errorString();
    else if (!m_loader->registerContents(m_host.get()))
        m_error = QStringLiteral("the plug-in did not register its vocabulary");
}

PluginSession::~PluginSession()
{
    close();
}

TvlValue *PluginSession::open(const Parameters &component)
{
    TvlValue *list =
        m_tvl->call("load_pull_getAllTabWidgets", {HostParameterLists::make(*m_tvl, component)});
    for (int i = 0; TvlValue *element = m_tvl->GetListElement(list, i); ++i)
        m_widgets.emplace_back(*static_cast<QWidget **>(m_tvl->GetValueData(element)));
    return list;
}

PluginSession::Parameters PluginSession::accept(TvlValue *widgetList)
{
    TvlValue *parameters = m_tvl->call("load_pull_getDBLPState", {widgetList});
    bool headerMatches = false;
    const Parameters read = HostParameterLists::read(*m_tvl, parameters, &headerMatches);
    return headerMatches ? read : Parameters();
}

QWidget *PluginSession::widget(TvlValue *widgetList, int index)
{
    TvlValue *element = m_tvl->GetListElement(widgetList, index);
    return element ? *static_cast<QWidget **>(m_tvl->GetValueData(element)) : nullptr;
}

void PluginSession::close()
{
    for (const QPointer<QWidget> &widget : m_widgets)
        delete widget;
    m_widgets.clear();
}
