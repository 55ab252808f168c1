#include "dblpcstate.h"
#include "interfaceholder.h"
#include "parametermapping.h"
#include "referencetvlinterface.h"

#include <QtTest>

#include <memory>

using namespace LoadPullStateUtils;

namespace {

// A component with `count` independent variables, reflection coefficients and
// performance quantities, as the editor would hand it to the export.
DBLPCState largeComponent(int count)
{
    QList<IndepVarInfo> independent;
    QList<GammaVarInfo> gammas;
    QList<PerformanceVarInfo> quantities;
    for (int i = 0; i < count; ++i) {
        const QString suffix = QString::number(i);
        IndepVarInfo variable;
        variable.setName(QStringLiteral("V") + suffix);
        variable.setValue(i % 3 == 0 ? QStringLiteral("Vref") + suffix : QString::number(i));
        variable.setUnit(i % 2 == 0 ? QStringLiteral("dBm") : QStringLiteral("V"));
        variable.setUnitType(QStringLiteral("Voltage"));
        independent.append(variable);

        GammaVarInfo gamma;
        gamma.setName(QStringLiteral("gamma_ld") + suffix);
        gamma.setType(QStringLiteral("Load"));
        gamma.setDomain(QStringLiteral("Rect-Real"));
        gamma.setValue(QStringLiteral("Independent"));
        gammas.append(gamma);

        PerformanceVarInfo quantity;
        quantity.setName(QStringLiteral("P") + suffix);
        quantity.setAutoPlot(i % 2 == 0);
        quantities.append(quantity);
    }
    IndepVariablesState independentState;
    independentState.setVariables(independent, false);
    GammasState gammaState;
    gammaState.setVariables(gammas);
    VariableDetailsTabState details;
    details.setIndependentVariables(independentState);
    details.setGammaVariables(gammaState);
    PerformanceTabState performance;
    performance.setVariables(quantities);

    DBLPCState state(false);
    FileTabState files;
    files.setFileType(MauryFileType);
    files.setFileNames({QStringLiteral("/data/a.lp")});
    state.setFileTabState(files);
    state.setDetailsTabState(details);
    state.setPerformanceState(performance);
    return state;
}

} // namespace

// Export of a component to the host's parameter list and import back, as one opening
// and one acceptance of the editor do.
class bench_ParameterMapping : public QObject
{
    Q_OBJECT

private slots:
    void exportAndImport_data();
    void exportAndImport();
};

void bench_ParameterMapping::exportAndImport_data()
{
    QTest::addColumn<int>("count");
    QTest::newRow("1000 of each") << 1000;
    QTest::newRow("10000 of each") << 10000;
}

void bench_ParameterMapping::exportAndImport()
{
    QFETCH(int, count);
    const DBLPCState state = largeComponent(count);
    DBLPCState imported(false);
    QBENCHMARK
    {
        // A fresh host each round keeps the host's value store from growing; its
        // bookkeeping is part of every real opening too.
        ReferenceTvlInterface tvl;
        InterfaceHolder::instance().store(&tvl);
        InterfaceHolder::instance().accept();
        imported = DBLPCState(false);
        parametersToState(stateToParameters(state), imported);
        InterfaceHolder::instance().store(nullptr);
    }
    QCOMPARE(imported.detailsTabState().independentVariables().count(), count);
    QCOMPARE(imported.performanceState().count(), count);
}

QTEST_MAIN(bench_ParameterMapping)
#include "bench_parametermapping.moc"
