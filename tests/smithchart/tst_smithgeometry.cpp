#include "contourlevels.h"
#include "contourtracer.h"
#include "delaunaytriangulation.h"
#include "exactpredicates.h"
#include "gaincompression.h"
#include "leastcostassignment.h"
#include "pointgrid.h"
#include "smithgrid.h"
#include "smithmapping.h"
#include "targetregion.h"
#include "testtexts.h"
#include "trianglegrid.h"

#include <QPainterPath>
#include <QRandomGenerator>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>
#include <limits>
#include <map>
#include <memory>
#include <numeric>
#include <set>

using Triangles = std::vector<DelaunayTriangulation::Triangle>;
using Points = std::vector<QPointF>;
using Generator = std::function<Points(QRandomGenerator &)>;

Q_DECLARE_METATYPE(Points)
Q_DECLARE_METATYPE(Generator)
Q_DECLARE_METATYPE(std::vector<double>)

namespace {

constexpr double Infinity = std::numeric_limits<double>::infinity();
constexpr double NotANumber = std::numeric_limits<double>::quiet_NaN();

using Place = std::pair<double, double>;

Place placeOf(const QPointF &p)
{
    return {p.x(), p.y()};
}

// The distinct places of the finite points.
std::set<Place> placesOf(const Points &points)
{
    std::set<Place> places;
    for (const QPointF &p : points) {
        if (std::isfinite(p.x()) && std::isfinite(p.y()))
            places.insert(placeOf(p));
    }
    return places;
}

// A double `steps` ulps away from `value`, towards plus infinity for positive steps.
double nudged(double value, int steps)
{
    for (int i = 0; i < std::abs(steps); ++i)
        value = std::nextafter(value, steps > 0 ? Infinity : -Infinity);
    return value;
}

double uniform(QRandomGenerator &random, double low, double high)
{
    return low + (high - low) * random.generateDouble();
}

int between(QRandomGenerator &random, int low, int high)
{
    return random.bounded(low, high + 1);
}

// The distinct points on the boundary of the convex hull, counter-clockwise, by Andrew's
// monotone chain with exact turns, keeping points that lie on the hull's edges.
std::vector<Place> hullOf(std::vector<Place> places)
{
    std::sort(places.begin(), places.end());
    places.erase(std::unique(places.begin(), places.end()), places.end());
    std::vector<Place> hull;
    for (int pass = 0; pass < 2; ++pass) {
        const std::size_t start = hull.size();
        for (const Place &p : places) {
            while (hull.size() >= start + 2 &&
                   ExactPredicates::orientation(
                       QPointF(hull[hull.size() - 2].first, hull[hull.size() - 2].second),
                       QPointF(hull.back().first, hull.back().second),
                       QPointF(p.first, p.second)) < 0)
                hull.pop_back();
            hull.push_back(p);
        }
        hull.pop_back();
        std::reverse(places.begin(), places.end());
    }
    return hull;
}

// Why the triangles are no Delaunay triangulation of the points; empty when they are one. All
// tests are exact: every triangle turns counter-clockwise, no edge lies in more than two
// triangles, every distinct finite point is a corner, the edges that only one triangle has
// are exactly the hull's (so that the triangles tile the hull: their area is the hull's), and
// every edge is locally Delaunay (the corner across it lies on or outside the circumcircle),
// which for a triangulation means that no point lies inside any triangle's circumcircle.
QString flawOf(const Points &points, const Triangles &triangles)
{
    const auto text = [&](int i) {
        return "(%1, %2)"_s.arg(points[i].x(), 0, 'g', 17).arg(points[i].y(), 0, 'g', 17);
    };
    std::map<std::pair<Place, Place>, QPointF> across; // directed edge -> the third corner
    std::set<Place> used;
    for (const DelaunayTriangulation::Triangle &t : triangles) {
        const int corners[] = {t.a, t.b, t.c};
        if (ExactPredicates::orientation(points[t.a], points[t.b], points[t.c]) <= 0)
            return "not counter-clockwise: "_s + text(t.a) + text(t.b) + text(t.c);
        for (int i = 0; i < 3; ++i) {
            used.insert(placeOf(points[corners[i]]));
            const auto edge =
                std::make_pair(placeOf(points[corners[i]]), placeOf(points[corners[(i + 1) % 3]]));
            if (!across.emplace(edge, points[corners[(i + 2) % 3]]).second)
                return "an edge in three triangles: "_s + text(corners[i]) +
                       text(corners[(i + 1) % 3]);
        }
    }
    const std::set<Place> places = placesOf(points);
    if (used != places)
        return "%1 of %2 distinct points used"_s.arg(used.size()).arg(places.size());
    const std::vector<Place> hull = hullOf({places.begin(), places.end()});
    std::set<std::pair<Place, Place>> hullEdges, unpaired;
    for (std::size_t i = 0; i < hull.size(); ++i)
        hullEdges.insert({hull[i], hull[(i + 1) % hull.size()]});
    for (const auto &[edge, corner] : across) {
        const auto reverse = across.find({edge.second, edge.first});
        if (reverse == across.end())
            unpaired.insert(edge);
        else if (ExactPredicates::inCircle(QPointF(edge.first.first, edge.first.second),
                                           QPointF(edge.second.first, edge.second.second), corner,
                                           reverse->second) > 0)
            return "not Delaunay across an edge"_s;
    }
    if (unpaired != hullEdges)
        return "%1 edges on the outside, the hull has %2"_s.arg(unpaired.size())
            .arg(hullEdges.size());
    return {};
}

bool allOnOneLine(const Points &points)
{
    std::vector<QPointF> distinct;
    for (const Place &place : placesOf(points))
        distinct.emplace_back(place.first, place.second);
    return distinct.size() < 3 ||
           std::all_of(distinct.begin(), distinct.end(), [&](const QPointF &p) {
               return ExactPredicates::orientation(distinct[0], distinct[1], p) == 0;
           });
}

// Points that all lie on one line, or fewer than three places, give no triangles.
// Every place of a triangle (its corners, edges' middles and centre) finds it among the grid's
// candidates, which come in ascending order: the first triangle that holds a place is found.
QString flawOfGrid(const Points &points, const Triangles &triangles)
{
    const TriangleGrid grid(points, triangles);
    for (std::size_t i = 0; i < triangles.size(); ++i) {
        const QPointF a = points[triangles[i].a], b = points[triangles[i].b],
                      c = points[triangles[i].c];
        for (const QPointF &place :
             {a, b, c, (a + b) / 2, (b + c) / 2, (c + a) / 2, (a + b + c) / 3}) {
            const TriangleGrid::Cell candidates = grid.candidatesAt(place);
            if (!std::is_sorted(candidates.begin(), candidates.end()))
                return "the grid's candidates are out of order"_s;
            if (std::find(candidates.begin(), candidates.end(), int(i)) == candidates.end())
                return "triangle %1 is no candidate at a place of its own"_s.arg(i);
        }
    }
    return QString();
}

QString flawOfTriangulating(const Points &points)
{
    const Triangles triangles = DelaunayTriangulation::of(points);
    if (!triangles.empty()) {
        const QString flaw = flawOf(points, triangles);
        return flaw.isEmpty() ? flawOfGrid(points, triangles) : flaw;
    }
    return allOnOneLine(points) ? QString() : "no triangles"_s;
}

// The failing points with as many as possible left out, one at a time, while they still fail.
Points shrunk(Points points)
{
    for (bool shrinking = true; shrinking;) {
        shrinking = false;
        for (std::size_t i = points.size(); i-- > 0;) {
            Points fewer = points;
            fewer.erase(fewer.begin() + long(i));
            if (!flawOfTriangulating(fewer).isEmpty()) {
                points = fewer;
                shrinking = true;
            }
        }
    }
    return points;
}

QString asRow(const Points &points)
{
    QStringList texts;
    for (const QPointF &p : points)
        texts << "{%1, %2}"_s.arg(p.x(), 0, 'g', 17).arg(p.y(), 0, 'g', 17);
    return "Points{"_s + texts.join(", "_s) + QLatin1Char('}');
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

Points uniformPoints(QRandomGenerator &random)
{
    Points points;
    for (int i = between(random, 3, 300); i > 0; --i)
        points.emplace_back(uniform(random, -1, 1), uniform(random, -1, 1));
    return points;
}

// A measured grid: cocircular fours everywhere, decimal or binary spacing, far from the
// origin or not.
Points gridPoints(QRandomGenerator &random)
{
    const double spacing = random.bounded(2) ? 0.1 : 0.125;
    const QPointF offset(random.bounded(2) * 1e3, random.bounded(2) * -0.7);
    Points points = grid(between(random, 2, 15), between(random, 2, 15), spacing);
    for (QPointF &p : points)
        p += offset;
    return points;
}

Points clusteredPoints(QRandomGenerator &random)
{
    Points points;
    for (int cluster = between(random, 1, 4); cluster > 0; --cluster) {
        const QPointF centre(uniform(random, -1, 1), uniform(random, -1, 1));
        const double radius = std::pow(10.0, -between(random, 3, 12));
        for (int i = between(random, 1, 40); i > 0; --i)
            points.push_back(centre +
                             radius * QPointF(uniform(random, -1, 1), uniform(random, -1, 1)));
    }
    return points;
}

Points thinStrip(QRandomGenerator &random)
{
    const double width = std::pow(10.0, -between(random, 3, 9));
    Points points;
    for (int i = between(random, 3, 200); i > 0; --i)
        points.emplace_back(uniform(random, 0, 1), uniform(random, 0, width));
    return points;
}

// Points exactly on a line: multiples of 2^-30 below 1, so that no sum rounds.
Points onALine(QRandomGenerator &random)
{
    const auto fixed = [&random](int range) {
        return double(random.bounded(-range, range + 1)) / (1 << 30);
    };
    const QPointF start(fixed(1 << 29), fixed(1 << 29));
    const QPointF step(fixed(1 << 23), fixed(1 << 23));
    Points points;
    for (int k = between(random, 3, 101); k > 0; --k)
        points.push_back(start + double(k) * step);
    return points;
}

// Points on a line, a few of them a few ulps, or about 10^-11 of the line's length, off it.
Points nearlyOnALine(QRandomGenerator &random)
{
    Points points = onALine(random);
    for (int moved = between(random, 0, 3); moved > 0; --moved) {
        QPointF &p = points[random.bounded(int(points.size()))];
        p.setY(random.bounded(2) ? nudged(p.y(), between(random, -4, 4))
                                 : p.y() + uniform(random, -1e-11, 1e-11));
    }
    return points;
}

// Points exactly on a circle, from Pythagorean triples m^2 - n^2, 2mn, m^2 + n^2 about a
// centre of few bits, some of them nudged a few ulps off it.
Points nearlyOnACircle(QRandomGenerator &random)
{
    const int m = between(random, 2, 40), n = between(random, 1, m - 1);
    const double a = m * m - n * n, b = 2 * m * n, r = m * m + n * n;
    const double scale = std::ldexp(1.0, -between(random, 0, 12));
    const QPointF centre(random.bounded(-64, 64) / 64.0, random.bounded(-64, 64) / 64.0);
    const double offsets[][2] = {{a, b},   {b, a},   {-a, b}, {-b, a}, {a, -b}, {b, -a},
                                 {-a, -b}, {-b, -a}, {r, 0},  {-r, 0}, {0, r},  {0, -r}};
    Points points;
    for (const auto &offset : offsets) {
        if (random.bounded(4) != 0)
            points.push_back(centre + scale * QPointF(offset[0], offset[1]));
    }
    for (QPointF &p : points) {
        if (random.bounded(4) == 0)
            p.setX(nudged(p.x(), between(random, -3, 3)));
    }
    if (random.bounded(2))
        points.push_back(centre);
    return points;
}

// A few places, each given several times, exactly or an ulp apart.
Points repeatedPoints(QRandomGenerator &random)
{
    Points points;
    for (int place = between(random, 1, 12); place > 0; --place) {
        const QPointF p(uniform(random, -1, 1), uniform(random, -1, 1));
        for (int copy = between(random, 1, 4); copy > 0; --copy)
            points.emplace_back(nudged(p.x(), between(random, -1, 1)),
                                nudged(p.y(), between(random, -1, 1)));
    }
    return points;
}

// A row for each generator of point sets.
void addPointSets()
{
    QTest::addColumn<Generator>("generator");

    QTest::newRow("random points") << Generator(uniformPoints);
    QTest::newRow("grids") << Generator(gridPoints);
    QTest::newRow("clusters") << Generator(clusteredPoints);
    QTest::newRow("thin strips") << Generator(thinStrip);
    QTest::newRow("points on a line, some a few ulps or 1e-11 off it") << Generator(nearlyOnALine);
    QTest::newRow("points on a circle, some a few ulps off it") << Generator(nearlyOnACircle);
    QTest::newRow("repeated and nearly repeated points") << Generator(repeatedPoints);
}

} // namespace

// The geometry of the Smith chart, free of widgets: where impedances lie, how scattered
// points are triangulated, where contours cross the triangles and at which levels.
class tst_SmithGeometry : public QObject
{
    Q_OBJECT

private slots:
    void gridCirclesHoldTheirImpedances();
    void chartFitsTheArea();
    void gridLinesSuitTheWindow();
    void predicatesAreExactOnAndBesideLinesAndCircles();
    void anyPointsTriangulate_data();
    void anyPointsTriangulate();
    void contourSegmentsOfAPlane_data();
    void contourSegmentsOfAPlane();
    void contourLevelsSuitTheUnit_data();
    void contourLevelsSuitTheUnit();
    void roundStepsDrawTheCountNearestEight();
    void targetRegionIsWhereEveryBoundHolds();
    void assignmentIsTheLeastOfAllPermutations();
    void compressionOfExtremeGains_data();
    void compressionOfExtremeGains();
    void nearestPointsAreFoundByTheirCells_data();
    void nearestPointsAreFoundByTheirCells();
};

// Every impedance of the circle's resistance lies on it; every passive impedance of the arc's
// reactance lies on the arc, which ends at the open (Γ = 1) and at the pure reactance.
void tst_SmithGeometry::gridCirclesHoldTheirImpedances()
{
    QCOMPARE(SmithMapping::reflectionOf({Infinity, 0.0}, 50.0), std::complex<double>(1.0));
    for (double value : {0.2, 0.5, 1.0, 2.0, 5.0}) {
        const SmithMapping::Circle resistance = SmithMapping::resistanceCircle(value);
        for (double sign : {1.0, -1.0}) {
            const SmithMapping::Arc arc = SmithMapping::reactanceArc(sign * value);
            const SmithMapping::Circle &reactance = arc.circle;
            const auto onArc = [&](std::complex<double> gamma) {
                const double degrees = std::arg(gamma - reactance.centre) * 180 / M_PI;
                const double along = std::remainder(degrees - arc.start, 360.0) / arc.sweep;
                return std::abs(std::abs(gamma - reactance.centre) - reactance.radius) < 1e-12 &&
                       along > -1e-9 && along < 1 + 1e-9;
            };
            for (double other : {0.0, 0.1, 0.7, 1.0, 3.0, 40.0}) {
                const auto onResistance = SmithMapping::reflectionOf({value, sign * other}, 1.0);
                QVERIFY(std::abs(std::abs(onResistance - resistance.centre) - resistance.radius) <
                        1e-12);
                QVERIFY(onArc(SmithMapping::reflectionOf({other, sign * value}, 1.0)));
            }
            QVERIFY(onArc(SmithMapping::reflectionOf({1e12, sign * value}, 1.0)));
        }
    }
}

void tst_SmithGeometry::chartFitsTheArea()
{
    const QRectF area(10, 20, 300, 200);
    const SmithMapping unit = SmithMapping::fitting(area, {0.0, 1.0});
    QCOMPARE(unit.centre(), QPointF(160, 120));
    QCOMPARE(unit.unitRadius(), 100.0);
    const SmithMapping wide = SmithMapping::fitting(area, {0.0, 2.0});
    QCOMPARE(wide.toChart(std::complex<double>(-2.0, 0.0)), QPointF(60, 120));
    // A window about -0.5 + j0.25 of half side 0.25: that place in the middle, 400 pixels to 1.
    const SmithMapping zoomed = SmithMapping::fitting(area, {{-0.5, 0.25}, 0.25});
    QCOMPARE(zoomed.toChart({-0.5, 0.25}), QPointF(160, 120));
    QCOMPARE(zoomed.toChart({-0.25, 0.0}), QPointF(260, 220));
    QCOMPARE(zoomed.gammaRect(area), QRectF(-0.875, 0.0, 0.75, 0.5));
}

// In any window, every part of every grid line lies on its line, inside the window and the
// unit circle; each family has at most SmithGrid::MostLines lines; a window that holds the
// whole chart shows the classic ones, whole.
void tst_SmithGeometry::gridLinesSuitTheWindow()
{
    QRandomGenerator random(17);
    for (int round = 0; round < 400; ++round) {
        const double halfSide = round == 0 ? 1.2 : std::pow(10.0, uniform(random, -2.5, 0.1));
        const std::complex<double> centre =
            round == 0 ? 0.0 : std::polar(uniform(random, 0, 1), uniform(random, -M_PI, M_PI));
        const QRectF area(0, 0, between(random, 200, 900), between(random, 200, 900));
        const SmithMapping mapping = SmithMapping::fitting(area, {centre, halfSide});
        const QRectF visible = mapping.gammaRect(area);
        const SmithGrid grid(mapping, visible, 1.0);
        QCOMPARE(grid.showsWhole(), visible.contains(QRectF(-1, -1, 2, 2)));
        int lines[2] = {0, 0};
        double sweep = 0;
        for (const SmithGrid::Line &line : grid.lines()) {
            ++lines[line.reactance];
            for (const SmithMapping::Arc &part : line.parts) {
                sweep += std::abs(part.sweep);
                for (int k = 0; k <= 8; ++k) {
                    const std::complex<double> at =
                        part.circle.centre +
                        std::polar(part.circle.radius,
                                   (part.start + part.sweep * k / 8) * M_PI / 180);
                    // About the open, where every line meets, impedances tell nothing.
                    const std::complex<double> z = SmithMapping::impedanceOf(at, 1.0);
                    QVERIFY2(
                        std::abs(1.0 - at) < 1e-6 ||
                            std::abs((line.reactance ? z.imag() : z.real()) - line.value) <
                                1e-6 * std::max(1.0, std::abs(z)),
                        qPrintable("%1 at %2%3"_s.arg(line.label()).arg(at.real()).arg(at.imag())));
                    QVERIFY(std::abs(at) < 1 + 1e-9);
                    QVERIFY(visible.adjusted(-1e-9, -1e-9, 1e-9, 1e-9)
                                .contains(QPointF(at.real(), at.imag())));
                }
            }
        }
        QVERIFY(lines[0] <= SmithGrid::MostLines && lines[1] <= SmithGrid::MostLines);
        if (grid.showsWhole()) {
            QCOMPARE(lines[0], 5);
            QCOMPARE(lines[1], 10);
            double classic = 360.0 * 5;
            for (double x : SmithGrid::ClassicValues)
                classic += 2 * std::abs(SmithMapping::reactanceArc(x).sweep);
            QVERIFY(std::abs(sweep - classic) < 1e-6);
        }
    }
}

// Points built exactly on a line or a circle give 0; nudged a few ulps off it, the side they
// were nudged to. Swapping two points turns the sign over, and scaling every coordinate by a
// power of two (exact, down to subnormal and up to near the largest doubles) changes nothing.
void tst_SmithGeometry::predicatesAreExactOnAndBesideLinesAndCircles()
{
    QRandomGenerator random(23);
    for (int round = 0; round < 2000; ++round) {
        const int scale = between(random, -1000, 1000);
        const auto scaled = [scale](const QPointF &p) {
            return QPointF(std::ldexp(p.x(), scale), std::ldexp(p.y(), scale));
        };
        // Scaling is exact unless it takes a coordinate below the smallest subnormal.
        const auto exactlyScaled = [&](std::initializer_list<QPointF> points) {
            return std::all_of(points.begin(), points.end(), [&](const QPointF &p) {
                const QPointF back = scaled(p);
                return std::ldexp(back.x(), -scale) == p.x() &&
                       std::ldexp(back.y(), -scale) == p.y();
            });
        };

        const Points line = onALine(random);
        const QPointF a = line[0], b = line[1];
        QPointF c = line[2];
        const int steps = between(random, -3, 3);
        c.setY(nudged(c.y(), steps));
        const int turn = ExactPredicates::orientation(a, b, c);
        QCOMPARE(turn,
                 steps == 0 || a.x() == b.x() ? 0 : ((b.x() > a.x()) == (steps > 0) ? 1 : -1));
        QCOMPARE(ExactPredicates::orientation(b, a, c), -turn);
        QCOMPARE(ExactPredicates::orientation(c, a, b), turn);
        if (exactlyScaled({a, b, c}))
            QCOMPARE(ExactPredicates::orientation(scaled(a), scaled(b), scaled(c)), turn);

        // East, north and a third point of a circle of radius m^2 + n^2, counter-clockwise,
        // and a fourth on it, nudged outwards (to the east) or inwards.
        const int m = between(random, 2, 30), n = between(random, 1, m - 1);
        const double p = m * m - n * n, q = 2 * m * n, radius = m * m + n * n;
        const QPointF centre(random.bounded(-64, 64) / 64.0, random.bounded(-64, 64) / 64.0);
        const QPointF east = centre + QPointF(radius, 0), north = centre + QPointF(0, radius);
        const QPointF third = centre + QPointF(-p, -q);
        QPointF fourth = centre + QPointF(q, random.bounded(2) ? p : -p);
        const int outwards = between(random, -3, 3);
        fourth.setX(nudged(fourth.x(), outwards));
        const int inside = ExactPredicates::inCircle(east, north, third, fourth);
        QCOMPARE(inside, outwards == 0 ? 0 : (outwards > 0 ? -1 : 1));
        QCOMPARE(ExactPredicates::inCircle(north, third, east, fourth), inside);
        QCOMPARE(ExactPredicates::inCircle(north, east, third, fourth), -inside);
        if (exactlyScaled({east, north, third, fourth}))
            QCOMPARE(ExactPredicates::inCircle(scaled(east), scaled(north), scaled(third),
                                               scaled(fourth)),
                     inside);
    }
}

void tst_SmithGeometry::anyPointsTriangulate_data()
{
    addPointSets();
    // Input no generator above gives.
    QTest::newRow("points that are not finite are left out") << Generator([](QRandomGenerator &) {
        return Points{{0, 0}, {NotANumber, 0}, {1, 0}, {0, Infinity}, {0, 1}};
    });
    QTest::newRow("no points: none") << Generator([](QRandomGenerator &) { return Points{}; });
}

// Any finite points give a valid Delaunay triangulation, or none when they all lie on one
// line. A failure is shrunk to the fewest points that still fail, for a row below.
void tst_SmithGeometry::anyPointsTriangulate()
{
    QFETCH(Generator, generator);
    QRandomGenerator random(qHash(QByteArray(QTest::currentDataTag())));
    for (int round = 0; round < 150; ++round) {
        const Points points = generator(random);
        const QString flaw = flawOfTriangulating(points);
        if (!flaw.isEmpty())
            QFAIL(qPrintable(flaw + ": "_s + asRow(shrunk(points))));
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
    QTest::newRow("at the lowest corner: none") << triangle << 0.0 << Points{};
    QTest::newRow("at the lone highest corner: none") << triangle << 2.0 << Points{};
    QTest::newRow("across both triangles of a square")
        << square << 1.5 << Points{{1, 0.25}, {0.5, 0.5}, {0.5, 0.5}, {0, 0.75}};
}

// f(x, y) = x + 2y, linear, so that each segment lies exactly where f is the level.
void tst_SmithGeometry::contourSegmentsOfAPlane()
{
    QFETCH(Points, points);
    QFETCH(double, level);
    QFETCH(Points, ends);

    const auto near = [](const QPointF &p, const QPointF &q) {
        return std::abs(p.x() - q.x()) < 1e-12 && std::abs(p.y() - q.y()) < 1e-12;
    };
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
        QVERIFY(found);
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
    row("%: every 5 %", "%", 7.6, 48.6, 5, 10, 8);
    row("dBm over half a dB: a round step", "dBm", 30.1, 30.6, 0.1, 30.1, 6);
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

// For any range, the levels are the step's multiples in it, each the double that its decimals
// write, and no other round step of the chosen one's decade or its neighbours draws a count of
// lines nearer to eight.
void tst_SmithGeometry::roundStepsDrawTheCountNearestEight()
{
    QRandomGenerator random(8);
    for (int round = 0; round < 3000; ++round) {
        const double scale = std::pow(10.0, between(random, -6, 9));
        const double lowest = uniform(random, -20, 20) * scale;
        const double highest = lowest + uniform(random, 0.5, 40) * scale;
        const auto drawn = [&](double step) {
            return int(std::floor(highest / step) - std::ceil(lowest / step) + 1);
        };
        const double step = ContourLevels::stepFor(QString(), lowest, highest);
        const std::vector<double> levels = ContourLevels::between(QString(), lowest, highest);
        QCOMPARE(int(levels.size()), drawn(step));
        const double power = std::pow(10.0, std::floor(std::log10(step)));
        const int decimals =
            std::max(0, int(std::lround(-std::log10(power))) + (step / power == 2.5));
        for (double level : levels)
            QVERIFY2(QString::number(level, 'f', decimals).toDouble() == level,
                     qPrintable(QString::number(level, 'g', 17)));
        for (double decade : {power / 10, power, power * 10}) {
            for (double factor : {1.0, 2.0, 2.5, 5.0})
                QVERIFY2(std::abs(drawn(factor * decade) - 8) >= std::abs(drawn(step) - 8),
                         qPrintable("%1 .. %2: step %3 draws %4, %5 draws %6"_s.arg(lowest)
                                        .arg(highest)
                                        .arg(step)
                                        .arg(drawn(step))
                                        .arg(factor * decade)
                                        .arg(drawn(factor * decade))));
        }
    }
}

// For random points, two quantities (one of them smooth, one rough) and bounds on either: a
// place lies in one of the region's polygons, and inside its outline by the odd-even rule,
// exactly when every bound holds there (places within 1e-9 of a bound aside); every polygon
// turns counter-clockwise, and the region's area is theirs.
void tst_SmithGeometry::targetRegionIsWhereEveryBoundHolds()
{
    QRandomGenerator random(29);
    for (int round = 0; round < 60; ++round) {
        std::vector<std::complex<double>> gammas;
        SmithChartContent::Quantity smooth{"P"_s, {}, {}};
        SmithChartContent::Quantity rough{"E"_s, {}, {}};
        for (int i = between(random, 3, 60); i > 0; --i) {
            gammas.emplace_back(uniform(random, -1, 1), uniform(random, -1, 1));
            smooth.values.push_back(std::sin(2 * gammas.back().real()) + gammas.back().imag());
            rough.values.push_back(uniform(random, 0, 1));
        }
        std::vector<int> all(gammas.size());
        std::iota(all.begin(), all.end(), 0);
        const auto mesh = std::make_shared<const MeasuredMesh>(gammas, all);
        std::vector<SmithChartContent::Target> targets;
        if (random.bounded(3) != 0)
            targets.push_back({smooth, {0, bool(random.bounded(2)), uniform(random, -1, 1)}});
        if (targets.empty() || random.bounded(2))
            targets.push_back({rough, {1, bool(random.bounded(2)), uniform(random, 0, 1)}});
        const TargetRegion region(targets, mesh);
        const std::vector<QPolygonF> polygons = region.polygons();
        QCOMPARE(region.empty(), polygons.empty());
        QPainterPath shaded;
        for (const QPolygonF &polygon : region.outline())
            shaded.addPolygon(polygon);
        double area = 0;
        for (const QPolygonF &polygon : polygons) {
            for (int i = 0; i < polygon.size(); ++i) {
                const QPointF &p = polygon[i], &q = polygon[(i + 1) % polygon.size()];
                QVERIFY(ExactPredicates::orientation(p, q, polygon[(i + 2) % polygon.size()]) >= 0);
                area += (p.x() * q.y() - q.x() * p.y()) / 2;
            }
        }
        QVERIFY(std::abs(region.area() - area) <= 1e-12 * std::max(1.0, area));
        for (int sample = 0; sample < 200; ++sample) {
            const std::complex<double> at(uniform(random, -1, 1), uniform(random, -1, 1));
            bool nearABound = false, holds = true;
            for (const SmithChartContent::Target &target : targets) {
                std::vector<double> values;
                for (int i : mesh->used())
                    values.push_back(target.quantity.values[i]);
                const std::optional<double> value = mesh->valueAt(at, values);
                nearABound = nearABound || (value && std::abs(*value - target.bound.value) < 1e-9);
                holds = holds && value && target.bound.holdsFor(*value);
            }
            const QPointF p(at.real(), at.imag());
            const bool inPolygon =
                std::any_of(polygons.begin(), polygons.end(), [&](const QPolygonF &polygon) {
                    for (int i = 0; i < polygon.size(); ++i) {
                        if (ExactPredicates::orientation(polygon[i],
                                                         polygon[(i + 1) % polygon.size()], p) < 0)
                            return false;
                    }
                    return true;
                });
            if (!nearABound) {
                QCOMPARE(inPolygon, holds);
                QCOMPARE(shaded.contains(p), holds);
                QCOMPARE(region.holdsAt(at).value_or(false), holds);
            }
        }
    }
}

void tst_SmithGeometry::nearestPointsAreFoundByTheirCells_data()
{
    addPointSets();
}

// The nearest point to any place, inside the points' bounds or far outside them, and the points
// nearer than a distance, are those that a look at every point finds.
void tst_SmithGeometry::nearestPointsAreFoundByTheirCells()
{
    QFETCH(Generator, generator);
    QRandomGenerator random(qHash(QByteArray(QTest::currentDataTag())));
    for (int round = 0; round < 100; ++round) {
        std::vector<std::complex<double>> points;
        for (const QPointF &p : generator(random))
            points.emplace_back(p.x(), p.y());
        const PointGrid grid(points);
        for (int query = 0; query < 20; ++query) {
            const std::complex<double> place =
                query % 2 ? points[random.bounded(int(points.size()))] * 1.0000001
                          : std::complex<double>(uniform(random, -3, 3), uniform(random, -3, 3));
            const int skipped = query % 3 ? -1 : random.bounded(int(points.size()));
            double least = Infinity;
            for (int i = 0; i < int(points.size()); ++i) {
                if (i != skipped)
                    least = std::min(least, std::abs(points[i] - place));
            }
            const PointGrid::Nearest nearest = grid.nearest(place, skipped);
            QVERIFY(nearest.index != skipped);
            QVERIFY(nearest.distance == least ||
                    std::abs(nearest.distance - least) <= 1e-15 * std::max(1.0, least));
            const double distance = uniform(random, 0, 0.5);
            std::vector<int> near = grid.near(place, distance), expected;
            for (int i = 0; i < int(points.size()); ++i) {
                if (std::norm(points[i] - place) < distance * distance)
                    expected.push_back(i);
            }
            std::sort(near.begin(), near.end());
            QCOMPARE(near, expected);
        }
    }
}

// Random matrices of up to six rows, half of them of few distinct costs so that several
// assignments tie: the least cost and each row's regret are those of every permutation tried.
void tst_SmithGeometry::assignmentIsTheLeastOfAllPermutations()
{
    QRandomGenerator random(7);
    for (int round = 0; round < 400; ++round) {
        const int size = 1 + random.bounded(6);
        std::vector<double> costs(std::size_t(size * size));
        for (double &cost : costs)
            cost = round % 2 ? double(random.bounded(4)) : uniform(random, 0, 1e-3);
        const LeastCostAssignment assignment(costs, size);
        std::vector<int> order(size);
        std::iota(order.begin(), order.end(), 0);
        double least = Infinity;
        std::vector<double> leastMoving(size, Infinity); // the row off its assigned column
        do {
            double total = 0;
            for (int row = 0; row < size; ++row)
                total += costs[row * size + order[row]];
            least = std::min(least, total);
            for (int row = 0; row < size; ++row) {
                if (order[row] != assignment.columnOf(row))
                    leastMoving[row] = std::min(leastMoving[row], total);
            }
        } while (std::next_permutation(order.begin(), order.end()));
        QVERIFY(std::abs(assignment.cost() - least) <= 1e-12);
        for (int row = 0; row < size; ++row) {
            const double regret = assignment.regret(row);
            QVERIFY2(std::isinf(leastMoving[row])
                         ? std::isinf(regret)
                         : std::abs(least + regret - leastMoving[row]) <= 1e-12,
                     qPrintable("size %1, row %2"_s.arg(size).arg(row)));
        }
    }
}

void tst_SmithGeometry::compressionOfExtremeGains_data()
{
    QTest::addColumn<std::vector<double>>("gains");
    QTest::addColumn<std::vector<double>>("pouts");
    QTest::addColumn<int>("index"); // -1: never compresses by 1 dB
    QTest::addColumn<double>("fraction");
    QTest::addColumn<double>("pout");

    const double largest = std::numeric_limits<double>::max();
    QTest::newRow("a gain falling from near the largest double to its negative")
        << std::vector<double>{1.7e308, -1.7e308} << std::vector<double>{1.7e308, 0.0} << 1 << 0.0
        << 1.7e308;
    QTest::newRow("a flat gain of the largest double")
        << std::vector<double>{largest, largest, largest} << std::vector<double>{0.0, 1.0, 2.0}
        << -1 << 0.0 << 0.0;
    QTest::newRow("a first gain of -inf")
        << std::vector<double>{-Infinity, 10.0, 5.0} << std::vector<double>{0.0, 20.0, 25.0} << 2
        << 0.2 << 21.0;
    QTest::newRow("Pout of either sign near the largest double at neighbouring levels")
        << std::vector<double>{10.0, 8.0} << std::vector<double>{1.7e308, -1.7e308} << 1 << 0.5
        << 0.0;
}

// Where the gain has fallen 1 dB, and Pout there, at the ends of the doubles.
void tst_SmithGeometry::compressionOfExtremeGains()
{
    QFETCH(std::vector<double>, gains);
    QFETCH(std::vector<double>, pouts);
    QFETCH(int, index);
    QFETCH(double, fraction);
    QFETCH(double, pout);
    const std::optional<GainCompression::Crossing> crossing = GainCompression::of(gains, 1.0);
    QCOMPARE(crossing ? int(crossing->index) : -1, index);
    if (crossing) {
        QCOMPARE(crossing->fraction, fraction);
        QCOMPARE(GainCompression::valueAt(pouts, *crossing), pout);
    }
}

QTEST_GUILESS_MAIN(tst_SmithGeometry)
#include "tst_smithgeometry.moc"
