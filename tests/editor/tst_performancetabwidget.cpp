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

// Check boxes are written "OD" (output, auto display), "O-", "-D" or "--", a space between rows.
QString checkText(bool output, bool autoPlot)
{
    return QString(QLatin1Char(output ? 'O' : '-')) + QLatin1Char(autoPlot ? 'D' : '-');
}

// Records in name order: the flags are set first, so the records keep their own choices.
PerformanceTabState performanceState(const QString &checks, bool outputAll = true,
                                     bool displayAll = false)
{
    PerformanceTabState state;
    state.setOutputAll(outputAll);
    state.setDisplayAll(displayAll);
    QList<PerformanceVarInfo> variables;
    for (const QString &check : checks.split(QLatin1Char(' '))) {
        variables << PerformanceVarInfo(quantity(QChar('A' + variables.size())));
        variables.last().setOutput(check.startsWith(QLatin1Char('O')));
        variables.last().setAutoPlot(check.endsWith(QLatin1Char('D')));
    }
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

} // namespace

class tst_PerformanceTabWidget : public QObject
{
    Q_OBJECT

    std::unique_ptr<PerformanceTabWidget> tab;
    QTableWidget *table = nullptr;

    void show()
    {
        tab->show();
        QVERIFY(QTest::qWaitForWindowExposed(tab.get()));
    }

    // One announcement, of the state shown, with these check boxes.
    void verifyAnnounced(const QSignalSpy &changed, const QString &checks)
    {
        QCOMPARE(changed.size(), 1);
        QCOMPARE(changed.at(0).at(0).value<PerformanceTabState>(), tab->state());
        QStringList stored;
        for (const PerformanceVarInfo &info : tab->state().allVariables())
            stored << checkText(info.output(), info.autoPlot());
        QCOMPARE(stored.join(QLatin1Char(' ')), checks);
        QStringList shown;
        for (int row = 0; row < table->rowCount(); ++row)
            shown << checkText(table->item(row, 3)->checkState() == Qt::Checked,
                               table->item(row, 4)->checkState() == Qt::Checked);
        QCOMPARE(shown.join(QLatin1Char(' ')), checks);
    }

private slots:
    void initTestCase() { registerStateMetaTypes(); }
    void init()
    {
        tab = std::make_unique<PerformanceTabWidget>();
        table = tab->findChild<PerformanceVariablesTableWidget *>();
        QVERIFY(table);
    }

    // Double-clicking the name and range cells neither selects them nor opens an editor.
    void nameAndRangeCells()
    {
        tab->variablesFound({quantity("alpha"_s, "30"_s), quantity("Zeta"_s, "20"_s),
                             quantity("P1"_s, "10"_s, "dBm"_s)},
                            1);
        show();
        QCOMPARE(columnTexts(*table, 0), (QStringList{"P1 ( dBm )"_s, "Zeta"_s, "alpha"_s}));
        QCOMPARE(columnTexts(*table, 1), (QStringList{"-1"_s, "-1"_s, "-1"_s}));
        QCOMPARE(columnTexts(*table, 2), (QStringList{"10"_s, "20"_s, "30"_s}));
        for (int column = 0; column < 3; ++column) {
            QTableWidgetItem *cell = table->item(0, column);
            const QPoint centre = table->visualItemRect(cell).center();
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, centre);
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, centre);
            QVERIFY(!cell->isSelected());
            QVERIFY(!table->viewport()->findChild<QLineEdit *>());
        }
    }

    void fileReport_data()
    {
        QTest::addColumn<int>("secondCount");
        QTest::addColumn<QStringList>("maxima");
        QTest::addColumn<QString>("checks");
        QTest::newRow("a third file updates the ranges, keeps the choices and adds no quantity")
            << 3 << QStringList{"20"_s, "30"_s} << "OD --"_s;
        QTest::newRow("no files empty the table") << 0 << QStringList() << ""_s;
    }
    void fileReport()
    {
        QFETCH(int, secondCount);
        QFETCH(QStringList, maxima);
        QFETCH(QString, checks);
        tab->variablesFound({quantity("B"_s), quantity("A"_s)}, 2);
        tab->mergeState(performanceState("OD --"_s));
        QSignalSpy changed(tab.get(), &PerformanceTabWidget::stateChanged);

        if (secondCount == 0)
            tab->variablesFound({}, 0);
        else
            tab->variablesFound({quantity("B"_s, "30"_s), quantity("A"_s, "20"_s), quantity("C"_s)},
                                secondCount);

        verifyAnnounced(changed, checks);
        QCOMPARE(columnTexts(*table, 2), maxima);
    }

    void click_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QPoint>("checkBox"); // column and row, when no button is named
        QTest::addColumn<QString>("checks");
        QTest::addColumn<QString>("allFlags");
        const QString none;
        QTest::newRow("Output off takes Auto Display off") << none << QPoint(3, 0) << "-- O- --"_s
                                                           << "-D"_s;
        QTest::newRow("Auto Display on takes Output on") << none << QPoint(4, 2) << "OD O- OD"_s
                                                         << "-D"_s;
        QTest::newRow("Output on leaves Auto Display off") << none << QPoint(3, 2) << "OD O- O-"_s
                                                           << "-D"_s;
        QTest::newRow("Auto Display off leaves Output on") << none << QPoint(4, 0) << "O- O- --"_s
                                                           << "-D"_s;
        QTest::newRow("Display All checks every box") << "Display All"_s << QPoint() << "OD OD OD"_s
                                                      << "OD"_s;
        QTest::newRow("Output None clears every box") << "Output None"_s << QPoint() << "-- -- --"_s
                                                      << "--"_s;
        QTest::newRow("Output All leaves Auto Display")
            << "Output All"_s << QPoint() << "OD O- O-"_s
            << "OD"_s;
        QTest::newRow("Display None leaves Output") << "Display None"_s << QPoint() << "O- O- --"_s
                                                    << "--"_s;
    }
    void click()
    {
        QFETCH(QString, button);
        QFETCH(QPoint, checkBox);
        QFETCH(QString, checks);
        QFETCH(QString, allFlags);
        tab->setState(performanceState("OD O- --"_s, false, true));
        show();
        QSignalSpy changed(tab.get(), &PerformanceTabWidget::stateChanged);

        if (button.isEmpty()) {
            const QRect cell = table->visualItemRect(table->item(checkBox.y(), checkBox.x()));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        }
        for (QPushButton *candidate : tab->findChildren<QPushButton *>())
            if (candidate->text() == button)
                QTest::mouseClick(candidate, Qt::LeftButton);

        verifyAnnounced(changed, checks);
        QCOMPARE(checkText(tab->state().outputAll(), tab->state().displayAll()), allFlags);
    }

    void columnsNeverNarrow()
    {
        PerformanceVarBaseInfo wide =
            quantity("a_rather_long_quantity_name"_s, "123456789.125"_s, "MegaWatt"_s);
        wide.setMinValue("-123456789.125"_s);
        tab->variablesFound({wide}, 1);
        show();
        QList<int> before;
        for (int column = 0; column < table->columnCount(); ++column)
            before << table->columnWidth(column);

        tab->setState(performanceState("O-"_s));

        for (int column = 0; column < table->columnCount(); ++column)
            QCOMPARE(table->columnWidth(column), before.at(column));
    }
};

QTEST_MAIN(tst_PerformanceTabWidget)
#include "tst_performancetabwidget.moc"
