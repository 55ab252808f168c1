// The Smith chart's work on large files: the Delaunay triangulation of 50,000 scattered
// points, and reading a file of 200,000 groups (one drive level each) into the chart's choices.

#include "delaunaytriangulation.h"
#include "smithchartdata.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <vector>

class bench_SmithChart : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void triangulation_data();
    void triangulation();
    void readingManyGroups();

private:
    QTemporaryDir m_dir;
    QString m_manyGroups;
};

void bench_SmithChart::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_manyGroups = m_dir.filePath(QStringLiteral("groups.lp"));
    QFile file(m_manyGroups);
    QVERIFY(file.open(QIODevice::WriteOnly));
    QByteArray text = "LPDATA 1\nVAR=<Pin_avail>, Units=<dBm>\nGAMMA=<g>\nOUT=<P>, Units=<dBm>\n"
                      "Pin_avail Re(g) Im(g) P\n";
    for (int row = 0; row < 200000; ++row)
        text += QByteArray::number(row * 1e-4, 'g', 10) + " 0.1 0.2 30\n";
    QVERIFY(file.write(text) == text.size());
}

void bench_SmithChart::triangulation_data()
{
    QTest::addColumn<int>("count");
    for (int count : {5000, 20000, 50000})
        QTest::newRow(qPrintable(QString::number(count))) << count;
}

// Random loads in the unit disc, as an automated tuner spreads them.
void bench_SmithChart::triangulation()
{
    QFETCH(int, count);
    QRandomGenerator random(3);
    std::vector<QPointF> points;
    while (int(points.size()) < count) {
        const QPointF p(random.generateDouble() * 2 - 1, random.generateDouble() * 2 - 1);
        if (QPointF::dotProduct(p, p) <= 1.0)
            points.push_back(p);
    }
    std::size_t triangles = 0;
    QBENCHMARK_ONCE
    {
        triangles = DelaunayTriangulation::of(points).size();
    }
    QVERIFY(triangles > std::size_t(count));
}

void bench_SmithChart::readingManyGroups()
{
    SmithChartData data;
    QString error;
    int conditions = 0;
    QBENCHMARK_ONCE
    {
        QVERIFY2(data.load(m_manyGroups, {}, &error), qPrintable(error));
        conditions = data.conditions().size();
    }
    QVERIFY(conditions > 0);
}

QTEST_GUILESS_MAIN(bench_SmithChart)
#include "bench_smithchart.moc"
