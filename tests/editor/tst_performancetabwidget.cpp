#include "metatypes.h"
#include "performancetabwidget.h"
#include "performancevariablestablewidget.h"
#include "testtexts.h"

#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace LoadPullStateUtils;

namespace {

PerformanceVarBaseInfo quantity(const QString &name, const QString &maxValue = "10"_s,
                                const QString &unit = QString())
{
    PerformanceVarBaseInfo info;
    info.setName(name);
    info.setMaxValue(maxValue);
    info.setUnit(unit);
    return info;
}

// Check boxes are written "OD" (output, auto display), "O-", "-D" or "--".
QString checkText(bool output, bool autoPlot)
{
    return QString(QLatin1Char(output ? 'O' : '-')) + QLatin1Char(autoPlot ? 'D' : '-');
}

QString columnText(const QTableWidget &table, int column)
{
    QStringList texts;
    for (int row = 0; row < table.rowCount(); ++row)
        texts << table.item(row, column)->text();
    return texts.join(", "_s);
}

} // namespace

class tst_PerformanceTabWidget : public QObject
{
    Q_OBJECT

    QScopedPointer<PerformanceTabWidget> tab;
    QTableWidget *table = nullptr;

private slots:
    void initTestCase() { registerStateMetaTypes(); }
    void init()
    {
        tab.reset(new PerformanceTabWidget);
        table = tab->findChild<PerformanceVariablesTableWidget *>();
        tab->show();
        QVERIFY(table && QTest::qWaitForWindowExposed(tab.data()));
    }

    // A long name is elided in a narrow tab; the check boxes stay in view, and the table
    // fills the width it is given.
    void longNamesLeaveTheCheckBoxesInView()
    {
        tab->resize(560, 300);
        tab->variablesFound(
            {quantity(QString(60, QLatin1Char('P')), "10"_s, "dBm"_s), quantity("Gain"_s)}, 1);
        const auto columnsWidth = [this] {
            int width = 0;
            for (int column = 0; column < table->columnCount(); ++column)
                width += table->columnWidth(column);
            return width;
        };
        QTRY_COMPARE(columnsWidth(), table->viewport()->width());
        for (int row = 0; row < 2; ++row)
            for (int column : {3, 4})
                QVERIFY(table->viewport()->rect().contains(
                    table->visualItemRect(table->item(row, column))));
        const int longName = 1; // after Gain
        QVERIFY(table->columnWidth(0) <
                table->sizeHintForIndex(table->model()->index(longName, 0)).width());
    }

    // The type column shows its longest text whole, also after the host gives the table a
    // larger font.
    void theTypeColumnFitsItsTextInAnyFont()
    {
        tab->resize(560, 300);
        tab->variablesFound({quantity("Pout"_s, "10"_s, "dBm"_s)}, 1);
        const auto fits = [this] {
            const int text = table->fontMetrics().horizontalAdvance("Complex"_s);
            return table->columnWidth(5) > text;
        };
        QVERIFY(fits());
        QFont larger = table->font();
        larger.setPointSizeF(larger.pointSizeF() * 3);
        table->setFont(larger);
        QVERIFY(fits());
    }

    // Double-clicking the name and range cells neither selects them nor opens an editor.
    void nameAndRangeCells()
    {
        tab->variablesFound({quantity("alpha"_s, "30"_s), quantity("Zeta"_s, "20"_s),
                             quantity("P1"_s, "10"_s, "dBm"_s)},
                            1);
        QCOMPARE(columnText(*table, 0), "P1 ( dBm ), Zeta, alpha"_s);
        QCOMPARE(columnText(*table, 2), "10, 20, 30"_s);
        for (int column = 0; column < 3; ++column) {
            QTableWidgetItem *cell = table->item(0, column);
            const QPoint centre = table->visualItemRect(cell).center();
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
            QVERIFY(!cell->isSelected());
            QVERIFY(!table->viewport()->findChild<QLineEdit *>());
        }
    }

    // Rows already shown take the new ranges, unit and complex flag of a later report, and
    // keep the user's choices.
    void aFileUpdateRefreshesTheRowsShown()
    {
        tab->variablesFound({quantity("A"_s, "10"_s, "dBm"_s), quantity("B"_s)}, 2);
        PerformanceTabState choices = tab->state();
        PerformanceVarInfo a = choices.variables().value("A"_s);
        a.setOutput(false);
        choices.addVariable(a);
        tab->mergeState(choices);

        PerformanceVarBaseInfo updated = quantity("A"_s, "40"_s, "W"_s);
        updated.setMinValue("-5"_s);
        updated.setIsComplex(true);
        tab->variablesFound({updated, quantity("B"_s)}, 3);

        const PerformanceVarInfo shown = tab->state().variableAt(0);
        QCOMPARE(PerformanceVarBaseInfo(shown), updated);
        QVERIFY(!shown.output());
        QCOMPARE(table->item(0, 0)->text(), "A ( W )"_s);
        QCOMPARE(table->item(0, 1)->text(), "-5"_s);
        QCOMPARE(table->item(0, 2)->text(), "40"_s);
    }

    // Two files gave rows A, B and C: output and displayed, output only, neither; the
    // all-or-nothing flags are off and on. The expected check boxes of each row, then " / " and
    // the flags, are written as "OD O- -- / -D".
    void action_data()
    {
        QTest::addColumn<QString>("action");  // a button, a file report, or none
        QTest::addColumn<QPoint>("checkBox"); // column and row, clicked when there is no action
        QTest::addColumn<QString>("checks");
        const QString none;
        QTest::newRow("Output off: Auto Display off") << none << QPoint(3, 0) << "-- O- -- / -D"_s;
        QTest::newRow("Auto Display on: Output on") << none << QPoint(4, 2) << "OD O- OD / -D"_s;
        QTest::newRow("Output on: Auto Display stays") << none << QPoint(3, 2) << "OD O- O- / -D"_s;
        QTest::newRow("Auto Display off: Output on") << none << QPoint(4, 0) << "O- O- -- / -D"_s;
        QTest::newRow("Display All") << "Display All"_s << QPoint() << "OD OD OD / OD"_s;
        QTest::newRow("Output None") << "Output None"_s << QPoint() << "-- -- -- / --"_s;
        QTest::newRow("Output All") << "Output All"_s << QPoint() << "OD O- O- / OD"_s;
        QTest::newRow("Display None") << "Display None"_s << QPoint() << "O- O- -- / --"_s;
        // A new quantity comes with the default choices; the others keep theirs.
        QTest::newRow("a third file adds its quantity")
            << "3 files"_s << QPoint() << "OD O- -- O- / -D"_s;
        QTest::newRow("a file report without C drops it") << "no C"_s << QPoint() << "OD O- / -D"_s;
        QTest::newRow("no files empty the table") << "0 files"_s << QPoint() << "/ -D"_s;
    }
    void action()
    {
        QFETCH(QString, action);
        QFETCH(QPoint, checkBox);
        QFETCH(QString, checks);
        const QList<PerformanceVarBaseInfo> found{quantity("A"_s), quantity("B"_s),
                                                  quantity("C"_s)};
        tab->variablesFound(found, 2);
        QList<PerformanceVarInfo> records;
        for (const PerformanceVarBaseInfo &info : found)
            records << PerformanceVarInfo(info);
        records[0].setAutoPlot(true);
        records[2].setOutput(false);
        PerformanceTabState choices; // The flags first, so that the records keep their choices.
        choices.setOutputAll(false);
        choices.setDisplayAll(true);
        choices.setVariables(records);
        tab->mergeState(choices, true);
        QSignalSpy changed(tab.data(), &PerformanceTabWidget::stateChanged);

        if (action.isEmpty()) {
            const QRect cell = table->visualItemRect(table->item(checkBox.y(), checkBox.x()));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        }
        for (QPushButton *button : tab->findChildren<QPushButton *>())
            if (button->text() == action)
                QTest::mouseClick(button, Qt::LeftButton);
        if (action == "3 files"_s)
            tab->variablesFound(found + QList<PerformanceVarBaseInfo>{quantity("D"_s)}, 3);
        if (action == "0 files"_s)
            tab->variablesFound({}, 0);
        if (action == "no C"_s)
            tab->variablesFound(found.mid(0, 2), 1);

        QCOMPARE(changed.size(), 1);
        const auto state = changed.at(0).at(0).value<PerformanceTabState>();
        QCOMPARE(state, tab->state());
        QString text;
        for (int row = 0; row < table->rowCount(); ++row) {
            const PerformanceVarInfo info = state.variableAt(row);
            QCOMPARE(table->item(row, 3)->checkState() == Qt::Checked, info.output());
            QCOMPARE(table->item(row, 4)->checkState() == Qt::Checked, info.autoPlot());
            text += checkText(info.output(), info.autoPlot()) + QLatin1Char(' ');
        }
        QCOMPARE(text + "/ "_s + checkText(state.outputAll(), state.displayAll()), checks);
    }
};

QTEST_MAIN(tst_PerformanceTabWidget)
#include "tst_performancetabwidget.moc"
