#include "signalblocker.h"
#include "tablewidget.h"

#include <QLineEdit>
#include <QtTest>

class tst_TableWidget : public QObject
{
    Q_OBJECT

private slots:
    void onePressOnACell_data();
    void onePressOnACell();
    void signalBlockerRestoresTheFormerState();
};

void tst_TableWidget::onePressOnACell_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("opened"); // selected, reported as double-clicked, editor open

    const int all = Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled;
    QTest::newRow("editable") << all << true;
    QTest::newRow("not selectable") << (all & ~Qt::ItemIsSelectable) << false;
}

void tst_TableWidget::onePressOnACell()
{
    QFETCH(int, flags);
    QFETCH(bool, opened);
    TableWidget table;
    table.setRowCount(2);
    table.setColumnCount(2);
    auto *item = new QTableWidgetItem(QStringLiteral("1.5"));
    item->setFlags(Qt::ItemFlags(flags));
    table.setItem(1, 1, item);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));
    QSignalSpy doubleClicked(&table, &QAbstractItemView::doubleClicked);

    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, table.visualItemRect(item).center());

    QCOMPARE(item->isSelected(), opened);
    QCOMPARE(doubleClicked.size(), opened ? 1 : 0);
    auto *editor = table.viewport()->findChild<QLineEdit *>();
    QCOMPARE(editor && editor->isVisible(), opened);
}

// Signals already blocked stay blocked: only a blocker that did the blocking lifts it.
void tst_TableWidget::signalBlockerRestoresTheFormerState()
{
    for (bool blockedBefore : {false, true}) {
        QObject object;
        object.blockSignals(blockedBefore);
        {
            const SignalBlocker blocker(&object);
            QVERIFY(object.signalsBlocked());
        }
        QCOMPARE(object.signalsBlocked(), blockedBefore);
    }
}

QTEST_MAIN(tst_TableWidget)
#include "tst_tablewidget.moc"
