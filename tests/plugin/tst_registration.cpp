#include "pluginloader.h"
#include "referencehostservices.h"
#include "referencetvlinterface.h"

#include <QtTest>

#include <memory>

namespace {

const char IncompatibleText[] = "LoadPullPlugin found an incompatible TVL interface";

} // namespace

// Registration as the host performs it: through the loader and the built plug-in.
class tst_Registration : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void libraryVersionIsAlways100();
    void interfaceVersions_data();
    void interfaceVersions();
    void missingTvlInterfaceIsReportedWithoutAskingTheVersion();
    void refusedVocabularyIsReported();
    void vocabularyHasFiveEntries();
    void functionsAnswerNoValueOnceTheInterfaceIsGone();
    void functionsAnswerNoValueWithAnIncompatibleInterface();

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

void tst_Registration::interfaceVersions_data()
{
    QTest::addColumn<int>("version");
    QTest::addColumn<bool>("accepted");

    QTest::newRow("1000 is too old") << 1000 << false;
    QTest::newRow("1001 is the oldest accepted") << 1001 << true;
    QTest::newRow("1999 is the newest accepted") << 1999 << true;
    QTest::newRow("2000 is too new") << 2000 << false;
    QTest::newRow("a negative version is refused") << -1 << false;
}

void tst_Registration::interfaceVersions()
{
    QFETCH(int, version);
    QFETCH(bool, accepted);

    m_tvl->setVersion(version);
    QCOMPARE(m_loader->registerContents(m_host.get()), accepted);
    QCOMPARE(m_host->interfaceRequests(), std::vector<std::string>{"TVL"});
    if (accepted) {
        QVERIFY(m_host->errors().empty());
        QCOMPARE(m_tvl->registrations().size(), size_t(1));
    } else {
        QCOMPARE(m_host->errors(), std::vector<std::string>{IncompatibleText});
        QVERIFY(m_tvl->registrations().empty());
    }
}

void tst_Registration::missingTvlInterfaceIsReportedWithoutAskingTheVersion()
{
    m_host->setTvlWithheld(true);
    QVERIFY(!m_loader->registerContents(m_host.get()));
    QCOMPARE(m_host->errors(),
             std::vector<std::string>{"LoadPullPlugin failed to get TVL interface"});
    QCOMPARE(m_tvl->versionQueries(), 0);
    QVERIFY(m_tvl->registrations().empty());
}

void tst_Registration::refusedVocabularyIsReported()
{
    m_tvl->setRegistrationRefused(true);
    QVERIFY(!m_loader->registerContents(m_host.get()));
    QCOMPARE(m_host->errors(),
             std::vector<std::string>{"LoadPullPlugin could not register TVL vocabulary"});
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
    QCOMPARE(vocabulary->count, intptr_t(5));

    const std::vector<std::pair<std::string, intptr_t>> expected = {
        {"LoadPull_pluginLoaded", 2},
        {"load_pull_show_message", 0},
        {"load_pull_getDBLPState", 0},
        {"load_pull_getAllTabWidgets", 0},
        {"load_pull_closeDataBasedLoadpullUI", 0},
    };
    for (size_t i = 0; i < expected.size(); ++i) {
        const VocabularyEntry &entry = vocabulary->entries[i];
        QCOMPARE(std::string(entry.name), expected[i].first);
        QCOMPARE(entry.kind, expected[i].second);
        QVERIFY(entry.value != 0);
        for (intptr_t word : entry.reserved)
            QCOMPARE(word, intptr_t(0));
    }
    QCOMPARE(m_tvl->variable("LoadPull_pluginLoaded"), std::optional<intptr_t>(1));
}

// A host may keep calling the vocabulary it registered first after a second
// registration went wrong.
void tst_Registration::functionsAnswerNoValueOnceTheInterfaceIsGone()
{
    QVERIFY(m_loader->registerContents(m_host.get()));
    ReferenceHostServices withoutTvl(m_tvl.get());
    withoutTvl.setTvlWithheld(true);
    QVERIFY(!m_loader->registerContents(&withoutTvl));

    for (const char *function : {"load_pull_show_message", "load_pull_closeDataBasedLoadpullUI",
                                 "load_pull_getAllTabWidgets", "load_pull_getDBLPState"})
        QVERIFY2(!m_tvl->call(function, {m_tvl->MakeString("a"), m_tvl->MakeString("b")}),
                 function);
}

void tst_Registration::functionsAnswerNoValueWithAnIncompatibleInterface()
{
    QVERIFY(m_loader->registerContents(m_host.get()));
    m_tvl->setVersion(2000);
    QVERIFY(!m_loader->registerContents(m_host.get()));
    QVERIFY(!m_tvl->call("load_pull_closeDataBasedLoadpullUI", {}));
}

QTEST_GUILESS_MAIN(tst_Registration)
#include "tst_registration.moc"
