#include "componentfile.h"
#include "hostparameterlists.h"
#include "pluginloader.h"
#include "referencehostservices.h"
#include "referencetvlinterface.h"

#include <QtTest>

// A host that runs no widget application (a batch simulation, say) still loads the plug-in and
// may call its script functions: they must answer without building a widget, which would abort
// the host.
class tst_CoreHost : public QObject
{
    Q_OBJECT

private slots:
    void scriptFunctionsAnswerWithoutWidgets();
};

void tst_CoreHost::scriptFunctionsAnswerWithoutWidgets()
{
    PluginLoader loader(QStringLiteral(LP_PLUGIN_PATH));
    QVERIFY2(loader.load(), qPrintable(loader.errorString()));
    ReferenceTvlInterface tvl;
    ReferenceHostServices host(&tvl);
    QVERIFY(loader.registerContents(&host));
    ComponentFile component;
    QString error;
    QVERIFY2(component.read(QStringLiteral(LP_EXAMPLES_DIR "/pa_amplifier.json"), &error),
             qPrintable(error));
    TvlValue *parameters = HostParameterLists::make(tvl, component.hostParameters());

    QVERIFY(!tvl.call("load_pull_getAllTabWidgets", {parameters}));
    QVERIFY(!tvl.call("load_pull_getDBLPState", {tvl.makeList({tvl.MakeInteger(0)})}));
    TvlValue *shown =
        tvl.call("load_pull_show_message", {tvl.MakeString("Title"), tvl.MakeString("Text")});
    QCOMPARE(tvl.GetValueKind(shown), int(TvlValue::Void));
    QVERIFY(tvl.faults().empty());
}

QTEST_GUILESS_MAIN(tst_CoreHost)
#include "tst_corehost.moc"
