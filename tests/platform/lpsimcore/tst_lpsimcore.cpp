#include "lpquery.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

#include <cmath>

#include <sys/stat.h>

using Corvane_LP::VarInfoUI;

namespace {

const QString twoFrequencies = QStringLiteral("pa_two_frequencies.lp");
const QString harmonicLoad = QStringLiteral("pa_harmonic_load.lp2");
const QString sourcePull = QStringLiteral("pa_source_pull.lp3");
const QString supplySweep = QStringLiteral("pa_supply_sweep.spl");
constexpr double degreesPerRadian = 57.295779513082320876798;

// One gamma at two points, (0.3, 0.4) and (-0.6, 0.8), declared with the given attributes.
QByteArray twoPointGamma(const QByteArray &name, const QByteArray &attributes)
{
    return "LPDATA 1\nGAMMA=<" + name + ">" + attributes + "\nOUT=<p>\nRe(" + name + ") Im(" +
           name + ") p\n0.3 0.4 1\n-0.6 0.8 2\n";
}

// Two blocks of F, a repeated frequency, a gamma and a complex quantity.
const QByteArray sweptFile = "! comment\n"
                             "\n"
                             "LPDATA 1\n"
                             "VAR=<F>, Units=<MHz>\n"
                             "VAR=<x>\n"
                             "GAMMA=<g>\n"
                             "OUT=<b>, Complex=<yes>\n"
                             "x Re(g) Im(g) Re(b) Im(b)\n"
                             "F = 900\n"
                             "1 0.1 0.2 3 4\n"
                             "2 0.1 0.2 0 -1\r\n"
                             "2 0.3 0.2 6 8\n"
                             "\tF = 950 MHz\n"
                             "1 0.1 0.2 0 0\n"
                             "F=900\n"
                             "! the same frequency again\n"
                             "5 0.1 0.2 1 0\n";

} // namespace

class TestLpSimCore : public QObject
{
    Q_OBJECT

private slots:
    void init();

    void initTestCase();
    void examplesListTheirVariablesInDeclarationOrder_data();
    void examplesListTheirVariablesInDeclarationOrder();
    void variablesReportUnitsPointsAndRanges_data();
    void variablesReportUnitsPointsAndRanges();
    void examplesReportReflectionCoefficients_data();
    void examplesReportReflectionCoefficients();
    void examplesReportPerformanceQuantities_data();
    void examplesReportPerformanceQuantities();
    void rowsPerBlockSpanTheBlocks();
    void aFileWithoutFrequencyVariableIsOneBlock();
    void unitTypesFollowTheUnit_data();
    void unitTypesFollowTheUnit();
    void gammaPropertiesFollowTheDeclaration_data();
    void gammaPropertiesFollowTheDeclaration();
    void gammaRangesFollowTheDomain_data();
    void gammaRangesFollowTheDomain();

    void severalFilesSpanAllRanges();
    void aFixedValueHasNoSayInCombinedPointCounts();
    void filesToKeepComeFirst_data();
    void filesToKeepComeFirst();
    void disagreeingFilesAreWarned_data();
    void disagreeingFilesAreWarned();
    void aFileNamedTwiceCountsOnce();

    void errorsNameTheFile_data();
    void errorsNameTheFile();
    void anUnreadableFileIsRefused();
    void oneBadFileFailsTheWholeQuery();
    void bothListsEmptyReportNothing();
    void modesOtherThanOneAreRefused_data();
    void modesOtherThanOneAreRefused();

private:
    QTemporaryDir m_fixtures;             // files that several rows read
    std::unique_ptr<QTemporaryDir> m_dir; // fresh for every test and every row
};

void TestLpSimCore::initTestCase()
{
    QVERIFY(m_fixtures.isValid());
    writeFile(m_fixtures.path(), "swept.lp"_s, sweptFile);
}

void TestLpSimCore::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    closeDataBasedLoadpullUI();
}

void TestLpSimCore::examplesListTheirVariablesInDeclarationOrder_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QStringList>("variables");
    QTest::addColumn<QStringList>("performance");
    QTest::addColumn<int>("rowsPerBlock");

    const QStringList outputs = {"Pout"_s, "Gain"_s, "PAE"_s, "Id"_s};
    QTest::newRow("the .lp file: one load grid and a fixed source, 25 loads at 5 powers")
        << twoFrequencies << QStringList{"Freq"_s, "Pin_avail"_s, "gamma_ld1"_s, "gamma_src1"_s}
        << outputs + QStringList{"Vout"_s} << 125;
    QTest::newRow("the .lp2 file adds a second-harmonic load: 9 loads, 5 harmonics, 3 powers")
        << harmonicLoad
        << QStringList{"Freq"_s, "Pin_avail"_s, "gamma_ld1"_s, "gamma_ld2"_s, "gamma_src1"_s}
        << outputs + QStringList{"Vout"_s} << 135;
    QTest::newRow("the .lp3 file sweeps 16 sources at 3 powers and has no complex quantity")
        << sourcePull << QStringList{"Freq"_s, "Pin_avail"_s, "gamma_src1"_s, "gamma_ld1"_s}
        << outputs << 48;
    QTest::newRow("the .spl file sweeps 3 supplies, 16 loads and 4 powers")
        << supplySweep
        << QStringList{"Freq"_s, "Vdd"_s, "Pin_avail"_s, "gamma_ld1"_s, "gamma_src1"_s}
        << outputs + QStringList{"Vout"_s} << 192;
}

void TestLpSimCore::examplesListTheirVariablesInDeclarationOrder()
{
    QFETCH(QString, file);

    const LpQuery query({exampleFile(file)});
    QVERIFY2(query.ok(), qPrintable(query.errorText()));
    QTEST(query.variableNames(), "variables");
    QTEST(query.performanceNames(), "performance");
    QTEST(query.ui().minNumPoints, "rowsPerBlock");
    QTEST(query.ui().maxNumPoints, "rowsPerBlock");
    QCOMPARE(query.warningText(), QString());
}

void TestLpSimCore::variablesReportUnitsPointsAndRanges_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("unitType");
    QTest::addColumn<int>("minPoints");
    QTest::addColumn<int>("maxPoints");
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");

    const QString lp = exampleFile(twoFrequencies);
    const QString spl = exampleFile(supplySweep);
    const QString swept = m_fixtures.filePath("swept.lp"_s);
    QTest::newRow("the .lp file is measured at two frequencies")
        << lp << "Freq"_s
        << "GHz"_s
        << "Frequency"_s << 2 << 2 << 1.8 << 2.0;
    QTest::newRow("the .lp file sweeps five input powers") << lp << "Pin_avail"_s
                                                           << "dBm"_s
                                                           << "Power"_s << 5 << 5 << 10.0 << 26.0;
    QTest::newRow("the .lp3 file sweeps three input powers")
        << exampleFile(sourcePull) << "Pin_avail"_s
        << "dBm"_s
        << "Power"_s << 3 << 3 << 8.0 << 24.0;
    QTest::newRow("the .spl file is measured at one frequency")
        << spl << "Freq"_s
        << "GHz"_s
        << "Frequency"_s << 1 << 1 << 2.0 << 2.0;
    QTest::newRow("the .spl file sweeps three supply voltages")
        << spl << "Vdd"_s
        << "V"_s
        << "Voltage"_s << 3 << 3 << 24.0 << 32.0;
    QTest::newRow("the frequency counts its distinct values in the file")
        << swept << "F"_s
        << "MHz"_s
        << "Frequency"_s << 2 << 2 << 900.0 << 950.0;
    QTest::newRow("a swept variable counts its distinct values per block")
        << swept << "x"_s
        << "None"_s
        << "Unitless"_s << 1 << 2 << 1.0 << 5.0;
    QTest::newRow("a reflection coefficient counts its distinct points per block")
        << swept << "g"_s
        << "None"_s
        << "Unitless"_s << 1 << 2 << 0.1 << 0.3;
    QTest::newRow("a complex quantity counts rows and reports its magnitude")
        << swept << "b"_s
        << "None"_s
        << "Unitless"_s << 1 << 3 << 0.0 << 10.0;
}

void TestLpSimCore::variablesReportUnitsPointsAndRanges()
{
    QFETCH(QString, file);
    QFETCH(QString, name);

    const LpQuery query({file});
    QVERIFY2(query.ok(), qPrintable(query.errorText()));
    const VarInfoUI *variable = query.find(name);
    QVERIFY(variable);
    QTEST(fromStd(variable->getUnitStr()), "unit");
    QTEST(fromStd(variable->getUnitTypeStr()), "unitType");
    QTEST(variable->minNumPoints(), "minPoints");
    QTEST(variable->maxNumPoints(), "maxPoints");
    QTEST(variable->lowest, "lowest");
    QTEST(variable->highest, "highest");
}

void TestLpSimCore::examplesReportReflectionCoefficients_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("gammaType");
    QTest::addColumn<unsigned>("harmonic");
    QTest::addColumn<int>("domain");
    QTest::addColumn<int>("minPoints");
    QTest::addColumn<int>("maxPoints");
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");

    QTest::newRow("the .lp load grid has 25 points and reports its real part")
        << twoFrequencies << "gamma_ld1"_s << 1 << 1u << 0 << 25 << 25 << -0.75 << -0.35;
    QTest::newRow("a fixed source has no points of its own and its fixed value as range")
        << twoFrequencies << "gamma_src1"_s << 2 << 1u << 0 << 0 << 0 << -0.6 << -0.6;
    QTest::newRow("the .lp2 load grid reports its magnitude")
        << harmonicLoad << "gamma_ld1"_s << 1 << 1u << 2 << 9 << 9 << 0.43
        << std::sqrt(0.67 * 0.67 + 0.24 * 0.24);
    QTest::newRow("the .lp2 second-harmonic load reports its phase in degrees")
        << harmonicLoad << "gamma_ld2"_s << 1 << 2u << 3 << 5 << 5
        << std::atan2(-0.45, -0.7794) * degreesPerRadian << 180.0;
    QTest::newRow("the .lp3 source grid reports its imaginary part")
        << sourcePull << "gamma_src1"_s << 2 << 1u << 1 << 16 << 16 << -0.4 << -0.1;
    QTest::newRow("the .lp3 fixed load has no points of its own")
        << sourcePull << "gamma_ld1"_s << 1 << 1u << 0 << 0 << 0 << -0.55 << -0.55;
    QTest::newRow("the .spl load grid has 16 points")
        << supplySweep << "gamma_ld1"_s << 1 << 1u << 0 << 16 << 16 << -0.65 << -0.35;
}

void TestLpSimCore::examplesReportReflectionCoefficients()
{
    QFETCH(QString, file);
    QFETCH(QString, name);

    const LpQuery query({exampleFile(file)});
    const VarInfoUI *gamma = query.find(name);
    QVERIFY(gamma);
    QVERIFY(gamma->isGamma());
    QTEST(gamma->gammaType(), "gammaType");
    QTEST(gamma->harmonicIndex(), "harmonic");
    QTEST(gamma->domain(), "domain");
    QTEST(gamma->minNumPoints(), "minPoints");
    QTEST(gamma->maxNumPoints(), "maxPoints");
    QTEST(gamma->lowest, "lowest");
    QTEST(gamma->highest, "highest");
}

void TestLpSimCore::examplesReportPerformanceQuantities_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<bool>("complex");
    QTest::addColumn<double>("plausibleLow");
    QTest::addColumn<double>("plausibleHigh");
    QTest::addColumn<int>("rowsPerBlock");

    QTest::newRow("output power is some watts in dBm") << twoFrequencies << "Pout"_s
                                                       << "dBm"_s << false << 20.0 << 45.0 << 125;
    QTest::newRow("gain is in dB") << twoFrequencies << "Gain"_s
                                   << "dB"_s << false << 5.0 << 25.0 << 125;
    QTest::newRow("efficiency is in per cent") << harmonicLoad << "PAE"_s
                                               << "%"_s << false << 0.0 << 85.0 << 135;
    QTest::newRow("drain current is in mA") << sourcePull << "Id"_s
                                            << "mA"_s << false << 50.0 << 3000.0 << 48;
    QTest::newRow("the output voltage is complex and reports its magnitude")
        << supplySweep << "Vout"_s
        << "V"_s << true << 0.0 << 40.0 << 192;
}

void TestLpSimCore::examplesReportPerformanceQuantities()
{
    QFETCH(QString, file);
    QFETCH(QString, name);
    QFETCH(double, plausibleLow);
    QFETCH(double, plausibleHigh);

    const LpQuery query({exampleFile(file)});
    const VarInfoUI *quantity = query.find(name);
    QVERIFY(quantity);
    QVERIFY(query.performanceNames().contains(name));
    QTEST(fromStd(quantity->getUnitStr()), "unit");
    QTEST(quantity->isComplex(), "complex");
    QVERIFY(!quantity->isGamma());
    QVERIFY2(plausibleLow <= quantity->lowest && quantity->lowest < quantity->highest &&
                 quantity->highest <= plausibleHigh,
             qPrintable(QString::number(quantity->lowest) + " to "_s +
                        QString::number(quantity->highest)));
    QTEST(quantity->minNumPoints(), "rowsPerBlock");
    QTEST(quantity->maxNumPoints(), "rowsPerBlock");
}

void TestLpSimCore::rowsPerBlockSpanTheBlocks()
{
    const LpQuery query({m_fixtures.filePath("swept.lp"_s)});
    QVERIFY2(query.ok(), qPrintable(query.errorText()));
    QCOMPARE(query.ui().minNumPoints, 1);
    QCOMPARE(query.ui().maxNumPoints, 3);
}

void TestLpSimCore::aFileWithoutFrequencyVariableIsOneBlock()
{
    const QByteArray contents = "LPDATA 1\nVAR=<x>\nOUT=<p>\nx p\n1 2\n2 3\n! note\n2 4\n";

    const LpQuery query({writeFile(m_dir->path(), "flat.lp"_s, contents)});
    QVERIFY2(query.ok(), qPrintable(query.errorText()));
    QCOMPARE(query.variableNames(), QStringList{"x"_s});
    QCOMPARE(query.find("x"_s)->maxNumPoints(), 2);
    QCOMPARE(query.ui().minNumPoints, 3);
    QCOMPARE(query.ui().maxNumPoints, 3);
}

void TestLpSimCore::unitTypesFollowTheUnit_data()
{
    QTest::addColumn<QByteArray>("declaration");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("unitType");

    QTest::newRow("MHz is a frequency") << QByteArray("OUT=<q>, Units=<MHz>") << "MHz"_s
                                        << "Frequency"_s;
    QTest::newRow("dBm is a power") << QByteArray("OUT=<q>, Units=<dBm>") << "dBm"_s
                                    << "Power"_s;
    QTest::newRow("mW is a power") << QByteArray("VAR=<q>, Units=<mW>") << "mW"_s
                                   << "Power"_s;
    QTest::newRow("mV is a voltage") << QByteArray("VAR=<q>, Units=<mV>") << "mV"_s
                                     << "Voltage"_s;
    QTest::newRow("mA is a current") << QByteArray("VAR=<q>, Units=<mA>") << "mA"_s
                                     << "Current"_s;
    QTest::newRow("Ohm is a resistance") << QByteArray("VAR=<q>, Units=<Ohm>") << "Ohm"_s
                                         << "Resistance"_s;
    QTest::newRow("dB is unitless") << QByteArray("OUT=<q>, Units=<dB>") << "dB"_s
                                    << "Unitless"_s;
    QTest::newRow("an empty unit is reported as None")
        << QByteArray("VAR=<q>, Units=<>") << "None"_s
        << "Unitless"_s;
    QTest::newRow("a missing unit is reported as None") << QByteArray("OUT=<q>") << "None"_s
                                                        << "Unitless"_s;
    QTest::newRow("a stated type wins over the unit")
        << QByteArray("VAR=<q>, Units=<degC>, Type=<Temperature>") << "degC"_s
        << "Temperature"_s;
    QTest::newRow("keywords and attribute names ignore letter case")
        << QByteArray("var = <q> , UNITS = <A>") << "A"_s
        << "Current"_s;
}

void TestLpSimCore::unitTypesFollowTheUnit()
{
    QFETCH(QByteArray, declaration);

    const QByteArray contents = "LPDATA 1\n" + declaration + "\nOUT=<p>\nq p\n1 2\n";
    const LpQuery query({writeFile(m_dir->path(), "units.lp"_s, contents)});
    QVERIFY2(query.ok(), qPrintable(query.errorText()));
    QTEST(fromStd(query.find("q"_s)->getUnitStr()), "unit");
    QTEST(fromStd(query.find("q"_s)->getUnitTypeStr()), "unitType");
}

void TestLpSimCore::gammaPropertiesFollowTheDeclaration_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<QByteArray>("attributes");
    QTest::addColumn<int>("gammaType");
    QTest::addColumn<unsigned>("harmonic");
    QTest::addColumn<int>("domain");

    QTest::newRow("gamma_ld1 is a fundamental load")
        << QByteArray("gamma_ld1") << QByteArray() << 1 << 1u << 0;
    QTest::newRow("a name with load in it is a load")
        << QByteArray("LoadGamma") << QByteArray() << 1 << 1u << 0;
    QTest::newRow("gamma_src2 is a second-harmonic source")
        << QByteArray("gamma_src2") << QByteArray() << 2 << 2u << 0;
    QTest::newRow("a name with source in it is a source")
        << QByteArray("Source_refl3") << QByteArray() << 2 << 3u << 0;
    QTest::newRow("any other name is of unknown type")
        << QByteArray("gamma") << QByteArray() << 0 << 1u << 0;
    QTest::newRow("Harmonic wins over the digits of the name")
        << QByteArray("gamma_ld1") << QByteArray(", Harmonic=<3>") << 1 << 3u << 0;
    QTest::newRow("Domain ignores letter case")
        << QByteArray("g_ld") << QByteArray(", Domain=<polar-phase>") << 1 << 1u << 3;
}

void TestLpSimCore::gammaPropertiesFollowTheDeclaration()
{
    QFETCH(QByteArray, name);
    QFETCH(QByteArray, attributes);

    const LpQuery query({writeFile(m_dir->path(), "gamma.lp"_s, twoPointGamma(name, attributes))});
    QVERIFY2(query.ok(), qPrintable(query.errorText()));
    const VarInfoUI *gamma = query.find(QString::fromLatin1(name));
    QVERIFY(gamma && gamma->isGamma());
    QTEST(gamma->gammaType(), "gammaType");
    QTEST(gamma->harmonicIndex(), "harmonic");
    QTEST(gamma->domain(), "domain");
    QCOMPARE(gamma->maxNumPoints(), 2);
}

void TestLpSimCore::gammaRangesFollowTheDomain_data()
{
    QTest::addColumn<QByteArray>("attributes");
    QTest::addColumn<double>("lowest");
    QTest::addColumn<double>("highest");

    QTest::newRow("the default domain reports the real part") << QByteArray() << -0.6 << 0.3;
    QTest::newRow("Rect-Real reports the real part")
        << QByteArray(", Domain=<Rect-Real>") << -0.6 << 0.3;
    QTest::newRow("Rect-Imag reports the imaginary part")
        << QByteArray(", Domain=<Rect-Imag>") << 0.4 << 0.8;
    QTest::newRow("Polar-Mag reports the magnitude")
        << QByteArray(", Domain=<Polar-Mag>") << 0.5 << 1.0;
    QTest::newRow("Polar-Phase reports the angle in degrees")
        << QByteArray(", Domain=<Polar-Phase>") << std::atan2(0.4, 0.3) * degreesPerRadian
        << std::atan2(0.8, -0.6) * degreesPerRadian;
}

void TestLpSimCore::gammaRangesFollowTheDomain()
{
    QFETCH(QByteArray, attributes);

    const LpQuery query({writeFile(m_dir->path(), "domain.lp"_s, twoPointGamma("g", attributes))});
    QVERIFY2(query.ok(), qPrintable(query.errorText()));
    QTEST(query.find("g"_s)->lowest, "lowest");
    QTEST(query.find("g"_s)->highest, "highest");
}

void TestLpSimCore::severalFilesSpanAllRanges()
{
    const QString lp = exampleFile(twoFrequencies);
    const QString spl = exampleFile(supplySweep);

    const LpQuery query({lp, spl});
    QVERIFY2(query.ok(), qPrintable(query.errorText()));
    QCOMPARE(query.variableNames(),
             (QStringList{"Freq"_s, "Pin_avail"_s, "gamma_ld1"_s, "gamma_src1"_s, "Vdd"_s}));
    const VarInfoUI *frequency = query.find("Freq"_s);
    QCOMPARE(frequency->minNumPoints(), 1);
    QCOMPARE(frequency->maxNumPoints(), 2);
    QCOMPARE(frequency->lowest, 1.8);
    QCOMPARE(frequency->highest, 2.0);
    const VarInfoUI *power = query.find("Pin_avail"_s);
    QCOMPARE(power->minNumPoints(), 4);
    QCOMPARE(power->maxNumPoints(), 5);
    QCOMPARE(power->highest, 26.0);
    const VarInfoUI *load = query.find("gamma_ld1"_s);
    QCOMPARE(load->minNumPoints(), 16);
    QCOMPARE(load->maxNumPoints(), 25);
    QCOMPARE(load->lowest, -0.75);
    QCOMPARE(query.find("gamma_src1"_s)->maxNumPoints(), 0);
    QCOMPARE(query.ui().minNumPoints, 125);
    QCOMPARE(query.ui().maxNumPoints, 192);
    QVERIFY(query.warningText().contains("'Vdd'"_s));
    QVERIFY(query.warningText().contains(lp));
    QVERIFY(query.warningText().contains(spl));
}

void TestLpSimCore::aFixedValueHasNoSayInCombinedPointCounts()
{
    // The load is a 5x5 grid in the .lp file and fixed in the .lp3 file; the source the other
    // way round, on a 4x4 grid.
    const LpQuery query({exampleFile(twoFrequencies), exampleFile(sourcePull)});
    QVERIFY2(query.ok(), qPrintable(query.errorText()));
    QCOMPARE(query.find("gamma_ld1"_s)->minNumPoints(), 25);
    QCOMPARE(query.find("gamma_ld1"_s)->maxNumPoints(), 25);
    QCOMPARE(query.find("gamma_src1"_s)->minNumPoints(), 16);
    QCOMPARE(query.find("gamma_src1"_s)->maxNumPoints(), 16);
    QVERIFY(query.warningText().contains("'gamma_ld1' is declared differently"_s));
}

void TestLpSimCore::filesToKeepComeFirst_data()
{
    QTest::addColumn<QStringList>("filesToAdd");
    QTest::addColumn<QStringList>("filesToKeep");
    QTest::addColumn<QStringList>("variables");

    const QString lp = exampleFile(twoFrequencies);
    const QString spl = exampleFile(supplySweep);
    QTest::newRow("a kept file's variables come before an added file's")
        << QStringList{spl} << QStringList{lp}
        << QStringList{"Freq"_s, "Pin_avail"_s, "gamma_ld1"_s, "gamma_src1"_s, "Vdd"_s};
    QTest::newRow("added files keep their order among themselves")
        << QStringList{spl, lp} << QStringList()
        << QStringList{"Freq"_s, "Vdd"_s, "Pin_avail"_s, "gamma_ld1"_s, "gamma_src1"_s};
}

void TestLpSimCore::filesToKeepComeFirst()
{
    QFETCH(QStringList, filesToAdd);
    QFETCH(QStringList, filesToKeep);

    const LpQuery query(filesToAdd, filesToKeep);
    QVERIFY2(query.ok(), qPrintable(query.errorText()));
    QTEST(query.variableNames(), "variables");
}

void TestLpSimCore::disagreeingFilesAreWarned_data()
{
    QTest::addColumn<QByteArray>("first");
    QTest::addColumn<QByteArray>("second");
    QTest::addColumn<QStringList>("warned");

    QTest::newRow("files that agree give no warning")
        << QByteArray("LPDATA 1\nVAR=<x>\nOUT=<p>\nx p\n1 2\n")
        << QByteArray("LPDATA 1\nVAR=<x>\nOUT=<p>\nx p\n3 4\n") << QStringList();
    QTest::newRow("a variable that one file lacks is warned")
        << QByteArray("LPDATA 1\nVAR=<x>\nOUT=<p>\nx p\n1 2\n")
        << QByteArray("LPDATA 1\nVAR=<x>\nVAR=<y>\nOUT=<p>\nx y p\n1 2 3\n")
        << QStringList{"'y' is in"_s};
    QTest::newRow("a unit that differs is warned")
        << QByteArray("LPDATA 1\nVAR=<x>\nOUT=<p>, Units=<dBm>\nx p\n1 2\n")
        << QByteArray("LPDATA 1\nVAR=<x>\nOUT=<p>, Units=<W>\nx p\n1 2\n")
        << QStringList{"'p'"_s, "'dBm'"_s, "'W'"_s};
    QTest::newRow("a reflection coefficient in another domain is warned")
        << twoPointGamma("g", {}) << twoPointGamma("g", ", Domain=<Polar-Mag>")
        << QStringList{"'g' is declared differently"_s};
}

void TestLpSimCore::disagreeingFilesAreWarned()
{
    QFETCH(QByteArray, first);
    QFETCH(QByteArray, second);
    QFETCH(QStringList, warned);

    const QString firstFile = writeFile(m_dir->path(), "first.lp"_s, first);
    const QString secondFile = writeFile(m_dir->path(), "second.lp"_s, second);
    const LpQuery query({firstFile, secondFile});
    QVERIFY2(query.ok(), qPrintable(query.errorText()));
    const QStringList expected =
        warned.isEmpty() ? QStringList() : warned + QStringList{firstFile, secondFile};
    QCOMPARE(query.warningText().isEmpty(), expected.isEmpty());
    for (const QString &text : expected)
        QVERIFY2(query.warningText().contains(text), qPrintable(query.warningText()));
}

void TestLpSimCore::aFileNamedTwiceCountsOnce()
{
    const QString file = writeFile(m_dir->path(), "once.lp"_s, "LPDATA 1\nVAR=<x>\nx\n1\n");
    const QString otherSpelling = m_dir->path() + "/./once.lp"_s;

    const LpQuery query({file, otherSpelling}, {file});
    QVERIFY2(query.ok(), qPrintable(query.errorText()));
    QCOMPARE(query.variableNames(), QStringList{"x"_s});
    QCOMPARE(query.warningText(), QString());
}

void TestLpSimCore::errorsNameTheFile_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QStringList>("fragments");

    const QString file = "file"_s;
    const QByteArray xp = "LPDATA 1\nVAR=<x>\nOUT=<p>\nx p\n"; // rows start on line 5
    const QByteArray freq = "LPDATA 1\nVAR=<F>, Units=<GHz>\nOUT=<p>\n";
    const auto row = [](const char *name, const QString &setup, const QByteArray &contents,
                        const QStringList &fragments) {
        QTest::newRow(name) << setup << contents << fragments;
    };

    row("a missing file", "missing"_s, {}, {"does not exist"_s});
    row("a directory", "directory"_s, {}, {"is a directory"_s});
    row("a FIFO", "fifo"_s, {}, {"not a regular file"_s});
    row("a device", "device"_s, {}, {"not a regular file"_s});
    row("an empty file", file, {}, {"not a load-pull data file"_s});
    row("a text without the signature", file, "x p\n1 2\n", {"not a load-pull data file"_s});
    row("binary junk", file,
        QByteArray("\x7f"
                   "ELF\x02\x01\x00\x00\xff\n",
                   10),
        {"not a load-pull data file"_s});
    row("the signature alone", file, "! only this\nLPDATA 1\n", {"holds no data rows"_s});
    row("declarations without data rows", file, xp, {"holds no data rows"_s});
    row("a block line without rows", file, freq + "p\nF = 1\n", {"holds no data rows"_s});
    row("another format version", file, "LPDATA 2\n", {"line 1:"_s, "version '2'"_s});
    row("an undeclared column", file, "LPDATA 1\nVAR=<x>\nx y\n1 2\n",
        {"line 3:"_s, "'y' is not declared"_s});
    row("a declared variable without a column", file, "LPDATA 1\nVAR=<x>\nOUT=<p>\nx\n1\n",
        {"line 4:"_s, "'p' has no column"_s});
    row("a reflection coefficient in one column", file, "LPDATA 1\nGAMMA=<g>\ng\n1\n",
        {"line 3:"_s, "column pair"_s});
    row("a Re column without its Im column", file, "LPDATA 1\nGAMMA=<g>\nRe(g) x\n",
        {"line 3:"_s, "'Im(g)'"_s});
    row("a fixed reflection coefficient with columns", file,
        "LPDATA 1\nGAMMA=<g>, Value=<0.1, 0.2>\nRe(g) Im(g)\n1 2\n",
        {"line 3:"_s, "fixed value"_s});
    row("the frequency variable as a column", file, freq + "F p\n", {"line 4:"_s, "block lines"_s});
    row("a block line before the column-name line", file, freq + "F = 1\np\n1\n",
        {"line 4:"_s, "column-name line"_s});
    row("a declaration after the column-name line", file, xp + "1 2\nOUT=<q>\n",
        {"line 6:"_s, "declaration after the column-name line"_s});
    row("a word in a row", file, xp + "1 2\n1 abc\n", {"line 6:"_s, "column 'p'"_s});
    row("a number glued to a word", file, xp + "1 2abc\n", {"line 5:"_s, "column 'p'"_s});
    row("NaN", file, xp + "1 nan\n", {"line 5:"_s, "not a finite number"_s});
    row("infinity", file, xp + "1 -inf\n", {"line 5:"_s, "not a finite number"_s});
    row("a number beyond double range", file, xp + "1e999 1\n",
        {"line 5:"_s, "column 'x' is not a finite number"_s});
    row("a row that starts with a word", file, xp + "\n\nnan 1\n",
        {"line 7:"_s, "data row of 2 numbers"_s});
    row("a row with too few values", file, xp + "1\n", {"line 5:"_s, "1 of the 2 values"_s});
    row("a row with too many values", file, xp + "1 2 3\n", {"line 5:"_s, "more than the 2"_s});
    row("a row before the first block line", file, freq + "p\n1\n",
        {"line 5:"_s, "before the first block line"_s});
    row("a block line in another unit", file, freq + "p\nF = 1 MHz\n1\n", {"line 5:"_s, "'MHz'"_s});
    row("a block without rows", file, freq + "p\nF = 1\nF = 2\n1\n",
        {"line 5:"_s, "block holds no data rows"_s});
    row("a block line in a file without frequency variable", file, xp + "1 2\nx = 3\n",
        {"line 6:"_s, "no frequency variable"_s});
    row("a block line for another variable", file,
        "LPDATA 1\nVAR=<F>, Units=<GHz>\nVAR=<x>\nx\nF = 1\n1\nx = 2\n",
        {"line 7:"_s, "not the frequency variable"_s});
    row("an unknown attribute", file, "LPDATA 1\nVAR=<x>, Colour=<red>\n",
        {"line 2:"_s, "'Colour'"_s});
    row("an attribute given twice", file, "LPDATA 1\nVAR=<x>, Units=<V>, units=<A>\n",
        {"line 2:"_s, "given twice"_s});
    row("a value without angle brackets", file, "LPDATA 1\nVAR=<x>, Units=V\n",
        {"line 2:"_s, "<...>"_s});
    row("a name that is no name", file, "LPDATA 1\nVAR=<1x>\n", {"line 2:"_s, "not a name"_s});
    row("a harmonic of 0", file, "LPDATA 1\nGAMMA=<g>, Harmonic=<0>\n",
        {"line 2:"_s, "Harmonic"_s});
    row("an unknown domain", file, "LPDATA 1\nGAMMA=<g>, Domain=<Smith>\n",
        {"line 2:"_s, "'Smith'"_s});
    row("a fixed value with one number", file, "LPDATA 1\nGAMMA=<g>, Value=<0.5>\n",
        {"line 2:"_s, "Value"_s});
    row("Complex neither yes nor no", file, "LPDATA 1\nOUT=<p>, Complex=<maybe>\n",
        {"line 2:"_s, "'maybe'"_s});
    row("a name declared twice", file, "LPDATA 1\nVAR=<x>\nOUT=<x>\n",
        {"line 3:"_s, "declared twice"_s});
    row("a second frequency variable", file, freq + "VAR=<G>, Type=<Frequency>\n",
        {"line 4:"_s, "second frequency variable"_s});
}

void TestLpSimCore::errorsNameTheFile()
{
    QFETCH(QString, setup);
    QFETCH(QByteArray, contents);
    QFETCH(QStringList, fragments);

    QString path = m_dir->filePath("bad.lp"_s);
    if (setup == "file"_s)
        writeFile(m_dir->path(), "bad.lp"_s, contents);
    else if (setup == "directory"_s)
        path = m_dir->path();
    else if (setup == "fifo"_s)
        QCOMPARE(mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    else if (setup == "device"_s)
        path = "/dev/null"_s;

    const LpQuery query({path});
    QVERIFY(!query.ok());
    QVERIFY(query.ui().variables.empty() && query.ui().performanceVariables.empty());
    for (const QString &fragment : fragments + QStringList{path})
        QVERIFY2(query.errorText().contains(fragment), qPrintable(query.errorText()));
}

void TestLpSimCore::anUnreadableFileIsRefused()
{
    const QString path = writeFile(m_dir->path(), "secret.lp"_s, "LPDATA 1\nVAR=<x>\nx\n1\n");
    QVERIFY(QFile::setPermissions(path, QFileDevice::Permissions()));
    if (QFile(path).open(QIODevice::ReadOnly))
        QSKIP("This user may read any file.");

    const LpQuery query({path});
    QVERIFY(!query.ok());
    QVERIFY2(query.errorText().contains(path), qPrintable(query.errorText()));
    QVERIFY2(query.errorText().contains("permission denied"_s), qPrintable(query.errorText()));
}

void TestLpSimCore::oneBadFileFailsTheWholeQuery()
{
    const QString missing = m_dir->filePath("missing.lp"_s);

    const LpQuery query({exampleFile(twoFrequencies), missing});
    QVERIFY(!query.ok());
    QVERIFY(query.ui().variables.empty());
    QVERIFY2(query.errorText().contains(missing), qPrintable(query.errorText()));
}

void TestLpSimCore::bothListsEmptyReportNothing()
{
    const LpQuery query({}, {});
    QVERIFY(query.ok());
    QVERIFY(query.ui().variables.empty() && query.ui().performanceVariables.empty());
    QCOMPARE(query.ui().minNumPoints, 0);
    QCOMPARE(query.ui().maxNumPoints, 0);
    QCOMPARE(query.errorText(), QString());
    QCOMPARE(query.warningText(), QString());
}

void TestLpSimCore::modesOtherThanOneAreRefused_data()
{
    QTest::addColumn<int>("mode");

    QTest::newRow("mode 0") << 0;
    QTest::newRow("mode 2") << 2;
    QTest::newRow("a negative mode") << -1;
}

void TestLpSimCore::modesOtherThanOneAreRefused()
{
    QFETCH(int, mode);

    const LpQuery query({exampleFile(twoFrequencies)}, {}, mode);
    QVERIFY(!query.ok());
    QVERIFY(query.ui().variables.empty());
    QVERIFY2(query.errorText().contains("mode "_s + QString::number(mode)),
             qPrintable(query.errorText()));
}

QTEST_GUILESS_MAIN(TestLpSimCore)
#include "tst_lpsimcore.moc"
