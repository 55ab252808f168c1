#include "hostparameterlists.h"
#include "hugecomponent.h"
#include "pluginloader.h"
#include "referencehostservices.h"
#include "referencetvlinterface.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QtTest>

#include <memory>

using Parameters = HostParameterLists::Parameters;

// The script functions given the worst the host can hand them: a megabyte of text in every
// parameter. Message boxes are closed as soon as they are shown, so each figure is the time
// the host waits for the function, the boxes' layout included.
class bench_HugeTexts : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();
    void getAllTabWidgets_data();
    void getAllTabWidgets();
    void showEditor();
    void getDBLPState();
    void showMessage();

private:
    TvlValue *open(const Parameters &parameters);

    std::unique_ptr<PluginLoader> m_loader;
    ReferenceTvlInterface m_tvl;
    ReferenceHostServices m_host{&m_tvl};
    std::vector<QPointer<QWidget>> m_open;
    QTimer m_boxCloser;
};

void bench_HugeTexts::initTestCase()
{
    m_loader = std::make_unique<PluginLoader>(QStringLiteral(LP_PLUGIN_PATH));
    QVERIFY(m_loader->load());
    QVERIFY(m_loader->registerContents(&m_host));
    connect(&m_boxCloser, &QTimer::timeout, this, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->done(QMessageBox::Ok);
    });
    m_boxCloser.start(0);
}

void bench_HugeTexts::cleanup()
{
    for (const QPointer<QWidget> &widget : m_open)
        delete widget;
    m_open.clear();
}

TvlValue *bench_HugeTexts::open(const Parameters &parameters)
{
    TvlValue *widgets =
        m_tvl.call("load_pull_getAllTabWidgets", {HostParameterLists::make(m_tvl, parameters)});
    for (int i = 0; TvlValue *element = m_tvl.GetListElement(widgets, i); ++i)
        m_open.emplace_back(*static_cast<QWidget **>(m_tvl.GetValueData(element)));
    return widgets;
}

void bench_HugeTexts::getAllTabWidgets_data()
{
    QTest::addColumn<Parameters>("normal");
    QTest::addColumn<bool>("opens");

    const Parameters maury = {{QStringLiteral("FileType"), {QStringLiteral("Maury")}}};
    Parameters malformedDbm = maury;
    malformedDbm.insert(QStringLiteral("IndepVarValue"), {QStringLiteral("dbmtow( 1+ )")});
    QTest::newRow("every text huge: an unknown file type, a file that cannot be read")
        << Parameters() << true;
    QTest::newRow("every text huge but the file type: a file that cannot be read") << maury << true;
    QTest::newRow("a huge variable with a malformed dBm value") << malformedDbm << false;
}

// Each round opens the editor and destroys its nine widgets again.
void bench_HugeTexts::getAllTabWidgets()
{
    QFETCH(Parameters, normal);
    QFETCH(bool, opens);
    const Parameters parameters = hugeComponent(normal);
    QBENCHMARK
    {
        QCOMPARE(open(parameters) != nullptr, opens);
        cleanup();
    }
}

// What the host then waits for as it shows the editor: laying out and painting the widgets.
void bench_HugeTexts::showEditor()
{
    QVERIFY(open(hugeComponent({{QStringLiteral("FileType"), {QStringLiteral("Maury")}}})));
    QBENCHMARK
    {
        for (const QPointer<QWidget> &widget : m_open) {
            widget->updateGeometry();
            widget->grab();
        }
    }
}

void bench_HugeTexts::getDBLPState()
{
    TvlValue *widgets =
        open(hugeComponent({{QStringLiteral("FileType"), {QStringLiteral("Maury")}}}));
    QVERIFY(widgets);
    QBENCHMARK
    {
        QVERIFY(m_tvl.call("load_pull_getDBLPState", {widgets}));
    }
}

void bench_HugeTexts::showMessage()
{
    const QByteArray title(1 << 20, 't');
    const QByteArray message(1 << 20, 'm');
    QBENCHMARK
    {
        m_tvl.call("load_pull_show_message",
                   {m_tvl.MakeString(title.constData()), m_tvl.MakeString(message.constData())});
    }
}

QTEST_MAIN(bench_HugeTexts)
#include "bench_hugetexts.moc"
