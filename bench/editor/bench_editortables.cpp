// Time of setState and variablesFound of the independent-variables table and of the
// performance table, at two sizes ten times apart. A refresh fills every row, so the time
// should grow with the rows and no faster.

#include "indepvardetailstablewidget.h"
#include "performancevariablestablewidget.h"

#include <QtTest>

using namespace LoadPullStateUtils;

namespace {

QString name(int i)
{
    return QStringLiteral("var%1").arg(i, 5, 10, QLatin1Char('0'));
}

QList<IndepVarInfo> independentVariables(int count)
{
    QList<IndepVarInfo> variables;
    for (int i = 0; i < count; ++i) {
        IndepVarInfo info;
        info.setName(name(i));
        info.setMinValue(QStringLiteral("0"));
        info.setMaxValue(QString::number(i + 1));
        info.setMinNumPoints(3);
        info.setMaxNumPoints(7);
        info.setUnitType(QStringLiteral("Voltage"));
        info.setUnit(QStringLiteral("V"));
        variables << info;
    }
    return variables;
}

QList<PerformanceVarBaseInfo> performanceVariables(int count)
{
    QList<PerformanceVarBaseInfo> variables;
    for (int i = 0; i < count; ++i) {
        PerformanceVarBaseInfo info;
        info.setName(name(i));
        info.setMinValue(QStringLiteral("-1"));
        info.setMaxValue(QString::number(i + 1));
        info.setUnit(QStringLiteral("dBm"));
        variables << info;
    }
    return variables;
}

void addSizes()
{
    QTest::addColumn<int>("rows");
    QTest::newRow("500 rows") << 500;
    QTest::newRow("5000 rows") << 5000;
}

// Replacing the records (the first files) and updating them (a further file).
void addSizesAndModes()
{
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("reset");
    QTest::newRow("500 rows, replaced") << 500 << true;
    QTest::newRow("5000 rows, replaced") << 5000 << true;
    QTest::newRow("500 rows, updated") << 500 << false;
    QTest::newRow("5000 rows, updated") << 5000 << false;
}

} // namespace

class BenchEditorTables : public QObject
{
    Q_OBJECT

private slots:
    void independentSetState_data() { addSizes(); }
    void independentSetState();
    void independentVariablesFound_data() { addSizesAndModes(); }
    void independentVariablesFound();
    void performanceSetState_data() { addSizes(); }
    void performanceSetState();
    void performanceVariablesFound_data() { addSizesAndModes(); }
    void performanceVariablesFound();
};

void BenchEditorTables::independentSetState()
{
    QFETCH(int, rows);
    IndepVariablesState state;
    state.setVariables(independentVariables(rows), true);
    IndepVarDetailsTableWidget table;
    table.setState(state);

    QBENCHMARK
    {
        table.setState(state);
    }
    QCOMPARE(table.rowCount(), rows);
}

void BenchEditorTables::independentVariablesFound()
{
    QFETCH(int, rows);
    QFETCH(bool, reset);
    const QList<IndepVarInfo> variables = independentVariables(rows);
    IndepVarDetailsTableWidget table;
    table.variablesFound(variables, true);

    QBENCHMARK
    {
        table.variablesFound(variables, reset);
    }
    QCOMPARE(table.rowCount(), rows);
}

void BenchEditorTables::performanceSetState()
{
    QFETCH(int, rows);
    PerformanceTabState state;
    state.setVariables(performanceVariables(rows));
    PerformanceVariablesTableWidget table;
    table.setState(state);

    QBENCHMARK
    {
        table.setState(state);
    }
    QCOMPARE(table.rowCount(), rows);
}

void BenchEditorTables::performanceVariablesFound()
{
    QFETCH(int, rows);
    QFETCH(bool, reset);
    const QList<PerformanceVarBaseInfo> variables = performanceVariables(rows);
    PerformanceVariablesTableWidget table;
    table.variablesFound(variables, true);

    QBENCHMARK
    {
        table.variablesFound(variables, reset);
    }
    QCOMPARE(table.rowCount(), rows);
}

QTEST_MAIN(BenchEditorTables)
#include "bench_editortables.moc"
