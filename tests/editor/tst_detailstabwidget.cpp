#include "detailstabwidget.h"
#include "elidedtext.h"
#include "gammavardetailstablewidget.h"
#include "indepvardetailstablewidget.h"
#include "interfaceholder.h"
#include "metatypes.h"
#include "notelabel.h"
#include "referencetvlinterface.h"
#include "testtexts.h"

#include <QLineEdit>
#include <QPointer>
#include <QtTest>

using namespace LoadPullStateUtils;
using Indep = IndepVarInfo;
using Gamma = GammaVarInfo;

namespace {

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

QString columnText(const QTableWidget &table, int column)
{
    QStringList texts;
    for (int row = 0; row < table.rowCount(); ++row)
        texts << table.item(row, column)->text();
    return texts.join(", "_s);
}

} // namespace

class tst_DetailsTabWidget : public QObject
{
    Q_OBJECT

    ReferenceTvlInterface tvl;
    QScopedPointer<DetailsTabWidget> tab;
    QTableWidget *indepTable = nullptr;
    QTableWidget *gammaTable = nullptr;

    // The note under the independent variables' table.
    NoteLabel *indepNote() const { return indepTable->parentWidget()->findChild<NoteLabel *>(); }

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
        tab.reset(new DetailsTabWidget);
        indepTable = tab->findChild<IndepVarDetailsTableWidget *>();
        gammaTable = tab->findChild<GammaVarDetailsTableWidget *>();
        tab->show();
        QVERIFY(indepTable && gammaTable && QTest::qWaitForWindowExposed(tab.data()));
    }

    // Nothing typed: the cell is greyed and opens no editor.
    void valueCell_data()
    {
        QTest::addColumn<Indep>("variable");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("taken");
        QTest::addColumn<QString>("note"); // shown below the table: why an entry was refused
        QTest::newRow("frequency") << frequencyVar("1"_s, "2"_s, "GHz"_s) << ""_s << false << ""_s;
        QTest::newRow("one point")
            << var<Indep>("Vd"_s, "3"_s, "3"_s, 1, 1) << ""_s << false << ""_s;
        QTest::newRow("above the range: refused")
            << var<Indep>("Vd"_s) << "5"_s << false
            << "\"5\" was not taken for Vd: it lies outside the data's range, 1 to 4."_s;
        QTest::newRow("min vmin, a number: refused")
            << var<Indep>("Vd"_s, "vmin"_s) << "3"_s << false
            << "\"3\" was not taken for Vd: the data's range, vmin to 4, is not numeric, so only "
               "a variable name is taken."_s;
        QTest::newRow("min vmin, a name: taken")
            << var<Indep>("Vd"_s, "vmin"_s) << "abc"_s << true << ""_s;
        const QString longName(301, QLatin1Char('v'));
        QTest::newRow("a name too long to show: refused")
            << var<Indep>("Vd"_s, "vmin"_s) << longName << false
            << elidedText("\""_s + longName + "\" was not taken for Vd: it is too long to show."_s);
        // Texts too long to lay out at once are shown elided; the record stays whole.
        QTest::newRow("a name shown elided: taken for its row")
            << var<Indep>(QString(5000, QLatin1Char('n'))) << "2"_s << true << ""_s;
        Indep longValue = var<Indep>("Vd"_s);
        longValue.setValue(QString(5000, QLatin1Char('v')));
        QTest::newRow("a value too long to show whole: kept") << longValue << ""_s << false << ""_s;
    }
    // Return commits once control is back in the event loop.
    void valueCell()
    {
        QFETCH(Indep, variable);
        QFETCH(QString, typed);
        QFETCH(bool, taken);
        QFETCH(QString, note);
        tab->variablesFound({variable}, {}, 1);
        const QString before = indepTable->item(0, 1)->text();
        QSignalSpy changed(tab.data(), &DetailsTabWidget::stateChanged);

        // One click opens an editable cell.
        const QPoint centre = indepTable->visualItemRect(indepTable->item(0, 1)).center();
        QTest::mouseClick(indepTable->viewport(), Qt::LeftButton, {}, centre);
        const QPointer<QLineEdit> editor = indepTable->viewport()->findChild<QLineEdit *>();
        QCOMPARE(editor && editor->isVisible(), !typed.isEmpty());
        QCOMPARE(indepTable->item(0, 1)->flags().testFlag(Qt::ItemIsEnabled), !typed.isEmpty());
        if (!typed.isEmpty()) {
            editor->clear();
            QTest::keyClicks(editor, typed);
            QTest::keyClick(editor, Qt::Key_Return);
            // A refused entry stays in its edit, as typed, until corrected or given up.
            QTRY_COMPARE(changed.size(), int(taken));
            QCOMPARE(editor && editor->isVisible(), !taken);
            if (taken)
                QCOMPARE(changed.at(0).at(0).value<VariableDetailsTabState>(), tab->state());
            else
                QCOMPARE(editor->text(), typed);
        }
        QCOMPARE(indepTable->item(0, 1)->text(), taken ? typed : before);
        const IndepVarInfo stored = tab->state().independentVariables().variableAt(0);
        QCOMPARE(stored.name(), variable.name());
        QCOMPARE(stored.value(), taken                        ? typed
                                 : variable.value().isEmpty() ? before
                                                              : variable.value());
        for (int column = 0; column < indepTable->columnCount(); ++column)
            QVERIFY(indepTable->item(0, column)->text().size() <= 300);
        const auto *noteLabel = indepNote();
        QCOMPARE(noteLabel->isVisible() ? noteLabel->text() : QString(), note);
    }

    // A note on a refused entry holds until the next entry is taken or a file report comes.
    void theNoteGoesWithTheNextEntryTakenOrNewRows()
    {
        tab->variablesFound({var<Indep>("Vd"_s)}, {}, 1);
        const auto *noteLabel = indepNote();
        const auto enter = [this](const QString &text) {
            indepTable->item(0, 1)->setText(text); // as a committed editor does
            return indepNote()->isVisible();
        };
        QVERIFY(enter("9"_s));
        QVERIFY(!enter("2"_s));
        QVERIFY(enter("9"_s));
        QVERIFY(noteLabel->text().startsWith("\"9\""_s));
        tab->variablesFound({var<Indep>("Vd"_s)}, {}, 2);
        QVERIFY(!noteLabel->isVisible());
    }

    void aValueTheFilesNoLongerReachIsKeptWithANote_data()
    {
        QTest::addColumn<Indep>("reported");
        QTest::addColumn<QString>("note");
        QTest::newRow("a range above the value")
            << var<Indep>("Vd"_s, "3"_s)
            << "Vd: \"2.000001\" lies outside the data's range, 3 to 4; it is kept as set."_s;
        QTest::newRow("a range of one point below the value")
            << var<Indep>("Vd"_s, "1.5"_s, "1.5"_s, 1, 1)
            << "Vd: \"2.000001\" lies outside the data's range, 1.5 to 1.5; it is kept as set."_s;
    }
    // A later report keeps the user's value, in either direction; the value is marked and can
    // still be changed, and the note says why, until the files reach it again.
    void aValueTheFilesNoLongerReachIsKeptWithANote()
    {
        QFETCH(Indep, reported);
        QFETCH(QString, note);
        tab->resize(1000, 400);
        tab->variablesFound({var<Indep>("Vd"_s)}, {}, 1);
        indepTable->item(0, 1)->setText("2.000001"_s);
        const auto *noteLabel = indepNote();

        tab->variablesFound({reported}, {}, 2);
        const QTableWidgetItem *cell = indepTable->item(0, 1);
        QCOMPARE(cell->text(), "2.000001"_s);
        QCOMPARE(noteLabel->text(), note);
        QCOMPARE(cell->toolTip(), note);
        QVERIFY(!cell->icon().isNull());
        QVERIFY(cell->flags().testFlag(Qt::ItemIsEditable));
        // The sign takes room of its own: the value beside it is not elided.
        const int sign = indepTable->style()->pixelMetric(QStyle::PM_SmallIconSize);
        QVERIFY(indepTable->columnWidth(1) >=
                indepTable->fontMetrics().horizontalAdvance(cell->text()) + sign);

        tab->variablesFound({var<Indep>("Vd"_s)}, {}, 1);
        QVERIFY(!noteLabel->isVisible());
        QVERIFY(indepTable->item(0, 1)->icon().isNull());
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

    // A unit cell shows the variable's unit and is never edited; without a unit it is greyed.
    void unitCell_data()
    {
        QTest::addColumn<QString>("unit");
        QTest::addColumn<int>("flags");
        QTest::newRow("a unit") << "V"_s << int(Qt::NoItemFlags);
        QTest::newRow("no unit") << QString() << int(Qt::ItemIsEditable);
    }
    void unitCell()
    {
        QFETCH(QString, unit);
        QFETCH(int, flags);
        Indep variable = var<Indep>("Vd"_s);
        variable.setUnit(unit);
        tab->variablesFound({variable}, {}, 1);
        QCOMPARE(indepTable->item(0, 2)->text(), unit);
        QCOMPARE(int(indepTable->item(0, 2)->flags()), flags);
    }

    // The names of both tables' rows, in name order.
    void fileReport_data()
    {
        QTest::addColumn<int>("secondCount");
        QTest::addColumn<QString>("names");
        // The rows are the names the files report: new ones come, absent ones go.
        QTest::newRow("a third file's report is what is shown") << 3 << "Pin, alpha | G, G2, g"_s;
        QTest::newRow("no files empty both tables") << 0 << " | "_s;
    }
    void fileReport()
    {
        QFETCH(int, secondCount);
        QFETCH(QString, names);
        tab->variablesFound({var<Indep>("alpha"_s), var<Indep>("Zeta"_s)},
                            {var<Gamma>("g"_s), var<Gamma>("G"_s)}, 2);
        QSignalSpy changed(tab.data(), &DetailsTabWidget::stateChanged);

        if (secondCount == 0)
            tab->variablesFound({}, {}, 0);
        else
            tab->variablesFound({var<Indep>("alpha"_s), var<Indep>("Pin"_s)},
                                {var<Gamma>("g"_s), var<Gamma>("G"_s), var<Gamma>("G2"_s)},
                                secondCount);

        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).value<VariableDetailsTabState>(), tab->state());
        QCOMPARE(columnText(*indepTable, 0) + " | "_s + columnText(*gammaTable, 0), names);
    }

    // Rows already shown take the new ranges and point counts of a later report, the
    // frequency its unit too, and the user's value stays.
    void aFileUpdateRefreshesTheRowsShown()
    {
        tab->variablesFound(
            {var<Indep>("Vd"_s, "1"_s, "4"_s, 3, 3), frequencyVar("1"_s, "2"_s, "GHz"_s)},
            {var<Gamma>("G"_s, "0.2"_s, "0.4"_s, 2, 2)}, 2);
        VariableDetailsTabState choices = tab->state();
        IndepVariablesState chosen = choices.independentVariables();
        Indep value = chosen.variableNamed("Vd"_s);
        value.setValue("3"_s);
        chosen.addVariable(value, false);
        choices.setIndependentVariables(chosen);
        tab->mergeState(choices);

        tab->variablesFound(
            {var<Indep>("Vd"_s, "0"_s, "8"_s, 5, 9), frequencyVar("900"_s, "2100"_s, "MHz"_s)},
            {var<Gamma>("G"_s, "0.1"_s, "0.9"_s, 4, 6)}, 3);

        const IndepVariablesState shown = tab->state().independentVariables();
        QCOMPARE(shown.variableNamed("Vd"_s).value(), "3"_s);
        QCOMPARE(shown.variableNamed("freq"_s).unit(), "MHz"_s);
        const int vd = 0; // rows in name order: Vd, freq
        QCOMPARE(QStringList({indepTable->item(vd, 1)->text(), indepTable->item(vd, 3)->text(),
                              indepTable->item(vd, 4)->text(), indepTable->item(vd, 5)->text()}),
                 QStringList({"3"_s, "0"_s, "8"_s, "5 - 9"_s}));
        QCOMPARE(QStringList({gammaTable->item(0, 4)->text(), gammaTable->item(0, 5)->text(),
                              gammaTable->item(0, 6)->text()}),
                 QStringList({"0.1"_s, "0.9"_s, "4 - 6"_s}));
    }

    void sweepCommand_data(); // Defined below: moc misreads raw strings in a class.
    void sweepCommand()
    {
        QFETCH(Indep, variable);
        QFETCH(QString, command);
        tab->variablesFound({variable}, {}, 1);
        tvl.clearCommands();

        tab->setFrequencySweepRange();

        QString sent;
        for (const auto &each : tvl.commands()) {
            QCOMPARE(QString::fromStdString(each.target), "SimCmd"_s);
            sent += QString::fromStdString(each.text);
        }
        QCOMPARE(sent, command);
    }

    // Only the points column, whose text changes with the counts, follows its contents; the
    // name column takes the width the others leave.
    void columnsNeverNarrowButPointsFollowTheirText()
    {
        const QString wide = "a_rather_wide_text"_s;
        tab->resize(1200, 400);
        tab->variablesFound({var<Indep>(wide, wide, wide, 1000000, 2000000)}, {}, 1);
        QList<int> before;
        for (int column = 0; column < indepTable->columnCount(); ++column)
            before << indepTable->columnWidth(column);

        tab->variablesFound({}, {}, 0);
        tab->variablesFound({var<Indep>("x"_s, "1"_s, "2"_s, 1, 1)}, {}, 1);

        for (int column = 1; column < 5; ++column)
            QCOMPARE(indepTable->columnWidth(column), before.at(column));
        QVERIFY(indepTable->columnWidth(5) < before.at(5));
        const auto tableWidth = [this] {
            int width = 0;
            for (int column = 0; column < indepTable->columnCount(); ++column)
                width += indepTable->columnWidth(column);
            return width;
        };
        QTRY_COMPARE(tableWidth(), indepTable->viewport()->width());
    }
};

void tst_DetailsTabWidget::sweepCommand_data()
{
    QTest::addColumn<Indep>("variable");
    QTest::addColumn<QString>("command");
    QTest::newRow("a frequency range: two quoted bounds with their unit")
        << frequencyVar("1"_s, "2"_s, "GHz"_s)
        << R"( dblp_init_sweep_group( "1 GHz","2 GHz"," FALSE "  );)"_s;
    QTest::newRow("no frequency variable: empty bounds")
        << var<Indep>("Vd"_s) << R"( dblp_init_sweep_group( " "," "," FALSE "  );)"_s;
    QTest::newRow("quotes and backslashes escaped")
        << frequencyVar(R"(1")"_s, "2"_s, R"(G\Hz)"_s)
        << R"( dblp_init_sweep_group( "1\" G\\Hz","2 G\\Hz"," FALSE "  );)"_s;
    QTest::newRow("a control character: nothing sent")
        << frequencyVar("1"_s, "2\n"_s, "GHz"_s) << QString();
}

QTEST_MAIN(tst_DetailsTabWidget)
#include "tst_detailstabwidget.moc"
