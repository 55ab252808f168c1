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
using Indep = IndepVarInfo;
using Gamma = GammaVarInfo;

namespace {

QString operator""_s(const char *text, size_t size)
{
    return QString::fromUtf8(text, int(size));
}

template<typename Info>
Info var(const QString &name, const QString &minValue = "1"_s, const QString &maxValue = "4"_s,
         int minPoints = 3, int maxPoints = 3)
{
    Info info;
    info.setName(name);
    info.setMinValue(minValue);
    info.setMaxValue(maxValue);
    info.setMinNumPoints(minPoints);
    info.setMaxNumPoints(maxPoints);
    return info;
}

// Several points, so only its value "freq" freezes it.
Indep frequencyVar(const QString &minValue, const QString &maxValue, const QString &unit)
{
    Indep info = var<Indep>("freq"_s, minValue, maxValue);
    info.setIsFrequency(true);
    info.setValue("freq"_s);
    info.setUnit(unit);
    return info;
}

QStringList columnTexts(const QTableWidget &table, int column)
{
    QStringList texts;
    for (int row = 0; row < table.rowCount(); ++row)
        texts << table.item(row, column)->text();
    return texts;
}

} // namespace

class tst_DetailsTabWidget : public QObject
{
    Q_OBJECT

    ReferenceTvlInterface tvl;
    std::unique_ptr<DetailsTabWidget> tab;
    QTableWidget *indepTable = nullptr;
    QTableWidget *gammaTable = nullptr;

    // As a window system delivers it: a click, then the double-click in place of a second press.
    QLineEdit *doubleClickValueCell()
    {
        tab->show();
        if (!QTest::qWaitForWindowExposed(tab.get()))
            return nullptr;
        const QPoint centre = indepTable->visualItemRect(indepTable->item(0, 1)).center();
        QTest::mouseClick(indepTable->viewport(), Qt::LeftButton, {}, centre);
        QTest::mouseDClick(indepTable->viewport(), Qt::LeftButton, {}, centre);
        auto *editor = indepTable->viewport()->findChild<QLineEdit *>();
        return editor && editor->isVisible() ? editor : nullptr;
    }

private slots:
    void initTestCase()
    {
        registerStateMetaTypes();
        InterfaceHolder::instance().store(&tvl);
        InterfaceHolder::instance().accept();
    }
    void cleanupTestCase() { InterfaceHolder::instance().store(nullptr); }
    void init()
    {
        tab = std::make_unique<DetailsTabWidget>();
        indepTable = tab->findChild<IndepVarDetailsTableWidget *>();
        gammaTable = tab->findChild<GammaVarDetailsTableWidget *>();
        QVERIFY(indepTable && gammaTable);
    }

    void valueCell_data()
    {
        QTest::addColumn<Indep>("variable");
        QTest::addColumn<bool>("editable");
        QTest::newRow("the frequency is frozen") << frequencyVar("1"_s, "2"_s, "GHz"_s) << false;
        QTest::newRow("a single point is frozen")
            << var<Indep>("Vd"_s, "3"_s, "3"_s, 1, 1) << false;
        QTest::newRow("several points can be edited") << var<Indep>("Vd"_s) << true;
    }
    void valueCell()
    {
        QFETCH(Indep, variable);
        QFETCH(bool, editable);
        tab->variablesFound({variable}, {}, 1);
        QCOMPARE(doubleClickValueCell() != nullptr, editable);
        QCOMPARE(indepTable->item(0, 1)->flags().testFlag(Qt::ItemIsEnabled), editable);
    }

    void enteredValue_data()
    {
        QTest::addColumn<QString>("minValue");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a number within the range is taken") << "1"_s
                                                            << "3"_s
                                                            << "3"_s;
        QTest::newRow("a number above the range is refused") << "1"_s
                                                             << "5"_s
                                                             << "1"_s;
        QTest::newRow("a number beside a non-numeric minimum is refused") << "vmin"_s
                                                                          << "3"_s
                                                                          << "vmin"_s;
        QTest::newRow("a name beside a non-numeric minimum is taken") << "vmin"_s
                                                                      << "abc"_s
                                                                      << "abc"_s;
    }
    // Return commits once control is back in the event loop. A refused entry is announced too.
    void enteredValue()
    {
        QFETCH(QString, minValue);
        QFETCH(QString, typed);
        QFETCH(QString, expected);
        tab->variablesFound({var<Indep>("Vd"_s, minValue)}, {}, 1);
        QSignalSpy changed(tab.get(), &DetailsTabWidget::stateChanged);
        QLineEdit *editor = doubleClickValueCell();
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

    void pointText_data()
    {
        QTest::addColumn<int>("minPoints");
        QTest::addColumn<int>("maxPoints");
        QTest::addColumn<QString>("expected");
        QTest::newRow("no smallest count") << 0 << 7 << ""_s;
        QTest::newRow("no largest count") << 7 << 0 << ""_s;
        QTest::newRow("equal counts") << 7 << 7 << "7"_s;
        QTest::newRow("differing counts") << 3 << 7 << "3 - 7"_s;
    }
    void pointText()
    {
        QFETCH(int, minPoints);
        QFETCH(int, maxPoints);
        QFETCH(QString, expected);
        tab->variablesFound({var<Indep>("Vd"_s, "1"_s, "4"_s, minPoints, maxPoints)},
                            {var<Gamma>("G1"_s, "1"_s, "4"_s, minPoints, maxPoints)}, 1);
        QCOMPARE(indepTable->item(0, 5)->text(), expected);
        QCOMPARE(gammaTable->item(0, 6)->text(), expected);
    }

    void fileReport_data()
    {
        QTest::addColumn<int>("secondCount");
        QTest::addColumn<QStringList>("indepNames");
        QTest::addColumn<QStringList>("gammaNames");
        QTest::newRow("a third file updates the ranges, keeps the value and adds no name")
            << 3 << QStringList{"Zeta"_s, "alpha"_s} << QStringList{"G"_s, "g"_s};
        QTest::newRow("no files empty both tables") << 0 << QStringList() << QStringList();
    }
    // The rows are in name order.
    void fileReport()
    {
        QFETCH(int, secondCount);
        QFETCH(QStringList, indepNames);
        QFETCH(QStringList, gammaNames);
        tab->variablesFound({var<Indep>("alpha"_s), var<Indep>("Zeta"_s)},
                            {var<Gamma>("g"_s), var<Gamma>("G"_s)}, 2);
        Indep chosen = var<Indep>("alpha"_s, QString(), QString());
        chosen.setValue("3"_s);
        IndepVariablesState chosenState;
        chosenState.addVariable(chosen, false);
        VariableDetailsTabState stored;
        stored.setIndependentVariables(chosenState);
        tab->mergeState(stored);
        QSignalSpy changed(tab.get(), &DetailsTabWidget::stateChanged);

        if (secondCount == 0)
            tab->variablesFound({}, {}, 0);
        else
            tab->variablesFound({var<Indep>("alpha"_s, "2"_s), var<Indep>("Pin"_s)},
                                {var<Gamma>("g"_s), var<Gamma>("G"_s), var<Gamma>("G2"_s)},
                                secondCount);

        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).value<VariableDetailsTabState>(), tab->state());
        QCOMPARE(columnTexts(*indepTable, 0), indepNames);
        QCOMPARE(columnTexts(*gammaTable, 0).join(QLatin1Char(',')), gammaNames.join(QLatin1Char(',')));
        if (secondCount != 0) {
            QCOMPARE(tab->state().independentVariables().variableNamed("alpha"_s).value(), "3"_s);
            QCOMPARE(indepTable->item(1, 3)->text(), "2"_s);
        }
    }

    void sweepCommand_data(); // Defined below: moc misreads raw strings in a class.
    void sweepCommand()
    {
        QFETCH(QList<Indep>, variables);
        QFETCH(QStringList, commands);
        tab->variablesFound(variables, {}, 1);
        tvl.clearCommands();

        tab->setFrequencySweepRange();

        QStringList sent;
        for (const auto &command : tvl.commands()) {
            QCOMPARE(QString::fromStdString(command.target), "SimCmd"_s);
            sent << QString::fromStdString(command.text);
        }
        QCOMPARE(sent, commands);
    }

    // Only the points column, whose text changes with the counts, follows its contents.
    void columnsNeverNarrowButPointsFollowTheirText()
    {
        const QString wide = "a_rather_long_variable_name_indeed"_s;
        tab->variablesFound({var<Indep>(wide, "1000000.125"_s, "2000000.125"_s, 1000000, 2000000)},
                            {var<Gamma>(wide, "1000000.125"_s, "2000000.125"_s, 1000000, 2000000)},
                            1);
        tab->show();
        QVERIFY(QTest::qWaitForWindowExposed(tab.get()));
        QList<int> before;
        for (const QTableWidget *table : {indepTable, gammaTable})
            for (int column = 0; column < table->columnCount(); ++column)
                before << table->columnWidth(column);

        tab->variablesFound({}, {}, 0);
        tab->variablesFound({var<Indep>("x"_s, "1"_s, "2"_s, 1, 1)},
                            {var<Gamma>("g"_s, "1"_s, "2"_s, 1, 1)}, 1);

        for (const QTableWidget *table : {indepTable, gammaTable}) {
            const int points = table->columnCount() - 1;
            for (int column = 0; column < points; ++column)
                QCOMPARE(table->columnWidth(column), before.takeFirst());
            QVERIFY(table->columnWidth(points) < before.takeFirst());
        }
    }
};

void tst_DetailsTabWidget::sweepCommand_data()
{
    QTest::addColumn<QList<Indep>>("variables");
    QTest::addColumn<QStringList>("commands");
    QTest::newRow("a frequency range goes out as two quoted bounds with their unit")
        << QList<Indep>{var<Indep>("Vd"_s), frequencyVar("1"_s, "2"_s, "GHz"_s)}
        << QStringList{R"( dblp_init_sweep_group( "1 GHz","2 GHz"," FALSE "  );)"_s};
    QTest::newRow("without a frequency variable the bounds go out empty")
        << QList<Indep>{var<Indep>("Vd"_s)}
        << QStringList{R"( dblp_init_sweep_group( " "," "," FALSE "  );)"_s};
    QTest::newRow("quotes and backslashes are escaped")
        << QList<Indep>{frequencyVar(R"(1")"_s, "2"_s, R"(G\Hz)"_s)}
        << QStringList{R"( dblp_init_sweep_group( "1\" G\\Hz","2 G\\Hz"," FALSE "  );)"_s};
    QTest::newRow("a control character sends nothing")
        << QList<Indep>{frequencyVar("1"_s, "2\n"_s, "GHz"_s)} << QStringList();
}

QTEST_MAIN(tst_DetailsTabWidget)
#include "tst_detailstabwidget.moc"
