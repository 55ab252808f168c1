#include "detailstabwidget.h"
#include "gammavardetailstablewidget.h"
#include "indepvardetailstablewidget.h"
#include "interfaceholder.h"
#include "metatypes.h"
#include "referencetvlinterface.h"

#include <QLineEdit>
#include <QtTest>

#include <memory>

using namespace LoadPullStateUtils;

namespace {

QString operator""_s(const char *text, size_t size)
{
    return QString::fromUtf8(text, int(size));
}

IndepVarInfo indepVar(const QString &name, const QString &minValue, const QString &maxValue,
                      int minPoints = 3, int maxPoints = 3, const QString &unit = "V"_s)
{
    IndepVarInfo info;
    info.setName(name);
    info.setMinValue(minValue);
    info.setMaxValue(maxValue);
    info.setMinNumPoints(minPoints);
    info.setMaxNumPoints(maxPoints);
    info.setUnitType("Voltage"_s);
    info.setUnit(unit);
    return info;
}

IndepVarInfo frequencyVar(const QString &minValue, const QString &maxValue, const QString &unit)
{
    IndepVarInfo info = indepVar("freq"_s, minValue, maxValue, 5, 5, unit);
    info.setIsFrequency(true);
    info.setUnitType("Frequency"_s);
    info.setValue("freq"_s);
    return info;
}

GammaVarInfo gammaVar(const QString &name, int minPoints = 4, int maxPoints = 4)
{
    GammaVarInfo info;
    info.setName(name);
    info.setMinValue(" 0.1 "_s);
    info.setMaxValue("0.9"_s);
    info.setMinNumPoints(minPoints);
    info.setMaxNumPoints(maxPoints);
    return info;
}

VariableDetailsTabState detailsState(const QList<IndepVarInfo> &indep,
                                     const QList<GammaVarInfo> &gammas = {})
{
    IndepVariablesState indepState;
    indepState.setVariables(indep, false);
    GammasState gammaState;
    gammaState.setVariables(gammas);
    VariableDetailsTabState state;
    state.setIndependentVariables(indepState);
    state.setGammaVariables(gammaState);
    return state;
}

// Row -1 gives the header texts.
QStringList texts(const QTableWidget &table, int row, int column = -1)
{
    QStringList found;
    for (int at = 0; at < (row < 0 ? table.columnCount() : table.rowCount()); ++at)
        found << (row < 0 ? table.horizontalHeaderItem(at) : table.item(at, column))->text();
    return found;
}

QList<int> columnWidths(const QTableWidget &table)
{
    QList<int> widths;
    for (int column = 0; column < table.columnCount(); ++column)
        widths << table.columnWidth(column);
    return widths;
}

// As a window system delivers it: a click, then the double-click in place of a second press.
void doubleClickCell(QTableWidget &table, int row, int column)
{
    const QPoint centre = table.visualItemRect(table.item(row, column)).center();
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, centre);
}

} // namespace

class tst_DetailsTabWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void cellsShowTheRecordsInNameOrder();
    void valueCell_data();
    void valueCell();
    void enteredValue_data();
    void enteredValue();
    void pointText_data();
    void pointText();
    void fileReport_data();
    void fileReport();
    void storedStatesAreAnnouncedOnce();
    void sweepCommand_data();
    void sweepCommand();
    void columnsNeverNarrowButPointsFollowTheirText();

private:
    void show();

    ReferenceTvlInterface tvl;
    std::unique_ptr<DetailsTabWidget> tab;
    IndepVarDetailsTableWidget *indepTable = nullptr;
    GammaVarDetailsTableWidget *gammaTable = nullptr;
};

void tst_DetailsTabWidget::initTestCase()
{
    registerStateMetaTypes();
}

void tst_DetailsTabWidget::init()
{
    InterfaceHolder::instance().store(&tvl);
    InterfaceHolder::instance().accept();
    tvl.clearCommands();
    tab = std::make_unique<DetailsTabWidget>();
    indepTable = tab->findChild<IndepVarDetailsTableWidget *>();
    gammaTable = tab->findChild<GammaVarDetailsTableWidget *>();
    QVERIFY(indepTable && gammaTable);
}

void tst_DetailsTabWidget::cleanup()
{
    tab.reset();
    InterfaceHolder::instance().store(nullptr);
}

void tst_DetailsTabWidget::show()
{
    tab->show();
    QVERIFY(QTest::qWaitForWindowExposed(tab.get()));
}

void tst_DetailsTabWidget::cellsShowTheRecordsInNameOrder()
{
    tab->setState(detailsState(
        {indepVar("alpha"_s, " 1 "_s, "4 "_s, 2, 6, QString()), indepVar("Zeta"_s, "0"_s, "1"_s)},
        {gammaVar("g"_s), gammaVar("G"_s)}));

    QCOMPARE(texts(*indepTable, -1),
             (QStringList{"Name"_s, "Value"_s, "   Unit   "_s, "Min"_s, "Max"_s, "Points"_s}));
    QCOMPARE(texts(*gammaTable, -1), (QStringList{"Name"_s, "Type"_s, "Harm"_s, "   Domain  "_s,
                                                  "Min"_s, "Max"_s, "Points"_s}));
    QCOMPARE(texts(*indepTable, 0, 0), (QStringList{"Zeta"_s, "alpha"_s}));
    QCOMPARE(texts(*gammaTable, 0, 0), (QStringList{"G"_s, "g"_s}));
    QCOMPARE(texts(*indepTable, 0, 3), (QStringList{"0"_s, "1"_s}));
    QCOMPARE(texts(*indepTable, 0, 4), (QStringList{"1"_s, "4"_s}));
    QCOMPARE(texts(*gammaTable, 0, 4), (QStringList{" 0.1 "_s, " 0.1 "_s}));
    QCOMPARE(indepTable->item(0, 2)->flags(), Qt::NoItemFlags);
    QCOMPARE(indepTable->item(1, 2)->flags(), Qt::ItemIsEditable);
    for (const QTableWidget *table :
         {static_cast<QTableWidget *>(indepTable), static_cast<QTableWidget *>(gammaTable)}) {
        for (int column = 0; column < table->columnCount(); ++column) {
            QCOMPARE(table->item(1, column)->textAlignment(), int(Qt::AlignCenter));
            if (table == gammaTable || (column != 1 && column != 2))
                QCOMPARE(table->item(1, column)->flags(), Qt::NoItemFlags);
        }
    }
}

void tst_DetailsTabWidget::valueCell_data()
{
    QTest::addColumn<IndepVarInfo>("variable");
    QTest::addColumn<bool>("editable");

    QTest::newRow("the frequency variable's value is greyed and cannot be edited")
        << frequencyVar("1"_s, "2"_s, "GHz"_s) << false;
    QTest::newRow("a variable with a single point has a greyed value that cannot be edited")
        << indepVar("Vd"_s, "3"_s, "3"_s, 1, 1) << false;
    QTest::newRow("a variable with several points opens its value for editing")
        << indepVar("Vd"_s, "1"_s, "4"_s, 1, 4) << true;
}

void tst_DetailsTabWidget::valueCell()
{
    QFETCH(IndepVarInfo, variable);
    QFETCH(bool, editable);
    tab->variablesFound({variable}, {}, 1);
    show();

    doubleClickCell(*indepTable, 0, 1);

    QCOMPARE(indepTable->item(0, 1)->flags(),
             editable ? Qt::ItemIsEditable | Qt::ItemIsEnabled : Qt::NoItemFlags);
    const auto *editor = indepTable->viewport()->findChild<QLineEdit *>();
    QCOMPARE(editor && editor->isVisible(), editable);
}

void tst_DetailsTabWidget::enteredValue_data()
{
    QTest::addColumn<QString>("minValue");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("expected");

    QTest::newRow("a number within the range is taken") << "1"
                                                        << "3"
                                                        << "3";
    QTest::newRow("a number above the range is refused") << "1"
                                                         << "5"
                                                         << "2";
    QTest::newRow("a number beside a non-numeric minimum is refused") << "vmin"
                                                                      << "3"
                                                                      << "2";
    QTest::newRow("a variable name beside a non-numeric minimum is taken") << "vmin"
                                                                           << "abc"
                                                                           << "abc";
    QTest::newRow("a variable name beside a numeric range is taken") << "1"
                                                                     << "Vb"
                                                                     << "Vb";
}

// Typed into the cell's own editor and committed with Return, which the view applies once
// control returns to the event loop.
void tst_DetailsTabWidget::enteredValue()
{
    QFETCH(QString, minValue);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    IndepVarInfo variable = indepVar("Vd"_s, minValue, "4"_s, 1, 4);
    variable.setValue("2"_s);
    tab->setState(detailsState({variable}));
    show();
    QSignalSpy changed(tab.get(), &DetailsTabWidget::stateChanged);
    doubleClickCell(*indepTable, 0, 1);
    auto *editor = indepTable->viewport()->findChild<QLineEdit *>();
    QVERIFY(editor);

    editor->clear();
    QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key_Return);

    QTRY_COMPARE(changed.size(), 1);
    const auto announced = changed.at(0).at(0).value<VariableDetailsTabState>();
    QCOMPARE(announced, tab->state());
    QCOMPARE(announced.independentVariables().variableNamed("Vd"_s).value(), expected);
    QCOMPARE(indepTable->item(0, 1)->text(), expected);
}

void tst_DetailsTabWidget::pointText_data()
{
    QTest::addColumn<int>("minPoints");
    QTest::addColumn<int>("maxPoints");
    QTest::addColumn<QString>("expected");

    QTest::newRow("no smallest count gives no text") << 0 << 7 << "";
    QTest::newRow("no largest count gives no text") << 7 << 0 << "";
    QTest::newRow("equal counts give the one count") << 7 << 7 << "7";
    QTest::newRow("differing counts give the span") << 3 << 7 << "3 - 7";
}

void tst_DetailsTabWidget::pointText()
{
    QFETCH(int, minPoints);
    QFETCH(int, maxPoints);
    QFETCH(QString, expected);

    tab->variablesFound({indepVar("Vd"_s, "1"_s, "4"_s, minPoints, maxPoints)},
                        {gammaVar("G1"_s, minPoints, maxPoints)}, 1);

    QCOMPARE(indepTable->item(0, 5)->text(), expected);
    QCOMPARE(gammaTable->item(0, 6)->text(), expected);
}

void tst_DetailsTabWidget::fileReport_data()
{
    QTest::addColumn<int>("firstCount");
    QTest::addColumn<int>("secondCount");
    QTest::addColumn<QStringList>("indepNames");
    QTest::addColumn<QStringList>("gammaNames");
    QTest::addColumn<QString>("vdValue");

    QTest::newRow("a third file updates the ranges, keeps the user's value and adds no names")
        << 2 << 3 << QStringList{"Vd"_s, "Zeta"_s} << QStringList{"G1"_s} << "3";
    QTest::newRow("files arriving after a report of none replace the records")
        << 0 << 1 << QStringList{"Pin"_s, "Vd"_s} << QStringList{"G1"_s, "G2"_s} << "2";
    QTest::newRow("a report of no files empties both tables")
        << 2 << 0 << QStringList() << QStringList() << "";
}

void tst_DetailsTabWidget::fileReport()
{
    QFETCH(int, firstCount);
    QFETCH(int, secondCount);
    QFETCH(QStringList, indepNames);
    QFETCH(QStringList, gammaNames);
    QFETCH(QString, vdValue);
    tab->variablesFound({indepVar("Vd"_s, "1"_s, "4"_s), indepVar("Zeta"_s, "0"_s, "1"_s)},
                        {gammaVar("G1"_s)}, firstCount);
    IndepVarInfo chosen = indepVar("Vd"_s, QString(), QString());
    chosen.setValue("3"_s);
    tab->mergeState(detailsState({chosen}));
    QSignalSpy changed(tab.get(), &DetailsTabWidget::stateChanged);

    if (secondCount == 0)
        tab->variablesFound({}, {}, 0);
    else
        tab->variablesFound({indepVar("Vd"_s, "2"_s, "5"_s), indepVar("Pin"_s, "0"_s, "9"_s)},
                            {gammaVar("G1"_s), gammaVar("G2"_s)}, secondCount);

    QCOMPARE(changed.size(), 1);
    const auto announced = changed.at(0).at(0).value<VariableDetailsTabState>();
    QCOMPARE(announced, tab->state());
    QCOMPARE(texts(*indepTable, 0, 0), indepNames);
    QCOMPARE(texts(*gammaTable, 0, 0), gammaNames);
    QCOMPARE(announced.independentVariables().variableNamed("Vd"_s).value(), vdValue);
    if (!indepNames.isEmpty())
        QCOMPARE(indepTable->item(indepNames.indexOf("Vd"_s), 3)->text(), "2"_s);
}

void tst_DetailsTabWidget::storedStatesAreAnnouncedOnce()
{
    tab->variablesFound({indepVar("Vd"_s, "1"_s, "4"_s)}, {gammaVar("G1"_s)}, 1);
    IndepVarInfo vd = indepVar("Vd"_s, "1"_s, "4"_s);
    vd.setValue("Vbias"_s);
    const VariableDetailsTabState stored =
        detailsState({vd, indepVar("Vx"_s, "1"_s, "4"_s)}, {gammaVar("G9"_s)});
    QSignalSpy changed(tab.get(), &DetailsTabWidget::stateChanged);

    tab->mergeState(stored);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).value<VariableDetailsTabState>(), tab->state());
    QCOMPARE(texts(*indepTable, 0, 1), QStringList{"Vbias"_s});
    QCOMPARE(texts(*gammaTable, 0, 0), QStringList{"G1"_s});
    tab->mergeState(stored, true);
    tab->updateView();
    QCOMPARE(changed.size(), 2);
    tab->setState(stored);
    QCOMPARE(changed.size(), 3);
    QCOMPARE(changed.at(2).at(0).value<VariableDetailsTabState>(), stored);
    QCOMPARE(texts(*indepTable, 0, 0), (QStringList{"Vd"_s, "Vx"_s}));
}

void tst_DetailsTabWidget::sweepCommand_data()
{
    QTest::addColumn<QList<IndepVarInfo>>("variables");
    QTest::addColumn<QStringList>("commands");

    const IndepVarInfo vd = indepVar("Vd"_s, "1"_s, "4"_s);
    QTest::newRow("a frequency range goes out as two quoted bounds with their unit")
        << QList<IndepVarInfo>{vd, frequencyVar("1"_s, "2"_s, "GHz"_s)}
        << QStringList{R"( dblp_init_sweep_group( "1 GHz","2 GHz"," FALSE "  );)"_s};
    QTest::newRow("without a frequency variable the bounds go out empty")
        << QList<IndepVarInfo>{vd}
        << QStringList{R"( dblp_init_sweep_group( " "," "," FALSE "  );)"_s};
    QTest::newRow("quotes and backslashes from the data files are escaped")
        << QList<IndepVarInfo>{frequencyVar(R"(1")"_s, "2"_s, R"(G\Hz)"_s)}
        << QStringList{R"( dblp_init_sweep_group( "1\" G\\Hz","2 G\\Hz"," FALSE "  );)"_s};
    QTest::newRow("a control character in a bound sends nothing")
        << QList<IndepVarInfo>{frequencyVar("1"_s, "2\n"_s, "GHz"_s)} << QStringList();
    QTest::newRow("a control character in the unit sends nothing")
        << QList<IndepVarInfo>{frequencyVar("1"_s, "2"_s, "G\tHz"_s)} << QStringList();
}

void tst_DetailsTabWidget::sweepCommand()
{
    QFETCH(QList<IndepVarInfo>, variables);
    QFETCH(QStringList, commands);
    tab->variablesFound(variables, {}, 1);
    QSignalSpy changed(tab.get(), &DetailsTabWidget::stateChanged);

    tab->setFrequencySweepRange();

    QStringList sent;
    for (const auto &command : tvl.commands()) {
        QCOMPARE(QString::fromStdString(command.target), "SimCmd"_s);
        sent << QString::fromStdString(command.text);
    }
    QCOMPARE(sent, commands);
    QCOMPARE(changed.size(), 0);
}

void tst_DetailsTabWidget::columnsNeverNarrowButPointsFollowTheirText()
{
    const QString wide = "a_rather_long_variable_name_indeed"_s;
    IndepVarInfo wideVar =
        indepVar(wide, "1000000.125"_s, "2000000.125"_s, 1000000, 2000000, "MegaVolt"_s);
    wideVar.setValue("1500000.125"_s);
    tab->setState(detailsState({wideVar}, {gammaVar(wide, 1000000, 2000000)}));
    show();
    QList<int> indepBefore = columnWidths(*indepTable);
    QList<int> gammaBefore = columnWidths(*gammaTable);

    tab->setState(detailsState({indepVar("x"_s, "1"_s, "2"_s, 1, 1)}, {gammaVar("g"_s, 1, 1)}));

    QList<int> indepAfter = columnWidths(*indepTable);
    QList<int> gammaAfter = columnWidths(*gammaTable);
    QVERIFY(indepAfter.takeLast() < indepBefore.takeLast());
    QVERIFY(gammaAfter.takeLast() < gammaBefore.takeLast());
    QCOMPARE(indepAfter, indepBefore);
    QCOMPARE(gammaAfter, gammaBefore);
}

QTEST_MAIN(tst_DetailsTabWidget)
#include "tst_detailstabwidget.moc"
