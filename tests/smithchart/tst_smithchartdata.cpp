#include "smithchartdata.h"
#include "smithchartjson.h"
#include "smithchartrenderer.h"
#include "testtexts.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QtTest>

#include <algorithm>
#include <cmath>
#include <complex>
#include <functional>

namespace {

using Gamma = std::complex<double>;

// One load along its drive sweep: where it was measured and its gain, at each drive level from
// its first.
struct Load
{
    std::vector<Gamma> places;
    std::vector<double> gains;
    int first = 0;
};

// A drive sweep of many loads, and the compression to find.
// A second harmonic's load Γ measured in every row: at each of its places, the loads measured
// alike, drifting by `drift` in Re per drive level and scattered by up to `noise` about that.
struct Harmonic
{
    std::vector<Gamma> places{Gamma(-0.9, 0.05)};
    double drift = 0.0;
    double noise = 0.0;
};

struct Sweeps
{
    std::vector<Load> loads;
    double decibels = 1.0;
    Harmonic harmonic;
};

using Generator = std::function<Sweeps(QRandomGenerator &)>;

// A load measured at 12 drive levels from the first, at the places given as re, im, ... and then
// held at the last, its gain 18 + expansion l - compression l^2 at level l.
Load heldLoad(const std::vector<double> &places, double expansion, double compression)
{
    Load load;
    for (int level = 0; level < 12; ++level) {
        const std::size_t at = std::min(std::size_t(2 * level), places.size() - 2);
        load.places.emplace_back(places[at], places[at + 1]);
        load.gains.push_back(18 + expansion * level - compression * level * level);
    }
    return load;
}

double uniform(QRandomGenerator &random, double low, double high)
{
    return low + (high - low) * random.generateDouble();
}

Gamma inDisc(QRandomGenerator &random, double radius)
{
    return std::polar(radius * std::sqrt(random.generateDouble()), uniform(random, -M_PI, M_PI));
}

// The drive level of a level, in dBm; Pout is the drive level plus the gain.
double driveOf(std::size_t level)
{
    return 10.0 + 2.0 * double(level);
}

// A gain that may first expand and then compresses, faster or slower than the sweep reaches.
std::vector<double> gainCurve(QRandomGenerator &random, int levels)
{
    const double expansion = uniform(random, 0, 0.3), compression = uniform(random, 0.005, 0.25);
    std::vector<double> gains;
    for (int level = 0; level < levels; ++level)
        gains.push_back(18 + expansion * level - compression * level * level);
    return gains;
}

// Loads about the nominal places, each level's place within `drift` of it, either afresh at
// each level or by steps of at most drift / 3 from the place before.
Sweeps sweepsAbout(QRandomGenerator &random, const std::vector<Gamma> &nominal, double drift,
                   bool walking)
{
    Sweeps sweeps;
    sweeps.decibels = 1 + random.bounded(3);
    const int levels = 2 + random.bounded(12);
    for (const Gamma &centre : nominal) {
        Load load{{}, gainCurve(random, levels)};
        Gamma offset = 0.0;
        for (int level = 0; level < levels; ++level) {
            offset = walking ? offset + inDisc(random, drift / 3) : inDisc(random, drift);
            if (std::abs(offset) > drift)
                offset *= drift / std::abs(offset);
            load.places.push_back(centre + offset);
        }
        sweeps.loads.push_back(std::move(load));
    }
    return sweeps;
}

// A grid of `least` to 7 columns and rows.
std::vector<Gamma> gridOf(QRandomGenerator &random, double spacing, int least = 1)
{
    std::vector<Gamma> nominal;
    const int columns = least + random.bounded(8 - least), rows = least + random.bounded(8 - least);
    for (int i = 0; i < columns; ++i) {
        for (int j = 0; j < rows; ++j)
            nominal.emplace_back(-0.6 + i * spacing, -0.3 + j * spacing);
    }
    return nominal;
}

// A measured grid whose loads drift by at most an eighth of its spacing, afresh at each level
// or step by step.
Sweeps jitteredGrid(QRandomGenerator &random, int least = 1, bool walking = false)
{
    const double spacing = uniform(random, 0.02, 0.15);
    return sweepsAbout(random, gridOf(random, spacing, least), spacing / 8, walking);
}

// Loads anywhere in the unit disc, drifting by at most an eighth of the least distance between
// two of them.
Sweeps scatteredLoads(QRandomGenerator &random)
{
    std::vector<Gamma> nominal;
    for (int i = 1 + random.bounded(40); i > 0; --i)
        nominal.push_back(inDisc(random, 0.9));
    double least = 1.0;
    for (std::size_t i = 0; i < nominal.size(); ++i) {
        for (std::size_t j = i + 1; j < nominal.size(); ++j)
            least = std::min(least, std::abs(nominal[i] - nominal[j]));
    }
    return sweepsAbout(random, nominal, least / 8, random.bounded(2));
}

// A grid with a few pairs of loads between its points whose two loads lie closer together than
// either drifts.
Sweeps loadsCloserThanTheirDrift(QRandomGenerator &random)
{
    const double spacing = uniform(random, 0.05, 0.15);
    Sweeps sweeps = sweepsAbout(random, gridOf(random, spacing), spacing / 10, false);
    for (int pair = 1 + random.bounded(3); pair > 0; --pair) {
        const Gamma middle = sweeps.loads[random.bounded(int(sweeps.loads.size()))].places[0] +
                             Gamma(spacing / 2, spacing / 2);
        const std::vector<Gamma> two{middle, middle + inDisc(random, spacing / 40)};
        Sweeps close = sweepsAbout(random, two, spacing / 12, false);
        for (Load &load : close.loads) {
            load.places.resize(sweeps.loads[0].places.size(), load.places.back());
            load.gains = gainCurve(random, int(load.places.size()));
            sweeps.loads.push_back(std::move(load));
        }
    }
    return sweeps;
}

// A jittered grid whose every place moves by one common offset of more than half the spacing
// from some drive level on, as a power-dependent offset gives.
Sweeps shiftedLevels(QRandomGenerator &random)
{
    const double spacing = uniform(random, 0.02, 0.15);
    Sweeps sweeps = sweepsAbout(random, gridOf(random, spacing), spacing / 10, false);
    const Gamma shift =
        std::polar(uniform(random, 0.55, 0.75) * spacing, uniform(random, -M_PI, M_PI));
    const int from = random.bounded(int(sweeps.loads[0].places.size()));
    for (Load &load : sweeps.loads) {
        for (std::size_t level = std::size_t(from); level < load.places.size(); ++level)
            load.places[level] += shift;
    }
    return sweeps;
}

// Loads that start late or stop early; with `jumps`, one load leaps to the middle between grid
// places one to three spacings off from some drive level on (never onto a load that stopped,
// which no one could tell from it), and loads start where others stop; without, starts and
// stops never share a drive level.
Sweeps startingAndStopping(QRandomGenerator &random, bool jumps)
{
    const double spacing = uniform(random, 0.02, 0.15);
    // Enough loads to tell a leap from a load's movement.
    Sweeps sweeps = sweepsAbout(random, gridOf(random, spacing, 6), spacing / 8, false);
    const int levels = int(sweeps.loads[0].places.size());
    // The first load is measured at every level, so that no level is missing from the file.
    for (Load &load : sweeps.loads) {
        if (&load == &sweeps.loads.front())
            continue;
        const int odd = 2 * random.bounded(levels / 2 + 1) + 1,
                  even = 2 * random.bounded(levels / 2 + 1);
        const int start = jumps ? odd : even, stop = jumps ? start : odd;
        const int first = random.bounded(3) || start >= levels ? 0 : start;
        const int end = random.bounded(3) || stop <= first || stop >= levels ? levels : stop;
        load.places = std::vector<Gamma>(load.places.begin() + first, load.places.begin() + end);
        load.gains = std::vector<double>(load.gains.begin() + first, load.gains.begin() + end);
        load.first = first;
    }
    Load &leaping = sweeps.loads[random.bounded(int(sweeps.loads.size()))];
    const std::size_t from = std::size_t(random.bounded(int(leaping.places.size())));
    const auto across = [&] {
        return (random.bounded(2) ? 1 : -1) * (0.5 + random.bounded(3));
    };
    const Gamma leap = spacing * Gamma(across(), across());
    for (std::size_t level = from; jumps && level < leaping.places.size(); ++level)
        leaping.places[level] += leap;
    return sweeps;
}

// A grid whose loads wander by up to a sixth of the spacing about their places: they move
// less than a third of it from one level to the next.
Sweeps noisyGrid(QRandomGenerator &random)
{
    const double spacing = uniform(random, 0.005, 0.05);
    std::vector<Gamma> nominal;
    for (int i = 0; i < 12; ++i) {
        for (int j = 0; j < 12; ++j)
            nominal.emplace_back(-0.86 + i * spacing, j * spacing);
    }
    return sweepsAbout(random, nominal, spacing / 6, false);
}

// The sweeps of `generator` with a harmonic measured as `harmonic`.
Generator withHarmonic(const Generator &generator, const Harmonic &harmonic)
{
    return [=](QRandomGenerator &random) {
        Sweeps sweeps = generator(random);
        sweeps.harmonic = harmonic;
        return sweeps;
    };
}

// The data rows of the sweeps, in random order.
QByteArray rowsOf(const Sweeps &sweeps, QRandomGenerator &random)
{
    QList<QByteArray> rows;
    const auto number = [](double value) {
        return QByteArray::number(value, 'g', 17);
    };
    const Harmonic &harmonic = sweeps.harmonic;
    for (const Gamma &site : harmonic.places) {
        for (const Load &load : sweeps.loads) {
            for (std::size_t level = 0; level < load.places.size(); ++level) {
                const Gamma h = site + harmonic.drift * double(load.first + level) +
                                inDisc(random, harmonic.noise);
                rows << number(driveOf(load.first + level)) + ' ' +
                            number(load.places[level].real()) + ' ' +
                            number(load.places[level].imag()) + ' ' + number(h.real()) + ' ' +
                            number(h.imag()) + ' ' + number(load.gains[level]) + ' ' +
                            number(driveOf(load.first + level) + load.gains[level]) + '\n';
            }
        }
    }
    std::shuffle(rows.begin(), rows.end(), random);
    return rows.join();
}

// Loads the data file of the rows, each Pin, Re(g), Im(g), Re(h2), Im(h2), Gain and Pout.
bool loaded(SmithChartData &data, const QByteArray &rows, const QString &gamma, QString *error)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("sweeps.lp"_s));
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(
            "LPDATA 1\nVAR=<Pin>, Units=<dBm>\nGAMMA=<g>\nGAMMA=<h2>\nOUT=<Gain>, "
            "Units=<dB>\nOUT=<Pout>, Units=<dBm>\nPin Re(g) Im(g) Re(h2) Im(h2) Gain Pout\n" +
            rows) < 0)
        return false;
    file.close();
    return data.load(file.fileName(), gamma, error);
}

// Where a load compresses, worked out from its measured levels: its place, the drive level and
// Pout there.
struct Compression
{
    Gamma place;
    double drive = 0.0;
    double pout = 0.0;
};

std::optional<Compression> compressionOf(const Load &load, double decibels)
{
    double highest = load.gains[0];
    for (std::size_t level = 1; level < load.gains.size(); ++level) {
        const double target = highest - decibels, before = load.gains[level - 1];
        if (load.gains[level] <= target) {
            const double t = (before - target) / (before - load.gains[level]);
            const Gamma place =
                load.places[level - 1] + t * (load.places[level] - load.places[level - 1]);
            const double drive = driveOf(load.first + level - 1) + 2.0 * t;
            return Compression{place, drive, drive + target};
        }
        highest = std::max(highest, load.gains[level]);
    }
    return std::nullopt;
}

// Why the chart at compression disagrees with the loads; empty when it agrees. Every load is
// either at its compression with Pout there, or hollow where it was last measured and never
// compressing, or counted as not followed; at least the share `followed` is not.
QString flawOf(const Sweeps &sweeps, double followed, QRandomGenerator &random)
{
    SmithChartData data;
    QString error = "cannot write the file"_s;
    if (!loaded(data, rowsOf(sweeps, random), {}, &error))
        return error;
    SmithChartData::Choice choice;
    choice.condition = data.defaultCondition();
    choice.contoured = {1};
    const SmithChartContent content = data.compressed(choice, sweeps.decibels);
    std::vector<bool> found(sweeps.loads.size(), false);
    const auto claim = [&](const std::function<bool(const Load &)> &matches) {
        for (std::size_t i = 0; i < sweeps.loads.size(); ++i) {
            if (!found[i] && matches(sweeps.loads[i])) {
                found[i] = true;
                return true;
            }
        }
        return false;
    };
    for (std::size_t i = 0; i < content.gammas.size(); ++i) {
        if (!claim([&](const Load &load) {
                const auto expected = compressionOf(load, sweeps.decibels);
                return expected && std::abs(expected->place - content.gammas[i]) < 1e-9 &&
                       std::abs(expected->drive - content.drive.values[i]) < 1e-9 &&
                       std::abs(expected->pout - content.contoured[0].values[i]) < 1e-9;
            }))
            return "no load compresses at %1, %2"_s.arg(content.gammas[i].real())
                .arg(content.gammas[i].imag());
    }
    for (const Gamma &hollow : content.uncompressed) {
        if (!claim([&](const Load &load) {
                return load.places.back() == hollow && !compressionOf(load, sweeps.decibels);
            }))
            return "a load drawn hollow compresses, or was measured on"_s;
    }
    const std::size_t shown = content.gammas.size() + content.uncompressed.size();
    if (double(shown) < followed * double(sweeps.loads.size()))
        return "%1 loads followed of %2"_s.arg(shown).arg(sweeps.loads.size());
    if (followed == 1.0 && !content.unfollowed.empty())
        return "%1 loads not followed"_s.arg(content.unfollowed.size());
    return {};
}

// The failing sweeps with as many loads left out, one at a time, as still fail.
Sweeps shrunk(Sweeps sweeps, double followed, QRandomGenerator &random)
{
    for (bool shrinking = true; shrinking;) {
        shrinking = false;
        for (std::size_t i = sweeps.loads.size(); i-- > 0 && sweeps.loads.size() > 1;) {
            Sweeps fewer = sweeps;
            fewer.loads.erase(fewer.loads.begin() + long(i));
            if (!flawOf(fewer, followed, random).isEmpty()) {
                sweeps = fewer;
                shrinking = true;
            }
        }
    }
    return sweeps;
}

QString asRow(const Sweeps &sweeps)
{
    QStringList loads;
    for (const Load &load : sweeps.loads) {
        QStringList levels;
        for (std::size_t level = 0; level < load.places.size(); ++level)
            levels << "{%1, %2, %3}"_s.arg(load.places[level].real(), 0, 'g', 17)
                          .arg(load.places[level].imag(), 0, 'g', 17)
                          .arg(load.gains[level], 0, 'g', 17);
        loads << "%1{"_s.arg(load.first ? "from %1 "_s.arg(load.first) : QString()) +
                     levels.join(", "_s) + QLatin1Char('}');
    }
    return "%1 dB: "_s.arg(sweeps.decibels) + loads.join(", "_s);
}

QString example(const char *name)
{
    return QStringLiteral(LP_EXAMPLES_DIR "/data/") + QString::fromLatin1(name);
}

} // namespace

Q_DECLARE_METATYPE(Generator)

// What the chart of a data file shows: its drive levels and the places of its other reflection
// coefficients to choose from, and each load followed along its drive sweep to its compression.
class tst_SmithChartData : public QObject
{
    Q_OBJECT

private slots:
    void compressionFollowsDriftingLoads_data();
    void compressionFollowsDriftingLoads();
    void driveLevelsLeaveOtherCoefficientsApart();
    void conditionsNamedChooseTheNearestMeasured_data();
    void conditionsNamedChooseTheNearestMeasured();
    void repeatedLoadsAreCountedAndTheFirstKept_data();
    void repeatedLoadsAreCountedAndTheFirstKept();
};

void tst_SmithChartData::compressionFollowsDriftingLoads_data()
{
    QTest::addColumn<Generator>("generator");
    QTest::addColumn<double>("followed"); // the least share of the loads followed

    QTest::newRow("jittered grids")
        << Generator([](QRandomGenerator &random) { return jitteredGrid(random); }) << 1.0;
    QTest::newRow("grids drifting step by step")
        << Generator([](QRandomGenerator &random) { return jitteredGrid(random, 1, true); }) << 1.0;
    QTest::newRow("scattered loads") << Generator(scatteredLoads) << 1.0;
    QTest::newRow("a harmonic drifting 0.0008 per level")
        << withHarmonic([](QRandomGenerator &random) { return jitteredGrid(random, 2); },
                        {{Gamma(-0.9, 0.05)}, 0.0008, 0.0})
        << 1.0;
    QTest::newRow("a harmonic scattered by 0.002 at one place")
        << withHarmonic([](QRandomGenerator &random) { return jitteredGrid(random, 2); },
                        {{Gamma(-0.9, 0.05)}, 0.0, 0.002})
        << 1.0;
    QTest::newRow("a harmonic scattered by 0.004 at two places")
        << withHarmonic(shiftedLevels, {{Gamma(-0.9, 0.05), Gamma(0.3, 0.8)}, 0.0, 0.004}) << 1.0;
    QTest::newRow("levels shifted by more than half the spacing")
        << Generator(shiftedLevels) << 1.0;
    QTest::newRow("loads starting late and stopping early")
        << Generator([](QRandomGenerator &random) { return startingAndStopping(random, false); })
        << 1.0;
    QTest::newRow("noise moving loads up to a third of the spacing")
        << Generator(noisyGrid) << 0.95;
    QTest::newRow("loads closer together than their drift")
        << Generator(loadsCloserThanTheirDrift) << 0.0;
    // Two pairs of loads closer together than their drift: a match beside a load lost is
    // undone too.
    QTest::newRow("shrunk: a match beside two close pairs") << Generator([](QRandomGenerator &) {
        return Sweeps{
            {heldLoad({-0.6066903, -0.3014786, -0.6019547, -0.2984411, -0.6062464, -0.3013223,
                       -0.5983651, -0.2959018, -0.601805,  -0.2933128, -0.5943947, -0.2972434,
                       -0.5955292, -0.3000118, -0.6016067, -0.3020112, -0.599303,  -0.2960455,
                       -0.6036219, -0.300465,  -0.6042919, -0.3053478, -0.6017465, -0.3009075},
                      0.0516, 0.0807),
             heldLoad({-0.5709948, -0.262362,  -0.5714037, -0.2685323, -0.5699227,
                       -0.2615867, -0.568385,  -0.265969,  -0.5727031, -0.2684027,
                       -0.5710978, -0.2652312, -0.5644097, -0.2627245, -0.5690809,
                       -0.2672293, -0.5664545, -0.2624198, -0.5707557, -0.2677369},
                      0.2256, 0.0515),
             heldLoad({-0.5725886, -0.2701089, -0.5693905, -0.2659204, -0.5674698,
                       -0.2683274, -0.5667022, -0.2638915, -0.5757815, -0.2651217,
                       -0.5665595, -0.27043,   -0.5643535, -0.2665656, -0.5723925,
                       -0.2597584, -0.567624,  -0.2693607, -0.5740779, -0.2695669},
                      0.2532, 0.1769),
             heldLoad({-0.5303498, -0.2329729, -0.5395632, -0.2335837, -0.53118, -0.2294162,
                       -0.5312708, -0.2335055},
                      0.0157, 0.1302),
             heldLoad({-0.5349723, -0.2326163, -0.5304428, -0.2306922, -0.5405252, -0.2297596,
                       -0.5398416, -0.2343228},
                      0.1089, 0.1253)},
            3,
            {}};
    }) << 0.0;
    QTest::newRow("a load leaping where loads start and stop")
        << Generator([](QRandomGenerator &random) { return startingAndStopping(random, true); })
        << 0.0;
}

// Files of many loads whose places drift from one drive level to the next, their rows in any
// order: each load is found at its compression, with Pout there, or hollow where it never
// compresses; where loads lie closer together than their drift, some may be counted as not
// followed, but none is hollow that compresses, and none is at a wrong compression. A failure
// is shrunk to the fewest loads that still fail, for a row of its own.
void tst_SmithChartData::compressionFollowsDriftingLoads()
{
    QFETCH(Generator, generator);
    QFETCH(double, followed);
    QRandomGenerator random(qHash(QByteArray(QTest::currentDataTag())));
    for (int round = 0; round < 40; ++round) {
        const Sweeps sweeps = generator(random);
        const QString flaw = flawOf(sweeps, followed, random);
        if (!flaw.isEmpty())
            QFAIL(qPrintable(flaw + ": "_s + asRow(shrunk(sweeps, followed, random))));
    }
}

// Taking the source coefficient of a load pull, the drive-level list offers the drive levels
// and their compressions, and the load's places are a list of their own; the chart at each
// place shows the one source point measured there.
void tst_SmithChartData::driveLevelsLeaveOtherCoefficientsApart()
{
    SmithChartData data;
    QString error;
    QVERIFY2(data.load(example("pa_two_frequencies.lp"), "gamma_src1"_s, &error),
             qPrintable(error));
    QCOMPARE(data.conditions().size(), 5 + 3);
    QCOMPARE(data.conditions().at(data.defaultCondition()), "Pin_avail = 26 dBm"_s);
    const QStringList loads = data.otherCoefficients();
    QCOMPARE(loads.size(), 25);
    QCOMPARE(loads.front(), "gamma_ld1 = -0.75 - j0.08"_s);
    SmithChartData::Choice choice;
    choice.condition = data.defaultCondition();
    choice.others = 24;
    const SmithChartContent content = data.content(choice);
    QCOMPARE(content.title, "gamma_src1 at Freq = 1.8 GHz, Pin_avail = 26 dBm, "_s + loads.back());
    QCOMPARE(content.gammas, std::vector<Gamma>{Gamma(-0.6, -0.28)});
    QVERIFY(data.load(example("pa_two_frequencies.lp"), {}, &error));
    QVERIFY(data.otherCoefficients().isEmpty());
}

void tst_SmithChartData::conditionsNamedChooseTheNearestMeasured_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("at");
    QTest::addColumn<QString>("condition"); // empty: refused
    QTest::addColumn<bool>("exact");

    const QString two = example("pa_two_frequencies.lp"),
                  harmonic = example("pa_harmonic_load.lp2");
    QTest::newRow("nothing named: the lowest frequency, the highest drive level")
        << two << QString() << "Freq = 1.8 GHz, Pin_avail = 26 dBm"_s << true;
    QTest::newRow("a frequency and a drive level measured")
        << two << "Freq=2 GHz, Pin_avail=18"_s
        << "Freq = 2 GHz, Pin_avail = 18 dBm"_s << true;
    QTest::newRow("a frequency in MHz and a drive level between two")
        << two << "Freq=1800 MHz,Pin_avail=19.5 dBm"_s
        << "Freq = 1.8 GHz, Pin_avail = 18 dBm"_s << false;
    QTest::newRow("a harmonic's place near a measured one")
        << harmonic << "gamma_ld2=-0.9+j0.05"_s
        << "Freq = 1.8 GHz, Pin_avail = 24 dBm, gamma_ld2 = -0.9 + j0"_s << false;
    QTest::newRow("a variable the file does not vary") << two << "Vdd=3"_s << QString() << false;
    QTest::newRow("a drive level in another unit")
        << two << "Pin_avail=18 W"_s << QString() << false;
}

// lp-host's --at: the frequency, the drive level and the other coefficients' places nearest to
// those named, a remark where one was not measured.
void tst_SmithChartData::conditionsNamedChooseTheNearestMeasured()
{
    QFETCH(QString, file);
    QFETCH(QString, at);
    QFETCH(QString, condition);
    QFETCH(bool, exact);
    SmithChartData data;
    QString error, remark;
    QVERIFY2(data.load(file, {}, &error), qPrintable(error));
    SmithChartData::Choice choice;
    choice.condition = data.defaultCondition();
    QCOMPARE(data.choose(at, choice, &remark, &error), !condition.isEmpty());
    if (condition.isEmpty())
        return;
    QCOMPARE(data.content(choice).condition, condition);
    QCOMPARE(remark.isEmpty(), exact);
}

void tst_SmithChartData::repeatedLoadsAreCountedAndTheFirstKept_data()
{
    QTest::addColumn<QByteArray>("rows");    // Pin, Re(g), Im(g), Re(h2), Im(h2), Gain, Pout
    QTest::addColumn<double>("compression"); // 0: at the highest drive level
    QTest::addColumn<int>("duplicates");
    QTest::addColumn<double>("atCentre"); // Pout shown at the load 0 + j0

    const auto square = [](int pin, double gain) {
        QByteArray rows;
        for (const char *place : {"0.5 0", "0 0.5", "0.5 0.5"})
            rows += QByteArray::number(pin) + ' ' + place + " -0.9 0 " + QByteArray::number(gain) +
                    " 31\n";
        return rows;
    };
    QTest::newRow("every load once")
        << "10 0 0 -0.9 0 20 30\n" + square(10, 20) << 0.0 << 0 << 30.0;
    QTest::newRow("a load measured twice")
        << "10 0 0 -0.9 0 20 30\n" + square(10, 20) + "10 0 0 -0.9 0 20 35\n"
        << 0.0 << 1 << 30.0;
    QTest::newRow("a load measured three times, first last")
        << square(10, 20) + "10 0 0 -0.9 0 20 34\n10 0 0 -0.9 0 20 35\n10 0 0 -0.9 0 20 36\n"
        << 0.0 << 2 << 34.0;
    QTest::newRow("a load measured again at a harmonic's place meant as the same")
        << "10 0 0 -0.9 0 20 30\n" + square(10, 20) + "10 0 0 -0.9 0.0001 20 35\n"
        << 0.0 << 1 << 30.0;
    QTest::newRow("at compression, a load measured twice at a lower drive level")
        << "0 0 0 -0.9 0 20 30\n" + square(0, 20) + "0 0 0 -0.9 0 20 50\n10 0 0 -0.9 0 18 38\n" +
               square(10, 18)
        << 1.0 << 1 << 34.0;
}

// A load measured more than once at one condition is shown once, with its first row's values,
// and the rows left out are counted in the note and the JSON.
void tst_SmithChartData::repeatedLoadsAreCountedAndTheFirstKept()
{
    QFETCH(QByteArray, rows);
    QFETCH(double, compression);
    QFETCH(int, duplicates);
    QFETCH(double, atCentre);
    SmithChartData data;
    QString error = "cannot write the file"_s;
    QVERIFY2(loaded(data, rows, "g"_s, &error), qPrintable(error));
    SmithChartData::Choice choice;
    choice.condition = data.defaultCondition();
    choice.contoured = {1};
    const SmithChartRenderer chart(compression > 0 ? data.compressed(choice, compression)
                                                   : data.content(choice));
    const QJsonObject json = QJsonDocument::fromJson(SmithChartJson::of(chart)).object();
    QCOMPARE(json.value("duplicates"_s).toInt(-1), duplicates);
    const QJsonArray points = json.value("points"_s).toArray();
    QCOMPARE(points.size(), 4);
    for (const QJsonValue &value : points) {
        const QJsonArray point = value.toArray();
        if (point[0].toDouble() == 0.0 && point[1].toDouble() == 0.0)
            QCOMPARE(point[2].toDouble(), atCentre);
    }
    const QString said =
        duplicates == 1
            ? "1 row repeats a load measured before: its first row is kept"_s
            : "%1 rows repeat loads measured before: the first row of each is kept"_s.arg(
                  duplicates);
    QCOMPARE(json.value("note"_s).toString().contains(said), duplicates > 0);
}

QTEST_GUILESS_MAIN(tst_SmithChartData)
#include "tst_smithchartdata.moc"
