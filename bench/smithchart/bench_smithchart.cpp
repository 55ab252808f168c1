// The Smith chart's work on large files: the Delaunay triangulation of scattered and gridded
// points, the read-out's search among their triangles, a file of 100,000 loads plotted as a
// picture, a drawing and data, with one quantity or two and a target region, the compression of
// files of 10,000 and 5,000 drifting drive sweeps, the match of loads across 14 drive levels alone,
// and reading a file of 200,000 groups into the chart's choices.

#include "delaunaytriangulation.h"
#include "loadsweeps.h"
#include "measuredmesh.h"
#include "smithchartdata.h"
#include "smithchartexport.h"
#include "smithchartplot.h"
#include "smithchartrenderer.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <cmath>
#include <complex>
#include <vector>

namespace {

// Random loads in the unit disc, as an automated tuner spreads them.
std::vector<QPointF> loadsInTheDisc(int count)
{
    QRandomGenerator random(3);
    std::vector<QPointF> points;
    while (int(points.size()) < count) {
        const QPointF p(random.generateDouble() * 2 - 1, random.generateDouble() * 2 - 1);
        if (QPointF::dotProduct(p, p) <= 1.0)
            points.push_back(p);
    }
    return points;
}

// Smooth performance surfaces with their peaks inside the disc.
double performanceAt(const QPointF &p)
{
    return 30 + 5 * p.x() - 3 * p.y() * p.y() + 2 * std::sin(4 * p.x());
}

double efficiencyAt(const QPointF &p)
{
    return 60 - 40 * QPointF::dotProduct(p - QPointF(0.3, 0.2), p - QPointF(0.3, 0.2));
}

// The loads' places at each drive level: each load drifting by up to 0.0005 from one level to
// the next.
std::vector<std::vector<QPointF>> driftingLevels(int loads, int levels)
{
    QRandomGenerator drift(5);
    const std::vector<QPointF> nominal = loadsInTheDisc(loads);
    std::vector<std::vector<QPointF>> places(levels);
    for (int level = 0; level < levels; ++level) {
        for (const QPointF &p : nominal)
            places[level].push_back(
                p + 0.0005 * QPointF(drift.generateDouble(), drift.generateDouble()));
    }
    return places;
}

// Gain compressing from 1 dB at the lowest drive level to 4 dB at the highest, more or less by
// load.
QByteArray sweepsFile(int loads, int levels)
{
    QByteArray sweeps = "LPDATA 1\nVAR=<Pin>, Units=<dBm>\nGAMMA=<g>\nOUT=<Gain>, Units=<dB>\n"
                        "OUT=<P>, Units=<dBm>\nRe(g) Im(g) Pin Gain P\n";
    const std::vector<std::vector<QPointF>> places = driftingLevels(loads, levels);
    for (int level = 0; level < levels; ++level) {
        for (const QPointF &at : places[level]) {
            const double gain = 18 - level * level * (0.02 + 0.03 * (at.x() + 1)) * 81 /
                                         double((levels - 1) * (levels - 1));
            sweeps += QByteArray::number(at.x(), 'f', 6) + ' ' +
                      QByteArray::number(at.y(), 'f', 6) + ' ' + QByteArray::number(level * 2) +
                      ' ' + QByteArray::number(gain, 'f', 4) + ' ' +
                      QByteArray::number(level * 2 + gain, 'f', 4) + '\n';
        }
    }
    return sweeps;
}

bool writeFile(const QString &path, const QByteArray &text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(text) == text.size();
}

} // namespace

Q_DECLARE_METATYPE(std::vector<QPointF>)

class bench_SmithChart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void triangulation_data();
    void triangulation();
    void readOut();
    void plotting_data();
    void plotting();
    void compression_data();
    void compression();
    void followingLoads();
    void readingManyGroups();

private:
    QTemporaryDir m_dir;
};

void bench_SmithChart::initTestCase()
{
    QVERIFY(m_dir.isValid());
    QByteArray groups = "LPDATA 1\nVAR=<Pin_avail>, Units=<dBm>\nGAMMA=<g>\nOUT=<P>, Units=<dBm>\n"
                        "Pin_avail Re(g) Im(g) P\n";
    for (int row = 0; row < 200000; ++row)
        groups += QByteArray::number(row * 1e-4, 'g', 10) + " 0.1 0.2 30\n";
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("groups.lp")), groups));

    QByteArray loads = "LPDATA 1\nGAMMA=<g>\nOUT=<P>, Units=<dBm>\nOUT=<E>, Units=<%>\n"
                       "Re(g) Im(g) P E\n";
    for (const QPointF &p : loadsInTheDisc(100000))
        loads += QByteArray::number(p.x(), 'f', 6) + ' ' + QByteArray::number(p.y(), 'f', 6) + ' ' +
                 QByteArray::number(performanceAt(p), 'f', 4) + ' ' +
                 QByteArray::number(efficiencyAt(p), 'f', 4) + '\n';
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("loads.lp")), loads));

    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("sweeps.lp")), sweepsFile(10000, 10)));
    QVERIFY(writeFile(m_dir.filePath(QStringLiteral("sweeps14.lp")), sweepsFile(5000, 14)));
}

void bench_SmithChart::triangulation_data()
{
    QTest::addColumn<std::vector<QPointF>>("points");
    for (int count : {5000, 20000, 50000, 100000})
        QTest::newRow(qPrintable(QStringLiteral("%1 random loads").arg(count)))
            << loadsInTheDisc(count);
    // Every four neighbours lie on one circle: the exact in-circle test decides each.
    std::vector<QPointF> grid;
    for (int i = 0; i < 300; ++i) {
        for (int j = 0; j < 300; ++j)
            grid.emplace_back(-0.9 + i * 0.006, -0.9 + j * 0.006);
    }
    QTest::newRow("a grid of 300 x 300 loads") << grid;
}

void bench_SmithChart::triangulation()
{
    QFETCH(std::vector<QPointF>, points);
    std::size_t triangles = 0;
    QBENCHMARK_ONCE
    {
        triangles = DelaunayTriangulation::of(points).size();
    }
    QVERIFY(triangles > points.size());
}

// The read-out under the pointer: 10,000 places across the chart, inside the loads' triangles
// and outside them, each located among the triangles of 100,000 loads.
void bench_SmithChart::readOut()
{
    std::vector<std::complex<double>> gammas;
    std::vector<int> used;
    for (const QPointF &p : loadsInTheDisc(100000)) {
        used.push_back(int(gammas.size()));
        gammas.emplace_back(p.x(), p.y());
    }
    const MeasuredMesh mesh(gammas, used);
    int found = 0;
    QBENCHMARK_ONCE
    {
        for (int i = 0; i < 100; ++i) {
            for (int j = 0; j < 100; ++j)
                found += mesh.triangleAt({-1.1 + i * 0.022, -1.1 + j * 0.022}) >= 0;
        }
    }
    QVERIFY(found > 5000 && found < 10000);
}

void bench_SmithChart::plotting_data()
{
    QTest::addColumn<QString>("suffix");
    QTest::addColumn<QString>("contoured");
    QTest::addColumn<QString>("target");
    for (const QString &suffix : SmithChartExport::suffixes())
        QTest::newRow(qPrintable(suffix)) << suffix << QStringLiteral("P") << QString();
    for (const QString &suffix : {QStringLiteral("png"), QStringLiteral("json")}) {
        QTest::newRow(qPrintable(suffix + QStringLiteral(", two quantities")))
            << suffix << QStringLiteral("P,E") << QString();
        QTest::newRow(qPrintable(suffix + QStringLiteral(", two quantities and a target")))
            << suffix << QStringLiteral("P,E") << QStringLiteral("P>=31,E>=50");
    }
}

// From the data file to the written file: read, triangulated, contoured, drawn, written.
void bench_SmithChart::plotting()
{
    QFETCH(QString, suffix);
    QFETCH(QString, contoured);
    QFETCH(QString, target);
    const QString file = m_dir.filePath(QStringLiteral("chart.") + suffix);
    SmithChartPlot::Options options;
    options.contoured = contoured;
    options.target = target;
    QString error;
    QBENCHMARK_ONCE
    {
        QVERIFY2(SmithChartPlot::write(m_dir.filePath(QStringLiteral("loads.lp")), options, file,
                                       &error),
                 qPrintable(error));
    }
    QVERIFY(QFile(file).size() > 0);
}

void bench_SmithChart::compression_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("loads");
    QTest::newRow("10,000 loads, 10 drive levels") << QStringLiteral("sweeps.lp") << 10000;
    QTest::newRow("5,000 loads, 14 drive levels") << QStringLiteral("sweeps14.lp") << 5000;
}

void bench_SmithChart::compression()
{
    QFETCH(QString, file);
    QFETCH(int, loads);
    SmithChartData data;
    QString error;
    QVERIFY2(data.load(m_dir.filePath(file), {}, &error), qPrintable(error));
    std::size_t shown = 0;
    QBENCHMARK_ONCE
    {
        SmithChartData::Choice choice;
        choice.condition = data.defaultCondition();
        choice.contoured = {1};
        shown = SmithChartRenderer(data.compressed(choice, 1.0)).content().gammas.size();
    }
    QVERIFY(shown > 0.9 * loads);
}

// The match alone, 13 times from one level to the next.
void bench_SmithChart::followingLoads()
{
    std::vector<std::vector<std::complex<double>>> levels;
    for (const std::vector<QPointF> &places : driftingLevels(5000, 14)) {
        levels.emplace_back();
        for (const QPointF &p : places)
            levels.back().emplace_back(p.x(), p.y());
    }
    std::size_t sweeps = 0;
    QBENCHMARK_ONCE
    {
        sweeps = LoadSweeps::follow(levels).size();
    }
    QVERIFY(sweeps >= 5000);
}

void bench_SmithChart::readingManyGroups()
{
    SmithChartData data;
    QString error;
    int conditions = 0;
    QBENCHMARK_ONCE
    {
        QVERIFY2(data.load(m_dir.filePath(QStringLiteral("groups.lp")), {}, &error),
                 qPrintable(error));
        conditions = data.conditions().size();
    }
    QVERIFY(conditions > 0);
}

QTEST_MAIN(bench_SmithChart)
#include "bench_smithchart.moc"
