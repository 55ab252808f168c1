#include "dblpcstate.h"
#include "enumerations.h"
#include "hostparameterlists.h"
#include "interfaceholder.h"
#include "parametermapping.h"
#include "referencetvlinterface.h"
#include "testtexts.h"
#include "units.h"

#include <QRandomGenerator>
#include <QtTest>

#include <climits>
#include <memory>

using namespace LoadPullStateUtils;
using Parameters = HostParameterLists::Parameters;

namespace {

const QString File = "/data/pa.lp"_s;

// The smallest list that makes the variable parameters count: they are read only
// together with data files.
Parameters withFile(Parameters parameters)
{
    parameters.insert("FileName"_s, {File});
    return parameters;
}

} // namespace

// The conversion between the component's parameter list, in the host's form, and the
// editor's state.
class tst_ParameterMapping : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void headerWithoutEntriesGivesDefaults();
    void unreadableListsAreRefused_data();
    void unreadableListsAreRefused();
    void exportWritesTwentyEightEntriesInNameOrder();
    void aLoneQuoteIsReadAsItStands();
    void independentValues_data();
    void independentValues();
    void valuesWithoutTextKeepTheirPositions();
    void hugeCountsStopAtTheEndOfTheList_data();
    void hugeCountsStopAtTheEndOfTheList();
    void writtenListsReadBackToTheSameParameters();

private:
    Parameters roundTrip(const Parameters &parameters, DBLPCState *read = nullptr);
    bool import(const Parameters &parameters, DBLPCState &state, QStringList *warnings = nullptr);

    std::unique_ptr<ReferenceTvlInterface> m_tvl;
};

void tst_ParameterMapping::init()
{
    m_tvl = std::make_unique<ReferenceTvlInterface>();
    InterfaceHolder::instance().store(m_tvl.get());
    InterfaceHolder::instance().accept();
}

void tst_ParameterMapping::cleanup()
{
    InterfaceHolder::instance().store(nullptr);
    m_tvl.reset();
}

bool tst_ParameterMapping::import(const Parameters &parameters, DBLPCState &state,
                                  QStringList *warnings)
{
    return parametersToState(HostParameterLists::make(*m_tvl, parameters), state, warnings);
}

// Reads `parameters` into a fresh state as the editor does when it opens, and writes
// that state out again.
Parameters tst_ParameterMapping::roundTrip(const Parameters &parameters, DBLPCState *read)
{
    DBLPCState state(false);
    if (!import(parameters, state))
        return {};
    if (read)
        *read = state;
    // The editor's own texts, not the stored ones it would keep.
    state.setEntries(ComponentEntries());
    bool headerMatches = false;
    const Parameters written =
        HostParameterLists::read(*m_tvl, stateToParameters(state), &headerMatches);
    return headerMatches ? written : Parameters();
}

void tst_ParameterMapping::headerWithoutEntriesGivesDefaults()
{
    DBLPCState state(false);
    QVERIFY(import({}, state));

    QCOMPARE(state.fileType(), MauryFileType);
    QVERIFY(state.fileTabState().isEmpty());
    QCOMPARE(state.interpolationTabState(), InterpolationTabState());
    QVERIFY(!state.analysisFrequencyRangeSyncState().useFrequencyRangeFromDataFiles());
    const AnalysisParametersTabState parameters = state.analysisParametersTabState();
    QVERIFY(!parameters.calcGamma());
    QVERIFY(!parameters.calcAdmittance());
    QVERIFY(!parameters.calcImpedance());
    QVERIFY(!parameters.allowNonlinearDevices());
    QCOMPARE(parameters.statusLevel(), QString());
    QVERIFY(!state.analysisOptimizationTabState().avoidOutOfRangeData());
    QCOMPARE(state.analysisOptimizationTabState().weight(), QString());
    // The empty impedance fails validation, so the term record keeps its defaults.
    QCOMPARE(state.termTabState(), TermTabState());
}

void tst_ParameterMapping::unreadableListsAreRefused_data()
{
    QTest::addColumn<int>("form");
    QTest::newRow("no list at all") << 0;
    QTest::newRow("a list without header") << 1;
    QTest::newRow("a header whose count is text") << 2;
    QTest::newRow("a text instead of a list") << 3;
}

void tst_ParameterMapping::unreadableListsAreRefused()
{
    QFETCH(int, form);
    TvlValue *list = nullptr;
    if (form == 1)
        list = m_tvl->makeList({});
    else if (form == 2)
        list = m_tvl->makeList({m_tvl->makeList({m_tvl->MakeString("3")})});
    else if (form == 3)
        list = m_tvl->MakeString("FileType");

    DBLPCState state(false);
    const DBLPCState before = state;
    QVERIFY(!parametersToState(list, state));
    QCOMPARE(state, before);
}

// The names and their order are the host's: the example component, which holds every one, comes
// back whole from the plug-in (tst_editorfunctions).
void tst_ParameterMapping::exportWritesTwentyEightEntriesInNameOrder()
{
    bool headerMatches = false;
    const Parameters written =
        HostParameterLists::read(*m_tvl, stateToParameters(DBLPCState()), &headerMatches);
    QVERIFY(headerMatches);
    QCOMPARE(written.size(), 28);
    QCOMPARE(written.value("FreqVarName"_s), QStringList{QString()});
    QCOMPARE(written.value("Z"_s), texts({"50.0 + j* 0.0 Ohm"}));
    QCOMPARE(written.value("IndepVarName"_s), QStringList());
}

// One pair of quotes around a text is taken off (writtenListsReadBackToTheSameParameters); a
// lone quote is no pair.
void tst_ParameterMapping::aLoneQuoteIsReadAsItStands()
{
    DBLPCState state(false);
    QVERIFY(import({{"Weight"_s, {"\""_s}}}, state));
    QCOMPARE(state.analysisOptimizationTabState().weight(), "\""_s);
}

void tst_ParameterMapping::independentValues_data()
{
    QTest::addColumn<QString>("written");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QString>("unit");

    // Other forms are shown as the editor reads them in whole sessions; these are the edge
    // cases of the reading itself, and the malformed dBm values the user is warned of.
    QTest::newRow("number without unit") << "2.5e-3 "_s
                                         << "2.5e-3"_s << QString();
    QTest::newRow("a blank is no value") << " "_s << QString() << QString();
    QTest::newRow("dBm of a malformed expression: warned") << "dbmtow( abc+ )"_s
                                                           << "dbmtow( abc+ )"_s << QString();
    QTest::newRow("dBm of a value with a unit: warned") << "dbmtow( 18 dBm ) "_s
                                                        << "dbmtow( 18 dBm )"_s << QString();
    QTest::newRow("dBm of a number out of range: warned") << "dbmtow( 1e400 ) "_s
                                                          << "dbmtow( 1e400 )"_s << QString();
}

void tst_ParameterMapping::independentValues()
{
    QFETCH(QString, written);
    QFETCH(QString, value);
    QFETCH(QString, unit);
    QStringList warnings;
    DBLPCState state(false);
    QVERIFY(
        import(withFile({{"IndepVarName"_s, texts({"<b>x</b>"})}, {"IndepVarValue"_s, {written}}}),
               state, &warnings));
    const IndepVarInfo info =
        state.detailsTabState().independentVariables().variableNamed("<b>x</b>"_s);
    QCOMPARE(info.value(), value);
    QCOMPARE(info.unit(), unit);
    const bool warned = QByteArray(QTest::currentDataTag()).endsWith("warned");
    QCOMPARE(warnings,
             warned ? QStringList{"<b>x</b>  value format is incorrect "_s} : QStringList());
}

void tst_ParameterMapping::valuesWithoutTextKeepTheirPositions()
{
    auto text = [this](const char *value) {
        return m_tvl->MakeString(value);
    };
    TvlValue *list = HostParameterLists::makeListWithHeaderCount(
        *m_tvl, 4,
        {HostParameterLists::makeEntry(*m_tvl, "FileName"_s, 3,
                                       {text("a.lp"), m_tvl->MakeInteger(1), text("b.lp")}),
         HostParameterLists::makeEntry(*m_tvl, "IndepVarName"_s, 3,
                                       {text("A"), text("B"), text("C")}),
         HostParameterLists::makeEntry(*m_tvl, "IndepVarValue"_s, 3,
                                       {text("1"), text("2"), text("3")}),
         HostParameterLists::makeEntry(*m_tvl, "IndepVarUnitType"_s, 3,
                                       {text("Power"), m_tvl->MakeVoidValue(), text("Voltage")})});
    ParameterMap map;
    QVERIFY(readParameterList(list, map));
    QCOMPARE(map.value("FileName"_s), texts({"a.lp", "", "b.lp"}));
    QCOMPARE(map.value("IndepVarUnitType"_s), texts({"Power", "", "Voltage"}));

    DBLPCState state(false);
    QVERIFY(fromParameterMap(map, state));
    const IndepVariablesState independent = state.detailsTabState().independentVariables();
    QCOMPARE(independent.variableNamed("B"_s).unitType(), QString());
    QCOMPARE(independent.variableNamed("C"_s).unitType(), "Voltage"_s);
}

void tst_ParameterMapping::hugeCountsStopAtTheEndOfTheList_data()
{
    QTest::addColumn<int>("headerCount");
    QTest::addColumn<int>("valueCount");
    QTest::addColumn<QStringList>("read");

    const QStringList all = texts({"1", "2", "3"});
    QTest::newRow("counts as they are") << 1 << 3 << all;
    QTest::newRow("largest header count") << INT_MAX << 3 << all;
    QTest::newRow("largest value count") << 1 << INT_MAX << all;
    QTest::newRow("both largest") << INT_MAX << INT_MAX << all;
    QTest::newRow("a value count below the values") << 1 << 2 << texts({"1", "2"});
    QTest::newRow("a negative value count") << 1 << -5 << QStringList();
    QTest::newRow("the smallest header count") << INT_MIN << 3 << QStringList();
}

void tst_ParameterMapping::hugeCountsStopAtTheEndOfTheList()
{
    QFETCH(int, headerCount);
    QFETCH(int, valueCount);
    QFETCH(QStringList, read);

    TvlValue *list = HostParameterLists::makeListWithHeaderCount(
        *m_tvl, headerCount,
        {HostParameterLists::makeEntry(
            *m_tvl, "GammaValue"_s, valueCount,
            {m_tvl->MakeString("1"), m_tvl->MakeString("2"), m_tvl->MakeString("3")})});
    ParameterMap map;
    QVERIFY(readParameterList(list, map));
    QCOMPARE(map.value("GammaValue"_s), read);
}

// Every state the editor can produce, written out, read back and written again, gives
// the very same parameters.
void tst_ParameterMapping::writtenListsReadBackToTheSameParameters()
{
    QRandomGenerator random(20261206);
    auto pick = [&random](const QStringList &choices) {
        return choices.at(int(random.bounded(quint32(choices.size()))));
    };
    // Texts between quotes too: the import takes one pair off whatever it reads.
    const QStringList names =
        texts({"Pin", "Vdd", "Vgs", "Id_q", "Zeta", "alpha", "T", "P in", "\"Q\"", "\"\""});
    // Names that look like an unfinished exponent, and expressions read whole with the unit
    // text they hold.
    const QStringList values = texts({"10", "-3.5", "2e-3", "28", "Vbias", "Pref", "_x1", "e", "E5",
                                      "Pdrive+3", "+inf mW", "2*Vsupply V"});
    // Any unit text the data files may give: blanks, digits and punctuation included.
    const QStringList units = texts({"", "GHz", "V", "dBm", "DBM", "mA", "None", "%", "degC",
                                     "deg C", "V/m", "m2", "1/s", "e5", "dB re 1 mW"});
    const QStringList impedances =
        texts({"50.0 + j* 0.0", "(Rload + j*Xm)", "75", "R1", "(50)*(2)", "(10 + j*5)"});

    for (int round = 0; round < 200; ++round) {
        ParameterMap parameters = {
            {"FileName"_s, texts({"/data/a.lp", "\"\"\"\"", "\"/data/b.lp2\""})},
            {"InterpMode"_s, {pick(texts<InterpolationMethod>())}},
            {"InterpDom"_s, {pick(texts<InterpolationDomain>())}},
            {"ExtrapMode"_s, {pick(texts<ExtrapolationMethod>())}},
            {"NUM"_s, {pick(texts({"1", "2", "Nport"}))}},
            {"StatusLevel"_s, {pick(texts({"1", "2", "4", "lvl"}))}},
            {"Weight"_s, {pick(texts({"0", "100", "2.5e3", "wgt", "\"w\""}))}},
        };
        const QString unit = pick(resistanceUnits());
        const QString impedance = pick(impedances);
        parameters.insert(
            "Z"_s,
            {unit == QLatin1String("None") ? impedance : impedance + QLatin1Char(' ') + unit});
        for (const char *flag : {"UseFrequencyRangeFromDataFiles", "CalcGamma", "CalcAdmittance",
                                 "CalcImpedance", "AllowNonlinearDevices", "AvoidOutOfRangeData"})
            parameters.insert(QString::fromLatin1(flag), {pick(texts({"yes", "no"}))});

        DBLPCState state(false);
        QVERIFY(fromParameterMap(parameters, state));
        state.setEntries(ComponentEntries()); // the editor's own texts
        IndepVariablesState independent;
        GammasState gammas;
        PerformanceTabState performance;
        for (int i = int(random.bounded(6)); i > 0; --i) {
            IndepVarInfo info;
            info.setName(pick(names));
            info.setValue(pick(values));
            info.setUnit(pick(units));
            info.setUnitType(pick(texts({"Power", "Voltage", "Unitless"})));
            independent.addVariable(info, false);

            GammaVarInfo gamma;
            gamma.setName("gamma_ld%1"_s.arg(i));
            gamma.setType(pick(texts({"Load", "Source", "Unknown"})));
            gamma.setDomain(pick(texts<GammaDomain>()));
            gamma.setHarmIndex(QString::number(i));
            gamma.setValue(pick(texts({"Independent", "0.5", "G1"})));
            gammas.addVariable(gamma);

            PerformanceVarInfo quantity;
            quantity.setName(pick(names) + "_out"_s);
            quantity.setOutput(random.bounded(2));
            quantity.setAutoPlot(random.bounded(2));
            quantity.setIsComplex(random.bounded(2));
            performance.addVariable(quantity);
        }
        if (random.bounded(2))
            independent.setFrequencyVariable("freq_var"_s);
        VariableDetailsTabState details;
        details.setIndependentVariables(independent);
        details.setGammaVariables(gammas);
        state.setDetailsTabState(details);
        state.setPerformanceState(performance);

        QCOMPARE(toParameterMap(state).size(), 28);
        bool headerMatches = false;
        const Parameters written =
            HostParameterLists::read(*m_tvl, stateToParameters(state), &headerMatches);
        QVERIFY(headerMatches);
        DBLPCState read;
        const ParameterMap rewritten = roundTrip(written, &read);
        QCOMPARE(rewritten, written);
        for (const IndepVarInfo &info : independent.allVariables()) {
            const IndepVarInfo readBack =
                read.detailsTabState().independentVariables().variableNamed(info.name());
            QCOMPARE(readBack.value(), info.value());
            // A text read whole keeps its unit within it; the data files give the record's.
            const bool readWhole =
                texts({"Pdrive+3", "+inf mW", "2*Vsupply V"}).contains(info.value());
            if (!info.isFrequency() && !readWhole && !info.unit().isEmpty() &&
                info.unit() != QLatin1String("None") &&
                info.unit().compare(QLatin1String("dBm"), Qt::CaseInsensitive) != 0)
                QCOMPARE(readBack.unit(), info.unit());
        }
        QCOMPARE(read.detailsTabState().gammaVariables(), gammas);
        QCOMPARE(read.performanceState(), performance);
    }
}

QTEST_MAIN(tst_ParameterMapping)
#include "tst_parametermapping.moc"
