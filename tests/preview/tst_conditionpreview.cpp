#include "axisweights.h"
#include "conditionpreview.h"

#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <complex>
#include <map>

namespace {

using Gamma = std::complex<double>;
using Method = AxisWeights::Method;

// A condition's Pout, affine in gamma: every triangulation interpolates it exactly, so the
// oracle needs none.
struct Affine
{
    double at0 = 0.0, re = 0.0, im = 0.0;
    double at(Gamma g) const { return at0 + re * g.real() + im * g.imag(); }
};

struct Condition
{
    double frequency = 0.0, drive = 0.0;
    std::vector<Gamma> loads;
    Affine pout;
    std::vector<double> pouts; // as written: affine, or anything where `scattered`
};

// A power amplifier's load pull on loads scattered afresh at every condition.
struct PaFile
{
    std::vector<double> frequencies, drives;
    std::vector<Condition> conditions;

    const Condition &at(double frequency, double drive) const
    {
        for (const Condition &c : conditions) {
            if (c.frequency == frequency && c.drive == drive)
                return c;
        }
        qFatal("no such condition");
    }
};

double uniform(QRandomGenerator &random, double low, double high)
{
    return low + (high - low) * random.generateDouble();
}

double written(double value)
{
    return QString::number(value, 'f', 6).toDouble();
}

PaFile generate(QRandomGenerator &random, bool scattered, int drives = 0)
{
    PaFile file;
    const int frequencies = 2 + int(random.bounded(2));
    drives = drives > 0 ? drives : 2 + int(random.bounded(4));
    for (int f = 0; f < frequencies; ++f)
        file.frequencies.push_back(1.8 + 0.2 * f);
    for (int d = 0; d < drives; ++d)
        file.drives.push_back(10.0 + 4.0 * d);
    for (double frequency : file.frequencies) {
        for (double drive : file.drives) {
            Condition c{frequency, drive, {}, {}, {}};
            c.pout = {uniform(random, 20, 40), uniform(random, -5, 5), uniform(random, -5, 5)};
            for (int i = 0, n = 12 + int(random.bounded(30)); i < n; ++i) {
                const Gamma load(written(uniform(random, -0.8, 0.2)),
                                 written(uniform(random, -0.4, 0.4)));
                c.loads.push_back(load);
                c.pouts.push_back(scattered ? uniform(random, 20, 40) : c.pout.at(load));
            }
            file.conditions.push_back(c);
        }
    }
    return file;
}

QString write(const PaFile &file, const QString &path)
{
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly))
        return {};
    QTextStream text(&out);
    text << "LPDATA 1\nVAR=<Freq>, Units=<GHz>, Type=<Frequency>\n"
            "VAR=<Pin_avail>, Units=<dBm>, Type=<Power>\nGAMMA=<gamma_ld1>\n"
            "OUT=<Pout>, Units=<dBm>\nRe(gamma_ld1) Im(gamma_ld1) Pin_avail Pout\n";
    for (double frequency : file.frequencies) {
        text << "Freq = " << frequency << " GHz\n";
        for (const Condition &c : file.conditions) {
            for (std::size_t i = 0; c.frequency == frequency && i < c.loads.size(); ++i)
                text << QString::number(c.loads[i].real(), 'f', 6) << ' '
                     << QString::number(c.loads[i].imag(), 'f', 6) << ' ' << c.drive << ' '
                     << QString::number(c.pouts[i], 'g', 17) << '\n';
        }
    }
    return path;
}

// Independent of the preview: the bracketing nodes and their linear weights, the edge's alone
// where the value lies outside and `clamped`.
std::map<double, double> linearWeights(const std::vector<double> &nodes, double x, bool clamped)
{
    if (clamped && x <= nodes.front())
        return {{nodes.front(), 1.0}};
    if (clamped && x >= nodes.back())
        return {{nodes.back(), 1.0}};
    std::size_t k = 0;
    while (k + 2 < nodes.size() && x > nodes[k + 1])
        ++k;
    const double t = (x - nodes[k]) / (nodes[k + 1] - nodes[k]);
    return {{nodes[k], 1.0 - t}, {nodes[k + 1], t}};
}

// Inside the convex hull of the loads, by more than a rounding.
bool clearlyInside(const std::vector<Gamma> &loads, Gamma place)
{
    const auto side = [](Gamma a, Gamma b, Gamma c) {
        return std::imag(std::conj(b - a) * (c - a));
    };
    for (const Gamma &a : loads) {
        for (const Gamma &b : loads) {
            const bool hullEdge = a != b && std::all_of(loads.begin(), loads.end(), [&](Gamma c) {
                                      return side(a, b, c) >= 0.0;
                                  });
            if (hullEdge && side(a, b, place) < 1e-9)
                return false;
        }
    }
    return true;
}

ConditionPreview::Settings settingsAt(double drive, Method method)
{
    ConditionPreview::Settings settings;
    settings.held.insert(QStringLiteral("Pin_avail"),
                         {QString::number(drive, 'g', 17), QStringLiteral("dBm")});
    settings.method = method;
    settings.contoured = QStringList{QStringLiteral("Pout")};
    return settings;
}

constexpr int Cases = 25;

} // namespace

class TestConditionPreview : public QObject
{
    Q_OBJECT

private slots:
    void measuredHeldValuesChartTheMeasurements();
    void betweenConditionsFollowsLinearInterpolation_data();
    void betweenConditionsFollowsLinearInterpolation();
    void axisWeightsReproduceTheirPolynomials_data();
    void axisWeightsReproduceTheirPolynomials();
    void whatTheDataCannotTellIsSaid_data();
    void whatTheDataCannotTellIsSaid();

private:
    QTemporaryDir m_dir;
};

void TestConditionPreview::measuredHeldValuesChartTheMeasurements()
{
    QRandomGenerator random(7);
    for (int n = 0; n < Cases; ++n) {
        const PaFile file = generate(random, true);
        ConditionPreview preview;
        QString error;
        QVERIFY2(preview.load(write(file, m_dir.filePath(QStringLiteral("measured.lp"))), &error),
                 qPrintable(error));
        const Condition &c = file.conditions[random.bounded(int(file.conditions.size()))];
        const ConditionPreview::Chart chart =
            preview.chart(settingsAt(c.drive, Method::CubicSpline), c.frequency);
        QVERIFY2(chart.content.message.isEmpty(), qPrintable(chart.content.message));
        QCOMPARE(chart.between.size(), std::size_t(1));
        QCOMPARE(chart.content.gammas.size(), c.loads.size());
        for (std::size_t i = 0; i < c.loads.size(); ++i) {
            QCOMPARE(chart.content.gammas[i], c.loads[i]);
            QCOMPARE(chart.content.contoured[0].values[i], c.pouts[i]);
        }
    }
}

void TestConditionPreview::betweenConditionsFollowsLinearInterpolation_data()
{
    QTest::addColumn<double>("driveBeyond"); // how far beyond the drive levels, as a fraction
    QTest::addColumn<bool>("driveMeasured");
    QTest::addColumn<bool>("frequencyBetween");
    QTest::addColumn<bool>("constant");
    QTest::newRow("between drive levels") << 0.0 << false << false << false;
    QTest::newRow("between frequencies") << 0.0 << true << true << false;
    QTest::newRow("between both") << 0.0 << false << true << false;
    QTest::newRow("above the drive levels, extrapolated") << 0.3 << false << false << false;
    QTest::newRow("below the drive levels, constant") << -0.3 << false << true << true;
}

void TestConditionPreview::betweenConditionsFollowsLinearInterpolation()
{
    QFETCH(double, driveBeyond);
    QFETCH(bool, driveMeasured);
    QFETCH(bool, frequencyBetween);
    QFETCH(bool, constant);
    QRandomGenerator random(11);
    for (int n = 0; n < Cases; ++n) {
        const PaFile file = generate(random, false);
        ConditionPreview preview;
        QString error;
        QVERIFY(preview.load(write(file, m_dir.filePath(QStringLiteral("between.lp"))), &error));
        const double span = file.drives.back() - file.drives.front();
        const double drive = driveBeyond > 0   ? file.drives.back() + driveBeyond * span
                             : driveBeyond < 0 ? file.drives.front() + driveBeyond * span
                             : driveMeasured
                                 ? file.drives[random.bounded(int(file.drives.size()))]
                                 : uniform(random, file.drives.front(), file.drives.back());
        const double frequency =
            frequencyBetween ? uniform(random, file.frequencies.front(), file.frequencies.back())
                             : file.frequencies.front();
        ConditionPreview::Settings settings = settingsAt(drive, Method::Linear);
        settings.constantExtrapolation = constant;
        const ConditionPreview::Chart chart = preview.chart(settings, frequency);
        QVERIFY2(chart.content.message.isEmpty(), qPrintable(chart.content.message));
        std::vector<const Condition *> bracketing;
        std::vector<double> weights;
        for (const auto &[f, wf] : linearWeights(file.frequencies, frequency, true)) {
            for (const auto &[d, wd] : linearWeights(file.drives, drive, constant)) {
                if (wf * wd == 0.0)
                    continue;
                bracketing.push_back(&file.at(f, d));
                weights.push_back(wf * wd);
            }
        }
        QCOMPARE(chart.between.size(), bracketing.size());
        const std::vector<Gamma> &charted = chart.content.gammas;
        for (const Condition *source : bracketing) {
            for (const Gamma &load : source->loads) {
                bool covered = true;
                for (const Condition *c : bracketing)
                    covered = covered && (c == source || clearlyInside(c->loads, load));
                QVERIFY(!covered ||
                        std::find(charted.begin(), charted.end(), load) != charted.end());
            }
        }
        for (const Gamma &place : charted) {
            QVERIFY(std::any_of(bracketing.begin(), bracketing.end(), [&](const Condition *c) {
                return std::find(c->loads.begin(), c->loads.end(), place) != c->loads.end();
            }));
        }
        for (std::size_t i = 0; i < chart.content.gammas.size(); ++i) {
            double pout = 0.0;
            for (std::size_t b = 0; b < bracketing.size(); ++b)
                pout += weights[b] * bracketing[b]->pout.at(chart.content.gammas[i]);
            QVERIFY2(std::abs(chart.content.contoured[0].values[i] - pout) < 1e-8,
                     qPrintable(QStringLiteral("case %1, point %2: %3 against %4")
                                    .arg(n)
                                    .arg(i)
                                    .arg(chart.content.contoured[0].values[i])
                                    .arg(pout)));
        }
    }
}

// Linear weights reproduce straight lines, cubic ones cubics, and the spline straight lines and
// its own nodes; all of them inside and beyond the nodes.
void TestConditionPreview::axisWeightsReproduceTheirPolynomials_data()
{
    QTest::addColumn<int>("method");
    QTest::addColumn<int>("degree");
    QTest::newRow("linear, a line") << int(Method::Linear) << 1;
    QTest::newRow("cubic, a cubic") << int(Method::Cubic) << 3;
    QTest::newRow("cubic spline, a line") << int(Method::CubicSpline) << 1;
}

void TestConditionPreview::axisWeightsReproduceTheirPolynomials()
{
    QFETCH(int, method);
    QFETCH(int, degree);
    QRandomGenerator random(3);
    for (int n = 0; n < 200; ++n) {
        std::vector<double> nodes{uniform(random, -5, 5)};
        for (int i = 1, count = std::max(3, degree + 1) + int(random.bounded(6)); i < count; ++i)
            nodes.push_back(nodes.back() + uniform(random, 0.1, 3));
        std::vector<double> coefficients;
        for (int i = 0; i <= degree; ++i)
            coefficients.push_back(uniform(random, -2, 2));
        const auto polynomial = [&](double x) {
            double value = 0.0;
            for (auto c = coefficients.rbegin(); c != coefficients.rend(); ++c)
                value = value * x + *c;
            return value;
        };
        const double x = uniform(random, nodes.front() - 2, nodes.back() + 2);
        const std::vector<double> weights = AxisWeights::of(Method(method), nodes, x);
        double value = 0.0;
        for (std::size_t j = 0; j < nodes.size(); ++j)
            value += weights[j] * polynomial(nodes[j]);
        QVERIFY2(
            std::abs(value - polynomial(x)) < 1e-7 * (1 + std::abs(polynomial(x))),
            qPrintable(QStringLiteral("%1 against %2 at %3").arg(value).arg(polynomial(x)).arg(x)));
        const std::size_t node = random.bounded(int(nodes.size()));
        const std::vector<double> atNode = AxisWeights::of(Method(method), nodes, nodes[node]);
        for (std::size_t j = 0; j < nodes.size(); ++j)
            QVERIFY(std::abs(atNode[j] - (j == node ? 1.0 : 0.0)) < 1e-12);
    }
}

void TestConditionPreview::whatTheDataCannotTellIsSaid_data()
{
    QTest::addColumn<QString>("held");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("frequency");
    QTest::addColumn<QString>("said");
    QTest::addColumn<int>("drives");
    QTest::newRow("an expression") << "2*pin"
                                   << "dBm" << 1.8 << "held as the expression '2*pin'" << 0;
    QTest::newRow("a variable") << "pin"
                                << "dBm" << 1.8 << "held as the variable 'pin'" << 0;
    QTest::newRow("another unit") << "0.1"
                                  << "W" << 1.8 << "held in W, the data give it in dBm" << 0;
    QTest::newRow("a frequency beyond the file") << "14"
                                                 << "dBm" << 2.5 << "no data at 2.5 GHz" << 0;
    QTest::newRow("a drive level measured once")
        << "20"
        << "dBm" << 1.8 << "Pin_avail was measured at 10 dBm only" << 1;
}

void TestConditionPreview::whatTheDataCannotTellIsSaid()
{
    QFETCH(QString, held);
    QFETCH(QString, unit);
    QFETCH(double, frequency);
    QFETCH(QString, said);
    QFETCH(int, drives);
    QRandomGenerator random(5);
    ConditionPreview preview;
    QString error;
    QVERIFY(preview.load(
        write(generate(random, false, drives), m_dir.filePath(QStringLiteral("said.lp"))), &error));
    ConditionPreview::Settings settings = settingsAt(0, Method::Linear);
    settings.held.insert(QStringLiteral("Pin_avail"), {held, unit});
    const ConditionPreview::Chart chart = preview.chart(settings, frequency);
    QVERIFY2(chart.content.message.contains(said), qPrintable(chart.content.message));
    QVERIFY(chart.content.gammas.empty());
}

QTEST_GUILESS_MAIN(TestConditionPreview)
#include "tst_conditionpreview.moc"
