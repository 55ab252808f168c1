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
#include <array>
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

// A load as asRow() writes it: its first drive level and, from it, {re, im, gain} at each.
Load loadOf(int first, std::initializer_list<std::array<double, 3>> levels)
{
    Load load;
    load.first = first;
    for (const std::array<double, 3> &level : levels) {
        load.places.emplace_back(level[0], level[1]);
        load.gains.push_back(level[2]);
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

// A measured grid whose loads drift by at most an eighth of its spacing.
Sweeps jitteredGrid(QRandomGenerator &random, int least = 1)
{
    const double spacing = uniform(random, 0.02, 0.15);
    return sweepsAbout(random, gridOf(random, spacing, least), spacing / 8, false);
}

Sweeps driftingGrid(QRandomGenerator &random)
{
    const double spacing = uniform(random, 0.02, 0.15);
    return sweepsAbout(random, gridOf(random, spacing), spacing / 8, true);
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

// The data file of the sweeps, its rows in random order.
QByteArray fileOf(const Sweeps &sweeps, QRandomGenerator &random)
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
    return "LPDATA 1\nVAR=<Pin>, Units=<dBm>\nGAMMA=<g>\nGAMMA=<h2>\nOUT=<Gain>, Units=<dB>\n"
           "OUT=<Pout>, Units=<dBm>\nPin Re(g) Im(g) Re(h2) Im(h2) Gain Pout\n" +
           rows.join();
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
    QTemporaryDir dir;
    const QString path = dir.filePath("sweeps.lp"_s);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(fileOf(sweeps, random)) < 0)
        return "cannot write the file"_s;
    file.close();
    SmithChartData data;
    QString error;
    if (!data.load(path, {}, &error))
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
    QTest::newRow("grids drifting step by step") << Generator(driftingGrid) << 1.0;
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
            {loadOf(0, {{-0.60669027411076126, -0.30147855454529626, 18},
                        {-0.6019547200916715, -0.29844109099379035, 17.970936685336444},
                        {-0.60624641565733894, -0.30132227942954393, 17.780536248100425},
                        {-0.59836506156561953, -0.2959018328311, 17.428798688291938},
                        {-0.60180495226350439, -0.29331278163903535, 16.915724005910988},
                        {-0.59439470248096538, -0.29724336734159618, 16.241312200957569},
                        {-0.59552920377494101, -0.30001184841720224, 15.405563273431685},
                        {-0.6016067375554206, -0.3020111892903235, 14.408477223333339},
                        {-0.5993029678351941, -0.2960454899438259, 13.250054050662524},
                        {-0.60362186281769081, -0.30046502383849943, 11.930293755419243},
                        {-0.60429191485047795, -0.30534780588828697, 10.449196337603496},
                        {-0.6017465194557543, -0.30090753067715192, 8.8067617972152821}}),
             loadOf(0, {{-0.57099480332870267, -0.26236198086624568, 18},
                        {-0.57140373906773756, -0.26853229492031744, 18.174097477131703},
                        {-0.56992274432283863, -0.26158667646392608, 18.24514545566262},
                        {-0.56838501707498235, -0.26596898082837855, 18.213143935592754},
                        {-0.57270305420768708, -0.26840265180573752, 18.078092916922106},
                        {-0.57109777375656512, -0.26523117409190028, 17.839992399650672},
                        {-0.56440973915862702, -0.26272450434472677, 17.498842383778456},
                        {-0.56908089422251795, -0.26722933740325017, 17.054642869305457},
                        {-0.5664544668346555, -0.26241982234299305, 16.507393856231673},
                        {-0.57075571506848344, -0.26773688890062164, 15.857095344557106},
                        {-0.57075571506848344, -0.26773688890062164, 15.103747334281753},
                        {-0.57075571506848344, -0.26773688890062164, 14.247349825405617}}),
             loadOf(0, {{-0.57258857158037302, -0.27010887961471125, 18},
                        {-0.569390474831871, -0.26592036992101747, 18.076259481058017},
                        {-0.5674697969739978, -0.26832739092002361, 17.798628538237484},
                        {-0.56670215554600312, -0.26389149936235701, 17.167107171538394},
                        {-0.57578153716410807, -0.26512166511562313, 16.18169538096075},
                        {-0.56655950785892761, -0.27042998256070278, 14.842393166504557},
                        {-0.56435353094286345, -0.26656556192978681, 13.149200528169805},
                        {-0.57239253373420151, -0.25975837492464932, 11.102117465956502},
                        {-0.56762404388901622, -0.269360736423923, 8.7011439798646482},
                        {-0.57407788678731497, -0.26956688061565387, 5.9462800698942377},
                        {-0.57407788678731497, -0.26956688061565387, 2.8375257360452721},
                        {-0.57407788678731497, -0.26956688061565387, -0.62511902168224154}}),
             loadOf(0, {{-0.53034980356390393, -0.23297290589405448, 18},
                        {-0.53956315414790201, -0.23358365959017308, 17.885579084772811},
                        {-0.53117996189923622, -0.22941615132034199, 17.510822010592907},
                        {-0.53127079496481944, -0.23350549031357726, 16.875728777460282},
                        {-0.53127079496481944, -0.23350549031357726, 15.980299385374943},
                        {-0.53127079496481944, -0.23350549031357726, 14.82453383433689},
                        {-0.53127079496481944, -0.23350549031357726, 13.408432124346117},
                        {-0.53127079496481944, -0.23350549031357726, 11.731994255402626},
                        {-0.53127079496481944, -0.23350549031357726, 9.7952202275064177},
                        {-0.53127079496481944, -0.23350549031357726, 7.5981100406574935},
                        {-0.53127079496481944, -0.23350549031357726, 5.1406636948558493},
                        {-0.53127079496481944, -0.23350549031357726, 2.4228811901014922}}),
             loadOf(0, {{-0.53497232758807922, -0.23261625584448392, 18},
                        {-0.53044281582042929, -0.23069219582150807, 17.983570138334649},
                        {-0.54052520528830916, -0.22975964689587111, 17.716540925723095},
                        {-0.5398416398212641, -0.23432275593497895, 17.198912362165348},
                        {-0.5398416398212641, -0.23432275593497895, 16.430684447661399},
                        {-0.5398416398212641, -0.23432275593497895, 15.411857182211248},
                        {-0.5398416398212641, -0.23432275593497895, 14.1424305658149},
                        {-0.5398416398212641, -0.23432275593497895, 12.622404598472356},
                        {-0.5398416398212641, -0.23432275593497895, 10.851779280183608},
                        {-0.5398416398212641, -0.23432275593497895, 8.8305546109486635},
                        {-0.5398416398212641, -0.23432275593497895, 6.5587305907675173},
                        {-0.5398416398212641, -0.23432275593497895, 4.036307219640177}})},
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
    QTemporaryDir dir;
    QFile file(dir.filePath("repeated.lp"_s));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("LPDATA 1\nVAR=<Pin>, Units=<dBm>\nGAMMA=<g>\nGAMMA=<h2>\nOUT=<Gain>, Units=<dB>\n"
               "OUT=<Pout>, Units=<dBm>\nPin Re(g) Im(g) Re(h2) Im(h2) Gain Pout\n" +
               rows);
    file.close();
    SmithChartData data;
    QString error;
    QVERIFY2(data.load(file.fileName(), "g"_s, &error), qPrintable(error));
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
