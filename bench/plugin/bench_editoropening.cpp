#include "hostparameterlists.h"
#include "hugecomponent.h"
#include "pluginloader.h"
#include "referencehostservices.h"
#include "referencetvlinterface.h"

#include <QApplication>
#include <QFile>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#include <malloc.h>

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

constexpr int OwnSweptPerFile = 2;
constexpr int OwnQuantitiesPerFile = 38; // with the frequency and the load: 2,002 variables

// A data file whose variables are its own but for the frequency and the load: 50 of them
// disagree on nearly every variable. 2 frequencies, 4 rows each.
QByteArray ownDataFile(int index)
{
    const QByteArray suffix = '_' + QByteArray::number(index);
    QByteArray text = "LPDATA 1\nVAR=<Freq>, Units=<GHz>, Type=<Frequency>\n";
    QByteArray columns;
    for (int v = 0; v < OwnSweptPerFile; ++v) {
        text += "VAR=<Vdd" + QByteArray::number(v) + suffix + ">, Units=<V>\n";
        columns += "Vdd" + QByteArray::number(v) + suffix + ' ';
    }
    text += "GAMMA=<gamma_ld1>\n";
    columns += "Re(gamma_ld1) Im(gamma_ld1)";
    for (int q = 0; q < OwnQuantitiesPerFile; ++q) {
        text += "OUT=<P" + QByteArray::number(q) + suffix + ">, Units=<dBm>\n";
        columns += " P" + QByteArray::number(q) + suffix;
    }
    text += columns + '\n';
    for (const char *frequency : {"1.8", "2.0"}) {
        text += QByteArray("Freq = ") + frequency + " GHz\n";
        for (int row = 0; row < 4; ++row) {
            for (int v = 0; v < OwnSweptPerFile; ++v)
                text += QByteArray::number(24 + row % 2 + v) + ' ';
            text += QByteArray::number(0.1 * row) + " 0.05";
            for (int q = 0; q < OwnQuantitiesPerFile; ++q)
                text += ' ' + QByteArray::number(20 + 0.5 * row + q);
            text += '\n';
        }
    }
    return text;
}

// The resident memory of the process, as the kernel counts it.
qint64 residentBytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return 0;
}

// The bytes the program holds from the allocator: unlike resident memory, this counts memory
// the allocator hands out again after another editor freed it.
qint64 allocatedBytes()
{
    const struct mallinfo2 info = mallinfo2();
    return qint64(info.uordblks + info.hblkhd);
}

} // namespace

enum Component { Example, Large, Own, Huge };
Q_DECLARE_METATYPE(Component)

// How long the host waits for the editor: load_pull_getAllTabWidgets on the bundled
// example, on a large component and on the worst component the host can give (a megabyte in
// every parameter), with the data library's cache empty (cold) and filled (warm); and the
// memory one open editor takes.
class bench_EditorOpening : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void open_data();
    void open();
    void memoryOfOneEditor_data();
    void memoryOfOneEditor();
    void addingAFile_data();
    void addingAFile();

private:
    void openAndClose(const HostParameterLists::Parameters &component, bool keepOpen = false);
    const HostParameterLists::Parameters &component(Component which) const;

    QTemporaryDir m_workspace;
    std::unique_ptr<PluginLoader> m_loader;
    ReferenceTvlInterface m_tvl;
    ReferenceHostServices m_host{&m_tvl};
    HostParameterLists::Parameters m_example;
    HostParameterLists::Parameters m_large;
    HostParameterLists::Parameters m_own;
    HostParameterLists::Parameters m_huge = hugeComponent();
    std::vector<QPointer<QWidget>> m_open;
    QTimer m_boxCloser;
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
    m_own = m_large;
    // The huge component's boxes are closed as soon as they are shown.
    connect(&m_boxCloser, &QTimer::timeout, this, [] {
        if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget()))
            box->done(QMessageBox::Ok);
    });
    m_boxCloser.start(0);
    for (int i = 0; i < LargeFileCount; ++i) {
        QFile file(m_workspace.filePath(QStringLiteral("wide%1.lp").arg(i)));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(wideDataFile(i));
        m_large[QStringLiteral("FileName")].append(file.fileName());
        QFile own(m_workspace.filePath(QStringLiteral("own%1.lp").arg(i)));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.write(ownDataFile(i));
        m_own[QStringLiteral("FileName")].append(own.fileName());
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

const HostParameterLists::Parameters &bench_EditorOpening::component(Component which) const
{
    switch (which) {
    case Large:
        return m_large;
    case Own:
        return m_own;
    case Huge:
        return m_huge;
    case Example:
        break;
    }
    return m_example;
}

void bench_EditorOpening::open_data()
{
    QTest::addColumn<Component>("which");
    QTest::addColumn<bool>("cold");
    QTest::newRow("example, warm") << Example << false;
    QTest::newRow("example, cold") << Example << true;
    QTest::newRow("50 files with 2000 variables, warm") << Large << false;
    QTest::newRow("50 files with 2000 variables, cold") << Large << true;
    QTest::newRow("50 files with 40 own variables each, warm") << Own << false;
    QTest::newRow("50 files with 40 own variables each, cold") << Own << true;
    QTest::newRow("a megabyte in every parameter") << Huge << true;
}

// Each round opens the editor and destroys its nine widgets again, as the host does
// when its dialog closes.
void bench_EditorOpening::open()
{
    QFETCH(Component, which);
    QFETCH(bool, cold);
    openAndClose(component(which)); // fills the cache for the warm rows
    QBENCHMARK
    {
        if (cold)
            m_tvl.call("load_pull_closeDataBasedLoadpullUI", {});
        openAndClose(component(which));
    }
}

void bench_EditorOpening::memoryOfOneEditor_data()
{
    QTest::addColumn<Component>("which");
    QTest::addColumn<int>("editors");
    QTest::newRow("example") << Example << 50;
    QTest::newRow("50 files with 2000 variables") << Large << 5;
}

// Editors kept open at once, the memory they add divided among them: by the kernel's count
// of resident pages, and by the allocator's count of bytes handed out. The first opening
// comes before the count, so that what every editor shares (fonts, styles, the data
// library's cache) is not charged to one.
void bench_EditorOpening::memoryOfOneEditor()
{
    QFETCH(Component, which);
    QFETCH(int, editors);
    openAndClose(component(which));
    const qint64 residentBefore = residentBytes();
    const qint64 allocatedBefore = allocatedBytes();
    for (int i = 0; i < editors; ++i)
        openAndClose(component(which), true);
    const qint64 resident = (residentBytes() - residentBefore) / editors;
    const qint64 allocated = (allocatedBytes() - allocatedBefore) / editors;
    openAndClose(component(which));
    qInfo("One open editor adds %lld KiB of resident memory and %lld KiB of allocated memory",
          resident / 1024, allocated / 1024);
}

void bench_EditorOpening::addingAFile_data()
{
    QTest::addColumn<Component>("which");
    QTest::newRow("50 files with 2000 variables") << Large;
    QTest::newRow("50 files with 40 own variables each") << Own;
}

// What Add... costs once the dialog has given the file: the library's query of the new file
// beside the 49 listed ones, the warning on their disagreements, and every table shown again.
// One round, with the cache warm: run it with -callgrind for a count that holds from run to run.
void bench_EditorOpening::addingAFile()
{
    QFETCH(Component, which);
    HostParameterLists::Parameters fewer = component(which);
    const QString added = fewer[QStringLiteral("FileName")].takeLast();
    openAndClose(component(which)); // fills the cache
    openAndClose(fewer, true);
    QWidget *fileTab = m_open.at(1);
    QBENCHMARK_ONCE
    {
        QMetaObject::invokeMethod(fileTab, "appendLoadPullFiles", Qt::DirectConnection,
                                  Q_ARG(QStringList, {added}));
    }
    QMetaObject::invokeMethod(fileTab, "updateView", Qt::DirectConnection);
    QCOMPARE(fileTab->findChild<QListWidget *>()->count(), LargeFileCount);
    for (const QPointer<QWidget> &widget : m_open)
        delete widget;
    m_open.clear();
}

QTEST_MAIN(bench_EditorOpening)
#include "bench_editoropening.moc"
