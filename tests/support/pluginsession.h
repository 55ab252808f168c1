#pragma once

#include "hostparameterlists.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <vector>

class PluginLoader;
class QWidget;
class ReferenceHostServices;
class ReferenceTvlInterface;
struct TvlValue;

// The plug-in loaded through the reference host, as the design environment loads it: a
// component's parameter list in, nine widgets out, the parameter list back. The session owns
// the widgets it was handed, as the host does, and destroys them with itself or close().
class PluginSession
{
public:
    using Parameters = HostParameterLists::Parameters;
    enum Index {
        Container,
        File,
        Details,
        Performance,
        Interpolation,
        Sync,
        Analysis,
        Optimization,
        Term
    };

    explicit PluginSession(const QString &pluginPath);
    ~PluginSession();

    // Empty when the plug-in is loaded and registered; else why not.
    QString error() const { return m_error; }
    ReferenceTvlInterface &tvl() { return *m_tvl; }
    ReferenceHostServices &host() { return *m_host; }

    // load_pull_getAllTabWidgets with the component; null when it refuses it.
    TvlValue *open(const Parameters &component);
    // load_pull_getDBLPState with the widget list; empty when it answers no list.
    Parameters accept(TvlValue *widgetList);
    QWidget *widget(TvlValue *widgetList, int index);
    // Destroys every widget handed out.
    void close();

private:
    std::unique_ptr<PluginLoader> m_loader;
    std::unique_ptr<ReferenceTvlInterface> m_tvl;
    std::unique_ptr<ReferenceHostServices> m_host;
    std::vector<QPointer<QWidget>> m_widgets;
    QString m_error;
};
