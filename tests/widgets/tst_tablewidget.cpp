#include "enablecheckitemdelegate.h"
#include "hostdialog.h"
#include "pulldownitemdelegate.h"
#include "signalblocker.h"
#include "tablewidget.h"
#include "testtexts.h"

#include <QComboBox>
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

// A cell of the flags that a letter names: '-' none, 'e' editable, 'g' editable but greyed,
// 'c' a check box, 's' editable and selectable.
QTableWidgetItem *cellItem(QChar kind)
{
    auto *item = new QTableWidgetItem("1.5"_s);
    switch (kind.unicode()) {
    case 'e':
        item->setFlags(Qt::ItemIsEditable | Qt::ItemIsEnabled);
        break;
    case 'g':
        item->setFlags(Qt::ItemIsEditable);
        break;
    case 'c':
        item->setFlags(Qt::ItemIsUserCheckable | Qt::ItemIsEnabled);
        item->setCheckState(Qt::Unchecked);
        break;
    case 's':
        item->setFlags(Qt::ItemIsEditable | Qt::ItemIsEnabled | Qt::ItemIsSelectable);
        break;
    default:
        item->setFlags(Qt::NoItemFlags);
    }
    return item;
}

// Rows separated by '|', one letter per cell as cellItem reads them.
void fillTable(QTableWidget &table, const QString &cells)
{
    const QStringList rows = cells.split(QLatin1Char('|'));
    table.setRowCount(rows.size());
    table.setColumnCount(rows.at(0).size());
    for (int row = 0; row < rows.size(); ++row)
        for (int column = 0; column < rows.at(row).size(); ++column)
            table.setItem(row, column, cellItem(rows.at(row).at(column)));
}

QString currentCell(const QTableWidget &table)
{
    return "%1,%2"_s.arg(table.currentRow()).arg(table.currentColumn());
}

QWidget *openEditor(const QAbstractItemView &view)
{
    for (QWidget *child : view.viewport()->findChildren<QWidget *>())
        if (child->isVisible())
            return child;
    return nullptr;
}

QImage cellImage(QTableWidget &table, int row, int column)
{
    return table.viewport()->grab(table.visualRect(table.model()->index(row, column))).toImage();
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
    void returnAndEscapeEndOnlyTheEdit_data();
    void returnAndEscapeEndOnlyTheEdit();
    void focusEnteringTheTableMakesAChangeableCellCurrent_data();
    void focusEnteringTheTableMakesAChangeableCellCurrent();
    void theCurrentCheckBoxIsFramedWhileTheTableHasFocus();
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
    QTest::newRow("not selectable") << (all & ~Qt::ItemIsSelectable) << true;
    QTest::newRow("not enabled") << (all & ~Qt::ItemIsEnabled) << false;
    QTest::newRow("not editable") << (all & ~Qt::ItemIsEditable) << false;
}

void tst_TableWidget::onePressOnACell()
{
    QFETCH(int, flags);
    QFETCH(bool, opened);
    TableWidget table;
    table.setRowCount(2);
    table.setColumnCount(2);
    auto *item = new QTableWidgetItem("1.5"_s);
    item->setFlags(Qt::ItemFlags(flags));
    table.setItem(1, 1, item);
    table.show();
    QVERIFY(QTest::qWaitForWindowExposed(&table));
    QSignalSpy doubleClicked(&table, &QAbstractItemView::doubleClicked);

    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, table.visualItemRect(item).center());

    const int selectable = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    QCOMPARE(item->isSelected(), (flags & selectable) == selectable);
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
// where the other kind of delegate draws its box changes nothing; a double-click is one change.
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

    // A double-click on the box toggles it once, by its first click, as item views do.
    const QPoint box = centred ? cellCentre : leftBox;
    QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, box);
    QMouseEvent second(QEvent::MouseButtonDblClick, box, table.viewport()->mapToGlobal(box),
                       Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(table.viewport(), &second);
    QTest::mouseRelease(table.viewport(), Qt::LeftButton, {}, box);
    QCOMPARE(item->checkState(), Qt::Checked);
    QCOMPARE(changes, 3);
}

void tst_TableWidget::returnAndEscapeEndOnlyTheEdit_data()
{
    QTest::addColumn<int>("keys");      // how the dialog binds Return and Escape
    QTest::addColumn<bool>("pullDown"); // a combo box editor, else a line edit
    QTest::addColumn<bool>("edit");     // open an editor and change its value first
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("expected"); // the cell's text after the key
    QTest::addColumn<int>("result");       // of the dialog; -1 while it stays open

    const QString before = "1.5"_s;
    for (const int keys : {HostDialog::DefaultButton, HostDialog::Shortcuts}) {
        const char *host = keys == HostDialog::Shortcuts ? "shortcuts" : "default button";
        QTest::addRow("%s: Return commits the typed text", host)
            << keys << false << true << int(Qt::Key_Return) << "9"_s << -1;
        QTest::addRow("%s: Enter commits the typed text", host)
            << keys << false << true << int(Qt::Key_Enter) << "9"_s << -1;
        QTest::addRow("%s: Escape cancels the edit", host)
            << keys << false << true << int(Qt::Key_Escape) << before << -1;
        QTest::addRow("%s: Return commits the chosen pull-down item", host)
            << keys << true << true << int(Qt::Key_Return) << "Source"_s << -1;
        QTest::addRow("%s: Escape closes the pull-down unchanged", host)
            << keys << true << true << int(Qt::Key_Escape) << before << -1;
        // With no editor open, the keys are the dialog's.
        QTest::addRow("%s, no edit: Return presses OK", host)
            << keys << false << false << int(Qt::Key_Return) << before << int(QDialog::Accepted);
        QTest::addRow("%s, no edit: Escape cancels the dialog", host)
            << keys << false << false << int(Qt::Key_Escape) << before << int(QDialog::Rejected);
    }
}

void tst_TableWidget::returnAndEscapeEndOnlyTheEdit()
{
    QFETCH(int, keys);
    QFETCH(bool, pullDown);
    QFETCH(bool, edit);
    QFETCH(int, key);
    QFETCH(QString, expected);
    QFETCH(int, result);
    auto *table = new TableWidget;
    fillTable(*table, "se"_s);
    if (pullDown)
        table->setItemDelegateForColumn(1, new PullDownItemDelegate({"Source"_s, "Load"_s}, table));
    HostDialog dialog(table, HostDialog::Keys(keys));
    QSignalSpy finished(&dialog, &QDialog::finished);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    QTableWidgetItem *item = table->item(0, 1);
    table->setFocus();
    table->setCurrentItem(item);

    if (edit) {
        QTest::keyClick(table, Qt::Key_F2);
        QWidget *editor = openEditor(*table);
        QVERIFY(editor && editor->isAncestorOf(QApplication::focusWidget()));
        QTest::keyClick(QApplication::focusWidget(), pullDown ? Qt::Key_Down : Qt::Key_9);
    }
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(key));

    QTRY_COMPARE(item->text(), expected);
    QTRY_VERIFY(!openEditor(*table));
    QCOMPARE(finished.size(), result < 0 ? 0 : 1);
    QCOMPARE(dialog.isVisible(), result < 0);
    if (result >= 0)
        QCOMPARE(finished.at(0).at(0).toInt(), result);
}

void tst_TableWidget::focusEnteringTheTableMakesAChangeableCellCurrent_data()
{
    QTest::addColumn<QString>("cells");
    QTest::addColumn<QString>("currentBefore"); // "" for none
    QTest::addColumn<QString>("expected");

    QTest::newRow("read-only first cells: the first editable one")
        << "--e|-ee"_s << QString() << "0,2"_s;
    QTest::newRow("a check box after read-only cells") << "--|-c"_s << QString() << "1,1"_s;
    QTest::newRow("an editable but greyed cell is passed over")
        << "g-|-e"_s << QString() << "1,1"_s;
    QTest::newRow("a changeable current cell stays") << "e-|-c"_s
                                                     << "1,1"_s
                                                     << "1,1"_s;
    QTest::newRow("a read-only current cell gives way") << "e-|-c"_s
                                                        << "1,0"_s
                                                        << "0,0"_s;
    QTest::newRow("nothing to change: no current cell") << "--|g-"_s << QString() << "-1,-1"_s;
}

// Tab from the control before the table.
void tst_TableWidget::focusEnteringTheTableMakesAChangeableCellCurrent()
{
    QFETCH(QString, cells);
    QFETCH(QString, currentBefore);
    QFETCH(QString, expected);
    auto *table = new TableWidget;
    fillTable(*table, cells);
    if (!currentBefore.isEmpty())
        table->setCurrentCell(currentBefore.section(QLatin1Char(','), 0, 0).toInt(),
                              currentBefore.section(QLatin1Char(','), 1, 1).toInt());
    HostDialog dialog(table);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.before()->setFocus();

    QTest::keyClick(dialog.before(), Qt::Key_Tab);

    QVERIFY(table->hasFocus());
    QCOMPARE(currentCell(*table), expected);
    // Tab leaves the table rather than walking its cells.
    QTest::keyClick(table, Qt::Key_Tab);
    QVERIFY(!table->hasFocus());
}

// The keyboard user sees which box Space would toggle: the box of the current cell is framed
// while the table has the focus, and not once the focus has moved on.
void tst_TableWidget::theCurrentCheckBoxIsFramedWhileTheTableHasFocus()
{
    auto *table = new TableWidget;
    fillTable(*table, "-cc"_s);
    for (int column = 1; column < 3; ++column)
        table->setItemDelegateForColumn(column, new EnableCheckItemDelegate(table));
    HostDialog dialog(table);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowActive(&dialog));
    dialog.before()->setFocus();
    const QImage unfocused = cellImage(*table, 0, 1);

    QTest::keyClick(dialog.before(), Qt::Key_Tab);
    QCOMPARE(currentCell(*table), "0,1"_s);
    QTRY_VERIFY(cellImage(*table, 0, 1) != unfocused);
    const QImage focused = cellImage(*table, 0, 1);
    QTest::keyClick(table, Qt::Key_Space);
    QCOMPARE(table->item(0, 1)->checkState(), Qt::Checked);

    QTest::keyClick(table, Qt::Key_Tab);
    QCOMPARE(currentCell(*table), "0,1"_s);
    QTRY_VERIFY(cellImage(*table, 0, 1) != focused);
    QTest::keyClick(dialog.before(), Qt::Key_Tab);
    QTest::keyClick(table, Qt::Key_Space);
    QTRY_COMPARE(cellImage(*table, 0, 1), unfocused);
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
