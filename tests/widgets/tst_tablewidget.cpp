#include "enablecheckitemdelegate.h"
#include "signalblocker.h"
#include "tablewidget.h"

#include <QLineEdit>
#include <QtTest>

namespace {

// Where the view's default delegate draws a check cell's box: at the cell's left.
QPoint defaultCheckBoxCentre(const QTableWidget &table, const QTableWidgetItem *item)
{
    QStyleOptionViewItem option;
    option.initFrom(&table);
    option.rect = table.visualItemRect(item);
    option.features = QStyleOptionViewItem::HasCheckIndicator;
    const QStyle *style = table.style();
    return style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, &table).center();
}

} // namespace

class tst_TableWidget : public QObject
{
    Q_OBJECT

private slots:
    void onePressOnACell_data();
    void onePressOnACell();
    void eachClickOnTheCheckBoxTogglesIt_data();
    void eachClickOnTheCheckBoxTogglesIt();
    void signalBlockerRestoresTheFormerState();
};

void tst_TableWidget::onePressOnACell_data()
{
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("opened"); // selected, reported as double-clicked, editor open

    const int all = Qt::ItemIsSelectable | Qt::ItemIsEditable | Qt::ItemIsEnabled;
    QTest::newRow("editable") << all << true;
    // QTableWidgetItem's default flags make a text cell user-checkable.
    QTest::newRow("editable, checkable but with no check box")
        << (all | Qt::ItemIsUserCheckable) << true;
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

void tst_TableWidget::eachClickOnTheCheckBoxTogglesIt_data()
{
    QTest::addColumn<bool>("centred"); // EnableCheckItemDelegate, else the view's default
    QTest::addColumn<bool>("selectable");
    QTest::addColumn<bool>("selectedBefore");

    // A press on the default delegate's box never selects the cell: only a cell selected
    // beforehand shows that delegate a press on a selected cell.
    for (const bool centred : {true, false}) {
        const char *box = centred ? "centred box" : "default box";
        QTest::addRow("%s, not selectable", box) << centred << false << false;
        QTest::addRow("%s, selectable", box) << centred << true << false;
        QTest::addRow("%s, selected beforehand", box) << centred << true << true;
    }
}

// Two clicks on the box check and uncheck the cell, one change each; a click in the cell
// where the other kind of delegate draws its box changes nothing.
void tst_TableWidget::eachClickOnTheCheckBoxTogglesIt()
{
    QFETCH(bool, centred);
    QFETCH(bool, selectable);
    QFETCH(bool, selectedBefore);
    TableWidget table;
    table.setRowCount(1);
    table.setColumnCount(1);
    table.setColumnWidth(0, 120);
    if (centred)
        table.setItemDelegateForColumn(0, new EnableCheckItemDelegate(&table));
    auto *item = new QTableWidgetItem;
    const Qt::ItemFlags flags = Qt::ItemIsUserCheckable | Qt::ItemIsEnabled;
    item->setFlags(selectable ? flags | Qt::ItemIsSelectable : flags);
    item->setCheckState(Qt::Unchecked);
    table.setItem(0, 0, item);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));
    table.setCurrentItem(selectedBefore ? item : nullptr);
    QCOMPARE(item->isSelected(), selectedBefore);
    int changes = 0; // the cell is the table's only one
    connect(&table, &QTableWidget::itemChanged, [&changes] { ++changes; });
    const QPoint cellCentre = table.visualItemRect(item).center();
    const QPoint leftBox = defaultCheckBoxCentre(table, item);

    for (const Qt::CheckState state : {Qt::Checked, Qt::Unchecked}) {
        QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, centred ? cellCentre : leftBox);
        QCOMPARE(item->checkState(), state);
        QCOMPARE(changes, state == Qt::Checked ? 1 : 2);
    }
    const QPoint beside = centred ? leftBox : cellCentre;
    QCOMPARE(table.itemAt(beside), item);
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, beside);
    QCOMPARE(item->checkState(), Qt::Unchecked);
    QCOMPARE(changes, 2);
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
