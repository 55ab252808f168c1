#include "componentfile.h"
#include "hostparameterlists.h"
#include "pluginloader.h"
#include "referencehostservices.h"
#include "referencetvlinterface.h"

#include <QtTest>

#include <memory>

namespace {

const char IncompatibleText[] = "LoadPullPlugin found an incompatible TVL interface";

} // namespace

// Registration as the host performs it: through the loader and the built plug-in, in a host
// that runs no widget application (a batch simulation, say).
class tst_Registration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void libraryVersionIsAlways100();
    void registrationOutcomes_data();
    void registrationOutcomes();
    void vocabularyHasFiveEntries();
    void functionsAnswerNoValueAfterAFailedRegistration_data();
    void functionsAnswerNoValueAfterAFailedRegistration();
    void scriptFunctionsAnswerWithoutWidgets();

private:
    std::unique_ptr<PluginLoader> m_loader;
    std::unique_ptr<ReferenceTvlInterface> m_tvl;
    std::unique_ptr<ReferenceHostServices> m_host;
};

void tst_Registration::initTestCase()
{
    m_loader = std::make_unique<PluginLoader>(QStringLiteral(LP_PLUGIN_PATH));
    QVERIFY2(m_loader->load(), qPrintable(m_loader->errorString()));
}

void tst_Registration::init()
{
    m_tvl = std::make_unique<ReferenceTvlInterface>();
    m_host = std::make_unique<ReferenceHostServices>(m_tvl.get());
}

void tst_Registration::libraryVersionIsAlways100()
{
    QCOMPARE(m_loader->libraryVersion(), 100);
    QVERIFY(m_loader->registerContents(m_host.get()));
    QCOMPARE(m_loader->libraryVersion(), 100);
}

void tst_Registration::registrationOutcomes_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("withheld"); // the host gives no TVL interface
    QTest::addColumn<bool>("refused");  // the interface refuses the vocabulary
    QTest::addColumn<QString>("error"); // empty: registered

    const QString incompatible = QString::fromLatin1(IncompatibleText);
    QTest::newRow("1000 is too old") << 1000 << false << false << incompatible;
    QTest::newRow("1001 is the oldest accepted") << 1001 << false << false << QString();
    QTest::newRow("1999 is the newest accepted") << 1999 << false << false << QString();
    QTest::newRow("2000 is too new") << 2000 << false << false << incompatible;
    QTest::newRow("a negative version is refused") << -1 << false << false << incompatible;
    QTest::newRow("a missing interface is reported without asking the version")
        << 1001 << true << false << QStringLiteral("LoadPullPlugin failed to get TVL interface");
    QTest::newRow("a refused vocabulary is reported")
        << 1001 << false << true
        << QStringLiteral("LoadPullPlugin could not register TVL vocabulary");
}

void tst_Registration::registrationOutcomes()
{
    QFETCH(int, version);
    QFETCH(bool, withheld);
    QFETCH(bool, refused);
    QFETCH(QString, error);

    m_tvl->setVersion(version);
    m_host->setTvlWithheld(withheld);
    m_tvl->setRegistrationRefused(refused);
    QCOMPARE(m_loader->registerContents(m_host.get()), error.isEmpty());
    QCOMPARE(m_host->interfaceRequests(), std::vector<std::string>{"TVL"});
    std::vector<std::string> errors;
    if (!error.isEmpty())
        errors.push_back(error.toStdString());
    QCOMPARE(m_host->errors(), errors);
    QCOMPARE(m_tvl->versionQueries() > 0, !withheld);
    QCOMPARE(m_tvl->registrations().size(), size_t(error.isEmpty() ? 1 : 0));
}

void tst_Registration::vocabularyHasFiveEntries()
{
    QVERIFY(m_loader->registerContents(m_host.get()));
    QCOMPARE(m_tvl->registrations().size(), size_t(1));
    const ReferenceTvlInterface::Registration &registration = m_tvl->registrations().front();
    QCOMPARE((std::vector<int>{registration.a, registration.b, registration.c, registration.d}),
             (std::vector<int>{0, 0, 0, 1}));
    const VocabularyDescriptor *vocabulary = registration.descriptor;
    QCOMPARE(vocabulary->name, "CmdOp");
    QCOMPARE(vocabulary->language, "TVL");
    // The four functions are called by name throughout the plug-in's tests.
    QCOMPARE(vocabulary->count, intptr_t(5));
    QCOMPARE(m_tvl->variable("LoadPull_pluginLoaded"), std::optional<intptr_t>(1));
}

void tst_Registration::functionsAnswerNoValueAfterAFailedRegistration_data()
{
    QTest::addColumn<bool>("withheld"); // else the interface turns incompatible

    QTest::newRow("the interface is gone") << true;
    QTest::newRow("the interface is incompatible") << false;
}

// A host may keep calling the vocabulary it registered first after a second
// registration went wrong.
void tst_Registration::functionsAnswerNoValueAfterAFailedRegistration()
{
    QFETCH(bool, withheld);

    QVERIFY(m_loader->registerContents(m_host.get()));
    ReferenceHostServices secondHost(m_tvl.get());
    secondHost.setTvlWithheld(withheld);
    if (!withheld)
        m_tvl->setVersion(2000);
    QVERIFY(!m_loader->registerContents(&secondHost));

    for (const char *function : {"load_pull_show_message", "load_pull_closeDataBasedLoadpullUI",
                                 "load_pull_getAllTabWidgets", "load_pull_getDBLPState"})
        QVERIFY2(!m_tvl->call(function, {m_tvl->MakeString("a"), m_tvl->MakeString("b")}),
                 function);
}

// Without a widget application the script functions answer without building a widget, which
// would abort the host.
void tst_Registration::scriptFunctionsAnswerWithoutWidgets()
{
    QVERIFY(m_loader->registerContents(m_host.get()));
    ComponentFile component;
    QString error;
    QVERIFY2(component.read(QStringLiteral(LP_EXAMPLES_DIR "/pa_amplifier.json"), &error),
             qPrintable(error));
    TvlValue *parameters = HostParameterLists::make(*m_tvl, component.hostParameters());

    QVERIFY(!m_tvl->call("load_pull_getAllTabWidgets", {parameters}));
    QVERIFY(!m_tvl->call("load_pull_getDBLPState", {m_tvl->makeList({m_tvl->MakeInteger(0)})}));
    TvlValue *shown = m_tvl->call("load_pull_show_message",
                                  {m_tvl->MakeString("Title"), m_tvl->MakeString("Text")});
    QCOMPARE(m_tvl->GetValueKind(shown), int(TvlValue::Void));
    QVERIFY(m_tvl->faults().empty());
}

QTEST_GUILESS_MAIN(tst_Registration)
#include "tst_registration.moc"
