#include "contourlevels.h"
#include "contourtracer.h"
#include "delaunaytriangulation.h"
#include "smithmapping.h"

#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <complex>
#include <limits>
#include <set>

using Triangles = std::vector<DelaunayTriangulation::Triangle>;
using Points = std::vector<QPointF>;

Q_DECLARE_METATYPE(Points)

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();

double cross(const QPointF &o, const QPointF &p, const QPointF &q)
{
    return (p.x() - o.x()) * (q.y() - o.y()) - (p.y() - o.y()) * (q.x() - o.x());
}

Points grid(int columns, int rows, double spacing = 1.0)
{
    Points points;
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j)
            points.emplace_back(i * spacing, j * spacing);
    }
    return points;
}

// Andrew's monotone chain, keeping points on the hull's edges: the hull's area, and how many
// distinct points lie on its boundary.
std::pair<double, int> hullOf(Points points)
{
    std::sort(points.begin(), points.end(), [](const QPointF &p, const QPointF &q) {
        return std::make_pair(p.x(), p.y()) < std::make_pair(q.x(), q.y());
    });
    points.erase(std::unique(points.begin(), points.end()), points.end());
    Points hull(2 * points.size());
    int k = 0;
    for (int pass = 0; pass < 2; ++pass) {
        const int start = k;
        for (const QPointF &p : points) {
            while (k >= start + 2 && cross(hull[k - 2], hull[k - 1], p) < 0)
                --k;
            hull[k++] = p;
        }
        --k;
        std::reverse(points.begin(), points.end());
    }
    double area = 0.0;
    for (int i = 0; i < k; ++i)
        area += cross(QPointF(), hull[i], hull[(i + 1) % k]);
    return {area / 2.0, k};
}

// Every triangle counter-clockwise and of some area, no point strictly inside any triangle's
// circumcircle, and together the triangles cover the hull once.
void verifyDelaunay(const Points &points, const Triangles &triangles, double hullArea)
{
    double area = 0.0;
    for (const DelaunayTriangulation::Triangle &t : triangles) {
        const QPointF &a = points[t.a], &b = points[t.b], &c = points[t.c];
        const double doubled = cross(a, b, c);
        QVERIFY(doubled > 0);
        area += doubled / 2.0;
        const double d = 2.0 * doubled;
        const double aa = QPointF::dotProduct(a, a), bb = QPointF::dotProduct(b, b),
                     cc = QPointF::dotProduct(c, c);
        const QPointF centre(
            (aa * (b.y() - c.y()) + bb * (c.y() - a.y()) + cc * (a.y() - b.y())) / d,
            (aa * (c.x() - b.x()) + bb * (a.x() - c.x()) + cc * (b.x() - a.x())) / d);
        const double radius = std::hypot(a.x() - centre.x(), a.y() - centre.y());
        for (const QPointF &p : points) {
            if (std::isfinite(p.x()) && std::isfinite(p.y()))
                QVERIFY(std::hypot(p.x() - centre.x(), p.y() - centre.y()) >=
                        radius * (1.0 - 1e-9));
        }
    }
    QVERIFY2(std::abs(area - hullArea) <= 1e-9 * std::max(1.0, hullArea),
             qPrintable(QStringLiteral("%1 against %2").arg(area).arg(hullArea)));
}

void verifyEveryPointUsed(const Points &points, const Triangles &triangles)
{
    std::set<std::pair<double, double>> places;
    for (const QPointF &p : points) {
        if (std::isfinite(p.x()) && std::isfinite(p.y()))
            places.insert({p.x(), p.y()});
    }
    std::set<std::pair<double, double>> used;
    for (const DelaunayTriangulation::Triangle &t : triangles) {
        for (int i : {t.a, t.b, t.c})
            used.insert({points[i].x(), points[i].y()});
    }
    QCOMPARE(used, places);
}

bool near(const QPointF &p, const QPointF &q)
{
    return std::abs(p.x() - q.x()) < 1e-12 && std::abs(p.y() - q.y()) < 1e-12;
}

} // namespace

// The geometry of the Smith chart, free of widgets: where impedances lie, how scattered
// points are triangulated, where contours cross the triangles and at which levels.
class tst_SmithGeometry : public QObject
{
    Q_OBJECT

private slots:
    void impedancesMapToReflections_data();
    void impedancesMapToReflections();
    void gridCirclesHoldTheirImpedances_data();
    void gridCirclesHoldTheirImpedances();
    void chartFitsTheArea();
    void knownPointSetsTriangulate_data();
    void knownPointSetsTriangulate();
    void randomPointsTriangulate();
    void thinStripsTriangulateWhole();
    void contourSegmentsOfAPlane_data();
    void contourSegmentsOfAPlane();
    void contourLevelsSuitTheUnit_data();
    void contourLevelsSuitTheUnit();
};

void tst_SmithGeometry::impedancesMapToReflections_data()
{
    QTest::addColumn<double>("resistance");
    QTest::addColumn<double>("reactance");
    QTest::addColumn<double>("gammaRe");
    QTest::addColumn<double>("gammaIm");
    QTest::addColumn<QPointF>("pixel"); // on a chart of radius 100 about (200, 150)

    QTest::newRow("a short") << 0.0 << 0.0 << -1.0 << 0.0 << QPointF(100, 150);
    QTest::newRow("an open") << Infinity << 0.0 << 1.0 << 0.0 << QPointF(300, 150);
    QTest::newRow("50 Ohm, matched") << 50.0 << 0.0 << 0.0 << 0.0 << QPointF(200, 150);
    QTest::newRow("25 + j25 Ohm") << 25.0 << 25.0 << -0.2 << 0.4 << QPointF(180, 110);
    QTest::newRow("25 - j25 Ohm") << 25.0 << -25.0 << -0.2 << -0.4 << QPointF(180, 190);
    QTest::newRow("a pure reactance of j50 Ohm") << 0.0 << 50.0 << 0.0 << 1.0 << QPointF(200, 50);
}

void tst_SmithGeometry::impedancesMapToReflections()
{
    QFETCH(double, resistance);
    QFETCH(double, reactance);
    QFETCH(double, gammaRe);
    QFETCH(double, gammaIm);
    QFETCH(QPointF, pixel);

    const std::complex<double> gamma = SmithMapping::reflectionOf({resistance, reactance}, 50.0);
    QVERIFY(std::abs(gamma - std::complex<double>(gammaRe, gammaIm)) < 1e-12);
    const SmithMapping mapping(QPointF(200, 150), 100.0);
    QVERIFY(near(mapping.toChart(gamma), pixel));
    QVERIFY(std::abs(mapping.toGamma(pixel) - gamma) < 1e-12);
}

void tst_SmithGeometry::gridCirclesHoldTheirImpedances_data()
{
    QTest::addColumn<double>("value");
    for (double value : {0.2, 0.5, 1.0, 2.0, 5.0})
        QTest::newRow(qPrintable(QString::number(value))) << value;
}

// Every impedance of the circle's resistance, or of the arc's reactance, lies on it.
void tst_SmithGeometry::gridCirclesHoldTheirImpedances()
{
    QFETCH(double, value);
    const SmithMapping::Circle resistance = SmithMapping::resistanceCircle(value);
    const SmithMapping::Circle reactance = SmithMapping::reactanceCircle(value);
    const SmithMapping::Circle negative = SmithMapping::reactanceCircle(-value);
    for (double other : {0.0, 0.1, 0.7, 1.0, 3.0, 40.0}) {
        for (double sign : {1.0, -1.0}) {
            const auto onResistance = SmithMapping::reflectionOf({value, sign * other}, 1.0);
            QCOMPARE(std::abs(onResistance - resistance.centre), resistance.radius);
        }
        const auto onReactance = SmithMapping::reflectionOf({other, value}, 1.0);
        QVERIFY(std::abs(std::abs(onReactance - reactance.centre) - reactance.radius) < 1e-12);
        const auto onNegative = SmithMapping::reflectionOf({other, -value}, 1.0);
        QVERIFY(std::abs(std::abs(onNegative - negative.centre) - negative.radius) < 1e-12);
    }
}

void tst_SmithGeometry::chartFitsTheArea()
{
    const SmithMapping unit = SmithMapping::fitting(QRectF(10, 20, 300, 200), 1.0);
    QCOMPARE(unit.centre(), QPointF(160, 120));
    QCOMPARE(unit.unitRadius(), 100.0);
    const SmithMapping wide = SmithMapping::fitting(QRectF(10, 20, 300, 200), 2.0);
    QCOMPARE(wide.unitRadius(), 50.0);
    QCOMPARE(wide.toChart(std::complex<double>(-2.0, 0.0)), QPointF(60, 120));
    QCOMPARE(SmithMapping::fitting(QRectF(0, 0, 100, 100), 0.5).unitRadius(), 50.0);
}

void tst_SmithGeometry::knownPointSetsTriangulate_data()
{
    QTest::addColumn<Points>("points");
    QTest::addColumn<int>("triangles");

    QTest::newRow("three points") << Points{{0, 0}, {1, 0}, {0, 1}} << 1;
    QTest::newRow("a square, four points on one circle") << grid(2, 2) << 2;
    QTest::newRow("a square with its centre")
        << Points{{0, 0}, {2, 0}, {2, 2}, {0, 2}, {1, 1}} << 4;
    QTest::newRow("a 3x3 grid") << grid(3, 3) << 8;
    QTest::newRow("a 5x5 grid of loads") << grid(5, 5, 0.1) << 32;
    QTest::newRow("a 4x4 grid of spacing 1e-3") << grid(4, 4, 1e-3) << 18;
    Points shifted = grid(4, 4);
    for (QPointF &p : shifted)
        p += QPointF(1e6, -1e6);
    QTest::newRow("a 4x4 grid a million away") << shifted << 18;
    QTest::newRow("a regular hexagon with its centre")
        << Points{{1, 0},  {0.5, 0.8660254037844386},   {-0.5, 0.8660254037844386},
                  {-1, 0}, {-0.5, -0.8660254037844386}, {0.5, -0.8660254037844386},
                  {0, 0}}
        << 6;
    QTest::newRow("a thin triangle") << Points{{0, 0}, {10, 0}, {5, 0.01}} << 1;
    Points line = grid(101, 1, 0.01);
    line.emplace_back(0.5, 5e-10);
    QTest::newRow("a line of 101 points and one just off it") << line << 100;
    Points fan = grid(20, 1);
    fan.emplace_back(9.5, -3);
    QTest::newRow("a line of 20 points and one off it") << fan << 19;
    QTest::newRow("duplicates count once")
        << Points{{0, 0}, {1, 0}, {1, 1}, {0, 1}, {1, 0}, {0, 0}} << 2;
    QTest::newRow("points that are not finite are left out")
        << Points{{0, 0}, {NotANumber, 0}, {1, 0}, {0, Infinity}, {0, 1}} << 1;
    QTest::newRow("collinear points: none") << Points{{0, 0}, {1, 1}, {2, 2}, {3, 3}} << 0;
    QTest::newRow("collinear with a duplicate: none")
        << Points{{0, 0}, {1, 0}, {0, 0}, {2, 0}} << 0;
    QTest::newRow("two points: none") << Points{{0, 0}, {1, 1}} << 0;
    QTest::newRow("one point: none") << Points{{0.3, 0.2}} << 0;
    QTest::newRow("one place thrice: none") << Points{{1, 1}, {1, 1}, {1, 1}} << 0;
    QTest::newRow("no points: none") << Points{} << 0;
}

void tst_SmithGeometry::knownPointSetsTriangulate()
{
    QFETCH(Points, points);
    QFETCH(int, triangles);

    const Triangles result = DelaunayTriangulation::of(points);
    QCOMPARE(int(result.size()), triangles);
    if (triangles == 0)
        return;
    Points finite;
    std::copy_if(points.begin(), points.end(), std::back_inserter(finite),
                 [](const QPointF &p) { return std::isfinite(p.x()) && std::isfinite(p.y()); });
    verifyEveryPointUsed(points, result);
    verifyDelaunay(points, result, hullOf(finite).first);
}

// Points in general position: 2n - 2 - h triangles for h points on the hull.
void tst_SmithGeometry::randomPointsTriangulate()
{
    QRandomGenerator random(7);
    for (int size : {4, 10, 60, 300, 2000}) {
        Points points;
        for (int i = 0; i < size; ++i)
            points.emplace_back(random.generateDouble() * 2 - 1, random.generateDouble() * 2 - 1);
        const Triangles result = DelaunayTriangulation::of(points);
        const auto [area, onHull] = hullOf(points);
        QCOMPARE(int(result.size()), 2 * size - 2 - onHull);
        verifyEveryPointUsed(points, result);
        verifyDelaunay(points, result, area);
    }
}

// Random strips a thousand times longer than wide: the hull's flat edges have circumcircles
// far larger than the strip, and every hull triangle must still be made.
void tst_SmithGeometry::thinStripsTriangulateWhole()
{
    QRandomGenerator random(11);
    for (int round = 0; round < 20; ++round) {
        Points points;
        for (int i = 0; i < 200; ++i)
            points.emplace_back(random.generateDouble(), random.generateDouble() * 1e-3);
        const Triangles result = DelaunayTriangulation::of(points);
        const auto [area, onHull] = hullOf(points);
        QCOMPARE(int(result.size()), 2 * 200 - 2 - onHull);
        verifyEveryPointUsed(points, result);
        double covered = 0.0;
        for (const DelaunayTriangulation::Triangle &t : result)
            covered += cross(points[t.a], points[t.b], points[t.c]) / 2.0;
        QVERIFY2(std::abs(covered - area) <= 1e-9 * area,
                 qPrintable(QStringLiteral("%1 against %2").arg(covered).arg(area)));
    }
}

void tst_SmithGeometry::contourSegmentsOfAPlane_data()
{
    QTest::addColumn<Points>("points");
    QTest::addColumn<double>("level");
    QTest::addColumn<Points>("ends"); // two per segment, in either order

    const Points triangle{{0, 0}, {1, 0}, {0, 1}};
    const Points square{{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    QTest::newRow("below the lone lowest corner") << triangle << 0.5 << Points{{0.5, 0}, {0, 0.25}};
    QTest::newRow("through a corner") << triangle << 1.0 << Points{{1, 0}, {0, 0.5}};
    QTest::newRow("below the lone highest corner")
        << triangle << 1.5 << Points{{0.5, 0.5}, {0, 0.75}};
    QTest::newRow("at the lowest corner: none") << triangle << 0.0 << Points{};
    QTest::newRow("at the lone highest corner: none") << triangle << 2.0 << Points{};
    QTest::newRow("above the highest corner: none") << triangle << 2.5 << Points{};
    QTest::newRow("across both triangles of a square")
        << square << 1.5 << Points{{1, 0.25}, {0.5, 0.5}, {0.5, 0.5}, {0, 0.75}};
}

// f(x, y) = x + 2y, linear, so that each segment lies exactly where f is the level.
void tst_SmithGeometry::contourSegmentsOfAPlane()
{
    QFETCH(Points, points);
    QFETCH(double, level);
    QFETCH(Points, ends);

    std::vector<double> values;
    for (const QPointF &p : points)
        values.push_back(p.x() + 2 * p.y());
    const Triangles triangles = DelaunayTriangulation::of(points);
    const std::vector<QLineF> segments = ContourTracer::segments(points, values, triangles, level);
    QCOMPARE(int(segments.size()) * 2, int(ends.size()));
    std::vector<bool> matched(ends.size() / 2, false);
    for (const QLineF &segment : segments) {
        bool found = false;
        for (std::size_t i = 0; i < matched.size() && !found; ++i) {
            const QPointF &p = ends[2 * i], &q = ends[2 * i + 1];
            found = !matched[i] && ((near(segment.p1(), p) && near(segment.p2(), q)) ||
                                    (near(segment.p1(), q) && near(segment.p2(), p)));
            matched[i] = matched[i] || found;
        }
        QVERIFY2(found, qPrintable(QStringLiteral("(%1, %2) - (%3, %4)")
                                       .arg(segment.x1())
                                       .arg(segment.y1())
                                       .arg(segment.x2())
                                       .arg(segment.y2())));
    }
}

void tst_SmithGeometry::contourLevelsSuitTheUnit_data()
{
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");
    QTest::addColumn<double>("step");
    QTest::addColumn<double>("first");
    QTest::addColumn<int>("count");

    const auto row = [](const char *name, const char *unit, double lowest, double highest,
                        double step, double first, int count) {
        QTest::newRow(name) << QString::fromLatin1(unit) << lowest << highest << step << first
                            << count;
    };
    row("dBm: every 1 dB", "dBm", 27.99, 39.35, 1, 28, 12);
    row("dB: every 1 dB", "dB", 13.3, 18.9, 1, 14, 5);
    row("%: every 5 %", "%", 7.6, 48.6, 5, 10, 8);
    row("dBm over half a dB: a round step", "dBm", 30.1, 30.6, 0.05, 30.1, 11);
    row("% over the whole range: a round step", "%", 0, 100, 10, 0, 11);
    row("mA: a round step", "mA", 207.5, 671.2, 50, 250, 9);
    row("no unit: a round step", "", -0.013, 0.021, 0.005, -0.01, 7);
    row("one value: none", "dBm", 30, 30, 0, 0, 0);
    row("not a number: none", "V", NotANumber, 3, 0, 0, 0);
    row("a span beyond a double: none", "V", -1e308, 1e308, 0, 0, 0);
    row("dBm near 1e300: a round step, not 1e299 levels of 1 dB", "dBm", 1.05e300, 1.95e300, 1e299,
        1.1e300, 9);
    row("dB near 1e16: levels that round to one value count once", "dB", 1e16, 1e16 + 16, 1, 1e16,
        9);
}

void tst_SmithGeometry::contourLevelsSuitTheUnit()
{
    QFETCH(QString, unit);
    QFETCH(double, lowest);
    QFETCH(double, highest);
    QFETCH(double, step);
    QFETCH(double, first);
    QFETCH(int, count);

    QVERIFY(qFuzzyCompare(1.0 + ContourLevels::stepFor(unit, lowest, highest), 1.0 + step));
    const std::vector<double> levels = ContourLevels::between(unit, lowest, highest);
    QCOMPARE(int(levels.size()), count);
    for (std::size_t i = 0; i < levels.size(); ++i) {
        QVERIFY(qFuzzyCompare(1.0 + levels[i], 1.0 + first + double(i) * step));
        QVERIFY(levels[i] >= lowest && levels[i] <= highest);
        QVERIFY(i == 0 || levels[i] > levels[i - 1]);
    }
}

QTEST_GUILESS_MAIN(tst_SmithGeometry)
#include "tst_smithgeometry.moc"
