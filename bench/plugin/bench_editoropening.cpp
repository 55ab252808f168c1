#include "hostparameterlists.h"
#include "pluginloader.h"
#include "referencehostservices.h"
#include "referencetvlinterface.h"

#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <fstream>
#include <memory>

#include <unistd.h>

namespace {

constexpr int LargeFileCount = 50;
constexpr int IndependentPerFile = 10;  // the frequency among them
constexpr int QuantitiesPerFile = 1989; // with one reflection coefficient: 2,000 variables

// A data file that declares every variable of the large component, so that all files
// agree: 2 frequencies, 16 rows each.
QByteArray wideDataFile(int index)
{
    QByteArray text = "! Wide load-pull file " + QByteArray::number(index) + "\nLPDATA 1\n";
    text += "VAR=<Freq>, Units=<GHz>, Type=<Frequency>\n";
    QByteArray columns;
    for (int v = 1; v < IndependentPerFile; ++v) {
        text += "VAR=<X" + QByteArray::number(v) + ">, Units=<V>\n";
        columns += "X" + QByteArray::number(v) + ' ';
    }
    text += "GAMMA=<gamma_ld1>\n";
    columns += "Re(gamma_ld1) Im(gamma_ld1)";
    for (int q = 0; q < QuantitiesPerFile; ++q) {
        text += "OUT=<Q" + QByteArray::number(q) + ">, Units=<dBm>\n";
        columns += " Q" + QByteArray::number(q);
    }
    text += columns + '\n';
    for (const char *frequency : {"1.8", "2.0"}) {
        text += QByteArray("Freq = ") + frequency + " GHz\n";
        for (int row = 0; row < 16; ++row) {
            for (int v = 1; v < IndependentPerFile; ++v)
                text += QByteArray::number(row % (v + 1)) + ' ';
            text +=
                QByteArray::number(0.05 * (row % 4)) + ' ' + QByteArray::number(0.05 * (row / 4));
            for (int q = 0; q < QuantitiesPerFile; ++q)
                text += ' ' + QByteArray::number(20 + 0.01 * ((row * 7 + q + index) % 500), 'f', 2);
            text += '\n';
        }
    }
    return text;
}

qint64 residentBytes()
{
    std::ifstream statm("/proc/self/statm");
    qint64 size = 0;
    qint64 resident = 0;
    statm >> size >> resident;
    return resident * sysconf(_SC_PAGESIZE);
}

} // namespace

// How long the host waits for the editor: load_pull_getAllTabWidgets on the bundled
// example and on a large component, with the data library's cache empty (cold) and
// filled (warm); and the memory one open editor takes.
class bench_EditorOpening : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void open_data();
    void open();
    void memoryOfOneEditor();

private:
    void openAndClose(const HostParameterLists::Parameters &component, bool keepOpen = false);

    QTemporaryDir m_workspace;
    std::unique_ptr<PluginLoader> m_loader;
    ReferenceTvlInterface m_tvl;
    ReferenceHostServices m_host{&m_tvl};
    HostParameterLists::Parameters m_example;
    HostParameterLists::Parameters m_large;
    std::vector<QPointer<QWidget>> m_open;
};

void bench_EditorOpening::initTestCase()
{
    m_loader = std::make_unique<PluginLoader>(QStringLiteral(LP_PLUGIN_PATH));
    QVERIFY(m_loader->load());
    QVERIFY(m_loader->registerContents(&m_host));

    const QString examples = QStringLiteral(LP_EXAMPLES_DIR "/data/");
    m_example = {{QStringLiteral("FileType"), {QStringLiteral("Maury")}},
                 {QStringLiteral("FileName"),
                  {examples + QStringLiteral("pa_two_frequencies.lp"),
                   examples + QStringLiteral("pa_upper_band.lp")}}};
    m_large = {{QStringLiteral("FileType"), {QStringLiteral("Maury")}}};
    for (int i = 0; i < LargeFileCount; ++i) {
        QFile file(m_workspace.filePath(QStringLiteral("wide%1.lp").arg(i)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(wideDataFile(i));
        m_large[QStringLiteral("FileName")].append(file.fileName());
    }
}

void bench_EditorOpening::openAndClose(const HostParameterLists::Parameters &component,
                                       bool keepOpen)
{
    TvlValue *widgets =
        m_tvl.call("load_pull_getAllTabWidgets", {HostParameterLists::make(m_tvl, component)});
    QVERIFY(widgets);
    for (int i = 0; TvlValue *element = m_tvl.GetListElement(widgets, i); ++i)
        m_open.emplace_back(*static_cast<QWidget **>(m_tvl.GetValueData(element)));
    if (keepOpen)
        return;
    for (const QPointer<QWidget> &widget : m_open)
        delete widget;
    m_open.clear();
}

void bench_EditorOpening::open_data()
{
    QTest::addColumn<bool>("large");
    QTest::addColumn<bool>("cold");
    QTest::newRow("example, warm") << false << false;
    QTest::newRow("example, cold") << false << true;
    QTest::newRow("50 files with 2000 variables, warm") << true << false;
    QTest::newRow("50 files with 2000 variables, cold") << true << true;
}

// Each round opens the editor and destroys its nine widgets again, as the host does
// when its dialog closes.
void bench_EditorOpening::open()
{
    QFETCH(bool, large);
    QFETCH(bool, cold);
    const HostParameterLists::Parameters &component = large ? m_large : m_example;
    openAndClose(component); // fills the cache for the warm rows
    QBENCHMARK
    {
        if (cold)
            m_tvl.call("load_pull_closeDataBasedLoadpullUI", {});
        openAndClose(component);
    }
}

// Resident memory grows by pages and the allocator reuses what closed editors freed:
// ten editors kept open at once give a steadier figure for one.
void bench_EditorOpening::memoryOfOneEditor()
{
    constexpr int editors = 10;
    openAndClose(m_example);
    const qint64 before = residentBytes();
    for (int i = 0; i < editors; ++i)
        openAndClose(m_example, true);
    const qint64 added = (residentBytes() - before) / editors;
    openAndClose(m_example);
    qInfo("Resident memory one open editor adds: %lld KiB", added / 1024);
}

QTEST_MAIN(bench_EditorOpening)
#include "bench_editoropening.moc"
