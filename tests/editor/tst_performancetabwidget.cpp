#include "metatypes.h"
#include "performancetabwidget.h"
#include "performancevariablestablewidget.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include <memory>

using namespace LoadPullStateUtils;

namespace {

QString operator""_s(const char *text, size_t size)
{
    return QString::fromUtf8(text, int(size));
}

PerformanceVarBaseInfo quantity(const QString &name, const QString &maxValue = "10"_s,
                                const QString &unit = QString())
{
    PerformanceVarBaseInfo info;
    info.setName(name);
    info.setMinValue("-1"_s);
    info.setMaxValue(maxValue);
    info.setUnit(unit);
    return info;
}

PerformanceVarInfo choice(const QString &name, bool output, bool autoPlot)
{
    PerformanceVarInfo info(quantity(name));
    info.setOutput(output);
    info.setAutoPlot(autoPlot);
    return info;
}

// The flags are set first, so the records keep their own choices.
PerformanceTabState performanceState(const QList<PerformanceVarInfo> &variables,
                                     bool outputAll = true, bool displayAll = false)
{
    PerformanceTabState state;
    state.setOutputAll(outputAll);
    state.setDisplayAll(displayAll);
    state.setVariables(variables);
    return state;
}

QStringList columnTexts(const QTableWidget &table, int column)
{
    QStringList texts;
    for (int row = 0; row < table.rowCount(); ++row)
        texts << table.item(row, column)->text();
    return texts;
}

// A row's check boxes as "OD" (output, display), "O-", "-D" or "--".
QString checkText(bool output, bool autoPlot)
{
    return QString(QLatin1Char(output ? 'O' : '-')) + QLatin1Char(autoPlot ? 'D' : '-');
}

QStringList checks(const QTableWidget &table)
{
    QStringList texts;
    for (int row = 0; row < table.rowCount(); ++row)
        texts << checkText(table.item(row, 3)->checkState() == Qt::Checked,
                           table.item(row, 4)->checkState() == Qt::Checked);
    return texts;
}

QStringList checks(const PerformanceTabState &state)
{
    QStringList texts;
    for (const PerformanceVarInfo &info : state.allVariables())
        texts << checkText(info.output(), info.autoPlot());
    return texts;
}

QList<int> columnWidths(const QTableWidget &table)
{
    QList<int> widths;
    for (int column = 0; column < table.columnCount(); ++column)
        widths << table.columnWidth(column);
    return widths;
}

} // namespace

class tst_PerformanceTabWidget : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void cellsShowTheRecordsInNameOrder();
    void nameAndRangeCellsCannotBeEditedOrSelected_data();
    void nameAndRangeCellsCannotBeEditedOrSelected();
    void fileReport_data();
    void fileReport();
    void storedStatesAreAnnouncedOnce();
    void toggle_data();
    void toggle();
    void allOrNothingButton_data();
    void allOrNothingButton();
    void columnsNeverNarrow();

private:
    void show();

    std::unique_ptr<PerformanceTabWidget> tab;
    PerformanceVariablesTableWidget *table = nullptr;
};

void tst_PerformanceTabWidget::initTestCase()
{
    registerStateMetaTypes();
}

void tst_PerformanceTabWidget::init()
{
    tab = std::make_unique<PerformanceTabWidget>();
    table = tab->findChild<PerformanceVariablesTableWidget *>();
    QVERIFY(table);
}

void tst_PerformanceTabWidget::cleanup()
{
    tab.reset();
}

void tst_PerformanceTabWidget::show()
{
    tab->show();
    QVERIFY(QTest::qWaitForWindowExposed(tab.get()));
}

void tst_PerformanceTabWidget::cellsShowTheRecordsInNameOrder()
{
    tab->variablesFound(
        {quantity("alpha"_s), quantity("Zeta"_s), quantity("P1"_s, "10"_s, "dBm"_s)}, 1);

    QStringList headers;
    for (int column = 0; column < table->columnCount(); ++column)
        headers << table->horizontalHeaderItem(column)->text();
    QCOMPARE(headers,
             (QStringList{"Name"_s, "Min"_s, "Max"_s, "Output"_s, "Auto Display\nin GRF"_s}));
    QCOMPARE(columnTexts(*table, 0), (QStringList{"P1 ( dBm )"_s, "Zeta"_s, "alpha"_s}));
    QCOMPARE(columnTexts(*table, 1), (QStringList{"-1"_s, "-1"_s, "-1"_s}));
    QCOMPARE(columnTexts(*table, 2), (QStringList{"10"_s, "10"_s, "10"_s}));
    const int right = Qt::AlignRight | Qt::AlignVCenter;
    const QList<int> alignments{Qt::AlignCenter, right, right, right, right};
    for (int column = 0; column < table->columnCount(); ++column)
        QCOMPARE(table->item(0, column)->textAlignment(), alignments.at(column));
    QCOMPARE(table->item(0, 3)->flags(), Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
    QCOMPARE(table->item(0, 4)->flags(), Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
}

void tst_PerformanceTabWidget::nameAndRangeCellsCannotBeEditedOrSelected_data()
{
    QTest::addColumn<int>("column");

    QTest::newRow("the name cell") << 0;
    QTest::newRow("the minimum cell") << 1;
    QTest::newRow("the maximum cell") << 2;
}

void tst_PerformanceTabWidget::nameAndRangeCellsCannotBeEditedOrSelected()
{
    QFETCH(int, column);
    tab->variablesFound({quantity("Pout"_s)}, 1);
    show();
    QTableWidgetItem *cell = table->item(0, column);
    const QPoint centre = table->visualItemRect(cell).center();

    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
    QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);

    QCOMPARE(cell->flags(), Qt::NoItemFlags);
    QVERIFY(!cell->isSelected());
    QVERIFY(!table->viewport()->findChild<QLineEdit *>());
}

void tst_PerformanceTabWidget::fileReport_data()
{
    QTest::addColumn<int>("secondCount");
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QStringList>("maxima");
    QTest::addColumn<QStringList>("checked");

    QTest::newRow("a third file updates the ranges, keeps the choices and adds no quantity")
        << 3 << QStringList{"Gain"_s, "Pout"_s} << QStringList{"20"_s, "30"_s}
        << QStringList{"OD"_s, "--"_s};
    QTest::newRow("a report of no files empties the table")
        << 0 << QStringList() << QStringList() << QStringList();
}

void tst_PerformanceTabWidget::fileReport()
{
    QFETCH(int, secondCount);
    QFETCH(QStringList, names);
    QFETCH(QStringList, maxima);
    QFETCH(QStringList, checked);
    tab->variablesFound({quantity("Pout"_s), quantity("Gain"_s)}, 2);
    QCOMPARE(columnTexts(*table, 0), (QStringList{"Gain"_s, "Pout"_s}));
    QCOMPARE(checks(*table), (QStringList{"O-"_s, "O-"_s}));
    tab->mergeState(
        performanceState({choice("Gain"_s, true, true), choice("Pout"_s, false, false)}));
    QSignalSpy changed(tab.get(), &PerformanceTabWidget::stateChanged);

    if (secondCount == 0)
        tab->variablesFound({}, 0);
    else
        tab->variablesFound(
            {quantity("Pout"_s, "30"_s), quantity("Gain"_s, "20"_s), quantity("PAE"_s)},
            secondCount);

    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).value<PerformanceTabState>(), tab->state());
    QCOMPARE(columnTexts(*table, 0), names);
    QCOMPARE(columnTexts(*table, 2), maxima);
    QCOMPARE(checks(*table), checked);
    QCOMPARE(checks(tab->state()), checked);
}

void tst_PerformanceTabWidget::storedStatesAreAnnouncedOnce()
{
    tab->variablesFound({quantity("Pout"_s)}, 1);
    const PerformanceTabState other =
        performanceState({choice("Pout"_s, false, false), choice("PAE"_s, true, true)}, false);
    QSignalSpy changed(tab.get(), &PerformanceTabWidget::stateChanged);

    tab->mergeState(other);
    QCOMPARE(changed.size(), 1);
    QCOMPARE(changed.at(0).at(0).value<PerformanceTabState>(), tab->state());
    QCOMPARE(columnTexts(*table, 0), QStringList{"Pout"_s});
    QVERIFY(tab->state().outputAll());

    tab->mergeState(other, true);
    QCOMPARE(changed.size(), 2);
    QVERIFY(!tab->state().outputAll());

    tab->setState(other);
    QCOMPARE(changed.size(), 3);
    QCOMPARE(changed.at(2).at(0).value<PerformanceTabState>(), other);
    QCOMPARE(checks(*table), (QStringList{"OD"_s, "--"_s}));
}

void tst_PerformanceTabWidget::toggle_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("bySpace");
    QTest::addColumn<QString>("after");

    QTest::newRow("clicking Output off in a displayed row clears both")
        << "OD" << 3 << false << "--";
    QTest::newRow("Space on Output of a displayed row clears both") << "OD" << 3 << true << "--";
    QTest::newRow("clicking Auto Display on in a row not output checks both")
        << "--" << 4 << false << "OD";
    QTest::newRow("Space on Auto Display of a row not output checks both")
        << "--" << 4 << true << "OD";
    QTest::newRow("clicking Output on leaves Auto Display off") << "--" << 3 << false << "O-";
    QTest::newRow("clicking Auto Display off leaves Output on") << "OD" << 4 << false << "O-";
}

void tst_PerformanceTabWidget::toggle()
{
    QFETCH(QString, before);
    QFETCH(int, column);
    QFETCH(bool, bySpace);
    QFETCH(QString, after);
    const bool output = before.startsWith(QLatin1Char('O'));
    tab->setState(performanceState({choice("Gain"_s, true, false),
                                    choice("Pout"_s, output, before.endsWith(QLatin1Char('D')))}));
    show();
    QSignalSpy changed(tab.get(), &PerformanceTabWidget::stateChanged);

    if (bySpace) {
        table->setCurrentCell(1, column);
        QTest::keyClick(table, Qt::Key_Space);
    } else {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(1, column)).center());
    }

    QCOMPARE(changed.size(), 1);
    const auto announced = changed.at(0).at(0).value<PerformanceTabState>();
    QCOMPARE(announced, tab->state());
    QCOMPARE(checks(announced), (QStringList{"O-"_s, after}));
    QCOMPARE(checks(*table), (QStringList{"O-"_s, after}));
}

void tst_PerformanceTabWidget::allOrNothingButton_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("checked");
    QTest::addColumn<bool>("outputAll");
    QTest::addColumn<bool>("displayAll");

    QTest::newRow("Display All checks every box in both columns")
        << "Display All" << QStringList{"OD"_s, "OD"_s, "OD"_s} << true << true;
    QTest::newRow("Output None clears every box in both columns")
        << "Output None" << QStringList{"--"_s, "--"_s, "--"_s} << false << false;
    QTest::newRow("Output All checks every Output and leaves Auto Display")
        << "Output All" << QStringList{"OD"_s, "O-"_s, "O-"_s} << true << true;
    QTest::newRow("Display None clears every Auto Display and leaves Output")
        << "Display None" << QStringList{"O-"_s, "O-"_s, "--"_s} << false << false;
}

void tst_PerformanceTabWidget::allOrNothingButton()
{
    QFETCH(QString, button);
    QFETCH(QStringList, checked);
    QFETCH(bool, outputAll);
    QFETCH(bool, displayAll);
    tab->setState(performanceState(
        {choice("A"_s, true, true), choice("B"_s, true, false), choice("C"_s, false, false)}, false,
        true));
    show();
    QSignalSpy changed(tab.get(), &PerformanceTabWidget::stateChanged);
    QPushButton *pushButton = nullptr;
    for (QPushButton *candidate : tab->findChildren<QPushButton *>())
        if (candidate->text() == button)
            pushButton = candidate;
    QVERIFY(pushButton);

    QTest::mouseClick(pushButton, Qt::LeftButton);

    QCOMPARE(changed.size(), 1);
    const auto announced = changed.at(0).at(0).value<PerformanceTabState>();
    QCOMPARE(announced, tab->state());
    QCOMPARE(checks(announced), checked);
    QCOMPARE(checks(*table), checked);
    QCOMPARE(announced.outputAll(), outputAll);
    QCOMPARE(announced.displayAll(), displayAll);
}

void tst_PerformanceTabWidget::columnsNeverNarrow()
{
    PerformanceVarBaseInfo wide =
        quantity("a_rather_long_quantity_name"_s, "123456789.125"_s, "MegaWatt"_s);
    wide.setMinValue("-123456789.125"_s);
    tab->variablesFound({wide}, 1);
    show();
    const QList<int> before = columnWidths(*table);

    tab->setState(performanceState({choice("x"_s, true, false)}));

    QCOMPARE(columnWidths(*table), before);
}

QTEST_MAIN(tst_PerformanceTabWidget)
#include "tst_performancetabwidget.moc"
