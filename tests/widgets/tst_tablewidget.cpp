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
    void cellsWrittenUnderASignalBlockerRaiseNoItemChanged_data();
    void cellsWrittenUnderASignalBlockerRaiseNoItemChanged();
};

void tst_TableWidget::onePressOnACell_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("selected");
    QTest::addColumn<bool>("editorOpen");

    const int all = Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled;
    QTest::newRow("an editable cell is selected and opened for editing") << all << true << true;
    QTest::newRow("a read-only cell is selected and reports a double-click")
        << (all & ~Qt::ItemIsEditable) << true << false;
    QTest::newRow("a disabled cell is neither selected nor opened")
        << (all & ~Qt::ItemIsEnabled) << false << false;
    QTest::newRow("a cell that cannot be selected is not opened")
        << (all & ~Qt::ItemIsSelectable) << false << false;
}

void tst_TableWidget::onePressOnACell()
{
    QFETCH(int, flags);
    QFETCH(bool, selected);
    QFETCH(bool, editorOpen);
    TableWidget table(nullptr);
    table.setRowCount(2);
    table.setColumnCount(2);
    auto *item = new QTableWidgetItem(QStringLiteral("1.5"));
    item->setFlags(Qt::ItemFlags(flags));
    table.setItem(1, 1, item);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));
    QSignalSpy doubleClicked(&table, &QAbstractItemView::doubleClicked);

    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, table.visualItemRect(item).center());

    QCOMPARE(item->isSelected(), selected);
    QCOMPARE(doubleClicked.size(), selected ? 1 : 0);
    auto *editor = table.viewport()->findChild<QLineEdit *>();
    QCOMPARE(editor && editor->isVisible(), editorOpen);
    if (editorOpen)
        QCOMPARE(editor->text(), QStringLiteral("1.5"));
}

void tst_TableWidget::cellsWrittenUnderASignalBlockerRaiseNoItemChanged_data()
{
    QTest::addColumn<bool>("blockedBefore");

    QTest::newRow("signals free before are free again after the scope") << false;
    QTest::newRow("signals blocked before stay blocked after the scope") << true;
}

void tst_TableWidget::cellsWrittenUnderASignalBlockerRaiseNoItemChanged()
{
    QFETCH(bool, blockedBefore);
    TableWidget table(nullptr);
    table.setRowCount(1);
    table.setColumnCount(1);
    table.setItem(0, 0, new QTableWidgetItem);
    table.blockSignals(blockedBefore);
    int changes = 0;
    connect(&table, &QTableWidget::itemChanged, this, [&changes] { ++changes; });

    {
        const SignalBlocker blocker(&table);
        table.item(0, 0)->setText(QStringLiteral("inside"));
        QVERIFY(table.signalsBlocked());
    }
    QCOMPARE(changes, 0);
    QCOMPARE(table.signalsBlocked(), blockedBefore);

    table.item(0, 0)->setText(QStringLiteral("after"));
    QCOMPARE(changes, blockedBefore ? 0 : 1);
}

QTEST_MAIN(tst_TableWidget)
#include "tst_tablewidget.moc"
